#pragma once
#include "toolkit/control.h"

// A combo box child; the hover variant takes the focus when the pointer comes
// over it and posts WM_NOTIFY (wparam = its id, lparam = 7, not a record) to its parent.
class ComboBox : public Control {
public:
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;

    explicit ComboBox(bool hover = false) : hoverOn(hover) { style = kDefaultStyle; }

    bool Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
    LRESULT SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

    // Binds to the dialog's existing combo box with this id and subclasses it for hover.
    bool Attach(HWND dialog, int id);
    WNDPROC Subclass(WNDPROC proc = nullptr);

    int Selection() const { return selection; }

private:
    bool hoverOn;
    int selection = 0;
};
