#include "toolkit/center_math.h"

#include <gtest/gtest.h>

TEST(CenteredPlacement, WorkedExampleOnAFullScreenArea)
{
    ScreenRect area{0, 0, 1000, 700};
    ScreenRect window{0, 0, 200, 100};
    WindowPlacement p = CenteredPlacement(area, window);
    EXPECT_EQ(p.width, 201);
    EXPECT_EQ(p.height, 101);
    EXPECT_EQ(p.x, 400); // 1001/2 - 201/2 = 500 - 100
    EXPECT_EQ(p.y, 300); // 701/2 - 101/2 = 350 - 50
}

TEST(CenteredPlacement, CentresOverAnOwnerAwayFromTheOrigin)
{
    ScreenRect owner{100, 50, 500, 450};
    ScreenRect window{0, 0, 100, 100};
    WindowPlacement p = CenteredPlacement(owner, window);
    EXPECT_EQ(p.x, 100 + 401 / 2 - 101 / 2);
    EXPECT_EQ(p.y, 50 + 401 / 2 - 101 / 2);
}

TEST(CenteredPlacement, WindowLargerThanItsOwnerGoesToZero)
{
    ScreenRect owner{300, 200, 400, 260};
    ScreenRect window{0, 0, 500, 300};
    WindowPlacement p = CenteredPlacement(owner, window);
    // The far-edge limit (400 - 501) wins and is negative.
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.width, 501);
}

TEST(CenteredPlacement, FarEdgeLimitWinsOverTheMiddle)
{
    // A 1-pixel-wide owner at 300: the middle would be 300 - 50, the limit 301 - 101.
    ScreenRect owner{300, 0, 301, 1000};
    ScreenRect window{0, 0, 100, 10};
    EXPECT_EQ(CenteredPlacement(owner, window).x, 200);
}

TEST(CenteredPlacement, OwnerAtNegativeCoordinatesStillGivesNoNegativePosition)
{
    ScreenRect owner{-500, -400, -200, -200};
    ScreenRect window{0, 0, 100, 100};
    WindowPlacement p = CenteredPlacement(owner, window);
    EXPECT_GE(p.x, 0);
    EXPECT_GE(p.y, 0);
    EXPECT_EQ(p.x, 0);
}

TEST(CenteredPlacement, OddSizesRoundTheHalvesDown)
{
    // Area 0..10 counts 11 pixels (half 5); a 0..2 rect counts 3 (half 1): x = 5 - 1.
    WindowPlacement p = CenteredPlacement({0, 0, 10, 10}, {0, 0, 2, 2});
    EXPECT_EQ(p.x, 4);
    EXPECT_EQ(p.width, 3);
    // Area 0..11 counts 12 (half 6); a 0..3 rect counts 4 (half 2): x = 6 - 2.
    EXPECT_EQ(CenteredPlacement({0, 0, 11, 11}, {0, 0, 3, 3}).x, 4);
}
