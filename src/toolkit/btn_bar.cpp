#include "toolkit/btn_bar.h"

#include "toolkit/frame_geometry.h"

#include <new>

namespace {

const wchar_t kBarClass[] = L"BtnBarClass";

// A one-pixel line along row y, from left to right, in a system colour.
void DrawRow(HDC dc, int left, int right, int y, int colourIndex)
{
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colourIndex));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

} // namespace

BtnBar::BtnBar()
{
    style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    RegisterWindowClass();
}

bool BtnBar::RegisterWindowClass()
{
    static bool registered = false;
    if (registered)
        return false;
    WNDCLASSW wc{};
    wc.style = CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = kBarClass;
    registered = RegisterClassW(&wc) != 0;
    return registered;
}

bool BtnBar::CreateBar(HWND parent, int x, int y, int width, int barHeight)
{
    if (!CreateHandle(kBarClass, parent, nullptr, L"", x, y, width, barHeight))
        return false;
    height = barHeight;
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
    return true;
}

bool BtnBar::AllocateButtons(int n)
{
    count = 0;
    capacity = 0;
    row.Reset();
    if (n <= 0)
        return false;
    buttons.reset(new (std::nothrow) Button[n]);
    ids.reset(new (std::nothrow) int[n]());
    if (buttons && ids)
        capacity = n;
    return capacity != 0;
}

bool BtnBar::AddButton(const wchar_t* text, int width, int commandId, bool disabled,
                       const wchar_t* hoverText)
{
    if (count >= capacity)
        return false;
    Button& button = buttons[count];
    // A failed button leaves its slot and position to the next one.
    if (!button.CreateWithHover(hwnd, text, row.NextX(), kButtonTop, width, ButtonHeightFor(height),
                                commandId, hoverText))
        return false;
    if (disabled)
        EnableWindow(button.Handle(), FALSE);
    ids[count] = commandId;
    ++count;
    row.Commit(width);
    return true;
}

void BtnBar::EnableButton(int commandId, bool enable)
{
    if (Button* button = FindButton(commandId))
        EnableWindow(button->Handle(), enable ? TRUE : FALSE);
}

bool BtnBar::IsButtonEnabled(int commandId) const
{
    Button* button = FindButton(commandId);
    return button && IsWindowEnabled(button->Handle());
}

Button* BtnBar::FindButton(int commandId) const
{
    for (int slot = 0; slot < count; ++slot) {
        if (ids[slot] == commandId)
            return &buttons[slot];
    }
    return nullptr;
}

void BtnBar::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (visible) {
        RECT r;
        GetClientRect(hwnd, &r);
        DrawRow(dc, r.left, r.right, r.bottom - 1, COLOR_WINDOWFRAME);
        DrawRow(dc, r.left, r.right, r.top, COLOR_BTNHIGHLIGHT);
    }
    EndPaint(hwnd, &ps);
}

void BtnBar::OnCommand(int id, int code, HWND sender)
{
    if (OfferToSender(sender, code, id))
        return;
    // Only clicks go on to the frame, as commands from the bar itself.
    if (code == BN_CLICKED)
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(hwnd));
}

int BtnBar::OnOtherMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg != WM_APP_HOVER)
        return 0;
    SendMessageW(GetParent(hwnd), WM_APP_HOVER, wparam, lparam);
    return 1;
}
