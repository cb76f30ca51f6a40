#include "toolkit/msg_box.h"
#include "toolkit/system_library.h"

#include <shellapi.h>

#include <cwchar>

namespace {

constexpr DWORD kAboutBoxStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kLinkStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr COLORREF kOutlineColour = RGB(255, 0, 0);
constexpr COLORREF kLinkColour = RGB(0, 0, 128);
constexpr int kIconTop = 18;

bool HasText(const wchar_t* s)
{
    return s && *s;
}

} // namespace

AboutBox::AboutBox()
{
    RegisterWindowClass();
}

AboutBox::~AboutBox()
{
    linkFont.Release();
}

void AboutBox::CreateBoxWindow()
{
    RECT ownerRect = OwnerClientRect();
    BoxPlacement at = AboutBoxWindow(Measures(), HasText(caption), ownerRect.right,
                                     ownerRect.bottom);
    style = kAboutBoxStyle;
    linkCreated = false;
    CreateHandle(L"CMSGCLASS", owner, nullptr, L"", at.x, at.y, at.width, at.height);
    linkCreated = false;
}

void AboutBox::CreateButtons()
{
    RECT client;
    GetClientRect(hwnd, &client);
    boxWidth = client.right - client.left + 1;
    boxHeight = client.bottom - client.top + 1;
    // The window owns the region from here on.
    SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, boxWidth, boxHeight), TRUE);
    SetWindowPos(hwnd, nullptr, 0, 0, boxWidth, boxHeight, SWP_NOMOVE | SWP_NOZORDER);

    BoxPlacement ok = AboutBoxOkButton(client.right, client.bottom, lineHeight);
    boxButtons[0].Create(hwnd, 0, L"&Ok", ok.x, ok.y, ok.width, ok.height);
    answers[0] = kAnswerOk;
    boxButtonCount = 1;
}

void AboutBox::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);

    HBRUSH brush = CreateSolidBrush(backColour);
    HPEN pen = CreatePen(PS_SOLID, 3, kOutlineColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Ellipse(dc, 1, 1, boxWidth - 2, boxHeight - 2);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    if (icon)
        DrawIcon(dc, boxWidth / 2 - kBoxIconSize / 2, kIconTop, icon);
    SetTextColor(dc, textColour);
    SetBkColor(dc, backColour);
    int nextLineY = DrawTextLines(dc, AboutBoxFirstLineY(lineHeight), 0, boxWidth);

    if (HasText(caption) && !linkCreated)
        CreateLink(dc, nextLineY);
    EndPaint(hwnd, &ps);
}

void AboutBox::CreateLink(HDC dc, int nextLineY)
{
    linkFont.logFont.lfUnderline = TRUE;
    linkFont.colour = kLinkColour;
    // Replaces (and deletes) the font of an earlier showing.
    linkFont.CreateFontFor(dc, L"MS Sans Serif", 12);
    linkFont.Apply(dc);
    SIZE size = {};
    GetTextExtentPoint32W(dc, caption, static_cast<int>(wcslen(caption)), &size);

    BoxRect r = AboutBoxLinkRect(boxWidth, nextLineY, lineHeight, size.cx, size.cy);
    linkRect = {r.left, r.top, r.right, r.bottom};
    linkButton.SetStyle(kLinkStyle);
    linkButton.Create(hwnd, 0, L"", r.left, r.top, size.cx, size.cy);
    linkCreated = true;
}

void AboutBox::OnDrawItem(int, DRAWITEMSTRUCT* item)
{
    if (!item || linkButton.Id() == 0 || item->hwndItem != linkButton.Handle())
        return;
    linkFont.Apply(item->hDC);
    SetBkColor(item->hDC, backColour);
    TextOutW(item->hDC, 0, 0, caption, static_cast<int>(wcslen(caption)));
}

void AboutBox::OnOtherCommand(int, HWND sender)
{
    if (!sender || sender != linkButton.Handle())
        return;
    system_library::ShellExecute(GetParent(hwnd), L"open", caption, L"", L"", SW_SHOWNORMAL);
    // Following the link also answers the box, as "&Ok" would.
    SendMessageW(hwnd, WM_COMMAND, boxButtons[0].Id(), 0);
}
