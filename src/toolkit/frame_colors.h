#pragma once
#include <windows.h>

// Sunken frame drawn around the text of a box: dark left and top edges,
// light right and bottom edges. width -1 draws nothing.
struct FrameColors {
    COLORREF highlight;
    COLORREF shadow;
    int x = 0, y = 0, width = -1, height = 0;

    // Starts with the system's button highlight and shadow colours and no rectangle.
    FrameColors();
    // The frame runs along the rectangle's edges, right and bottom included.
    void SetFrameRect(const RECT& r);
    void DrawFrame(HDC dc) const;
};
