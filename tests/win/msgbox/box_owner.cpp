#include "msgbox/box_owner.h"

namespace {

const wchar_t kOwnerClass[] = L"BoxOwnerTestClass";

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_PAINT) {
        // A plain white client area, so a box over it stands out in pictures.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

} // namespace

BoxOwner::BoxOwner()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOwnerClass;
    RegisterClassW(&wc);  // fails harmlessly when an earlier test registered it
    hwnd = CreateWindowExW(0, kOwnerClass, L"Box owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                           80, 470, 400, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(hwnd);
}

BoxOwner::~BoxOwner()
{
    if (hwnd)
        DestroyWindow(hwnd);
}

std::wstring WindowText(HWND hwnd)
{
    wchar_t text[512] = L"";
    InternalGetWindowText(hwnd, text, 512);
    return text;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

int DisplayLineHeight()
{
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(ic, &metrics);
    DeleteDC(ic);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

int DisplayTextWidth(const wchar_t* text)
{
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    SIZE size = {};
    GetTextExtentPoint32W(ic, text, static_cast<int>(wcslen(text)), &size);
    DeleteDC(ic);
    return size.cx;
}

int DisplayMaxCharWidth()
{
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(ic, &metrics);
    DeleteDC(ic);
    return metrics.tmMaxCharWidth;
}

POINT ClientOrigin(HWND hwnd)
{
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    return origin;
}

RECT ChildRectInParent(HWND child)
{
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
