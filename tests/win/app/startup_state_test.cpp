// What the user sees right after the program starts without a command-line item.
#include "support/app_fixture.h"
#include "support/window_shot.h"

#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app_fixture;

namespace {

const std::vector<std::wstring> kUsage = {
    L"",
    L"Purpose:",
    L"   1. Calculate the CRC's for all the files on a disk.",
    L"       They will be stored in a file so that they can",
    L"       be compared with the same or another disk.",
    L"",
    L"   2. Calculate the CRC's of individual files or folders.",
    L"",
    L"",
    L"",
    L"",
    L"\t  ***   Drag files or folders here   ***",
};

RECT WindowRect(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

}  // namespace

TEST(AppStartup, ListShowsTheTwelveUsageLines)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), kUsage);
    EXPECT_EQ(ListSelection(), LB_ERR);
    EXPECT_EQ(programState.state.clearOnDrop, 1);
}

TEST(AppStartup, CommandLineOfOnlySpacesShowsTheUsageLines)
{
    RunningApp app(L"    ");
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), kUsage);
    EXPECT_EQ(programState.state.clearOnDrop, 1);
}

TEST(AppStartup, CompareSaveAndPrintStartDisabled)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_TRUE(ButtonEnabled(IDM_SCAN));
    EXPECT_TRUE(ButtonEnabled(IDM_LOAD));
    EXPECT_TRUE(ButtonEnabled(IDM_ABOUT));
    EXPECT_TRUE(ButtonEnabled(IDM_EXIT));
    EXPECT_FALSE(ButtonEnabled(IDM_COMPARE));
    EXPECT_FALSE(ButtonEnabled(IDM_SAVE));
    EXPECT_FALSE(ButtonEnabled(IDM_PRINT));
    // What the user sees: the windows themselves are greyed.
    EXPECT_FALSE(IsWindowEnabled(ButtonWindow(IDM_PRINT)));
    EXPECT_TRUE(IsWindowEnabled(ButtonWindow(IDM_SCAN)));
}

TEST(AppStartup, ButtonsInBarOrderWithTheirTexts)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    struct Expected { int id; const wchar_t* text; int x; int width; };
    const Expected buttons[] = {
        {IDM_SCAN, L"&Scan", 2, 60},     {IDM_COMPARE, L"&Compare", 65, 70}, {IDM_LOAD, L"&Load", 138, 60},
        {IDM_SAVE, L"Sa&ve", 201, 60},   {IDM_PRINT, L"&Print", 264, 60},    {IDM_ABOUT, L"&About", 327, 60},
        {IDM_EXIT, L"E&xit", 390, 60},
    };
    for (const Expected& b : buttons) {
        HWND button = ButtonWindow(b.id);
        ASSERT_NE(button, nullptr) << b.id;
        wchar_t text[32] = {};
        GetWindowTextW(button, text, 32);
        EXPECT_STREQ(text, b.text);
        RECT r{};
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, BarWindow(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, b.x) << b.id;
        EXPECT_EQ(r.right - r.left, b.width) << b.id;
    }
}

TEST(AppStartup, TitleIsFerrow)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(Title(), L"Ferrow");
    wchar_t className[32] = {};
    GetClassNameW(MainWindowHandle(), className, 32);
    EXPECT_STREQ(className, L"MainClass");
}

// Centring counts the window's size inclusively, so the 470 x 400 window
// comes out one pixel larger each way, in the middle of the work area (the
// screen without the taskbar) of its monitor.
TEST(AppStartup, WindowIs470By400AndCentredOnTheScreen)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND main = MainWindowHandle();
    EXPECT_TRUE(IsWindowVisible(main));
    RECT r = WindowRect(main);
    EXPECT_EQ(r.right - r.left, 471);
    EXPECT_EQ(r.bottom - r.top, 401);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST(AppStartup, ListHasItsResultStyle)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    LONG_PTR style = GetWindowLongPtrW(ListWindow(), GWL_STYLE);
    // LBS_SORT would reorder lines; tab stops, keys and notifications are needed.
    EXPECT_EQ(style & LBS_SORT, 0);
    EXPECT_EQ(style & (LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT | LBS_NOTIFY),
              LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT | LBS_NOTIFY);
}

