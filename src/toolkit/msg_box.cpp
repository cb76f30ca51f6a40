#include "toolkit/msg_box.h"

#include "engine/message_pump.h"

#include <cwchar>
#include <new>

Button MsgBox::boxButtons[kMaxBoxButtons];
int MsgBox::boxButtonCount = 0;
int MsgBox::boxFocusIndex = 0;
WNDPROC MsgBox::boxButtonProc = nullptr;
bool MsgBox::classRegistered = false;
MsgBox* MsgBox::openBox = nullptr;

namespace {

// Shown instead of the caller's text when no copy could be made; never released.
wchar_t outOfMemoryText[] = L"Out of memory";

const wchar_t kBoxClassName[] = L"CMSGCLASS";
constexpr DWORD kMsgBoxStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;
// The light edges of the sunken frame around the text.
constexpr COLORREF kFrameHighlight = RGB(255, 255, 255);
// The point that goes with the caption press a press on the box turns into.
constexpr LPARAM kDragStartPoint = MAKELPARAM(5, 5);

// The character of a letter or digit key, as mnemonics are written.
wchar_t KeyCharacter(WPARAM virtualKey)
{
    return static_cast<wchar_t>(LOBYTE(virtualKey));
}

} // namespace

int MsgBox::BoxButtonIndexOf(HWND button)
{
    for (int k = 0; k < boxButtonCount; ++k)
        if (button && boxButtons[k].Handle() == button)
            return k;
    return -1;
}

MsgBox::MsgBox()
{
    RegisterWindowClass();
}

bool MsgBox::RegisterWindowClass()
{
    if (classRegistered)
        return false;
    WNDCLASSW wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kBoxClassName;
    classRegistered = RegisterClassW(&wc) != 0;
    return classRegistered;
}

int MsgBox::Ask(HWND ownerWindow, const wchar_t* message, const wchar_t* title, UINT style,
                int iconResource, COLORREF textCol, COLORREF backCol, COLORREF shadowCol)
{
    // Only one box at a time, of either kind: they share their buttons. A
    // question asked meanwhile (a close or end-of-session request while a box
    // is open) is not shown and counts as unanswered.
    if (openBox || hwnd)
        return UnansweredResult(style);
    openBox = this;
    const int result = AskOnce(ownerWindow, message, title, style, iconResource, textCol, backCol,
                               shadowCol);
    openBox = nullptr;
    return result != 0 ? result : UnansweredResult(style);
}

int MsgBox::AskOnce(HWND ownerWindow, const wchar_t* message, const wchar_t* title, UINT style,
                    int iconResource, COLORREF textCol, COLORREF backCol, COLORREF shadowCol)
{
    owner = ownerWindow;
    boxStyle = style;
    textColour = textCol;
    backColour = backCol;
    frame.highlight = kFrameHighlight;
    frame.shadow = shadowCol;
    running = true;
    answer = 0;
    icon = nullptr;
    ownerDisabled = false;
    if (!message)
        message = L"";
    caption = title ? title : L"";
    CopyText(message);

    BoxMeasures measures;
    if (!Measure(message, caption, measures)) {
        ReleaseText();
        running = false;
        return 0;
    }
    RECT ownerRect = OwnerClientRect();
    MsgBoxLayout layout = LayOutMsgBox(style, iconResource, measures, ownerRect.right,
                                       ownerRect.bottom);
    maxLineWidth = layout.maxLineWidth;
    textRect = {layout.textRect.left, layout.textRect.top, layout.textRect.right,
                layout.textRect.bottom};
    placement = layout.window;

    CreateBoxWindow();
    AfterCreate();
    if (!hwnd) {
        ReleaseText();
        running = false;
        return 0;
    }
    if (layout.icon.Any())
        icon = LoadIconW(layout.icon.system ? nullptr : ModuleInstance(),
                         MAKEINTRESOURCEW(layout.icon.resource));
    // An owner that something else disabled (a modal dialog under an
    // end-of-session question) stays disabled afterwards.
    if (owner)
        ownerDisabled = !EnableWindow(owner, FALSE);

    WaitForAnswer();
    if (running)
        CloseUnanswered();
    return answer;
}

