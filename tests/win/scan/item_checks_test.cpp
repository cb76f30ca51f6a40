// Dropped files and folders, and the command-line item: one result line per
// item, CRCs checked against zlib.
#include "scan_fixture.h"

#include "app/globals.h"
#include "resource.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

using Lines = std::vector<std::wstring>;

// Two four-byte contents whose CRCs are FFFFFFFF and 00000002: their sum wraps.
const std::string kCrcAllOnes("\x62\xf5\x26\x92", 4);
const std::string kCrcTwo("\xc3\x0a\x93\x6d", 4);

std::wstring Line(uint32_t crc, const std::wstring& path)
{
    return Hex8(crc) + L"\t" + path;
}

// Drops paths while the file `held` is open elsewhere (the program opens
// files without sharing, so it cannot read it): the user clicks Ok on the
// box captioned with its path and answers "Continue crc check?" with answer.
// The boxes seen go to *seen.
void DropWhileHeld(const std::wstring& held, const wchar_t* answer,
                   const std::vector<std::wstring>& paths, std::vector<SeenBox>* seen = nullptr)
{
    HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    BoxAnswerer boxes({{BoxQuery::ForBox(held.c_str()), BoxAnswerer::Click(L"Ok")},
                       {BoxQuery::ForBox(L"Ferrow"), BoxAnswerer::Click(answer)}});
    DropOnMainWindow(paths);
    const bool answered = boxes.Finish();
    CloseHandle(holder);
    ASSERT_TRUE(answered);
    if (seen)
        *seen = boxes.Seen();
}

} // namespace

TEST(DroppedItems, OneFileGetsItsCrcLineAndReplacesTheUsageText)
{
    TestFolder folder;
    folder.Write(L"abc.txt", "abc");
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    ASSERT_GT(app_fixture::ListLines().size(), 1u);   // the usage text

    DropOnMainWindow({folder.Path(L"abc.txt")});

    EXPECT_EQ(app_fixture::ListLines(), Lines{L"CA6598D0\t" + folder.Path(L"abc.txt")});
    EXPECT_EQ(OracleCrc("abc"), 0xCA6598D0u);
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_PRINT));
    EXPECT_EQ(progressDialog.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(app_fixture::BarWindow()));
}

TEST(DroppedItems, LaterDropsAddToTheListInTheOrderOfTheDrop)
{
    TestFolder folder;
    folder.MakeFolder(L"dir");
    folder.Write(L"dir\\inner.bin", "inner contents");
    folder.Write(L"one.txt", "123456789");
    RunningApp app;
    DropOnMainWindow({folder.Path(L"one.txt")});
    DropOnMainWindow({folder.Path(L"dir"), folder.Path(L"one.txt")});

    const Lines expected = {Line(0x2DFD2D88u, folder.Path(L"one.txt")),
                            Line(OracleCrc("inner contents"), folder.Path(L"dir")),
                            Line(0x2DFD2D88u, folder.Path(L"one.txt"))};
    EXPECT_EQ(app_fixture::ListLines(), expected);
}

TEST(DroppedItems, AnEmptyFolderHasCrcZero)
{
    TestFolder folder;
    folder.MakeFolder(L"empty");
    RunningApp app;
    DropOnMainWindow({folder.Path(L"empty")});
    EXPECT_EQ(app_fixture::ListLines(), Lines{L"00000000\t" + folder.Path(L"empty")});
}

TEST(DroppedItems, AFoldersCrcIsTheWrappingSumOfItsFiles)
{
    ASSERT_EQ(OracleCrc(kCrcAllOnes), 0xFFFFFFFFu);
    ASSERT_EQ(OracleCrc(kCrcTwo), 0x00000002u);
    TestFolder folder;
    folder.MakeFolder(L"wrap");
    folder.Write(L"wrap\\ones", kCrcAllOnes);
    folder.Write(L"wrap\\two", kCrcTwo);
    RunningApp app;
    DropOnMainWindow({folder.Path(L"wrap")});
    EXPECT_EQ(app_fixture::ListLines(), Lines{L"00000001\t" + folder.Path(L"wrap")});
}

TEST(DroppedItems, AFolderHoldingOnlyASubfolderGetsItsFilesCrc)
{
    TestFolder folder;
    folder.MakeFolder(L"outer");
    folder.MakeFolder(L"outer\\inner");
    folder.Write(L"outer\\inner\\only.dat", "only file");
    RunningApp app;
    DropOnMainWindow({folder.Path(L"outer")});
    EXPECT_EQ(app_fixture::ListLines(), Lines{Line(OracleCrc("only file"), folder.Path(L"outer"))});
}

