#include "toolkit/frame_colors.h"

FrameColors::FrameColors()
    : highlight(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow(GetSysColor(COLOR_BTNSHADOW))
{
}

void FrameColors::SetFrameRect(const RECT& r)
{
    x = r.left;
    y = r.top;
    width = r.right - r.left + 1;
    height = r.bottom - r.top + 1;
}

void FrameColors::DrawFrame(HDC dc) const
{
    if (width == -1)
        return;
    int right = x + width - 1;
    int bottom = y + height - 1;

    HPEN dark = CreatePen(PS_SOLID, 1, shadow);
    HGDIOBJ previous = SelectObject(dc, dark);
    MoveToEx(dc, x, bottom, nullptr);
    LineTo(dc, x, y);
    LineTo(dc, right, y);

    HPEN light = CreatePen(PS_SOLID, 1, highlight);
    SelectObject(dc, light);
    DeleteObject(dark);
    LineTo(dc, right, bottom);
    LineTo(dc, x, bottom);

    SelectObject(dc, previous);
    DeleteObject(light);
}
