#include "scan/walk_lines.h"

#include <gtest/gtest.h>

TEST(ResultLine, IsEightUpperCaseDigitsATabAndThePath)
{
    EXPECT_EQ(ResultLine(0xCA6598D0u, L"C:\\data\\abc.txt"), L"CA6598D0\tC:\\data\\abc.txt");
}

TEST(ResultLine, PadsSmallValuesWithZeros)
{
    EXPECT_EQ(ResultLine(0x1Au, L"D:\\"), L"0000001A\tD:\\");
    EXPECT_EQ(ResultLine(0u, L"E:\\empty"), L"00000000\tE:\\empty");
}

TEST(ResultLine, KeepsPathsBeyondTheOldLimitWhole)
{
    std::wstring path = L"C:\\" + std::wstring(400, L'x');
    std::wstring line = ResultLine(0xFFFFFFFFu, path);
    EXPECT_EQ(line.size(), 9 + path.size());
    EXPECT_EQ(line.substr(0, 9), L"FFFFFFFF\t");
    EXPECT_EQ(line.substr(9), path);
}

TEST(BadCrcLine, FollowsThePath)
{
    EXPECT_EQ(BadCrcLine(L"R:\\sub\\one.bin"), L"R:\\sub\\one.bin - bad crc");
}

TEST(CompareResultLine, SaysDisksCompareWithoutMismatches)
{
    EXPECT_EQ(CompareResultLine(0), L"Disks compare");
}

TEST(CompareResultLine, UsesThePluralForEveryCount)
{
    EXPECT_EQ(CompareResultLine(1), L"1 files do not compare.");
    EXPECT_EQ(CompareResultLine(12), L"12 files do not compare.");
    EXPECT_EQ(CompareResultLine(4294967295u), L"4294967295 files do not compare.");
}

TEST(DriveTexts, PutTheLetterInPlace)
{
    EXPECT_EQ(DriveProgressText(L'D'), L"Scanning drive D:");
    EXPECT_EQ(ScanStartLine(L'G'), L"G:\\ to be scanned");
    EXPECT_EQ(DriveRootPath(L'R'), L"R:\\");
}

TEST(SumOfCrcs, WrapsAt32Bits)
{
    const uint32_t crcs[] = {0xFFFFFFFFu, 0x00000002u};
    EXPECT_EQ(SumOfCrcs(crcs, 2), 1u);
}

TEST(SumOfCrcs, IsZeroForNoFiles)
{
    EXPECT_EQ(SumOfCrcs(nullptr, 0), 0u);
}

TEST(SumOfCrcs, AddsOnlyTheGivenCount)
{
    const uint32_t crcs[] = {5, 7, 1000};
    EXPECT_EQ(SumOfCrcs(crcs, 2), 12u);
}
