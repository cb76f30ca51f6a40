#include "toolkit/line_extent.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every character 6 pixels wide, tabs never measured.
const RunWidth kSixEach = [](std::wstring_view run) {
    EXPECT_EQ(run.find(L'\t'), std::wstring_view::npos);
    return static_cast<int>(run.size()) * 6;
};

struct ExtentCase {
    const wchar_t* line;
    TabStops tabs;
    int extent;
};

} // namespace

// From the list's left edge: the one-pixel indent, the text with its tabs
// expanded, one pixel after it.
TEST(LineExtent, FollowsTheTextAndItsTabStops)
{
    const TabStops every75{{}, 75};
    const TabStops positions{{20, 100}, 48};
    const ExtentCase cases[] = {
        {L"", every75, 2},
        {L"abc", every75, 1 + 18 + 1},
        // The result line: eight digits, then the path from the first stop.
        {L"CA6598D0\tC:\\x", every75, 75 + 24 + 1},
        // Text that ends on a stop moves on to the next one.
        {L"abcdefghijkl\tx", {{}, 73}, 146 + 6 + 1},
        {L"\t\tx", every75, 150 + 6 + 1},
        {L"x\t", every75, 75 + 1},
        // Explicit positions first, then the spacing beyond them.
        {L"\tx\ty\tz", positions, 144 + 6 + 1},
        {L"abcd\tx", positions, 100 + 6 + 1},
        // No stops at all: tabs move nothing.
        {L"a\tb", {{}, 0}, 1 + 12 + 1},
    };
    for (const ExtentCase& c : cases) {
        SCOPED_TRACE(std::wstring(c.line).size());
        EXPECT_EQ(LineExtent(c.line, &c.tabs, kSixEach), c.extent);
    }
}

TEST(LineExtent, AListWithoutTabStopsMeasuresTheWholeLine)
{
    const RunWidth wholeLine = [](std::wstring_view run) { return static_cast<int>(run.size()) * 6; };
    EXPECT_EQ(LineExtent(L"ab\tcd", nullptr, wholeLine), 1 + 30 + 1);
}

TEST(ListTabStops, DialogUnitsAreQuartersOfTheAverageLetterWidth)
{
    // One value repeats; 50 units of a 7-pixel base unit are 87.5, rounded up.
    const TabStops one = ListTabStops({50}, 7, 6);
    EXPECT_TRUE(one.stops.empty());
    EXPECT_EQ(one.spacing, 88);
    // Several are positions, followed by eight average widths.
    const TabStops two = ListTabStops({16, 32}, 6, 5);
    EXPECT_EQ(two.stops, (std::vector<int>{24, 48}));
    EXPECT_EQ(two.spacing, 40);
    // None: eight average widths only.
    const TabStops none = ListTabStops({}, 6, 5);
    EXPECT_TRUE(none.stops.empty());
    EXPECT_EQ(none.spacing, 40);
}

TEST(AverageCharWidth, IsHalfTheWidthOfTwoLettersRounded)
{
    EXPECT_EQ(AverageCharWidth(52 * 7), 7);
    EXPECT_EQ(AverageCharWidth(338), 7);   // 13 per two letters: 6.5 rounds up
    EXPECT_EQ(AverageCharWidth(337), 6);
}

TEST(NextTabStop, IsTheFirstStopBeyondThePosition)
{
    const TabStops tabs{{10, 30}, 25};
    EXPECT_EQ(NextTabStop(0, tabs), 10);
    EXPECT_EQ(NextTabStop(10, tabs), 30);
    EXPECT_EQ(NextTabStop(30, tabs), 50);
    EXPECT_EQ(NextTabStop(74, tabs), 75);
    EXPECT_EQ(NextTabStop(5, {{}, 0}), 5);
}
