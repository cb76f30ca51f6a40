#pragma once
#include "toolkit/control.h"
#include "toolkit/line_extent.h"

#include <string>
#include <vector>

// A list box child; reports key presses to its parent as WM_VKEYTOITEM.
// Created with WS_HSCROLL, it follows its widest line: the horizontal
// extent grows with every line wider than any before (measured in the
// list's font, tabs expanded), goes back to 0 when the list is emptied, and
// the horizontal scroll bar shows only while a line is wider than the list.
class ListBox : public Control {
public:
    // Lines in the order added, the keys and selection changes reported to
    // the parent, a scroll bar that is always there.
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY |
                                           LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                           LBS_DISABLENOSCROLL;

    ListBox() { style = kDefaultStyle; }
    ~ListBox() override;

    bool Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
    // Keeps the extent: sees every line added, the emptying, new tab stops and fonts.
    LRESULT SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

    int Selection() const { return selection; }

    // Thin wrappers over the list messages.
    int AddLine(const wchar_t* text) const;
    void Clear() const;
    int Count() const;
    // The line at index as the list holds it; empty when there is none.
    std::wstring Line(int index) const;

    // Ctrl+C or Ctrl+Insert, as the list reports keys (WM_VKEYTOITEM).
    static bool IsCopyKey(int key);
    // Every line as the list holds it onto the clipboard, as Unicode text
    // with CR LF between lines; false when the clipboard did not take it.
    bool CopyToClipboard() const;

private:
    void Widen(const wchar_t* line);
    void ResetExtent();
    void Remeasure();
    void HideBarWhileLinesFit();
    void TakeTabStops(int count, const int* dialogUnits);
    int Extent(const wchar_t* line);
    HDC MeasuringContext();
    void ReleaseMeasuring();

    int selection = 0;
    bool followsWidth = false;      // created with WS_HSCROLL: the window is subclassed
    bool tabsExpanded = false;      // LBS_USETABSTOPS
    int widestLine = 0;
    std::vector<int> tabStopUnits;  // as the list was given them, in dialog units
    TabStops tabStops;              // the same in pixels of the list's font
    bool tabStopsMeasured = false;
    HDC measuring = nullptr;        // a display context for measuring, made on first use
};
