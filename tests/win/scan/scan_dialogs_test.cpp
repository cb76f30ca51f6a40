// The drive dialog of Scan and Compare and the progress dialog, as a user
// sees and answers them.
#include "scan_fixture.h"

#include "resource.h"
#include "scan/drive_dialog.h"
#include "scan/progress_dialog.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

using Lines = std::vector<std::wstring>;

// What the drive dialog shows: its caption, button texts, drive entries and
// the selected entry.
struct SeenDriveDialog {
    std::wstring caption;
    Lines buttons;
    Lines entries;
    std::wstring selected;
};

std::wstring EntryText(HWND combo, LRESULT index)
{
    wchar_t text[16] = {};
    if (index < 0 || SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= 16)
        return L"";
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

SeenDriveDialog Look(HWND dialog)
{
    SeenDriveDialog seen;
    SeenBox box = ReadBox(dialog);
    seen.caption = box.caption;
    seen.buttons = box.buttons;
    HWND combo = GetDlgItem(dialog, IDC_DRIVE_COMBO);
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        seen.entries.push_back(EntryText(combo, i));
    seen.selected = EntryText(combo, SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return seen;
}

// Opens the command's drive dialog, notes what it shows and cancels it.
SeenDriveDialog LookAndCancel(int command, const wchar_t* caption)
{
    SeenDriveDialog seen;
    BoxAnswerer answer(BoxQuery::ForDialog(caption), [&seen](HWND dialog) {
        seen = Look(dialog);
        return ClickBoxButton(dialog, L"&Cancel");
    });
    app_fixture::PostCommand(command);
    EXPECT_TRUE(answer.Finish()) << "no drive dialog";
    return seen;
}

Lines PresentDrives()
{
    Lines drives;
    const DWORD present = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit)
        if (present & (1u << bit))
            drives.push_back(std::wstring{static_cast<wchar_t>(L'A' + bit), L':'});
    return drives;
}

} // namespace

TEST(DriveDialog, ListsThePresentDrivesAndSelectsTheFirstCdDrive)
{
    TestFolder folder;
    CdDrive drive(L'R', folder);
    RunningApp app;
    const Lines before = app_fixture::ListLines();
    const std::wstring titleBefore = app_fixture::Title();

    SeenDriveDialog seen = LookAndCancel(IDM_SCAN, L"Scan new disk");

    EXPECT_EQ(GetDriveTypeW(L"R:\\"), static_cast<UINT>(DRIVE_CDROM));
    EXPECT_EQ(seen.entries, PresentDrives());
    EXPECT_EQ(seen.selected, L"R:");
    EXPECT_EQ(seen.buttons, (Lines{L"&Start scan", L"&Cancel"}));
    // Cancel changes nothing.
    EXPECT_EQ(app_fixture::ListLines(), before);
    EXPECT_EQ(app_fixture::Title(), titleBefore);
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_EQ(programState.state.unsaved, 0);
}

TEST(DriveDialog, WithoutACdDriveSelectsDriveC)
{
    RunningApp app;
    ASSERT_NE(GetLogicalDrives() & (1u << 2), 0u);
    EXPECT_EQ(FindFirstCdDrive(), L'C');
    SeenDriveDialog seen = LookAndCancel(IDM_SCAN, L"Scan new disk");
    EXPECT_EQ(seen.selected, L"C:");
}

TEST(DriveDialog, TheConfirmedDriveIsSelectedNextTimeAndCompareHasItsOwnCaption)
{
    TestFolder first;
    TestFolder second;
    second.Write(L"only", "only file");
    CdDrive r(L'R', first);
    CdDrive s(L'S', second);
    RunningApp app;
    ASSERT_TRUE(ScanDrive(L'S'));
    EXPECT_EQ(app_fixture::ListLines().front(), L"S:\\ to be scanned");

    SeenDriveDialog compare = LookAndCancel(IDM_COMPARE, L"Compare with");
    EXPECT_EQ(compare.caption, L"Compare with");
    EXPECT_EQ(compare.selected, L"S:");
    EXPECT_EQ(compare.buttons, (Lines{L"&Start scan", L"&Cancel"}));

    BoxAnswerer noSave(BoxQuery::ForBox(L"Ferrow"), L"No");   // "Save CRC's?"
    SeenDriveDialog scan;
    BoxAnswerer look(BoxQuery::ForDialog(L"Scan new disk"), [&scan](HWND dialog) {
        scan = Look(dialog);
        return ClickBoxButton(dialog, L"&Cancel");
    });
    app_fixture::PostCommand(IDM_SCAN);
    ASSERT_TRUE(noSave.Finish());
    ASSERT_TRUE(look.Finish());
    EXPECT_EQ(scan.selected, L"S:");
    // Cancelled after the question: the scan's results are still there.
    EXPECT_EQ(programState.state.unsaved, 1);
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
}

