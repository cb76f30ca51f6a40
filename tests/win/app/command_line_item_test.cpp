// A file or folder named on the command line is checked at start-up and its
// result line shown instead of the usage text.
#include "support/app_fixture.h"

#include "common/expected_lines.h"
#include "resource.h"
#include "scan/progress_dialog.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/crc_oracle.h"
#include "support/test_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app_fixture;

TEST(AppCommandLine, QuotedPathWithASpaceGivesThatFilesResultLine)
{
    TestFolder folder;
    const std::string bytes = "123456789";
    std::wstring file = folder.Write(L"one file.txt", bytes);

    RunningApp app(L"\"" + file + L"\"");
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(OracleCrc(bytes)) + L"\t" + file}));
    EXPECT_EQ(programState.state.clearOnDrop, 0);
    EXPECT_EQ(progressDialog.Handle(), nullptr);
    // The start-up check leaves the bar as it was and does not enable Print.
    EXPECT_TRUE(ButtonEnabled(IDM_SCAN));
    EXPECT_TRUE(ButtonEnabled(IDM_LOAD));
    EXPECT_FALSE(ButtonEnabled(IDM_PRINT));
}

TEST(AppCommandLine, OnlyTheFirstTokenIsChecked)
{
    TestFolder folder;
    std::wstring first = folder.Write(L"first.bin", "abc");
    std::wstring second = folder.Write(L"second.bin", "abcd");

    RunningApp app(first + L" " + second + L" third fourth");
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(OracleCrc("abc")) + L"\t" + first}));
}

// "ferrow.exe ." checks the current folder, shown with its full path.
TEST(AppCommandLine, DotNamesTheCurrentFolderByItsFullPath)
{
    TestFolder folder;
    folder.Write(L"a.txt", "abc");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Root().c_str()));

    RunningApp app(L".");
    SetCurrentDirectoryW(before);
    ASSERT_EQ(app.StartResult(), 1);
    // One file: the folder's CRC is that file's CRC.
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(OracleCrc("abc")) + L"\t" + folder.Root()}));
}

TEST(AppCommandLine, RelativeFileNameIsShownWithItsFullPath)
{
    TestFolder folder;
    std::wstring file = folder.Write(L"data.bin", "hello");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Root().c_str()));

    RunningApp app(L"data.bin");
    SetCurrentDirectoryW(before);
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(OracleCrc("hello")) + L"\t" + file}));
}
