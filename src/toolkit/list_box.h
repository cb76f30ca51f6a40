#pragma once
#include "toolkit/control.h"

// A list box child; reports key presses to its parent as WM_VKEYTOITEM.
class ListBox : public Control {
public:
    // Lines in the order added, the keys and selection changes reported to
    // the parent, a scroll bar that is always there.
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY |
                                           LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                           LBS_DISABLENOSCROLL;

    ListBox() { style = kDefaultStyle; }

    bool Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;

    int Selection() const { return selection; }

    // Thin wrappers over the list messages.
    int AddLine(const wchar_t* text) const;
    void Clear() const;
    int Count() const;

private:
    int selection = 0;
};
