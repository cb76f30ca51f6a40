#include "scan/progress_dialog.h"

#include "app/globals.h"
#include "resource.h"
#include "toolkit/window.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlack = 0;
constexpr int kButtonStrip = 26;   // pixels kept free for the Abort button

} // namespace

HWND ProgressDialog::Open(HWND parent, const wchar_t* text)
{
    progressText = text;
    HWND dialog = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PROGRESS), parent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    KeepHandle(dialog);
    return dialog;
}

void ProgressDialog::Close()
{
    if (hwnd && DestroyWindow(hwnd))
        ForgetHandle();
}

INT_PTR ProgressDialog::HandleMessage(UINT msg, WPARAM wparam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        shownText = progressText;
        abortButton.AttachWithHover(hwnd, IDCANCEL, L"");
        CenterWindow(hwnd);
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) != IDCANCEL)
            return 0;
        resultList.State().aborted = 1;
        return 1;
    default:
        return 0;
    }
}

void ProgressDialog::Paint()
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
