#include "toolkit/center_math.h"

namespace {

// One axis: the middle of the area minus half the window, kept inside the
// area's far edge and never below 0. Halvings truncate toward zero.
int CenteredStart(int areaLow, int areaHigh, int size)
{
    int start = areaLow + (areaHigh - areaLow + 1) / 2 - size / 2;
    int limit = areaHigh - size;
    if (limit < start)
        start = limit;
    return start <= 0 ? 0 : start;
}

} // namespace

WindowPlacement CenteredPlacement(const ScreenRect& area, const ScreenRect& window)
{
    WindowPlacement p;
    p.width = window.right - window.left + 1;
    p.height = window.bottom - window.top + 1;
    p.x = CenteredStart(area.left, area.right, p.width);
    p.y = CenteredStart(area.top, area.bottom, p.height);
    return p;
}
