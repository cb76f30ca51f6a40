#include "toolkit/button.h"

namespace {

// The system button procedure, saved by the first subclassing of any button
// and used by every subclassed button afterwards.
WNDPROC buttonSystemProc = nullptr;

} // namespace

bool Button::Create(HWND parent, int controlId, const wchar_t* text, int x, int y, int width,
                    int height)
{
    if (controlId == 0)
        NextControlId();
    else
        id = controlId;
    mnemonic = MnemonicOf(text);
    bool created = CreateHandle(L"BUTTON", parent, text, x, y, width, height);
    if (created && hoverOn)
        Subclass(ControlProc);
    return created;
}

bool Button::OnCommandNotify(int code, int)
{
    if (code != BN_CLICKED)
        return false;
    return RunCallback();
}

LRESULT Button::SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (hoverOn) {
        if (msg == WM_SETCURSOR) {
            // Kept from the button's own procedure, so the arrow never replaces the hand.
            SetCursor(HandCursor());
            return 0;
        }
        if (msg == WM_MOUSEMOVE) {
            if (GetFocus() != hwnd)
                SendMessageW(GetParent(hwnd), WM_APP_HOVER, static_cast<WPARAM>(id),
                             reinterpret_cast<LPARAM>(hoverText));
            return 0;
        }
    }
    if (!buttonSystemProc)
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    return CallWindowProcW(buttonSystemProc, hwnd, msg, wparam, lparam);
}

bool Button::CreateWithHover(HWND parent, const wchar_t* text, int x, int y, int width,
                             int height, int controlId, const wchar_t* hover)
{
    hoverOn = true;
    hoverText = hover ? hover : L"";
    return Create(parent, controlId, text, x, y, width, height);
}

bool Button::AttachWithHover(HWND dialog, int controlId, const wchar_t* hover)
{
    hoverOn = true;
    hoverText = hover ? hover : L"";
    return Create(dialog, controlId, L"", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT);
}

WNDPROC Button::Subclass(WNDPROC proc)
{
    WNDPROC previous = SetWindowProc(hwnd, proc ? proc : ControlProc);
    if (!buttonSystemProc)
        buttonSystemProc = previous;
    return previous;
}
