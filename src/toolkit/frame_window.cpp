#include "toolkit/frame_window.h"

#include "toolkit/btn_bar.h"
#include "toolkit/frame_geometry.h"
#include "toolkit/list_box.h"
#include "toolkit/status_bar.h"
#include "toolkit/system_library.h"

#include <commctrl.h>

namespace {

const wchar_t kFrameClass[] = L"MainClass";

// Height of the display font's characters, or 0 when the display cannot be asked.
int DisplayCharHeight()
{
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!ic)
        return 0;
    TEXTMETRICW tm{};
    BOOL measured = GetTextMetricsW(ic, &tm);
    DeleteDC(ic);
    return measured ? tm.tmHeight : 0;
}

} // namespace

void FrameWindow::OnAfterDestroy()
{
    PostQuitMessage(0);
}

bool FrameWindow::RegisterWindowClass()
{
    static bool registered = false;
    if (registered)
        return false;
    WNDCLASSW wc{};
    wc.style = CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = ModuleInstance();
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The panes cover the whole client area; the frame paints nothing itself.
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kFrameClass;
    PreRegisterClass(wc);
    registered = RegisterClassW(&wc) != 0;
    return registered;
}

void FrameWindow::OnClose()
{
    if (CanClose())
        Destroy();
}

bool FrameWindow::OnCreate()
{
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = 0xFF;
    system_library::InitCommonControls(&icc);
    return status && status->CreateStatus(hwnd);
}

LRESULT FrameWindow::OnQueryEndSession()
{
    return CanClose() ? 1 : 0;
}

void FrameWindow::OnSetFocus()
{
    if (list && list->Handle())
        SetFocus(list->Handle());
}

void FrameWindow::OnSize(UINT type, int width, int height)
{
    clientWidth = width;
    clientHeight = height;
    if (status)
        status->OnParentSize(type, width, height);
    Layout();
}

bool FrameWindow::CreateFrame(ListBox& listPane, BtnBar& barPane, StatusBar& statusPane)
{
    list = &listPane;
    bar = &barPane;
    status = &statusPane;

    RegisterWindowClass();
    CREATESTRUCTW cs{};
    cs.lpszClass = kFrameClass;
    cs.lpszName = L"";
    cs.style = WS_OVERLAPPEDWINDOW;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    PreCreate(cs);
    style = cs.style;
    exStyle = cs.dwExStyle;
    if (!CreateHandle(cs.lpszClass, nullptr, nullptr, cs.lpszName, cs.x, cs.y, cs.cx, cs.cy))
        return false;

    int charHeight = DisplayCharHeight();
    if (charHeight == 0)
        return false;
    RECT client;
    GetClientRect(hwnd, &client);
    barHeight = BarHeightFor(charHeight);
    if (!bar->CreateBar(hwnd, 0, 0, client.right, barHeight))
        return false;

    // The list gets its real place at the next layout.
    list->SetExStyle(WS_EX_CLIENTEDGE);
    return list->Create(hwnd, 0, L"", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
}

void FrameWindow::Show(int showCommand)
{
    if (!ShowSelf())
        ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
}

bool FrameWindow::LoadAccelerators(int resource)
{
    accelerators = ::LoadAcceleratorsW(ModuleInstance(), MAKEINTRESOURCEW(resource));
    return accelerators != nullptr;
}

void FrameWindow::Layout()
{
    int statusHeight = status ? status->VisibleHeight() : 0;
    int shownBarHeight = (bar && bar->Visible()) ? barHeight : 0;
    PaneLayout panes = ComputePaneLayout(clientWidth, clientHeight, shownBarHeight, statusHeight);

    // Panes not created yet (the frame is sized while it is being created) are left out.
    struct Move {
        HWND window;
        PaneRect place;
    } moves[] = {
        {bar ? bar->Handle() : nullptr, panes.bar},
        {list ? list->Handle() : nullptr, panes.list},
        {status ? status->Handle() : nullptr, panes.status},
    };
    HDWP batch = BeginDeferWindowPos(3);
    for (const Move& m : moves) {
        if (!batch)
            return;
        if (m.window)
            batch = DeferWindowPos(batch, m.window, nullptr, m.place.x, m.place.y, m.place.width,
                                   m.place.height, SWP_SHOWWINDOW);
    }
    if (batch)
        EndDeferWindowPos(batch);
}
