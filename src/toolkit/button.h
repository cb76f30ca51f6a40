#pragma once
#include "toolkit/control.h"

// A push button; the hover variant shows the hand cursor and tells its parent
// (WM_APP_HOVER) when the pointer moves over it while it has no focus.
class Button : public Control {
public:
    // A visible push button.
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;

    explicit Button(bool hover = false) : hoverOn(hover) { style = kDefaultStyle; }

    bool Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
    LRESULT SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

    bool CreateWithHover(HWND parent, const wchar_t* text, int x, int y, int width, int height,
                         int id, const wchar_t* hoverText);
    // Binds to the dialog's existing button with this id (nothing is created).
    bool AttachWithHover(HWND dialog, int id, const wchar_t* hoverText);
    // Replaces the window procedure (null: ControlProc); returns the previous one.
    // The first subclassing of any button saves the system procedure for all buttons.
    WNDPROC Subclass(WNDPROC proc = nullptr);

    wchar_t Mnemonic() const { return mnemonic; }
    bool HoverOn() const { return hoverOn; }

private:
    bool hoverOn;
    wchar_t mnemonic = 0;
};
