// The walk's per-file status text: stored for every file at once, drawn
// with a delay, and the bar always back on screen once the walk pauses.
#include "scan_fixture.h"

#include "app/globals.h"
#include "scan/walk_status.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

bool BarShownAndPainted(HWND bar)
{
    return IsWindowVisible(bar) && !GetUpdateRect(bar, nullptr, FALSE);
}

}  // namespace

TEST(WalkStatus, EveryPathIsStoredAtOnceAndTheBarCatchesUp)
{
    RunningApp app;
    app_fixture::PumpIdle();
    HWND bar = app_fixture::StatusWindow();
    ASSERT_TRUE(IsWindowVisible(bar));

    const wchar_t* paths[] = {L"C:\\one\\a.txt", L"C:\\one\\b.txt", L"C:\\two\\c.txt"};
    for (const wchar_t* path : paths) {
        ShowWalkPath(path);
        EXPECT_EQ(app_fixture::StatusText(), path);
    }
    EXPECT_TRUE(app_fixture::PumpUntil([bar] { return BarShownAndPainted(bar); }, 2000));
    EXPECT_EQ(app_fixture::StatusText(), paths[2]);
}

TEST(WalkStatus, AFinalTextAfterTheWalkIsShown)
{
    RunningApp app;
    app_fixture::PumpIdle();
    HWND bar = app_fixture::StatusWindow();
    ASSERT_TRUE(IsWindowVisible(bar));

    ShowWalkPath(L"C:\\one\\a.txt");
    ShowWalkPath(L"C:\\one\\b.txt");
    statusBar.SetText(0, L"Done");
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
    EXPECT_TRUE(app_fixture::PumpUntil([bar] { return BarShownAndPainted(bar); }, 2000));
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
}
