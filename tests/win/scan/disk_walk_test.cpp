// Scan and Compare of a real CD-ROM drive: the walk order, a file held open
// elsewhere, Abort, drops and quit requests during a walk, and deep trees
// with long and Unicode names. What the walk makes of the files it meets
// (compare results, counts that do not match, totals) has unit tests of its
// own (tests/unit/scan/scan_walk_test.cpp, compare_test.cpp).
#include "scan_fixture.h"


#include "resource.h"
#include "scan/progress_dialog.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

using Lines = std::vector<std::wstring>;

const uint32_t* StoredCrcs()
{
    return programState.crcList.Data();
}

// Two files in the root and one in a subfolder (3 files, 2 folders), as drive R:.
struct SmallDisk {
    TestFolder folder;
    CdDrive drive{L'R', folder};
    SmallDisk()
    {
        folder.Write(L"one", "first file");
        folder.Write(L"two", "second file");
        folder.MakeFolder(L"sub");
        folder.Write(L"sub\\three", "third file");
    }
    uint32_t Sum() const { return OracleCrc("first file") + OracleCrc("second file") + OracleCrc("third file"); }
};

// Enough files in drive R: that a click lands while the walk runs.
struct BusyDisk {
    TestFolder folder;
    CdDrive drive{L'R', folder};
    BusyDisk()
    {
        for (int i = 0; i < 3000; ++i)
            folder.Write(L"f" + std::to_wstring(i), "content " + std::to_string(i));
    }
};

} // namespace

TEST(DiskWalk, ScanStoresRootFilesBeforeTheSubfoldersFile)
{
    SmallDisk disk;
    RunningApp app;
    ASSERT_TRUE(ScanDrive(L'R'));

    EXPECT_EQ(app_fixture::ListLines(), (Lines{L"R:\\ to be scanned", Totals(3, 2, disk.Sum())}));
    const Lines rootOrder = ListedFileNames(L"R:");
    ASSERT_EQ(rootOrder.size(), 2u);
    const uint32_t first = OracleCrc(rootOrder[0] == L"one" ? "first file" : "second file");
    const uint32_t second = OracleCrc(rootOrder[1] == L"one" ? "first file" : "second file");
    EXPECT_EQ(StoredCrcs()[0], first);
    EXPECT_EQ(StoredCrcs()[1], second);
    EXPECT_EQ(StoredCrcs()[2], OracleCrc("third file"));

    const ScanState& state = programState.state;
    EXPECT_EQ(state.unsaved, 1);
    EXPECT_EQ(state.expectedCount, 3u);
    EXPECT_EQ(state.diskCrc, disk.Sum());
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_PRINT));
    EXPECT_EQ(app_fixture::Title(), L"Ferrow");
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
}

TEST(DiskWalk, AnUnreadableFileAnsweredYesKeepsItsPlaceAndIsNamed)
{
    SmallDisk disk;
    RunningApp app;
    ASSERT_TRUE(ScanDrive(L'R'));
    FileHeldOpen holder(L"R:\\sub\\three");
    ASSERT_TRUE(holder.IsOpen());
    BoxRules user(BoxRules::ContinueWith(L"Yes"));
    ASSERT_TRUE(CompareDrive(L'R'));
    const std::vector<SeenBox> seen = user.Stop();
    holder.Release();
    ASSERT_EQ(2u, seen.size()) << "no count that does not match";
    EXPECT_EQ(L"R:\\sub\\three", seen[0].caption);
    EXPECT_EQ(seen[1].lines, Lines{L"Continue crc check?"});
    EXPECT_EQ(LinesFrom(2), (Lines{L"R:\\sub\\three - unreadable", L"1 files do not compare.", Totals(3, 2)}));
}

