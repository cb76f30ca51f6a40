#include "toolkit/window.h"

#include "toolkit/center_math.h"
#include "toolkit/control.h"
#include "toolkit/notify_record.h"

namespace {

HINSTANCE moduleInstance = nullptr;

ScreenRect ToScreenRect(const RECT& r)
{
    ScreenRect s;
    s.left = r.left;
    s.top = r.top;
    s.right = r.right;
    s.bottom = r.bottom;
    return s;
}

} // namespace

HINSTANCE ModuleInstance()
{
    // Objects built before wWinMain (the bar registers its class then) use the
    // exe's own handle, which is the value start-up records anyway.
    return moduleInstance ? moduleInstance : GetModuleHandleW(nullptr);
}

void SetModuleInstance(HINSTANCE instance)
{
    moduleInstance = instance;
}

int MissingCreate()
{
    MessageBoxW(nullptr, L"Missing Create", L"App Error", MB_ICONWARNING);
    return 0;
}

void CenterWindow(HWND hwnd)
{
    ScreenRect area;
    if (HWND owner = GetWindow(hwnd, GW_OWNER)) {
        RECT r;
        GetWindowRect(owner, &r);
        area = ToScreenRect(r);
    } else {
        area.right = GetSystemMetrics(SM_CXFULLSCREEN);
        area.bottom = GetSystemMetrics(SM_CYFULLSCREEN);
    }
    RECT own;
    GetWindowRect(hwnd, &own);
    WindowPlacement p = CenteredPlacement(area, ToScreenRect(own));
    MoveWindow(hwnd, p.x, p.y, p.width, p.height, FALSE);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    try {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lparam);
            auto* created = static_cast<Window*>(cs->lpCreateParams);
            if (created) {
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
                created->hwnd = hwnd;
            }
        }
        auto* object = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (object)
            return object->HandleMessage(msg, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher; the message gets
        // the default treatment instead.
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

int Window::Create(HWND, HMENU, const wchar_t*, int, int, int, int)
{
    return MissingCreate();
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        OnShutdown();
        OnAfterDestroy();
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
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wparam, lparam);
        if (wparam)
            OnShutdown();
        return 0;
    case WM_DRAWITEM:
        OnDrawItem(wparam, lparam);
        return 1;
    case WM_VKEYTOITEM:
        return OnVKeyToItem(wparam);
    case WM_NOTIFY:
        if (Control* sender = NotifySender(lparam))
            return sender->OnNotify(reinterpret_cast<NMHDR*>(lparam));
        OnNotify(wparam, lparam);
        return 0;
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
    case WM_COMMAND:
        OnCommand(wparam, lparam);
        return 0;
    case WM_TIMER:
        OnTimer(wparam);
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
        if (OnOtherMessage(msg, wparam, lparam))
            return 0;
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    }
}

int Window::OnOtherMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

void Window::OnClose()
{
    Destroy();
}

void Window::OnPaint()
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
}

bool Window::CreateHandle(const wchar_t* className, HWND parent, HMENU menu, const wchar_t* title,
                          int x, int y, int width, int height)
{
    if (!hwnd) {
        hwnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                               ModuleInstance(), this);
    }
    return hwnd != nullptr;
}

bool Window::Destroy()
{
    if (!DestroyWindow(hwnd))
        return false;
    hwnd = nullptr;
    return true;
}
