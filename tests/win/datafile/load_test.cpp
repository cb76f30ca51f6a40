// Load through the file dialog: what the list, the buttons, the title and the
// status bar show afterwards, and files it must refuse or cannot open. What
// Load makes of the bytes of either layout has unit tests of its own
// (tests/unit/datafile/data_file_commands_test.cpp).
#include "datafile/data_file_fixture.h"

#include "app/frame_panes.h"
#include "common/expected_lines.h"
#include "resource.h"
#include "scan/drive_dialog.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

// Loads path, answering the file dialog with it; the boxes shown after the dialog.
std::vector<SeenBox> LoadFile(const std::wstring& path, std::vector<BoxAnswerer::Step> after = {})
{
    std::vector<BoxAnswerer::Step> steps = {FileDialogStep(path)};
    steps.insert(steps.end(), after.begin(), after.end());
    AnsweredCommand run = RunCommand(IDM_LOAD, steps);
    EXPECT_TRUE(run.answered) << "every expected box was shown and answered";
    EXPECT_EQ(std::vector<std::wstring>{}, run.unexpected) << "boxes beyond the expected ones";
    if (!run.seen.empty())
        run.seen.erase(run.seen.begin());
    return run.seen;
}

// The program as a finished, saved drop check left it: lines in the list,
// Compare and Print enabled, a known title.
void ShowEarlierResults()
{
    LayScanResults({0x11111111u, 0x22222222u}, 1, L'Q');
    programState.state.unsaved = 0;
    resultList.AddLine(L"11111111\tZ:\\earlier\\one");
    btnBar.EnableButton(IDM_PRINT, true);
}

class Load : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, app_fixture::Start());
        ShowEarlierResults();
    }
    void TearDown() override { app_fixture::Shutdown(); }

    // Writes the bytes as a file of the test folder and loads it; the boxes shown after the dialog.
    std::vector<SeenBox> LoadBytes(const Bytes& bytes, std::vector<BoxAnswerer::Step> after = {})
    {
        path = folder.Path(L"data.crc");
        WriteBytes(path, bytes);
        return LoadFile(path, std::move(after));
    }

    void ExpectLoaded(const Lines& lines)
    {
        EXPECT_EQ(lines, app_fixture::ListLines());
        EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
        EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_SAVE));
        EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_PRINT));
        EXPECT_EQ(L"Ferrow - " + path, app_fixture::Title());
        EXPECT_EQ(path, app_fixture::StatusText());
        EXPECT_EQ(0, programState.state.unsaved);
    }

    void ExpectRefused(const std::vector<SeenBox>& seen, const wchar_t* text, const std::wstring& caption)
    {
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(Lines{text}, seen[0].lines);
        EXPECT_EQ(caption, seen[0].caption);
        EXPECT_EQ(Lines{}, app_fixture::ListLines());
        EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_COMPARE));
        EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_PRINT));
        EXPECT_EQ(L"Ferrow", app_fixture::Title()) << "the title stays";
        EXPECT_EQ(path, app_fixture::StatusText());
        // The list held before is still there, whole.
        EXPECT_EQ(2u, programState.state.expectedCount);
        EXPECT_EQ((std::vector<uint32_t>{0x11111111u, 0x22222222u}), ProgramCrcs(2));
    }

    TestFolder folder;
    std::wstring path;
};

}  // namespace

TEST_F(Load, AFileWithAHeaderRestoresItsCrcsDriveAndSummary)
{
    const std::vector<uint32_t> crcs = {0xDEADBEEFu, 0x00000000u, 0x7FFFFFFFu};
    LoadBytes(HeaderFile(3, 4, 0x0000ABCDu, 3, 1, crcs));

    ExpectLoaded({L"Previous scan data:",
                  L"  Total files:  3  Total folders:  4  CRC for disk:  0000ABCD"});
    EXPECT_EQ(crcs, ProgramCrcs(3));
    EXPECT_EQ(3u, programState.state.expectedCount);
    EXPECT_EQ(L'D', programState.selectedDrive);
    EXPECT_EQ(2, programState.state.fileCount) << "Load leaves the scan's file count";
}

