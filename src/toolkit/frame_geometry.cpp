#include "toolkit/frame_geometry.h"

int BarHeightFor(int charHeight)
{
    return charHeight + 12;
}

int ButtonHeightFor(int barHeight)
{
    return barHeight - 2 * kButtonTop;
}

PaneLayout ComputePaneLayout(int clientWidth, int clientHeight, int barHeight, int statusHeight)
{
    PaneLayout layout;
    layout.bar = {0, 0, clientWidth, barHeight};
    layout.list = {0, barHeight, clientWidth, clientHeight - barHeight - statusHeight};
    layout.status = {0, clientHeight - statusHeight, clientWidth, statusHeight};
    return layout;
}