TEST(DriveDialog, PointingAtTheDriveListShowsItsHelpAndClosingClearsIt)
{
    TestFolder folder;
    CdDrive drive(L'R', folder);
    RunningApp app;
    std::wstring shown;
    BoxAnswerer answer(BoxQuery::ForDialog(L"Scan new disk"), [&shown](HWND dialog) {
        // The pointer moves over the drive list.
        RECT box;
        GetWindowRect(GetDlgItem(dialog, IDC_DRIVE_COMBO), &box);
        SetCursorPos(0, 0);
        Sleep(50);
        SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        for (int i = 0; i < 100 && shown != L"Choose drive to scan"; ++i) {
            Sleep(20);
            shown = app_fixture::StatusText();   // sent to the program's thread, in its dialog
        }
        return ClickBoxButton(dialog, L"&Cancel");
    });
    app_fixture::PostCommand(IDM_SCAN);
    ASSERT_TRUE(answer.Finish());
    EXPECT_EQ(shown, L"Choose drive to scan");
    EXPECT_EQ(app_fixture::StatusText(), L"");
}

TEST(DriveDialog, CompareDoesNothingWhileItsButtonIsDisabled)
{
    RunningApp app;
    ASSERT_FALSE(app_fixture::ButtonEnabled(IDM_COMPARE));
    const Lines before = app_fixture::ListLines();
    BoxAnswerer answer(BoxQuery::ForDialog(nullptr), L"&Cancel", 1000);
    app_fixture::PostCommand(IDM_COMPARE);
    EXPECT_FALSE(answer.Finish());
    EXPECT_EQ(answer.FoundCount(), 0);
    EXPECT_EQ(app_fixture::ListLines(), before);
}

TEST(ProgressDialog, PaintsBlackTextCentredOnMagentaAboveTheAbortButton)
{
    RunningApp app;
    HWND dialog = progressDialog.Open(resultList.Handle(), L"Scanning drive R:", &programState.state.aborted);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(progressDialog.Handle(), dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    app_fixture::PumpIdle(100);

    RECT client;
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    const COLORREF magenta = RGB(255, 0, 255);
    EXPECT_EQ(GetPixel(dc, 1, 1), magenta);
    EXPECT_EQ(GetPixel(dc, client.right - 2, client.bottom - 2), magenta);
    EXPECT_EQ(GetPixel(dc, 1, client.bottom - 27), magenta);
    // The bounding box of the black pixels: the text.
    // The text area ends 26 pixels above the bottom; the Abort button is no text.
    const int textArea = client.bottom - 26;
    RECT button;
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    int left = client.right, right = -1, top = client.bottom, bottom = -1;
    for (int y = 0; y < textArea; ++y)
        for (int x = 0; x < client.right; ++x) {
            const POINT at{x, y};
            if (PtInRect(&button, at))
                continue;
            if (GetPixel(dc, x, y) == RGB(0, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    ReleaseDC(dialog, dc);
    ASSERT_GE(right, 0) << "no text painted";
    EXPECT_NEAR((left + right) / 2.0, client.right / 2.0, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, textArea / 2.0, 2.0);
    // One line: the text is far wider than high.
    EXPECT_GT(right - left, 3 * (bottom - top));
    progressDialog.Close();
    EXPECT_EQ(progressDialog.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST(ProgressDialog, AbortSetsTheFlagAndTheDialogStaysOpen)
{
    RunningApp app;
    programState.state.aborted = 0;
    HWND dialog = progressDialog.Open(resultList.Handle(), L"Scanning files and folders", &programState.state.aborted);
    ASSERT_TRUE(ClickBoxButton(dialog, L"Abort"));
    app_fixture::PumpIdle(100);
    EXPECT_EQ(programState.state.aborted, 1);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(progressDialog.Handle(), dialog);
    progressDialog.Close();
}