// The list's one tab stop is at 50 quarter-characters: the text after a tab
// starts 12.5 average character widths from the line's start, not at the
// default stop of 8 characters.
TEST(AppStartup, TextAfterATabStartsAtTheListsTabStop)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND list = ListWindow();
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"\tW"));
    PumpIdle(200);

    // The list's average character width, measured the way list boxes measure it.
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    const wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    GetTextExtentPoint32W(dc, letters, 52, &size);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    int averageWidth = (size.cx / 26 + 1) / 2;
    int tabStop = MulDiv(50, averageWidth, 4);

    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
    ScreenShot shot = CaptureScreen(item);
    ASSERT_FALSE(shot.Empty());
    COLORREF background = GetSysColor(COLOR_WINDOW);
    int firstInk = -1;
    // Inside the item, away from the focus rectangle along its edges.
    for (int x = 3; x < shot.width - 3 && firstInk < 0; ++x)
        for (int y = 2; y < shot.height - 2; ++y)
            if (shot.At(x, y) != background) {
                firstInk = x;
                break;
            }
    ASSERT_GE(firstInk, 0) << "the line is not drawn";
    EXPECT_GE(firstInk, tabStop - 2);
    EXPECT_LE(firstInk, tabStop + 6);
}

TEST(AppStartup, PointerOverAButtonShowsItsHoverText)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(StatusText(0), L"");
    HWND scan = ButtonWindow(IDM_SCAN);
    ASSERT_NE(GetFocus(), scan);
    SendMessageW(scan, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(StatusText(0), L"Scan new CD");
    SendMessageW(ButtonWindow(IDM_COMPARE), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(StatusText(0), L"Compare a previously scanned disk");
    SendMessageW(ButtonWindow(IDM_EXIT), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(StatusText(0), L"Exit the program");
}

TEST(AppStartup, ScreenshotShowsTheWholeWindowWithItsPanes)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    PumpIdle(300);
    HWND main = MainWindowHandle();
    ScreenShot shot = CaptureWindow(main);
    ASSERT_FALSE(shot.Empty());
    std::wstring path = TestOutputDir() + L"\\app_main_window.bmp";
    EXPECT_TRUE(shot.SaveBmp(path));

    // Wholly on the screen, so the picture shows all of it.
    EXPECT_GE(shot.area.left, 0);
    EXPECT_GE(shot.area.top, 0);
    EXPECT_LE(shot.area.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(shot.area.bottom, GetSystemMetrics(SM_CYSCREEN));
    // Not blank: bar, buttons, list and status bar give several colours.
    EXPECT_GE(shot.DistinctColours(), 4);
    // The list's white surface fills the middle of the window.
    RECT list{};
    GetWindowRect(ListWindow(), &list);
    RECT inList{list.left - shot.area.left + 5, list.top - shot.area.top + 200,
                list.right - shot.area.left - 30, list.bottom - shot.area.top - 5};
    int area = (inList.right - inList.left) * (inList.bottom - inList.top);
    EXPECT_GT(shot.CountColour(GetSysColor(COLOR_WINDOW), inList), area * 9 / 10);
    // The button bar sits on top of the list, on its grey background.
    RECT bar{};
    GetWindowRect(BarWindow(), &bar);
    EXPECT_LE(bar.bottom, list.top);
    // Between Scan (ending at x 62) and Compare (starting at x 65).
    RECT barGap{bar.left + 62 - shot.area.left, bar.top + 5 - shot.area.top, bar.left + 65 - shot.area.left,
                bar.bottom - 5 - shot.area.top};
    EXPECT_GT(shot.CountColour(RGB(128, 128, 128), barGap), 0);
}
