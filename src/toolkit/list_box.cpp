#include "toolkit/list_box.h"

#include "toolkit/clipboard_text.h"
#include "toolkit/line_join.h"

#include <cwchar>
#include <string_view>

namespace {

// The system list-box procedure, saved by the first subclassing of any list
// box and used by every subclassed list box afterwards.
WNDPROC listSystemProc = nullptr;

const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

bool KeyHeld(int key)
{
    return GetKeyState(key) < 0;
}

} // namespace

ListBox::~ListBox()
{
    // A window that outlives its object gets the system procedure back.
    if (followsWidth && listSystemProc && ControlFromWindow(hwnd) == this)
        SetWindowProc(hwnd, listSystemProc);
    ReleaseMeasuring();
}

bool ListBox::Create(HWND parent, int controlId, const wchar_t* text, int x, int y, int width,
                     int height)
{
    if (controlId == 0)
        NextControlId();
    else
        id = controlId;
    ReleaseMeasuring();
    followsWidth = false;
    if (!CreateHandle(L"LISTBOX", parent, text, x, y, width, height))
        return false;
    const LONG_PTR shown = GetWindowLongPtrW(hwnd, GWL_STYLE);
    if (!(shown & WS_HSCROLL))
        return true;
    followsWidth = true;
    tabsExpanded = (shown & LBS_USETABSTOPS) != 0;
    widestLine = 0;
    tabStopUnits.clear();
    tabStopsMeasured = false;
    WNDPROC previous = SetWindowProc(hwnd, ControlProc);
    if (!listSystemProc)
        listSystemProc = previous;
    HideBarWhileLinesFit();
    return true;
}

bool ListBox::OnCommandNotify(int code, int)
{
    if (code != LBN_SELCHANGE)
        return false;
    // Kept even without a handler, for whoever reads the selection later.
    selection = static_cast<int>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
    return RunCallback();
}

LRESULT ListBox::SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (!listSystemProc)
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    const LRESULT result = CallWindowProcW(listSystemProc, hwnd, msg, wparam, lparam);
    switch (msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        if (result >= 0)
            Widen(reinterpret_cast<const wchar_t*>(lparam));
        break;
    case LB_DELETESTRING:
        if (result == 0)   // no line left
            ResetExtent();
        break;
    case LB_RESETCONTENT:
        ResetExtent();
        break;
    case LB_SETTABSTOPS:
        if (result) {
            TakeTabStops(static_cast<int>(wparam), reinterpret_cast<const int*>(lparam));
            Remeasure();
        }
        break;
    case WM_SETFONT:
        Remeasure();
        break;
    case WM_SIZE:
        HideBarWhileLinesFit();
        break;
    case WM_NCDESTROY:
        ReleaseMeasuring();
        break;
    default:
        break;
    }
    return result;
}

int ListBox::AddLine(const wchar_t* text) const
{
    return static_cast<int>(SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void ListBox::Clear() const
{
    SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
}

int ListBox::Count() const
{
    return static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0));
}

std::wstring ListBox::Line(int index) const
{
    const LRESULT length = SendMessageW(hwnd, LB_GETTEXTLEN, index, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(hwnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&line[0]));
    line.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
    return line;
}

bool ListBox::IsCopyKey(int key)
{
    // Alt with Ctrl is AltGr on many keyboards: a character, not a command.
    return (key == 'C' || key == VK_INSERT) && KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU);
}

bool ListBox::CopyToClipboard() const
{
    const int count = Count();
    if (count < 0)
        return false;
    std::vector<std::size_t> lengths(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const LRESULT length = SendMessageW(hwnd, LB_GETTEXTLEN, k, 0);
        lengths[k] = length > 0 ? static_cast<std::size_t>(length) : 0;
    }
    // One block, each line read into its place once.
    const JoinedLines joined(lengths);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, joined.Chars() * sizeof(wchar_t));
    if (!block)
        return false;
    auto* text = static_cast<wchar_t*>(GlobalLock(block));
    if (!text) {
        GlobalFree(block);
        return false;
    }
    for (int k = 0; k < count; ++k)
        if (lengths[k] > 0)
            SendMessageW(hwnd, LB_GETTEXT, k, reinterpret_cast<LPARAM>(text + joined.Offset(k)));
    joined.Separate(text);
    GlobalUnlock(block);
    return PutClipboardText(hwnd, block);
}

void ListBox::Widen(const wchar_t* line)
{
    if (!line)
        return;
    const int extent = Extent(line);
    if (extent <= widestLine)
        return;
    widestLine = extent;
    SendMessageW(hwnd, LB_SETHORIZONTALEXTENT, widestLine, 0);
    HideBarWhileLinesFit();
}

void ListBox::ResetExtent()
{
    widestLine = 0;
    SendMessageW(hwnd, LB_SETHORIZONTALEXTENT, 0, 0);
    HideBarWhileLinesFit();
}

// New tab stops or a new font change every line's width: measured anew, once.
void ListBox::Remeasure()
{
    widestLine = 0;
    tabStopsMeasured = false;
    const int count = Count();
    for (int k = 0; k < count; ++k) {
        const int extent = Extent(Line(k).c_str());
        if (extent > widestLine)
            widestLine = extent;
    }
    SendMessageW(hwnd, LB_SETHORIZONTALEXTENT, widestLine, 0);
    HideBarWhileLinesFit();
}

// The list shows the bar as soon as a line is wider than it; it would also
// keep a disabled bar (LBS_DISABLENOSCROLL) while they all fit.
void ListBox::HideBarWhileLinesFit()
{
    RECT client;
    if (!GetClientRect(hwnd, &client))
        return;
    if (widestLine <= client.right - client.left)
        ShowScrollBar(hwnd, SB_HORZ, FALSE);
}

void ListBox::TakeTabStops(int count, const int* dialogUnits)
{
    tabStopUnits.clear();
    for (int k = 0; k < count && dialogUnits; ++k)
        tabStopUnits.push_back(dialogUnits[k]);
}

int ListBox::Extent(const wchar_t* line)
{
    HDC dc = MeasuringContext();
    if (!dc)
        return 0;
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const RunWidth width = [dc](std::wstring_view run) {
        SIZE size{};
        GetTextExtentPoint32W(dc, run.data(), static_cast<int>(run.size()), &size);
        return static_cast<int>(size.cx);
    };
    if (!tabsExpanded)
        return LineExtent(line, nullptr, width);
    if (!tabStopsMeasured) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        tabStops = ListTabStops(tabStopUnits, AverageCharWidth(width(kAlphabet)),
                                metrics.tmAveCharWidth);
        tabStopsMeasured = true;
    }
    return LineExtent(line, &tabStops, width);
}

HDC ListBox::MeasuringContext()
{
    if (!measuring)
        measuring = CreateCompatibleDC(nullptr);
    return measuring;
}

void ListBox::ReleaseMeasuring()
{
    if (measuring)
        DeleteDC(measuring);
    measuring = nullptr;
}
