#include "toolkit/status_parts.h"

#include <gtest/gtest.h>

TEST(ComputePartEdges, OnePartEndsOneCharacterShortOfTheRightEnd)
{
    const int widths[] = {80};
    int edge = 0;
    for (int windowWidth : {300, 640, 1024}) {
        ComputePartEdges(windowWidth, 7, widths, 1, &edge);
        EXPECT_EQ(edge, windowWidth - 7);
    }
}

TEST(ComputePartEdges, TwoPartsEndAtTwoAndTwentyTwoCharactersShort)
{
    const int widths[] = {80, 20};
    int edges[2] = {};
    const int w = 800, a = 6;
    ComputePartEdges(w, a, widths, 2, edges);
    EXPECT_EQ(edges[1], w - 2 * a);
    EXPECT_EQ(edges[0], w - 22 * a);
}

TEST(ComputePartEdges, FirstPartWidthPlaysNoRole)
{
    const int narrow[] = {1, 20, 5};
    const int wide[] = {500, 20, 5};
    int a[3] = {}, b[3] = {};
    ComputePartEdges(1000, 8, narrow, 3, a);
    ComputePartEdges(1000, 8, wide, 3, b);
    EXPECT_EQ(a[0], b[0]);
    EXPECT_EQ(a[2], 1000 - 24);
    EXPECT_EQ(a[1], 1000 - 24 - 40);
    EXPECT_EQ(a[0], 1000 - 24 - 40 - 160);
}
