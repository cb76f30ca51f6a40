#include "app/print_layout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// One printed page as the printing loop would produce it: copy, first list
// index, number of lines, first and last line number.
using Printed = std::tuple<int, int, int, int, int>;

std::vector<Printed> PrintedPages(const PrintPlan& plan)
{
    std::vector<Printed> pages;
    for (int copy = 0; copy < plan.copies; ++copy)
        for (int page = 0; page < plan.pagesPerCopy; ++page) {
            const PrintPage p = plan.Page(page);
            pages.emplace_back(copy, p.firstIndex, p.lineCount, plan.firstLine,
                               plan.firstLine + p.lineCount - 1);
        }
    return pages;
}

} // namespace

TEST(PrintLayout, LetterPageHoldsSixtyFiveLines)
{
    EXPECT_EQ(LinesPerPage(3300, 50, kPrintFirstLine, false), 65);
}

TEST(PrintLayout, TractorFeedTakesFiveLinesOff)
{
    EXPECT_EQ(LinesPerPage(3300, 50, kPrintFirstLine, true), 60);
}

TEST(PrintLayout, PartLineAtTheBottomIsNotUsed)
{
    EXPECT_EQ(LinesPerPage(3349, 50, kPrintFirstLine, false), 65);
    EXPECT_EQ(LinesPerPage(3350, 50, kPrintFirstLine, false), 66);
    EXPECT_EQ(LinesPerPage(3300, 50, 0, false), 66);
}

TEST(PrintLayout, TwoCopiesOfTwoPages)
{
    const PrintPlan plan = PlanPrintJob(130, 2, 3300, 50, false);
    EXPECT_FALSE(plan.pageTooShort);
    EXPECT_EQ(plan.TotalPages(), 4);
    const std::vector<Printed> expected = {
        {0, 0, 65, 1, 65}, {0, 65, 65, 1, 65}, {1, 0, 65, 1, 65}, {1, 65, 65, 1, 65}};
    EXPECT_EQ(PrintedPages(plan), expected);
}

TEST(PrintLayout, LastPageHoldsTheRest)
{
    const PrintPlan plan = PlanPrintJob(131, 1, 3300, 50, true);
    const std::vector<Printed> expected = {
        {0, 0, 60, 1, 60}, {0, 60, 60, 1, 60}, {0, 120, 11, 1, 11}};
    EXPECT_EQ(PrintedPages(plan), expected);
}

TEST(PrintLayout, CopyCountZeroPrintsNoPage)
{
    const PrintPlan plan = PlanPrintJob(130, 0, 3300, 50, false);
    EXPECT_EQ(plan.TotalPages(), 0);
    EXPECT_FALSE(plan.pageTooShort);
    EXPECT_TRUE(PrintedPages(plan).empty());
}

TEST(PrintLayout, CopyCountIsUnsignedSixteenBit)
{
    const PrintPlan plan = PlanPrintJob(1, 0xFFFF, 3300, 50, false);
    EXPECT_EQ(plan.copies, 65535);
    EXPECT_EQ(plan.TotalPages(), 65535);
}

TEST(PrintLayout, EmptyListPrintsNoPage)
{
    const PrintPlan plan = PlanPrintJob(0, 3, 3300, 50, false);
    EXPECT_EQ(plan.TotalPages(), 0);
    EXPECT_FALSE(plan.pageTooShort);
}

TEST(PrintLayout, PageTooShortForOneLinePrintsNothingAndSaysSo)
{
    // Six line heights less the tractor feed's five leave only line 0.
    const PrintPlan tractor = PlanPrintJob(10, 1, 349, 50, true);
    EXPECT_EQ(tractor.linesPerPage, 0);
    EXPECT_TRUE(tractor.pageTooShort);
    EXPECT_EQ(tractor.TotalPages(), 0);
    EXPECT_TRUE(PrintedPages(tractor).empty());

    const PrintPlan oneLine = PlanPrintJob(10, 1, 350, 50, true);
    EXPECT_FALSE(oneLine.pageTooShort);
    EXPECT_EQ(oneLine.TotalPages(), 10);

    const PrintPlan negative = PlanPrintJob(10, 1, 100, 50, true);
    EXPECT_LT(negative.linesPerPage, 0);
    EXPECT_TRUE(negative.pageTooShort);
    EXPECT_EQ(negative.TotalPages(), 0);
}

TEST(PrintLayout, NoLineHeightMeansNoLineFits)
{
    EXPECT_EQ(LinesPerPage(3300, 0, kPrintFirstLine, false), 0);
    const PrintPlan plan = PlanPrintJob(5, 1, 3300, 0, false);
    EXPECT_TRUE(plan.pageTooShort);
    EXPECT_EQ(plan.TotalPages(), 0);
}

TEST(PrintLayout, PageOutsideTheCopyIsEmpty)
{
    const PrintPlan plan = PlanPrintJob(130, 1, 3300, 50, false);
    EXPECT_EQ(plan.Page(2).lineCount, 0);
    EXPECT_EQ(plan.Page(-1).lineCount, 0);
}

TEST(PrintLayout, ResultLineSplitsAtItsFirstTab)
{
    const PrintColumns c = SplitAtFirstTab(L"0000ABCD\tC:\\data\\a\tb.txt");
    EXPECT_EQ(c.left, L"0000ABCD");
    EXPECT_TRUE(c.hasRight);
    EXPECT_EQ(c.right, L"C:\\data\\a\tb.txt");
}

TEST(PrintLayout, LineWithoutTabIsPrintedWholeOnTheLeft)
{
    const PrintColumns c = SplitAtFirstTab(L"  Total files:  3  Total folders:  1");
    EXPECT_EQ(c.left, L"  Total files:  3  Total folders:  1");
    EXPECT_FALSE(c.hasRight);
    EXPECT_TRUE(c.right.empty());
}

TEST(PrintLayout, TabAtTheEndLeavesAnEmptyRightColumn)
{
    const PrintColumns c = SplitAtFirstTab(L"\t");
    EXPECT_EQ(c.left, L"");
    EXPECT_TRUE(c.hasRight);
    EXPECT_EQ(c.right, L"");
}

TEST(PrintLayout, PathColumnIsTwelveCharactersRight)
{
    EXPECT_EQ(ColumnX(0, 9), 0);
    EXPECT_EQ(ColumnX(kPrintPathColumn, 9), 108);
    EXPECT_EQ(LineY(kPrintFirstLine, 50), 50);
    EXPECT_EQ(LineY(65, 50), 3250);  // the last line of a 3300-pixel page
}
