#include "toolkit/line_extent.h"

#include <gtest/gtest.h>

// Every character 6 pixels wide; the list's indent of one pixel on each side.
TEST(LineExtent, FollowsTheTextAndItsTabStops)
{
    const RunWidth sixEach = [](std::wstring_view run) { return static_cast<int>(run.size()) * 6; };
    const TabStops every75{{}, 75}, every73{{}, 73}, positions{{20, 100}, 48};
    const struct {
        const wchar_t* line;
        const TabStops* tabs;
        int extent;
    } cases[] = {
        {L"", &every75, 2},
        {L"CA6598D0\tC:\\x", &every75, 75 + 24 + 1},      // the path starts at the stop
        {L"abcdefghijkl\tx", &every73, 146 + 6 + 1},     // text ending on a stop: the next one
        {L"\t\tx", &every75, 150 + 6 + 1},
        {L"\tx\ty\tz", &positions, 144 + 6 + 1},         // the positions, then every 48
        {L"ab\tcd", nullptr, 1 + 30 + 1},                // tabs shown as characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineExtent(c.line, c.tabs, sixEach), c.extent) << static_cast<const void*>(c.line);
}

TEST(ListTabStops, DialogUnitsAreQuartersOfTheAverageLetterWidth)
{
    EXPECT_EQ(AverageCharWidth(338), 7);   // 13 pixels per two letters: 6.5 rounds up
    EXPECT_EQ(AverageCharWidth(337), 6);
    // One value repeats: 50 units of 7 pixels are 87.5, rounded up.
    EXPECT_EQ(ListTabStops({50}, 7, 6).spacing, 88);
    // Several are positions, followed by eight average widths; none, those alone.
    const TabStops two = ListTabStops({16, 32}, 6, 5);
    EXPECT_EQ(two.stops, (std::vector<int>{24, 48}));
    EXPECT_EQ(two.spacing, 40);
    EXPECT_EQ(ListTabStops({}, 6, 5).spacing, 40);
}
