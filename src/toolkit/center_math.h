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

// Centres window over area (the owner's rectangle, or the work area itself),
// then keeps it inside workArea (the work area of the monitor that holds the
// owner; its right and bottom edges are outside it): the far edges first,
// then the near ones, so that a window larger than the work area shows its
// top left corner. Width and height are counted inclusively
// (right - left + 1), so every centring grows the window by one pixel each
// way. Monitors left of or above the primary one have negative coordinates.
WindowPlacement CenteredPlacement(const ScreenRect& area, const ScreenRect& window,
                                  const ScreenRect& workArea);
