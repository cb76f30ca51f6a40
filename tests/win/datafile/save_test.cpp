// Save: the bytes of the data file, the button and the unsaved mark, what a
// failed or declined save leaves behind, and a saved file loaded back. The
// header Save writes of the list held has unit tests of its own
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

#include <cstring>

namespace {

const std::vector<uint32_t> kScanCrcs = {0xCA6598D0u, 0x2DFD2D88u, 0x00000001u, 0xFFFFFFFFu,
                                         0x80000000u};

void ExpectHeader(const Bytes& bytes, uint32_t count, uint32_t folders, uint32_t diskCrc,
                  uint32_t driveIndex)
{
    ASSERT_GE(bytes.size(), 48u);
    EXPECT_EQ(0, std::memcmp(bytes.data(), "Ferrow data", 12)) << "magic text and its NUL";
    EXPECT_EQ(1u, GetLittleEndian32(bytes, 16)) << "version";
    EXPECT_EQ(count, GetLittleEndian32(bytes, 20)) << "crcCount";
    EXPECT_EQ(folders, GetLittleEndian32(bytes, 24)) << "folderCount";
    EXPECT_EQ(diskCrc, GetLittleEndian32(bytes, 28)) << "diskCrc";
    EXPECT_EQ(driveIndex, GetLittleEndian32(bytes, 32)) << "driveIndex";
}

std::vector<uint32_t> CrcArrayOf(const Bytes& bytes)
{
    std::vector<uint32_t> crcs;
    for (size_t offset = 48; offset + 4 <= bytes.size(); offset += 4)
        crcs.push_back(GetLittleEndian32(bytes, offset));
    return crcs;
}

// Runs Save with the user's answers; the boxes the answers found.
std::vector<SeenBox> SaveWithAnswers(std::vector<BoxAnswerer::Step> steps, bool* answered = nullptr)
{
    AnsweredCommand run = RunCommand(IDM_SAVE, std::move(steps));
    EXPECT_EQ(std::vector<std::wstring>{}, run.unexpected) << "boxes beyond the expected ones";
    if (answered)
        *answered = run.answered;
    return run.seen;
}

}  // namespace

TEST(Save, WritesTheHeaderAndTheCrcArrayAsTheFormatLaysThemOut)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    LayScanResults(kScanCrcs, 2, L'R');
    const std::wstring path = folder.Path(L"disk1.crc");

    bool answered = false;
    SaveWithAnswers({FileDialogStep(path)}, &answered);
    ASSERT_TRUE(answered);

    const Bytes bytes = ReadBytes(path);
    ASSERT_EQ(48u + 4 * kScanCrcs.size(), bytes.size());
    ExpectHeader(bytes, 5, 2, 0xCA6598D0u + 0x2DFD2D88u + 1u + 0xFFFFFFFFu + 0x80000000u, 17);
    EXPECT_EQ(Bytes(4, 0), Bytes(bytes.begin() + 12, bytes.begin() + 16)) << "reserved bytes 12..15";
    EXPECT_EQ(Bytes(12, 0), Bytes(bytes.begin() + 36, bytes.begin() + 48)) << "reserved bytes 36..47";
    EXPECT_EQ(kScanCrcs, CrcArrayOf(bytes));

    EXPECT_EQ(std::vector<std::wstring>{L"disk1.crc"}, folder.FileNames()) << "no temporary file left";
    EXPECT_EQ(0, programState.state.unsaved);
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_EQ(L"Ferrow", app_fixture::Title()) << "Save does not touch the title";
}

TEST(Save, ForcesTheCrcExtensionOnTheTypedName)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    LayScanResults(kScanCrcs, 1, L'C');

    bool answered = false;
    SaveWithAnswers({FileDialogStep(folder.Path(L"disk2.TXT"))}, &answered);
    ASSERT_TRUE(answered);

    EXPECT_EQ(std::vector<std::wstring>{L"disk2.crc"}, folder.FileNames());
    EXPECT_EQ(kScanCrcs, CrcArrayOf(ReadBytes(folder.Path(L"disk2.crc"))));
}

TEST(Save, DoesNothingWhileTheSaveButtonIsDisabled)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    LayScanResults(kScanCrcs, 1, L'C');
    btnBar.EnableButton(IDM_SAVE, false);

    BoxRules watch(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    app_fixture::PostCommand(IDM_SAVE);
    app_fixture::PostAltKey('V');
    EXPECT_TRUE(watch.Stop().empty()) << "neither a dialog nor a message";
    EXPECT_EQ(1, programState.state.unsaved);
}

