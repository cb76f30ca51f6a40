#include "toolkit/status_bar.h"

#include "toolkit/status_parts.h"
#include "toolkit/system_library.h"

#include <commctrl.h>
#include <new>

bool StatusBar::AllocateParts(int n)
{
    if (n < 0)
        return false;
    try {
        partWidths.assign(n, 0);
        partStyles.assign(n, 0);
        // Until the first size change computes them, every part reaches the right end.
        partEdges.assign(n, -1);
    } catch (const std::bad_alloc&) {
        partWidths.clear();
        partStyles.clear();
        partEdges.clear();
        capacity = count = 0;
        return false;
    }
    capacity = n;
    count = 0;
    return true;
}

void StatusBar::AddPart(int width, DWORD textStyle)
{
    if (count >= capacity)
        return;
    partWidths[count] = width;
    partStyles[count] = textStyle;
    ++count;
}

bool StatusBar::CreateStatus(HWND parentWindow)
{
    parent = parentWindow;
    ticking = false;
    deferredPart = -1;
    NextControlId();
    hwnd = system_library::CreateStatusWindow(WS_CHILD | WS_VISIBLE, L"", parent, static_cast<UINT>(id));
    if (!hwnd)
        return false;
    SendMessageW(hwnd, SB_SETPARTS, static_cast<WPARAM>(capacity),
                 reinterpret_cast<LPARAM>(partEdges.data()));
    for (int part = 0; part < capacity; ++part)
        SendMessageW(hwnd, SB_SETTEXTW, static_cast<WPARAM>(part) | partStyles[part],
                     reinterpret_cast<LPARAM>(L""));
    return true;
}

void StatusBar::OnParentSize(UINT type, int width, int height)
{
    if (!hwnd)
        return;
    // The status window fits itself to the bottom of its parent.
    SendMessageW(hwnd, WM_SIZE, type, MAKELPARAM(width, height));
    RECT r;
    GetWindowRect(hwnd, &r);
    const int barWidth = r.right - r.left;

    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    if (HDC dc = GetDC(parent)) {
        HGDIOBJ old = SelectObject(dc, font);
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(parent, dc);
    }
    ComputePartEdges(barWidth, tm.tmAveCharWidth, partWidths.data(), capacity, partEdges.data());
    SendMessageW(hwnd, SB_SETPARTS, static_cast<WPARAM>(capacity),
                 reinterpret_cast<LPARAM>(partEdges.data()));
}

int StatusBar::VisibleHeight() const
{
    if (!hwnd || !IsWindowVisible(hwnd))
        return 0;
    RECT r;
    GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

void StatusBar::SetText(int part, const wchar_t* text)
{
    if (part == deferredPart)
        deferredPart = -1;
    if (part < 0 || part >= capacity)
        return;
    SendMessageW(hwnd, SB_SETTEXTW, static_cast<WPARAM>(part) | partStyles[part],
                 reinterpret_cast<LPARAM>(text));
}

namespace {

constexpr UINT_PTR kDeferredTextTimer = 0x4654;
// The bar whose timer runs; the program has one status bar.
StatusBar* tickingBar = nullptr;

}  // namespace

void StatusBar::SetTextSoon(int part, const wchar_t* text, unsigned delayMs)
{
    if (ticking) {
        if (deferredPart >= 0 && deferredPart != part)
            ShowDeferredText();
        try {
            deferredText = text;
            deferredPart = part;
            return;
        } catch (const std::bad_alloc&) {
            deferredPart = -1;   // shown at once below instead
        }
    }
    SetText(part, text);
    ticking = hwnd && SetTimer(hwnd, kDeferredTextTimer, delayMs, DeferredTick);
    if (ticking)
        tickingBar = this;
}

void StatusBar::ShowDeferredText()
{
    if (deferredPart < 0)
        return;
    SetText(deferredPart, deferredText.c_str());   // and nothing is deferred
}

void CALLBACK StatusBar::DeferredTick(HWND bar, UINT, UINT_PTR id, DWORD)
{
    StatusBar* self = tickingBar;
    if (!self || self->hwnd != bar || self->deferredPart < 0) {
        // Nothing came since the last tick: the texts have paused.
        KillTimer(bar, id);
        if (self && self->hwnd == bar)
            self->ticking = false;
        return;
    }
    self->ShowDeferredText();
}
