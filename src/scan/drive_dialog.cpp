#include "scan/drive_dialog.h"

#include "resource.h"
#include "scan/scan_texts.h"
#include "toolkit/window.h"

namespace {

constexpr int kFallbackEntry = 2;   // the third drive, when the chosen one is gone

} // namespace

wchar_t FindFirstCdDrive()
{
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', 0};
        if (GetDriveTypeW(root) == DRIVE_CDROM)
            return letter;
    }
    return L'C';
}

INT_PTR DriveDialog::Show(HWND owner, int mode, wchar_t& drive)
{
    scanMode = mode;
    driveText[0] = drive;
    driveText[1] = 0;
    const INT_PTR shown = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_DRIVE), owner,
                                          DialogProc, reinterpret_cast<LPARAM>(this));
    drive = driveText[0];
    return shown;
}

void DriveDialog::OnNotify(int id, NMHDR*)
{
    // The status bar is the owner's: the text goes there as any hover text does.
    if (id == IDC_DRIVE_COMBO)
        SendMessageW(GetParent(hwnd), WM_APP_HOVER, id, reinterpret_cast<LPARAM>(kStatusChooseDrive));
}

INT_PTR DriveDialog::OnInitDialog()
{
    okButton.AttachWithHover(hwnd, IDOK, L"");
    cancelButton.AttachWithHover(hwnd, IDCANCEL, L"");
    driveCombo.Attach(hwnd, IDC_DRIVE_COMBO);

    if (driveText[0] == L'A')
        driveText[0] = FindFirstCdDrive();
    const DWORD present = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (present & (1u << bit)) {
            const wchar_t entry[] = {static_cast<wchar_t>(L'A' + bit), L':', 0};
            SendDlgItemMessageW(hwnd, IDC_DRIVE_COMBO, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(entry));
        }
    }
    // Matches the start of an entry, ignoring case: "D" finds "D:".
    if (SendDlgItemMessageW(hwnd, IDC_DRIVE_COMBO, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(driveText)) == CB_ERR)
        SendDlgItemMessageW(hwnd, IDC_DRIVE_COMBO, CB_SETCURSEL, kFallbackEntry, 0);

    SetWindowTextW(hwnd, scanMode ? kCaptionScan : kCaptionCompare);
    CenterWindow(hwnd);
    return 1;
}

void DriveDialog::OnCommand(int id, int, HWND)
{
    INT_PTR result;
    if (id == IDOK) {
        const LRESULT index = SendDlgItemMessageW(hwnd, IDC_DRIVE_COMBO, CB_GETCURSEL, 0, 0);
        // With nothing selected the last choice stays.
        if (index != CB_ERR) {
            const LRESULT length =
                SendDlgItemMessageW(hwnd, IDC_DRIVE_COMBO, CB_GETLBTEXTLEN, index, 0);
            if (length > 0 && length < static_cast<LRESULT>(sizeof driveText / sizeof driveText[0]))
                SendDlgItemMessageW(hwnd, IDC_DRIVE_COMBO, CB_GETLBTEXT, index,
                                    reinterpret_cast<LPARAM>(driveText));
        }
        result = 1;
    } else if (id == IDCANCEL) {
        result = 0;
    } else {
        return;
    }
    SendMessageW(GetParent(hwnd), WM_APP_HOVER, id, reinterpret_cast<LPARAM>(L""));
    EndDialog(hwnd, result);
}
