#include "host_window.h"

#include "toolkit/control.h"

namespace toolkit_test {

namespace {

const wchar_t kHostClass[] = L"ToolkitTestHost";

void RegisterHostClass(WNDPROC proc)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    registered = RegisterClassW(&wc) != 0;
}

} // namespace

HostWindow::HostWindow()
{
    RegisterHostClass(Proc);
    hwnd = CreateWindowExW(0, kHostClass, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 500,
                           300, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

HostWindow::~HostWindow()
{
    if (IsWindow(hwnd))
        DestroyWindow(hwnd);
}

std::vector<SeenMessage> HostWindow::Seen(UINT msg) const
{
    std::vector<SeenMessage> kind;
    for (const SeenMessage& m : seen)
        if (m.msg == msg)
            kind.push_back(m);
    return kind;
}

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (host && (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_APP_HOVER)) {
        host->seen.push_back({msg, wparam, lparam});
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace toolkit_test
