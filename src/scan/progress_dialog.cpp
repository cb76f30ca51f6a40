#include "scan/progress_dialog.h"

#include "resource.h"
#include "toolkit/window.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlack = 0;
constexpr int kButtonStrip = 26;   // pixels kept free for the Abort button

} // namespace

HWND ProgressDialog::Open(HWND parent, const wchar_t* text, int* aborted)
{
    progressText = text;
    abortFlag = aborted;
    // The dialog binds itself at WM_INITDIALOG, before this returns.
    return CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PROGRESS), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void ProgressDialog::Close()
{
    if (hwnd)
        DestroyWindow(hwnd);
}

INT_PTR ProgressDialog::OnInitDialog()
{
    shownText = progressText;
    abortButton.AttachWithHover(hwnd, IDCANCEL, L"");
    CenterWindow(hwnd);
    return 1;
}

void ProgressDialog::OnCommand(int id, int, HWND)
{
    if (id == IDCANCEL && abortFlag)
        *abortFlag = 1;
}

void ProgressDialog::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT area;
    GetClientRect(hwnd, &area);
    HBRUSH magenta = CreateSolidBrush(kMagenta);
    FillRect(dc, &area, magenta);
    DeleteObject(magenta);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kMagenta);
    // No font is selected: the text uses the context's default font.
    area.bottom -= kButtonStrip;
    DrawTextW(dc, shownText, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EndPaint(hwnd, &ps);
}
