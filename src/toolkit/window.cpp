#include "toolkit/window.h"

#include "toolkit/center_math.h"

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

void CenterWindow(HWND hwnd)
{
    HWND owner = GetWindow(hwnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const ScreenRect workArea = ToScreenRect(monitor.rcWork);
    ScreenRect area = workArea;
    if (owner) {
        RECT r;
        GetWindowRect(owner, &r);
        area = ToScreenRect(r);
    }
    RECT own;
    GetWindowRect(hwnd, &own);
    WindowPlacement p = CenteredPlacement(area, ToScreenRect(own), workArea);
    MoveWindow(hwnd, p.x, p.y, p.width, p.height, FALSE);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    try {
        if (msg == WM_NCCREATE) {
            auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
            if (created)
                WindowObject::Bind(hwnd, GWLP_USERDATA, created);
        }
        if (WindowObject* object = WindowObject::BoundTo(hwnd, GWLP_USERDATA))
            return object->Deliver(hwnd, GWLP_USERDATA, msg, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher; the message gets
        // the default treatment instead.
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
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
    return DestroyWindow(hwnd) != FALSE;
}
