#pragma once

// Window-free arithmetic of CenterWindow, in screen coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Centres window over area. Width and height are counted inclusively
// (right - left + 1), so every centring grows the window by one pixel each way;
// a position that would not be positive becomes 0, so nothing moves off the
// top or left of the screen.
WindowPlacement CenteredPlacement(const ScreenRect& area, const ScreenRect& window);