TEST(DiskWalk, AbortEndsTheScanWithoutTotalsAndKeepsThePreviousResults)
{
    BusyDisk disk;
    RunningApp app;
    ASSERT_TRUE(ScanDrive(L'R'));
    ASSERT_EQ(programState.state.expectedCount, 3000u);

    const wchar_t entry[] = L"R:";
    BoxAnswerer answer({{BoxQuery::ForBox(L"Ferrow"), BoxAnswerer::Click(L"No")},   // Save CRC's?
                        {BoxQuery::ForDialog(L"Scan new disk"),
                         [&entry](HWND dialog) {
                             SendMessageW(GetDlgItem(dialog, IDC_DRIVE_COMBO), CB_SELECTSTRING,
                                          static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
                             return ClickBoxButton(dialog, L"&Start scan");
                         }},
                        {BoxQuery::ForDialog(L""), BoxAnswerer::Click(L"Abort")}});
    app_fixture::PostCommand(IDM_SCAN);
    ASSERT_TRUE(answer.Finish());

    EXPECT_EQ(app_fixture::ListLines(), Lines{L"R:\\ to be scanned"});
    EXPECT_EQ(app_fixture::StatusText(), L"Scan aborted by user");
    EXPECT_EQ(programState.state.expectedCount, 3000u);
    EXPECT_EQ(programState.state.unsaved, 0);
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_EQ(progressDialog.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(app_fixture::BarWindow()));
}

TEST(DiskWalk, ADropDuringAScanIsRefused)
{
    BusyDisk disk;
    TestFolder other;
    other.Write(L"dropped.txt", "abc");
    RunningApp app;
    const std::wstring dropped = other.Path(L"dropped.txt");
    BoxAnswerer dropWhileScanning(BoxQuery::ForDialog(L""), [&dropped](HWND) {
        PostDrop(app_fixture::MainWindowHandle(), {dropped});
        return true;
    });
    ASSERT_TRUE(ScanDrive(L'R'));
    ASSERT_TRUE(dropWhileScanning.Finish());
    app_fixture::PumpIdle(100);

    uint32_t sum = 0;
    for (int i = 0; i < 3000; ++i)
        sum += OracleCrc("content " + std::to_string(i));
    EXPECT_EQ(app_fixture::ListLines(), (Lines{L"R:\\ to be scanned", Totals(3000, 1, sum)}));
    EXPECT_EQ(programState.state.fileCount, 3000);
}

TEST(DiskWalk, AQuitRequestEndsTheScanAfterTheCurrentFile)
{
    BusyDisk disk;
    RunningApp app;
    const DWORD programThread = GetCurrentThreadId();
    BoxAnswerer quit(BoxQuery::ForDialog(L""), [programThread](HWND) {
        return PostThreadMessageW(programThread, WM_QUIT, 0, 0) != FALSE;
    });
    ASSERT_TRUE(ScanDrive(L'R'));
    ASSERT_TRUE(quit.Finish());
    EXPECT_EQ(app_fixture::ListLines(), Lines{L"R:\\ to be scanned"});
    EXPECT_EQ(programState.state.quitSeen, 1);
    EXPECT_LT(programState.state.fileCount, 3000);
    EXPECT_EQ(programState.state.unsaved, 0);
}

TEST(DiskWalk, DeepTreesLongPathsAndUnicodeNamesAreWalked)
{
    TestFolder folder;
    std::wstring deep;
    uint32_t sum = 0;
    for (int level = 0; level < 25; ++level) {
        deep += (level ? L"\\" : L"") + std::wstring(L"\x0444\x0430\x0439\x043B-") +
                std::to_wstring(level) + L"-" + std::wstring(6, L'x');
        folder.MakeFolder(deep);
        const std::string text = "at level " + std::to_string(level);
        folder.Write(deep + L"\\\x6587\x4EF6.txt", text);
        sum += OracleCrc(text);
    }
    const std::wstring deepest = L"R:\\" + deep + L"\\\x6587\x4EF6.txt";
    ASSERT_GT(deepest.size(), 300u);
    CdDrive drive(L'R', folder);
    RunningApp app;
    ASSERT_TRUE(ScanDrive(L'R'));
    EXPECT_EQ(LinesFrom(1), Lines{Totals(25, 26, sum)});

    folder.Write(deep + L"\\\x6587\x4EF6.txt", "changed");
    ASSERT_TRUE(CompareDrive(L'R'));
    const Lines expected = {deepest + L" - bad crc", L"1 files do not compare.", Totals(25, 26)};
    EXPECT_EQ(LinesFrom(2), expected);
}

TEST(DiskWalk, AScanAfterALoadWithoutStorageAllocatesAgain)
{
    SmallDisk disk;
    RunningApp app;
    programState.crcList.Release();   // what a Load that could not allocate leaves behind
    ASSERT_TRUE(ScanDrive(L'R'));
    EXPECT_EQ(LinesFrom(1), Lines{Totals(3, 2, disk.Sum())});
    ASSERT_NE(programState.crcList.Data(), nullptr);
    EXPECT_EQ(StoredCrcs()[2], OracleCrc("third file"));
}

TEST(DiskWalk, AFolderDropKeepsTheScanForSaveAndCompare)
{
    SmallDisk disk;
    TestFolder other;
    other.MakeFolder(L"dropped");
    for (int i = 0; i < 5; ++i)
        other.Write(L"dropped\\" + std::to_wstring(i), "dropped " + std::to_string(i));
    RunningApp app;
    ASSERT_TRUE(ScanDrive(L'R'));
    const ScanState before = programState.state;
    const std::vector<uint32_t> stored(StoredCrcs(), StoredCrcs() + 3);

    DropOnMainWindow({other.Path(L"dropped")});

    const ScanState& after = programState.state;
    EXPECT_EQ(after.fileCount, before.fileCount);
    EXPECT_EQ(after.expectedCount, before.expectedCount);
    EXPECT_EQ(after.unsaved, before.unsaved);
    EXPECT_EQ(after.diskCrc, before.diskCrc);
    EXPECT_EQ(std::vector<uint32_t>(StoredCrcs(), StoredCrcs() + 3), stored);
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
    ASSERT_TRUE(CompareDrive(L'R'));
    // Scan leaves the first drop to empty the list.
    uint32_t droppedSum = 0;
    for (int i = 0; i < 5; ++i)
        droppedSum += OracleCrc("dropped " + std::to_string(i));
    const Lines expected = {Hex8(droppedSum) + L"\t" + other.Path(L"dropped"), L"Disks compare",
                            Totals(3, 2, disk.Sum())};
    EXPECT_EQ(app_fixture::ListLines(), expected);
}
