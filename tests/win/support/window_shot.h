#pragma once
// Pictures of what is on the screen, for checks that a window shows up where
// it should and is not blank, and for saving as BMP files beside the tests.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ScreenShot {
    RECT area{};                  // screen coordinates that were captured
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rows;   // 0x00RRGGBB per pixel, top row first

    bool Empty() const { return rows.empty(); }
    // The colour at (x, y) of the picture as a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const;
    // How many pixels inside r (picture coordinates) have exactly this colour.
    int CountColour(COLORREF colour, const RECT& r) const;
    int CountColour(COLORREF colour) const;
    int DistinctColours() const;
    // Writes a 24-bit BMP file.
    bool SaveBmp(const std::wstring& path) const;
};

// Copies a rectangle of the screen as it is shown now.
ScreenShot CaptureScreen(const RECT& screenRect);
// The window's rectangle on the screen (what lies on top of it included).
ScreenShot CaptureWindow(HWND hwnd);
// The same, from another thread than the window's, once that thread has
// painted all of the window and its children that was waiting to be painted
// (or after timeoutMs): a paint under way is not caught half done, however
// slowly the machine runs.
ScreenShot CapturePainted(HWND hwnd, DWORD timeoutMs = 10000);
// Waits for the same from another thread: false when the time ran out first.
bool WaitUntilPainted(HWND hwnd, DWORD timeoutMs = 10000);
// The folder for pictures and other files that a test run leaves behind:
// "test-output" beside the test program; created when missing.
std::wstring TestOutputDir();
