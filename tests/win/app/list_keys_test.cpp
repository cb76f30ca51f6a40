// Up, Down and Delete in the result list; every other key does nothing there.
#include "support/app_fixture.h"

#include "app/program.h"
#include "app/result_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app_fixture;

namespace {

using Lines = std::vector<std::wstring>;

// Three lines, line `current` selected, the list focused.
void ThreeLines(int current)
{
    HWND list = ListWindow();
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const wchar_t* line : {L"line 0", L"line 1", L"line 2"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    SendMessageW(list, LB_SETCURSEL, current, 0);
    SetFocus(list);
    PumpIdle();
}

void PressKey(WORD key)
{
    HWND list = ListWindow();
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(list, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageW(list, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
    PumpIdle();
}

class AppListKeys : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(app.StartResult(), 1); }
    RunningApp app;
};

}  // namespace

TEST_F(AppListKeys, DeleteOnTheMiddleLineSelectsTheLineBefore)
{
    ThreeLines(1);
    PressKey(VK_DELETE);
    EXPECT_EQ(ListLines(), (Lines{L"line 0", L"line 2"}));
    EXPECT_EQ(ListSelection(), 0);
}

TEST_F(AppListKeys, DeleteOnTheFirstLineSelectsTheNewFirstLine)
{
    ThreeLines(0);
    PressKey(VK_DELETE);
    EXPECT_EQ(ListLines(), (Lines{L"line 1", L"line 2"}));
    EXPECT_EQ(ListSelection(), 0);
}

TEST_F(AppListKeys, DeleteOnTheLastLineSelectsTheLineBefore)
{
    ThreeLines(2);
    PressKey(VK_DELETE);
    EXPECT_EQ(ListLines(), (Lines{L"line 0", L"line 1"}));
    EXPECT_EQ(ListSelection(), 1);
}

TEST_F(AppListKeys, DeletingEveryLineEmptiesTheList)
{
    ThreeLines(0);
    PressKey(VK_DELETE);
    PressKey(VK_DELETE);
    PressKey(VK_DELETE);
    EXPECT_TRUE(ListLines().empty());
    PressKey(VK_DELETE);
    EXPECT_TRUE(ListLines().empty());
}

TEST_F(AppListKeys, DeleteLeavesTheScanStateAlone)
{
    programState.state.unsaved = 1;
    programState.state.fileCount = 3;
    ThreeLines(1);
    PressKey(VK_DELETE);
    EXPECT_EQ(programState.state.unsaved, 1);
    EXPECT_EQ(programState.state.fileCount, 3);
    programState.state.unsaved = 0;
}

TEST_F(AppListKeys, UpAndDownMoveOneLine)
{
    ThreeLines(1);
    PressKey(VK_UP);
    EXPECT_EQ(ListSelection(), 0);
    PressKey(VK_DOWN);
    EXPECT_EQ(ListSelection(), 1);
    PressKey(VK_DOWN);
    EXPECT_EQ(ListSelection(), 2);
}

TEST_F(AppListKeys, UpOnTheFirstLineAndDownOnTheLastChangeNothing)
{
    ThreeLines(0);
    PressKey(VK_UP);
    EXPECT_EQ(ListSelection(), 0);
    ThreeLines(2);
    PressKey(VK_DOWN);
    EXPECT_EQ(ListSelection(), 2);
    EXPECT_EQ(ListLines().size(), 3u);
}

TEST_F(AppListKeys, HomeEndAndPageKeysDoNothing)
{
    ThreeLines(1);
    for (WORD key : {VK_HOME, VK_END, VK_NEXT, VK_PRIOR}) {
        PressKey(key);
        EXPECT_EQ(ListSelection(), 1) << key;
    }
    EXPECT_EQ(ListLines().size(), 3u);
}