TEST(Save, WithNoFileCountedSaysNothingToSave)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    LayScanResults({}, 3, L'C');

    bool answered = false;
    const std::vector<SeenBox> seen = SaveWithAnswers({BoxStep(nullptr, L"&Ok")}, &answered);
    ASSERT_TRUE(answered);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(L"", seen[0].caption);
    EXPECT_EQ(std::vector<std::wstring>{L"Nothing to save"}, seen[0].lines);
}

TEST(Save, ATargetHeldOpenByAnotherProgramCannotBeOpenedAndStaysIntact)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    const std::wstring path = folder.Path(L"disk1.crc");
    const Bytes earlier = HeaderFile(1, 0, 0x1234u, 2, 1, {0x1234u});
    WriteBytes(path, earlier);
    FileHeldOpen holder(path);
    ASSERT_TRUE(holder.IsOpen());
    LayScanResults(kScanCrcs, 2, L'C');

    bool answered = false;
    const std::vector<SeenBox> seen =
        SaveWithAnswers({FileDialogStep(path), BoxStep(path.c_str(), L"&Ok")}, &answered);
    holder.Release();
    ASSERT_TRUE(answered);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(std::vector<std::wstring>{L"Can't open file"}, seen[1].lines);
    EXPECT_EQ(path, seen[1].caption);

    EXPECT_EQ(earlier, ReadBytes(path));
    EXPECT_EQ(std::vector<std::wstring>{L"disk1.crc"}, folder.FileNames()) << "no temporary file left";
    EXPECT_EQ(1, programState.state.unsaved) << "the results may still be saved";
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
}

TEST(Save, AsksBeforeTheForcedExtensionReplacesAnotherFile)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    const std::wstring target = folder.Path(L"disk1.crc");
    const Bytes earlier = HeaderFile(1, 0, 7, 2, 1, {7});
    WriteBytes(target, earlier);
    LayScanResults(kScanCrcs, 2, L'C');

    // The user typed another name; the forced extension turns it into disk1.crc.
    bool answered = false;
    std::vector<SeenBox> seen =
        SaveWithAnswers({FileDialogStep(folder.Path(L"disk1.txt")), BoxStep(L"Ferrow", L"No")}, &answered);
    ASSERT_TRUE(answered);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ((std::vector<std::wstring>{target + L" already exists.", L"Do you want to replace it?"}),
              seen[1].lines);
    EXPECT_EQ(earlier, ReadBytes(target)) << "No keeps the file";
    EXPECT_EQ(1, programState.state.unsaved);

    seen = SaveWithAnswers({FileDialogStep(folder.Path(L"disk1.txt")), BoxStep(L"Ferrow", L"Yes")}, &answered);
    ASSERT_TRUE(answered);
    EXPECT_EQ(kScanCrcs, CrcArrayOf(ReadBytes(target))) << "Yes replaces it";
    EXPECT_EQ(std::vector<std::wstring>{L"disk1.crc"}, folder.FileNames());
    EXPECT_EQ(0, programState.state.unsaved);
}

TEST(SaveAndLoad, ALoadedFileGivesBackTheSavedCrcsAndSummary)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    const std::wstring path = folder.Path(L"round trip.crc");
    std::vector<uint32_t> crcs;
    for (uint32_t i = 0; i < 257; ++i)
        crcs.push_back(i * 0x9E3779B9u);
    LayScanResults(crcs, 12, L'K');
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(path)})));

    // Another scan replaces the list, then the saved one is loaded again.
    LayScanResults({1, 2, 3}, 0, L'C');
    programState.state.unsaved = 0;
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {FileDialogStep(path)})));

    EXPECT_EQ(crcs, ProgramCrcs(257));
    EXPECT_EQ(257u, programState.state.expectedCount);
    EXPECT_EQ(L'K', programState.selectedDrive);
    EXPECT_EQ((std::vector<std::wstring>{L"Previous scan data:", Totals(257, 12, WrappingSum(crcs))}),
              app_fixture::ListLines());
    EXPECT_EQ(L"Ferrow - " + path, app_fixture::Title());
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
}
