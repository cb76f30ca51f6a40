#include "toolkit/center_math.h"

#include <gtest/gtest.h>

namespace {

// A primary monitor of 1920 x 1080 with a taskbar of 40 at the bottom, and
// one of 1280 x 1024 left of it, its top 200 above the primary's.
const ScreenRect kPrimaryWork{0, 0, 1920, 1040};
const ScreenRect kLeftWork{-1280, -200, 0, 824};

struct Case {
    const char* name;
    ScreenRect area;
    ScreenRect window;
    ScreenRect work;
    int x, y;
};

const Case kCases[] = {
    // Centred: 1001/2 - 201/2 = 500 - 100; 701/2 - 101/2 = 350 - 50.
    {"over an area at the origin", {0, 0, 1000, 700}, {0, 0, 200, 100}, kPrimaryWork, 400, 300},
    {"over an owner away from the origin", {100, 50, 500, 450}, {0, 0, 100, 100}, kPrimaryWork,
     100 + 401 / 2 - 101 / 2, 50 + 401 / 2 - 101 / 2},
    // On the monitor left of and above the primary one, it stays there.
    {"over an owner on the left monitor", {-1000, -100, -400, 400}, {0, 0, 300, 200}, kLeftWork,
     -1000 + 601 / 2 - 301 / 2, -100 + 501 / 2 - 201 / 2},
    // An owner near the work area's far edges: the box ends at them.
    {"past the far edges", {1800, 950, 1919, 1039}, {0, 0, 300, 200}, kPrimaryWork, 1920 - 301,
     1040 - 201},
    // An owner partly above and left of its monitor: the box starts at its edges.
    {"before the near edges", {-1400, -300, -1200, -150}, {0, 0, 300, 200}, kLeftWork, -1280, -200},
    // Larger than the work area: its top left corner shows.
    {"larger than the work area", {0, 0, 1919, 1039}, {0, 0, 2500, 1500}, kPrimaryWork, 0, 0},
    // Odd sizes round the halves down: area 0..10 counts 11 (half 5), a 0..2
    // window 3 (half 1).
    {"odd sizes", {0, 0, 10, 10}, {0, 0, 2, 2}, kPrimaryWork, 4, 4},
    {"even sizes", {0, 0, 11, 11}, {0, 0, 3, 3}, kPrimaryWork, 4, 4},
};

}  // namespace

TEST(CenteredPlacement, CentresOverTheAreaWithinTheMonitorsWorkArea)
{
    for (const Case& c : kCases) {
        const WindowPlacement p = CenteredPlacement(c.area, c.window, c.work);
        EXPECT_EQ(p.x, c.x) << c.name;
        EXPECT_EQ(p.y, c.y) << c.name;
        // Counted inclusively: one pixel more each way.
        EXPECT_EQ(p.width, c.window.right - c.window.left + 1) << c.name;
        EXPECT_EQ(p.height, c.window.bottom - c.window.top + 1) << c.name;
    }
}
