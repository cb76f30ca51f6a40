// Dropped files and folders, and the command-line item, on real files and
// real windows: one result line per item, CRCs checked against zlib. What a
// drop makes of what it finds (sums, unreadable files, the answers) is
// tested natively (DropOf).
#include "scan_fixture.h"

#include "resource.h"
#include "scan/progress_dialog.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

using Lines = std::vector<std::wstring>;

std::wstring Line(uint32_t crc, const std::wstring& path)
{
    return Hex8(crc) + L"\t" + path;
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
