#include "scan/summary_lines.h"

#include <gtest/gtest.h>

TEST(SummaryLines, TotalsOfAWalkWithMismatches)
{
    EXPECT_EQ(TotalsLine(1234, 56), L"  Total files:  1234  Total folders:  56");
    EXPECT_EQ(TotalsLine(0, 0), L"  Total files:  0  Total folders:  0");
}

TEST(SummaryLines, TotalsWithTheDiskCrcKeepItsLeadingZeros)
{
    EXPECT_EQ(TotalsLineWithDiskCrc(3, 2, 0x0000ABCDu),
              L"  Total files:  3  Total folders:  2  CRC for disk:  0000ABCD");
    EXPECT_EQ(TotalsLineWithDiskCrc(0, 0, 0),
              L"  Total files:  0  Total folders:  0  CRC for disk:  00000000");
}

TEST(SummaryLines, NumbersAreUnsigned)
{
    EXPECT_EQ(TotalsLineWithDiskCrc(0xFFFFFFFFu, 4000000000u, 0xFFFFFFFFu),
              L"  Total files:  4294967295  Total folders:  4000000000  CRC for disk:  FFFFFFFF");
}

TEST(SummaryLines, OlderLayoutTellsOnlyTheCount)
{
    EXPECT_EQ(OlderLayoutSummaryLine(0), L"0 files to be CRC checked");
    EXPECT_EQ(OlderLayoutSummaryLine(2), L"2 files to be CRC checked");
    EXPECT_EQ(OlderLayoutSummaryLine(1073741822u), L"1073741822 files to be CRC checked");
}
