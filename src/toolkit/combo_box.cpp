#include "toolkit/combo_box.h"

namespace {

// The system combo-box procedure, saved by the first subclassing of any
// combo box and used by every subclassed combo box afterwards.
WNDPROC comboSystemProc = nullptr;

// The lparam of the hover WM_NOTIFY: a plain number, never a record.
constexpr LPARAM kHoverSignal = 7;

} // namespace

bool ComboBox::Create(HWND parent, int controlId, const wchar_t* text, int x, int y, int width,
                      int height)
{
    if (controlId == 0)
        NextControlId();
    else
        id = controlId;
    return CreateHandle(L"COMBOBOX", parent, text, x, y, width, height);
}

bool ComboBox::OnCommandNotify(int code, int)
{
    if (code != CBN_SELCHANGE)
        return false;
    selection = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
    return RunCallback();
}

LRESULT ComboBox::SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (hoverOn && msg == WM_SETCURSOR) {
        SetCursor(HandCursor());
        // The box takes the keyboard as soon as the pointer is over it.
        SetFocus(hwnd);
        PostMessageW(GetParent(hwnd), WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID(hwnd)),
                     kHoverSignal);
        return 0;
    }
    if (!comboSystemProc)
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    return CallWindowProcW(comboSystemProc, hwnd, msg, wparam, lparam);
}

bool ComboBox::Attach(HWND dialog, int controlId)
{
    bool bound = Create(dialog, controlId, L"", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT);
    // Does nothing when nothing was bound: the window does not exist then.
    Subclass(ControlProc);
    return bound;
}

WNDPROC ComboBox::Subclass(WNDPROC proc)
{
    WNDPROC previous = SetWindowProc(hwnd, proc ? proc : ControlProc);
    if (!comboSystemProc)
        comboSystemProc = previous;
    return previous;
}
