#pragma once
#include "toolkit/control.h"

// A list box child; reports key presses to its parent as WM_VKEYTOITEM.
class ListBox : public Control {
public:
    ListBox() { style = 0x50201501; }

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
