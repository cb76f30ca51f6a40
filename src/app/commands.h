#pragma once

// One button of the bar, left to right; its '&' letter is also its Alt
// accelerator (resource 101).
struct CommandButton {
    const wchar_t* text;
    int width;                 // pixels
    int commandId;             // IDM_... of resource.h
    bool initiallyDisabled;
    const wchar_t* hoverText;  // shown in the status bar while the pointer is over it
};

constexpr int kCommandButtonCount = 7;
extern const CommandButton kCommandButtons[kCommandButtonCount];
