#pragma once
#include "toolkit/control.h"

#include <string>
#include <vector>

// The common-controls status window at the bottom of the frame, divided into
// parts whose widths are given in average character widths.
class StatusBar : public Control {
public:
    bool OnCommandNotify(int, int) override { return false; }

    bool AllocateParts(int n);
    void AddPart(int width, DWORD textStyle);
    bool CreateStatus(HWND parent);
    // The parent's client area changed: the bar fits itself and its parts to it.
    void OnParentSize(UINT type, int width, int height);
    int VisibleHeight() const;
    // Sets a part's text now; a text still deferred for that part is older
    // and is dropped.
    void SetText(int part, const wchar_t* text);
    // Sets a part's text without a repaint for every call, for texts that
    // change faster than anyone reads them: at once when the bar was idle,
    // otherwise the latest text every delayMs. A SetText of that part in
    // between wins over the text deferred.
    void SetTextSoon(int part, const wchar_t* text, unsigned delayMs);
    // Shows now the text still deferred, if any.
    void ShowDeferredText();

    const std::vector<int>& PartEdges() const { return partEdges; }

private:
    static void CALLBACK DeferredTick(HWND bar, UINT, UINT_PTR id, DWORD);

    HWND parent = nullptr;
    int capacity = 0;
    int count = 0;
    std::vector<int> partWidths;
    std::vector<DWORD> partStyles;
    std::vector<int> partEdges;
    std::wstring deferredText;
    int deferredPart = -1;   // -1: no text deferred
    bool ticking = false;    // the timer that shows deferred texts runs
};
