#include "toolkit/frame_geometry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FrameGeometry, BarIsCharacterHeightPlusTwelveAndButtonsSixLess)
{
    EXPECT_EQ(BarHeightFor(16), 28);
    EXPECT_EQ(ButtonHeightFor(28), 22);
    EXPECT_EQ(kButtonTop, 3);
}

TEST(ButtonRow, TheProgramsSevenButtonsStartAtTheKnownPositions)
{
    ButtonRow row;
    std::vector<int> starts;
    for (int width : {60, 70, 60, 60, 60, 60, 60}) {
        starts.push_back(row.NextX());
        row.Commit(width);
    }
    EXPECT_EQ(starts, (std::vector<int>{2, 65, 138, 201, 264, 327, 390}));
    EXPECT_EQ(row.NextX() - ButtonRow::kGap, 450); // the last one ends at 450
}

TEST(ButtonRow, AnUncommittedButtonLeavesItsPlaceToTheNext)
{
    ButtonRow row;
    row.Commit(60);
    int failedAt = row.NextX(); // this button could not be created: not committed
    EXPECT_EQ(row.NextX(), failedAt);
    row.Reset();
    EXPECT_EQ(row.NextX(), 2);
}

TEST(ComputePaneLayout, BarOnTopStatusAtTheBottomListBetween)
{
    PaneLayout l = ComputePaneLayout(640, 480, 28, 20);
    EXPECT_EQ(l.bar.x, 0);
    EXPECT_EQ(l.bar.y, 0);
    EXPECT_EQ(l.bar.width, 640);
    EXPECT_EQ(l.bar.height, 28);
    EXPECT_EQ(l.list.y, 28);
    EXPECT_EQ(l.list.width, 640);
    EXPECT_EQ(l.list.height, 480 - 28 - 20);
    EXPECT_EQ(l.status.y, 460);
    EXPECT_EQ(l.status.height, 20);
    EXPECT_EQ(l.status.width, 640);
}

TEST(ComputePaneLayout, HiddenStatusGivesTheListTheRestOfTheHeight)
{
    PaneLayout l = ComputePaneLayout(640, 480, 28, 0);
    EXPECT_EQ(l.list.y, 28);
    EXPECT_EQ(l.list.y + l.list.height, 480);
    EXPECT_EQ(l.status.y, 480);
    EXPECT_EQ(l.status.height, 0);
}