TEST_F(Load, AHeaderAnnouncingMoreCrcsThanTheFileHoldsIsAnError)
{
    Bytes bytes = HeaderFile(3, 0, 0, 2, 1, {1, 2});  // 8 bytes after the header
    const std::vector<SeenBox> seen = LoadBytes(bytes, {BoxStep(nullptr, L"&Ok")});

    ExpectRefused(seen, L"Error reading file", path);
}

TEST_F(Load, AHeaderlessFileTooLargeForTheListIsRefusedWithoutAllocating)
{
    // 4 GiB without a header: 2^30 CRCs, more than the list can index. The
    // file is sparse, so it takes no room on the disk.
    path = folder.Path(L"huge.crc");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER size;
    size.QuadPart = 0x100000000LL;
    const bool sized = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(sized);
    const int32_t capacity = programState.crcList.Capacity();

    const std::vector<SeenBox> seen = LoadFile(path, {BoxStep(nullptr, L"&Ok")});
    ExpectRefused(seen, L"Error reading file", path);
    EXPECT_EQ(capacity, programState.crcList.Capacity());
}

TEST_F(Load, AMissingFileCannotBeOpened)
{
    path = folder.Path(L"missing.crc");
    const std::vector<SeenBox> seen = LoadFile(path, {BoxStep(nullptr, L"&Ok")});

    ExpectRefused(seen, L"Can't open file", path);
    EXPECT_EQ(2u, programState.state.expectedCount) << "the earlier count stays";
}

TEST_F(Load, TheTypedNameGetsTheCrcExtension)
{
    path = folder.Path(L"typed.crc");
    WriteBytes(path, LittleEndianWords({9, 8, 7}));
    LoadFile(folder.Path(L"typed"));

    ExpectLoaded({L"3 files to be CRC checked"});
}

TEST_F(Load, TheTitleHoldsTheWholeOfALongPath)
{
    const std::wstring subfolder = folder.Path(std::wstring(120, L'x'));
    ASSERT_TRUE(CreateDirectoryW(subfolder.c_str(), nullptr));
    path = subfolder + L"\\a rather long name for a data file.crc";
    WriteBytes(path, HeaderFile(1, 1, 0x0BADF00Du, 25, 1, {0x0BADF00Du}));
    LoadFile(path);

    ExpectLoaded({L"Previous scan data:",
                  L"  Total files:  1  Total folders:  1  CRC for disk:  " + Hex8(0x0BADF00Du)});
    EXPECT_GT(app_fixture::Title().size(), 200u);
    EXPECT_EQ(L'Z', programState.selectedDrive);
}

TEST_F(Load, ACancelledDialogChangesNothing)
{
    const Lines before = app_fixture::ListLines();
    AnsweredCommand run = RunCommand(IDM_LOAD, {CancelFileDialogStep()});
    ASSERT_TRUE(run.answered);

    EXPECT_EQ(before, app_fixture::ListLines());
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_PRINT));
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_EQ(L"Ferrow", app_fixture::Title());
    EXPECT_EQ(2u, programState.state.expectedCount);
}

// The file dialog does not make the data file's folder the current one: the
// disc or stick it is on would stay "in use" for as long as the program runs.
TEST_F(Load, TheFileDialogLeavesTheCurrentFolderAsItWas)
{
    TestFolder elsewhere;
    ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.Root().c_str()));
    path = folder.Path(L"data.crc");
    WriteBytes(path, LittleEndianWords({9, 8, 7}));
    LoadFile(path);
    ExpectLoaded({L"3 files to be CRC checked"});

    wchar_t current[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring left = current;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);   // so that the test folders can go
    EXPECT_EQ(elsewhere.Root(), left);
}