TEST(DroppedItems, DotAndSystemFoldersAreSkippedDotFilesAndHiddenFoldersChecked)
{
    TestFolder folder;
    folder.MakeFolder(L"t");
    folder.Write(L"t\\.dotfile", "dot file");
    folder.MakeFolder(L"t\\.dotdir");
    folder.Write(L"t\\.dotdir\\skipped", "skipped one");
    folder.MakeFolder(L"t\\sys");
    folder.Write(L"t\\sys\\skipped", "skipped two");
    folder.SetAttributes(L"t\\sys", FILE_ATTRIBUTE_SYSTEM);
    folder.MakeFolder(L"t\\hid");
    folder.Write(L"t\\hid\\seen", "hidden but seen");
    folder.SetAttributes(L"t\\hid", FILE_ATTRIBUTE_HIDDEN);
    RunningApp app;
    DropOnMainWindow({folder.Path(L"t")});
    const uint32_t sum = OracleCrc("dot file") + OracleCrc("hidden but seen");
    EXPECT_EQ(app_fixture::ListLines(), Lines{Line(sum, folder.Path(L"t"))});
}

TEST(DroppedItems, ADriveRootIsWalkedWithoutADoubledSeparator)
{
    TestFolder folder;
    folder.Write(L"a", "first");
    folder.MakeFolder(L"d");
    folder.Write(L"d\\b", "second");
    CdDrive drive(L'R', folder);
    ASSERT_TRUE(drive.Defined());
    RunningApp app;
    DropOnMainWindow({L"R:\\"});
    EXPECT_EQ(app_fixture::ListLines(), Lines{Line(OracleCrc("first") + OracleCrc("second"), L"R:\\")});
    // Every file was read through a well-formed path: the last one names it.
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
}

TEST(DroppedItems, AVanishedPathStopsTheDrop)
{
    TestFolder folder;
    folder.Write(L"later.txt", "never checked");
    RunningApp app;
    BoxAnswerer answer(BoxQuery::ForBox(L""), L"Ok");
    DropOnMainWindow({folder.Path(L"gone"), folder.Path(L"later.txt")});
    ASSERT_TRUE(answer.Finish());
    EXPECT_EQ(answer.First().lines, Lines{L"Unable to determine if this is a folder"});
    EXPECT_TRUE(app_fixture::ListLines().empty());
}

TEST(DroppedItems, AnUnreadableFileAsksAndYesGoesOnWithTheNextItem)
{
    TestFolder folder;
    folder.Write(L"locked.bin", "held open");
    folder.Write(L"next.txt", "abc");
    RunningApp app;
    std::vector<SeenBox> seen;
    ASSERT_NO_FATAL_FAILURE(DropWhileHeld(folder.Path(L"locked.bin"), L"Yes",
                                          {folder.Path(L"locked.bin"), folder.Path(L"next.txt")}, &seen));
    EXPECT_EQ(seen[0].lines, Lines{L"Can't open file"});
    EXPECT_EQ(seen[1].lines, Lines{L"Continue crc check?"});
    EXPECT_EQ(app_fixture::ListLines(), (Lines{folder.Path(L"locked.bin") + L" - unreadable",
                                               L"CA6598D0\t" + folder.Path(L"next.txt")}));
}

TEST(DroppedItems, AnUnreadableFileAnsweredNoIsNamedAndEndsTheDrop)
{
    TestFolder folder;
    folder.Write(L"locked.bin", "held open");
    folder.Write(L"next.txt", "abc");
    RunningApp app;
    ASSERT_NO_FATAL_FAILURE(DropWhileHeld(folder.Path(L"locked.bin"), L"No",
                                          {folder.Path(L"locked.bin"), folder.Path(L"next.txt")}));
    EXPECT_EQ(app_fixture::ListLines(), Lines{folder.Path(L"locked.bin") + L" - unreadable"});
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
}

TEST(DroppedItems, AFolderWithAnUnreadableFileHasNoSumButSaysWhatItMissed)
{
    TestFolder folder;
    folder.MakeFolder(L"f");
    folder.Write(L"f\\locked.bin", "held open");
    folder.Write(L"f\\kept.txt", "kept");
    RunningApp app;
    ASSERT_NO_FATAL_FAILURE(DropWhileHeld(folder.Path(L"f\\locked.bin"), L"Yes", {folder.Path(L"f")}));
    EXPECT_EQ(app_fixture::ListLines(), Lines{folder.Path(L"f") + L" - incomplete, 1 unreadable"});
}

