#include "toolkit/center_math.h"

namespace {

// One axis: the middle of the area minus half the window, kept within the
// work area. Halvings truncate toward zero.
int CenteredStart(int areaLow, int areaHigh, int size, int workLow, int workHigh)
{
    int start = areaLow + (areaHigh - areaLow + 1) / 2 - size / 2;
    if (start > workHigh - size)
        start = workHigh - size;
    if (start < workLow)
        start = workLow;
    return start;
}

} // namespace

WindowPlacement CenteredPlacement(const ScreenRect& area, const ScreenRect& window,
                                  const ScreenRect& workArea)
{
    WindowPlacement p;
    p.width = window.right - window.left + 1;
    p.height = window.bottom - window.top + 1;
    p.x = CenteredStart(area.left, area.right, p.width, workArea.left, workArea.right);
    p.y = CenteredStart(area.top, area.bottom, p.height, workArea.top, workArea.bottom);
    return p;
}
