#include "toolkit/dialog.h"

#include "toolkit/control.h"
#include "toolkit/notify_record.h"
#include "toolkit/window.h"

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    try {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
            if (auto* started = reinterpret_cast<Dialog*>(lparam))
                started->hwnd = hwnd;
        }
        auto* object = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        if (!object)
            return 0;
        return object->HandleMessage(msg, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the dialog manager; "not handled" lets it
        // do its default work.
        return 0;
    }
}

int Dialog::Create(HWND, HMENU, const wchar_t*, int, int, int, int)
{
    return MissingCreate();
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize(wparam, lparam);
        return 0;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_DRAWITEM:
        if (Control* item = DrawItemOwner(lparam))
            item->OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
        else
            OnDrawItem(wparam, lparam);
        return 1;
    case WM_VKEYTOITEM:
        return OnVKeyToItem(wparam);
    case WM_NOTIFY:
        if (Control* sender = NotifySender(lparam))
            sender->OnNotify(reinterpret_cast<NMHDR*>(lparam));
        else
            OnNotify(wparam, lparam);
        return 1;
    case WM_CONTEXTMENU:
        OnContextMenu(wparam, lparam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wparam, lparam);
        return 0;
    case WM_KEYUP:
        OnKeyUp(wparam, lparam);
        return 0;
    case WM_CHAR:
        OnChar(wparam, lparam);
        return 0;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(wparam, lparam);
        return 0;
    case WM_SYSKEYUP:
        OnSysKeyUp(wparam, lparam);
        return 0;
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        Control* sender = lparam ? ControlFromWindow(reinterpret_cast<HWND>(lparam)) : nullptr;
        if (sender && sender->OnCommandNotify(HIWORD(wparam), LOWORD(wparam)))
            return 0;
        OnCommand(wparam, lparam);
        return 0;
    }
    case WM_TIMER:
        OnTimer(wparam);
        return 0;
    case WM_HSCROLL:
        OnHScroll(wparam, lparam);
        return 0;
    case WM_INITMENU:
        OnInitMenu();
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(wparam, lparam);
        return 0;
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(wparam, lparam);
    case WM_MOUSEMOVE:
        OnMouseMove(wparam, lparam);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wparam, lparam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(wparam, lparam);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(wparam, lparam);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(wparam, lparam);
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wparam));
        return 0;
    default:
        return OnOtherMessage(msg, wparam, lparam);
    }
}
