// The whole story of a data file: a real scan of a CD-ROM drive is saved,
// another disk is scanned, then the file is loaded and the first drive,
// changed meanwhile, compared with it.
#include "datafile/data_file_fixture.h"

#include "resource.h"
#include "scan/drive_dialog.h"
#include "app/program.h"
#include "app/result_list.h"
#include "scan/scan_fixture.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

}  // namespace

TEST(ScanSaveLoad, ASavedScanComparesTheDriveAfterALoad)
{
    TestFolder disk;
    disk.Write(L"one", "first file");
    disk.Write(L"two", "second file");
    disk.MakeFolder(L"sub");
    disk.Write(L"sub\\three", "third file");
    scan_test::CdDrive drive(L'R', disk);
    ASSERT_TRUE(drive.Defined());
    TestFolder otherDisk;
    otherDisk.Write(L"other", "another disk's only file");
    scan_test::CdDrive otherDrive(L'S', otherDisk);
    ASSERT_TRUE(otherDrive.Defined());
    TestFolder files;
    const std::wstring path = files.Path(L"disk R.crc");

    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(path)})));

    // The file holds the CRCs in walk order (the root's files as the
    // directory search lists them, then the subfolder's), by zlib.
    const Lines rootOrder = ListedFileNames(L"R:");
    ASSERT_EQ(2u, rootOrder.size());
    auto contentOf = [](const std::wstring& name) { return name == L"one" ? "first file" : "second file"; };
    const std::vector<uint32_t> expected = {OracleCrc(contentOf(rootOrder[0])),
                                            OracleCrc(contentOf(rootOrder[1])),
                                            OracleCrc("third file")};
    const Bytes bytes = ReadBytes(path);
    ASSERT_EQ(48u + 12u, bytes.size());
    EXPECT_EQ(3u, GetLittleEndian32(bytes, 20));
    EXPECT_EQ(2u, GetLittleEndian32(bytes, 24)) << "the root and sub";
    EXPECT_EQ(WrappingSum(expected), GetLittleEndian32(bytes, 28));
    EXPECT_EQ(uint32_t(L'R' - L'A'), GetLittleEndian32(bytes, 32));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(expected[i], GetLittleEndian32(bytes, 48 + 4 * i)) << i;

    // Another disk is scanned and not saved; meanwhile the first one changed.
    ASSERT_TRUE(scan_test::ScanDrive(L'S'));
    disk.Write(L"two", "second file, changed");
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {BoxStep(L"Ferrow", L"No"), FileDialogStep(path)})));
    const std::wstring totals = L"  Total files:  3  Total folders:  2";
    EXPECT_EQ((Lines{L"Previous scan data:", totals + L"  CRC for disk:  " + Hex8(WrappingSum(expected))}),
              app_fixture::ListLines());
    EXPECT_EQ(L'R', programState.selectedDrive);

    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    EXPECT_EQ((Lines{L"R:\\two - bad crc", L"1 files do not compare.", totals}), scan_test::LinesFrom(2));
}

TEST(ScanSaveLoad, ARefusedLoadLeavesTheUnsavedScanAsItWasAndSaveable)
{
    TestFolder disk;
    disk.Write(L"one", "first file");
    disk.Write(L"two", "second file");
    scan_test::CdDrive drive(L'R', disk);
    TestFolder files;
    // A header that announces three CRCs and holds two.
    const std::wstring bad = files.Path(L"short.crc");
    Bytes shortFile = HeaderFile(3, 1, 0, 17, 1, {1, 2});
    for (size_t i = 36; i < 48; ++i)
        shortFile[i] = 0xEE;
    WriteBytes(bad, shortFile);
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::vector<uint32_t> scanned = ProgramCrcs(2);

    const AnsweredCommand load =
        RunCommand(IDM_LOAD, {BoxStep(L"Ferrow", L"No"), FileDialogStep(bad), BoxStep(bad.c_str(), L"&Ok")});
    ASSERT_TRUE(AnsweredExactly(load));
    EXPECT_EQ(Lines{L"Error reading file"}, load.seen[2].lines);
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_EQ(1, programState.state.unsaved);
    EXPECT_EQ(2u, programState.state.expectedCount);
    EXPECT_EQ(scanned, ProgramCrcs(2));

    const std::wstring path = files.Path(L"kept.crc");
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(path)})));
    EXPECT_EQ(HeaderFile(2, 1, WrappingSum(scanned), L'R' - L'A', 1, scanned), ReadBytes(path))
        << "the scan's own header; nothing of the refused file";
}
