// The walk's per-file status text: the first path at once, later ones a
// tick apart, the last one when the walk ends, and never one over a text
// the program set since.
#include "scan_fixture.h"

#include "app/frame_panes.h"
#include "app/program.h"
#include "scan/checks.h"
#include "app/result_list.h"
#include "app/walk_status.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

bool BarShownAndPainted(HWND bar)
{
    return IsWindowVisible(bar) && !GetUpdateRect(bar, nullptr, FALSE);
}

}  // namespace

TEST(WalkStatus, TheFirstPathShowsAtOnceAndTheLatestWithinATick)
{
    RunningApp app;
    app_fixture::PumpIdle();
    HWND bar = app_fixture::StatusWindow();
    ASSERT_TRUE(IsWindowVisible(bar));

    ShowWalkPath(L"C:\\one\\a.txt");
    EXPECT_EQ(app_fixture::StatusText(), L"C:\\one\\a.txt");
    ShowWalkPath(L"C:\\one\\b.txt");
    ShowWalkPath(L"C:\\two\\c.txt");
    EXPECT_EQ(app_fixture::StatusText(), L"C:\\one\\a.txt") << "no repaint per file";
    EXPECT_TRUE(app_fixture::PumpUntil(
        [] { return app_fixture::StatusText() == L"C:\\two\\c.txt"; }, 2000));
    EXPECT_TRUE(app_fixture::PumpUntil([bar] { return BarShownAndPainted(bar); }, 2000));
}

TEST(WalkStatus, TheEndOfAWalkShowsItsLastPath)
{
    RunningApp app;
    app_fixture::PumpIdle();
    {
        CheckSession session(programCommands.DiskChecks(), L"Checking");
        ShowWalkPath(L"C:\\one\\a.txt");
        ShowWalkPath(L"C:\\one\\b.txt");
    }
    EXPECT_EQ(app_fixture::StatusText(), L"C:\\one\\b.txt");
}

TEST(WalkStatus, TheTextSetAtTheEndOfAWalkStays)
{
    RunningApp app;
    app_fixture::PumpIdle();
    HWND bar = app_fixture::StatusWindow();
    {
        CheckSession session(programCommands.DiskChecks(), L"Checking");
        ShowWalkPath(L"C:\\one\\a.txt");
        ShowWalkPath(L"C:\\one\\b.txt");
        statusBar.SetText(0, L"Done");
    }
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
    const DWORD until = GetTickCount() + 4 * kWalkPathRepaintMs;
    app_fixture::PumpUntil([until] { return GetTickCount() > until; }, 2000);
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
    EXPECT_TRUE(app_fixture::PumpUntil([bar] { return BarShownAndPainted(bar); }, 2000));
}

TEST(WalkStatus, ATextSetDuringTheWalkGivesWayToTheNextPath)
{
    RunningApp app;
    app_fixture::PumpIdle();

    ShowWalkPath(L"C:\\one\\a.txt");
    ShowWalkPath(L"C:\\one\\b.txt");
    statusBar.SetText(0, L"Scan drive");
    app_fixture::PumpIdle(2 * kWalkPathRepaintMs);   // b is older than the text: dropped
    EXPECT_EQ(app_fixture::StatusText(), L"Scan drive");
    ShowWalkPath(L"C:\\one\\c.txt");
    EXPECT_TRUE(app_fixture::PumpUntil(
        [] { return app_fixture::StatusText() == L"C:\\one\\c.txt"; }, 2000));
}