TEST(DroppedItems, AFolderEndedByNoSaysItIsIncompleteAndTheDropGoesOn)
{
    TestFolder folder;
    folder.MakeFolder(L"f");
    folder.Write(L"f\\locked.bin", "held open");
    folder.Write(L"after.txt", "abc");
    RunningApp app;
    ASSERT_NO_FATAL_FAILURE(DropWhileHeld(folder.Path(L"f\\locked.bin"), L"No",
                                          {folder.Path(L"f"), folder.Path(L"after.txt")}));
    EXPECT_EQ(app_fixture::ListLines(), (Lines{folder.Path(L"f") + L" - incomplete, 1 unreadable",
                                               L"CA6598D0\t" + folder.Path(L"after.txt")}));
}

TEST(DroppedItems, AbortStopsTheDropWithoutALine)
{
    TestFolder folder;
    folder.MakeFolder(L"many");
    for (int i = 0; i < 3000; ++i)
        folder.Write(L"many\\" + std::to_wstring(i), "file " + std::to_string(i));
    folder.Write(L"after.txt", "abc");
    RunningApp app;
    BoxAnswerer answer(BoxQuery::ForDialog(L""), L"Abort");
    DropOnMainWindow({folder.Path(L"many"), folder.Path(L"after.txt")});
    ASSERT_TRUE(answer.Finish());
    EXPECT_TRUE(app_fixture::ListLines().empty());
    EXPECT_EQ(app_fixture::StatusText(), L"Scan aborted by user");
    EXPECT_EQ(progressDialog.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(app_fixture::BarWindow()));
}

TEST(DroppedItems, UnicodeNamesAreReadAndShown)
{
    TestFolder folder;
    const std::wstring name = L"\x0444\x0430\x0439\x043B-\x6587\x4EF6-\x00E9t\x00E9.txt";
    folder.MakeFolder(L"\x03B1\x03B2\x03B3");
    folder.Write(L"\x03B1\x03B2\x03B3\\" + name, "unicode");
    RunningApp app;
    DropOnMainWindow({folder.Path(L"\x03B1\x03B2\x03B3\\" + name), folder.Path(L"\x03B1\x03B2\x03B3")});
    const Lines expected = {Line(OracleCrc("unicode"), folder.Path(L"\x03B1\x03B2\x03B3\\" + name)),
                            Line(OracleCrc("unicode"), folder.Path(L"\x03B1\x03B2\x03B3"))};
    EXPECT_EQ(app_fixture::ListLines(), expected);
}

TEST(DroppedItems, PathsLongerThan260CharactersAndDeepTreesAreChecked)
{
    TestFolder folder;
    std::wstring deep = L"deep";
    folder.MakeFolder(deep);
    uint32_t sum = 0;
    for (int level = 0; level < 24; ++level) {
        deep += L"\\level" + std::to_wstring(level) + L"-" + std::wstring(8, L'x');
        folder.MakeFolder(deep);
        const std::string text = "level " + std::to_string(level);
        folder.Write(deep + L"\\f.txt", text);
        sum += OracleCrc(text);
    }
    const std::wstring longFile = folder.Path(deep + L"\\f.txt");
    ASSERT_GT(longFile.size(), 300u);
    RunningApp app;
    DropOnMainWindow({longFile, folder.Path(L"deep")});
    const Lines expected = {Line(OracleCrc("level 23"), longFile), Line(sum, folder.Path(L"deep"))};
    EXPECT_EQ(app_fixture::ListLines(), expected);
}

TEST(CommandLineItem, ARelativeFolderIsCheckedAsAFullPath)
{
    TestFolder folder;
    folder.Write(L"x.txt", "abc");
    folder.Write(L"y.txt", "123456789");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Root().c_str()));
    RunningApp app(L".");
    SetCurrentDirectoryW(previous);
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(app_fixture::ListLines(), Lines{Line(0xCA6598D0u + 0x2DFD2D88u, folder.Root())});
    // The command-line check counts as the first drop: a drop now appends.
    DropOnMainWindow({folder.Path(L"x.txt")});
    EXPECT_EQ(app_fixture::ListLines().size(), 2u);
}
