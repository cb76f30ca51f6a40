// The checksum of one file as the checks use it: status text, CRC, the
// failure report and the event handling after the file.
#include "scan_fixture.h"

#include "app/program.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

using namespace scan_test;

TEST(ChecksumFile, GivesTheCrcAndNamesTheFileInTheStatus)
{
    TestFolder folder;
    std::string bytes;
    for (int i = 0; i < 300000; ++i)
        bytes.push_back(static_cast<char>(i * 7 + (i >> 8)));
    folder.Write(L"data.bin", bytes);
    RunningApp app;
    uint32_t crc = 0;
    EXPECT_EQ(programCommands.DiskChecks().ChecksumFile(folder.Path(L"data.bin"), &crc), 1);
    EXPECT_EQ(crc, OracleCrc(bytes));
    EXPECT_EQ(app_fixture::StatusText(), folder.Path(L"data.bin"));
    EXPECT_EQ(programState.state.quitSeen, 0);
}

TEST(ChecksumFile, AnEmptyFileHasCrcZeroAndHandlesNoEvents)
{
    TestFolder folder;
    folder.Write(L"empty", "");
    RunningApp app;
    app_fixture::PumpIdle();
    PostMessageW(app_fixture::MainWindowHandle(), WM_NULL, 0, 0);
    uint32_t crc = 0x12345678;
    EXPECT_EQ(programCommands.DiskChecks().ChecksumFile(folder.Path(L"empty"), &crc), 1);
    EXPECT_EQ(crc, 0u);
    MSG pending;
    EXPECT_TRUE(PeekMessageW(&pending, app_fixture::MainWindowHandle(), WM_NULL, WM_NULL, PM_NOREMOVE));
}

TEST(ChecksumFile, AMissingFileIsReportedWithItsPathAsCaptionAndLeavesTheCrc)
{
    TestFolder folder;
    RunningApp app;
    const std::wstring missing = folder.Path(L"missing.txt");
    BoxAnswerer answer(BoxQuery::ForBox(missing.c_str()), L"Ok");
    uint32_t crc = 0x12345678;
    EXPECT_EQ(programCommands.DiskChecks().ChecksumFile(missing, &crc), 0);
    ASSERT_TRUE(answer.Finish());
    EXPECT_EQ(answer.First().lines, std::vector<std::wstring>{L"Can't open file"});
    EXPECT_EQ(crc, 0x12345678u);
    EXPECT_EQ(app_fixture::StatusText(), missing);
}

TEST(ChecksumFile, APendingQuitIsSeenAndLeftQueued)
{
    TestFolder folder;
    folder.Write(L"abc", "abc");
    RunningApp app;
    app_fixture::PumpIdle();
    PostQuitMessage(5);
    uint32_t crc = 0;
    EXPECT_EQ(programCommands.DiskChecks().ChecksumFile(folder.Path(L"abc"), &crc), 1);
    EXPECT_EQ(crc, 0xCA6598D0u);
    EXPECT_EQ(programState.state.quitSeen, 1);
    MSG pending;
    ASSERT_TRUE(PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(pending.message, static_cast<UINT>(WM_QUIT));
}