bool MsgBox::Measure(const wchar_t* message, const wchar_t* title, BoxMeasures& measures)
{
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!ic)
        return false;
    TEXTMETRICW metrics;
    if (!GetTextMetricsW(ic, &metrics)) {
        DeleteDC(ic);
        return false;
    }
    maxCharWidth = metrics.tmMaxCharWidth;
    lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    lineCount = 0;
    maxLineWidth = 0;
    for (const BoxTextLine& line : SplitBoxText(message)) {
        SIZE size = {};
        GetTextExtentPoint32W(ic, message + line.start, static_cast<int>(line.length), &size);
        if (size.cx > maxLineWidth)
            maxLineWidth = size.cx;
        ++lineCount;
    }
    SIZE captionSize = {};
    GetTextExtentPoint32W(ic, title, static_cast<int>(wcslen(title)), &captionSize);
    DeleteDC(ic);

    measures = Measures();
    measures.captionWidth = captionSize.cx;
    return true;
}

BoxMeasures MsgBox::Measures() const
{
    BoxMeasures measures;
    measures.lineHeight = lineHeight;
    measures.maxCharWidth = maxCharWidth;
    measures.lineCount = lineCount;
    measures.maxLineWidth = maxLineWidth;
    return measures;
}

RECT MsgBox::OwnerClientRect() const
{
    RECT r = {};
    if (!owner || !GetClientRect(owner, &r))
        r = RECT{};
    return r;
}

void MsgBox::CopyText(const wchar_t* message)
{
    std::size_t length = wcslen(message);
    text = new (std::nothrow) wchar_t[length + 2];
    if (text)
        wcscpy(text, message);
    else
        text = outOfMemoryText;
}

void MsgBox::ReleaseText()
{
    if (text != outOfMemoryText)
        delete[] text;
    text = nullptr;
}

void MsgBox::WaitForAnswer()
{
    for (;;) {
        // Everything pending is handled before the answer is looked at, so the
        // close request that an answer posts has run by the time we leave.
        if (PumpPendingMessages())
            return;  // the quit request stays queued for the caller's loop
        if (!running || !hwnd)
            return;
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void MsgBox::CloseUnanswered()
{
    running = false;
    if (hwnd)
        OnClose();
    if (ownerDisabled) {
        EnableWindow(owner, TRUE);
        ownerDisabled = false;
    }
    ReleaseText();
}

void MsgBox::CreateBoxWindow()
{
    // textRect and placement come from Ask's layout.
    style = kMsgBoxStyle;
    CreateHandle(kBoxClassName, owner, nullptr, caption, placement.x, placement.y,
                 placement.width, placement.height);
}

void MsgBox::CreateButtons()
{
    RECT client;
    GetClientRect(hwnd, &client);
    BoxButtonSet set = ButtonsForStyle(boxStyle);
    for (int k = 0; k < set.count; ++k) {
        const BoxButtonSpec& button = set.buttons[k];
        BoxPlacement at = MsgBoxButtonPlace(button, client.right, client.bottom, lineHeight);
        boxButtons[k].Create(hwnd, 0, button.text, at.x, at.y, at.width, at.height);
        answers[k] = button.answer;
    }
    boxButtonCount = set.count;
}

bool MsgBox::OnCreate()
{
    CreateButtons();
    boxFocusIndex = InitialFocusIndex(boxStyle);
    // Focus bits that name a button the style does not have fall back to the first.
    if (boxFocusIndex >= boxButtonCount)
        boxFocusIndex = 0;
    SetFocus(boxButtons[boxFocusIndex].Handle());

    boxButtonProc = reinterpret_cast<WNDPROC>(
        GetWindowLongPtrW(boxButtons[0].Handle(), GWLP_WNDPROC));
    for (int k = 0; k < boxButtonCount; ++k)
        SetWindowProc(boxButtons[k].Handle(), BoxButtonKeyProc);

    CenterWindow(hwnd);
    return true;
}

void MsgBox::OnClose()
{
    if (owner && ownerDisabled)
        EnableWindow(owner, TRUE);
    ownerDisabled = false;
    Destroy();
    ReleaseText();
}

void MsgBox::OnCommand(int id, int code, HWND sender)
{
    if (code != 0)
        return;
    int index = -1;
    for (int k = 0; k < boxButtonCount && index < 0; ++k)
        if (boxButtons[k].Id() == id)
            index = k;
    if (index >= 0)
        answer = answers[index];
    else
        OnOtherCommand(id, sender);

    if (answer != 0) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        running = false;
    }
}

void MsgBox::OnLButtonDown(UINT, int, int)
{
    // A press anywhere on the box drags it, as a press on a caption would.
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, kDragStartPoint);
}

