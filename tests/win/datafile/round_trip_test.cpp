// A saved scan loads back as it was saved, and a save after a load writes
// the reserved header bytes that the load read.
#include "datafile/data_file_fixture.h"

#include "app/globals.h"
#include "resource.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

TEST(SaveAndLoad, ALoadedFileGivesBackTheSavedCrcsAndSummary)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    const std::wstring path = folder.File(L"round trip.crc");
    std::vector<uint32_t> crcs;
    for (uint32_t i = 0; i < 257; ++i)
        crcs.push_back(i * 0x9E3779B9u);
    LayScanResults(crcs, 12, L'K');
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(path)})));

    // Another scan replaces the list, then the saved one is loaded again.
    LayScanResults({1, 2, 3}, 0, L'C');
    resultList.State().unsaved = 0;
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {FileDialogStep(path)})));

    EXPECT_EQ(crcs, ProgramCrcs(257));
    EXPECT_EQ(257u, resultList.State().expectedCount);
    EXPECT_EQ(L'K', driveDialog.SelectedDrive());
    wchar_t diskCrc[16];
    swprintf(diskCrc, 16, L"%08X", WrappingSum(crcs));
    EXPECT_EQ((std::vector<std::wstring>{L"Previous scan data:",
                                         L"  Total files:  257  Total folders:  12  CRC for disk:  " +
                                             std::wstring(diskCrc)}),
              app_fixture::ListLines());
    EXPECT_EQ(L"Ferrow - " + path, app_fixture::Title());
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
}

TEST(SaveAndLoad, ASaveAfterALoadWritesTheReservedBytesTheLoadRead)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    Bytes written = HeaderFile(1, 0, 0x42u, 2, 1, {0x42u});
    for (size_t i = 12; i < 16; ++i)
        written[i] = uint8_t(0xA0 + i);
    for (size_t i = 36; i < 48; ++i)
        written[i] = uint8_t(0xB0 + i);
    const std::wstring loaded = folder.File(L"other writer.crc");
    WriteBytes(loaded, written);
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {FileDialogStep(loaded)})));

    LayScanResults({0x5u, 0x6u}, 1, L'E');
    const std::wstring saved = folder.File(L"saved.crc");
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(saved)})));

    const Bytes bytes = ReadBytes(saved);
    ASSERT_EQ(48u + 8u, bytes.size());
    EXPECT_EQ(Bytes(written.begin() + 12, written.begin() + 16), Bytes(bytes.begin() + 12, bytes.begin() + 16));
    EXPECT_EQ(Bytes(written.begin() + 36, written.begin() + 48), Bytes(bytes.begin() + 36, bytes.begin() + 48));
    EXPECT_EQ(2u, GetLittleEndian32(bytes, 20));
    EXPECT_EQ(4u, GetLittleEndian32(bytes, 32)) << "drive E";
}

TEST(SaveAndLoad, ALoadedListSavedAgainKeepsEveryHeaderField)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    TestFolder folder;
    Bytes written = HeaderFile(3, 7, 0x12345678u, L'Q' - L'A', 1, {0x11u, 0x22u, 0x33u});
    for (size_t i = 36; i < 48; ++i)
        written[i] = uint8_t(0xC0 + i);
    const std::wstring loaded = folder.File(L"loaded.crc");
    WriteBytes(loaded, written);
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {FileDialogStep(loaded)})));
    // Save is not offered for a loaded list; when the list held is a loaded
    // one, whatever saves it writes what the file said about it.
    btnBar.EnableButton(IDM_SAVE, true);
    const std::wstring saved = folder.File(L"saved.crc");
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(saved)})));
    EXPECT_EQ(written, ReadBytes(saved));
}