void MsgBox::OnSetFocus()
{
    if (boxFocusIndex < boxButtonCount)
        SetFocus(boxButtons[boxFocusIndex].Handle());
}

int MsgBox::DrawTextLines(HDC dc, int y, int left, int right) const
{
    const wchar_t* shown = text ? text : L"";
    BoxRect area;
    area.left = left;
    area.right = right;
    for (const BoxTextLine& line : SplitBoxText(shown)) {
        const wchar_t* start = shown + line.start;
        int length = static_cast<int>(line.length);
        SIZE size = {};
        GetTextExtentPoint32W(dc, start, length, &size);
        TextOutW(dc, CentredLineX(area, size.cx), y, start, length);
        y += lineHeight;
    }
    return y;
}

void MsgBox::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH background = CreateSolidBrush(backColour);
    FillRect(dc, &ps.rcPaint, background);
    DeleteObject(background);

    BoxRect area = {textRect.left, textRect.top, textRect.right, textRect.bottom};
    if (icon) {
        DrawIcon(dc, kBoxIconLeft, MsgBoxIconY(area), icon);
        frame.SetFrameRect(textRect);
        frame.DrawFrame(dc);
    }
    SetTextColor(dc, textColour);
    SetBkColor(dc, backColour);
    // The paint context's default font is the one the display context measured.
    DrawTextLines(dc, FirstLineY(area), textRect.left, textRect.right);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK MsgBox::BoxButtonKeyProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    int focused = BoxButtonIndexOf(GetFocus());
    if (focused >= 0)
        boxFocusIndex = focused;
    int i = boxFocusIndex;

    if (msg == WM_KEYDOWN && boxButtonCount > 0) {
        switch (wparam) {
        case VK_TAB:
        case VK_RIGHT:
            boxFocusIndex = NextFocusIndex(i, boxButtonCount);
            SetFocus(boxButtons[boxFocusIndex].Handle());
            break;
        case VK_LEFT:
            boxFocusIndex = PreviousFocusIndex(i, boxButtonCount);
            SetFocus(boxButtons[boxFocusIndex].Handle());
            break;
        case VK_RETURN:
            SendMessageW(GetParent(hwnd), WM_COMMAND, boxButtons[i].Id(), 0);
            break;
        default: {
            // Letter keys arrive as upper-case virtual keys, like the mnemonics.
            wchar_t key = KeyCharacter(wparam);
            for (int k = 0; k < boxButtonCount; ++k) {
                if (boxButtons[k].Mnemonic() != 0 && boxButtons[k].Mnemonic() == key) {
                    SendMessageW(GetParent(hwnd), WM_COMMAND, boxButtons[k].Id(), 0);
                    break;
                }
            }
            break;
        }
        }
    }
    // The button keeps its own handling (Space presses it).
    return CallWindowProcW(boxButtonProc, hwnd, msg, wparam, lparam);
}
