// Commands from buttons and accelerators, closing, and the main loop.
#include "support/app_fixture.h"
#include "support/box_answerer.h"
#include "support/window_shot.h"

#include "app/main_window.h"
#include "resource.h"
#include "scan/progress_dialog.h"
#include "app/program.h"
#include "app/result_list.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace app_fixture;

namespace {

// Holds Alt down in this thread's keyboard state while the posted key is
// handled, as the keyboard would have it.
class AltHeld {
public:
    AltHeld()
    {
        GetKeyboardState(saved);
        BYTE state[256];
        std::copy(saved, saved + 256, state);
        state[VK_MENU] = 0x80;
        state[VK_LMENU] = 0x80;
        SetKeyboardState(state);
    }
    ~AltHeld() { SetKeyboardState(saved); }

private:
    BYTE saved[256];
};

// Ends a main loop that would otherwise wait forever, with a code of its own.
class LoopDeadline {
public:
    explicit LoopDeadline(UINT ms) : timer(SetTimer(nullptr, 0, ms, Expired)) {}
    ~LoopDeadline() { KillTimer(nullptr, timer); }
    static constexpr int kCode = 99;

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        PostQuitMessage(kCode);
    }
    UINT_PTR timer;
};

bool HasLine(const SeenBox& box, const wchar_t* line)
{
    return std::find(box.lines.begin(), box.lines.end(), line) != box.lines.end();
}

}  // namespace

TEST(AppCommands, AltAShowsTheAboutBoxThroughTheAccelerators)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    BoxAnswerer answerer(BoxQuery::ForBox(), L"&Ok");
    PostAltKey('A');
    ASSERT_TRUE(answerer.Finish());
    SeenBox about = answerer.First();
    ASSERT_GE(about.lines.size(), 2u);
    EXPECT_EQ(about.lines[0], L"" FERROW_NAME_TEXT " " FERROW_VERSION_TEXT);
    EXPECT_FALSE(about.lines[1].empty());
    EXPECT_TRUE(IsWindowEnabled(MainWindowHandle()));
}

TEST(AppCommands, AltPWhilePrintIsDisabledDoesNothing)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    ASSERT_FALSE(ButtonEnabled(IDM_PRINT));
    auto linesBefore = ListLines();
    BoxRules watch(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    PostAltKey('P');
    PumpIdle(300);
    EXPECT_TRUE(watch.Stop().empty());
    EXPECT_EQ(ListLines(), linesBefore);
    EXPECT_EQ(StatusText(0), L"");
    EXPECT_TRUE(IsWindow(MainWindowHandle()));
}

TEST(AppCommands, CompareAndSaveCommandsWhileDisabledDoNothing)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    auto linesBefore = ListLines();
    BoxRules watch(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    PostCommand(IDM_COMPARE);
    PostCommand(IDM_SAVE);
    PostCommand(IDM_PRINT);
    PumpIdle(300);
    EXPECT_TRUE(watch.Stop().empty());
    EXPECT_EQ(ListLines(), linesBefore);
}

TEST(AppCommands, AboutButtonShowsTheAboutTextAndOkClosesIt)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    ScreenShot shot;
    BoxAnswerer answerer(BoxQuery::ForBox(), [&shot](HWND box) {
        shot = CapturePainted(box);
        return ClickBoxButton(box, L"&Ok");
    });
    PostCommand(IDM_ABOUT);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(answerer.First().lines.at(0), L"" FERROW_NAME_TEXT " " FERROW_VERSION_TEXT);
    ASSERT_FALSE(shot.Empty());
    EXPECT_TRUE(shot.SaveBmp(TestOutputDir() + L"\\app_about_box.bmp"));
    // The box's grey face with the icon and the text on it.
    EXPECT_GT(shot.CountColour(RGB(192, 192, 192)), shot.width * shot.height / 4);
    EXPECT_GE(shot.DistinctColours(), 5);
    EXPECT_EQ(FindBox(BoxQuery::ForBox()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(MainWindowHandle()));
}

TEST(AppCommands, UnknownCommandIsIgnored)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    auto linesBefore = ListLines();
    BoxRules watch(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    PostCommand(40008);
    PostCommand(40000);
    EXPECT_TRUE(watch.Stop().empty());
    EXPECT_EQ(ListLines(), linesBefore);
    EXPECT_TRUE(IsWindow(MainWindowHandle()));
}

TEST(AppClose, ExitWithUnsavedResultsAsksAndCancelKeepsTheWindow)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    programState.state.unsaved = 1;
    BoxAnswerer answerer(BoxQuery::ForBox(), L"&Cancel");
    PostCommand(IDM_EXIT);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_TRUE(HasLine(answerer.First(), L"Save CRC's?"));
    PumpIdle(200);
    EXPECT_TRUE(IsWindow(MainWindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(MainWindowHandle()));
    EXPECT_FALSE(QuitSeen());
    EXPECT_EQ(programState.state.unsaved, 1);
}

TEST(AppClose, CloseBoxWithUnsavedResultsAsksAndCancelKeepsTheWindow)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    programState.state.unsaved = 1;
    BoxAnswerer answerer(BoxQuery::ForBox(), L"&Cancel");
    PostMessageW(MainWindowHandle(), WM_CLOSE, 0, 0);
    PumpIdle();
    ASSERT_TRUE(answerer.Finish());
    EXPECT_TRUE(HasLine(answerer.First(), L"Save CRC's?"));
    PumpIdle(200);
    EXPECT_TRUE(IsWindow(MainWindowHandle()));
    EXPECT_FALSE(QuitSeen());
}

TEST(AppClose, ExitWithUnsavedResultsAndNoEndsTheProgram)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND main = MainWindowHandle();
    programState.state.unsaved = 1;
    BoxAnswerer answerer(BoxQuery::ForBox(), L"&No");
    PostCommand(IDM_EXIT);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_TRUE(PumpUntil([] { return QuitSeen(); }, 5000));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(QuitCode(), 0);
}

TEST(AppClose, ExitWithNothingUnsavedEndsTheLoopWithCode0AndReleasesTheCrcs)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND main = MainWindowHandle();
    EXPECT_NE(programState.crcList.Data(), nullptr);
    EXPECT_EQ(programState.crcList.Capacity(), 10000);
    BoxRules watch(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    PostCommand(IDM_EXIT);
    EXPECT_TRUE(PumpUntil([] { return QuitSeen(); }, 5000));
    EXPECT_TRUE(watch.Stop().empty());
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(QuitCode(), 0);
    EXPECT_EQ(programState.crcList.Data(), nullptr);
}

TEST(AppLoop, RunMessageLoopReturnsTheQuitCodeAfterExit)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND main = MainWindowHandle();
    PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    LoopDeadline deadline(5000);
    EXPECT_EQ(mainWindow.RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(main));
}

TEST(AppLoop, RunMessageLoopHandsKeysToTheAccelerators)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND main = MainWindowHandle();
    // Alt+X is Exit: the loop must turn the key into the command and end.
    AltHeld alt;
    UINT scan = MapVirtualKeyW('X', MAPVK_VK_TO_VSC);
    PostMessageW(GetFocus() ? GetFocus() : main, WM_SYSKEYDOWN, 'X', 1 | (scan << 16) | (1 << 29));
    LoopDeadline deadline(5000);
    EXPECT_EQ(mainWindow.RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(main));
}

// While the progress dialog is open the loop gives it its dialog keys:
// Escape becomes its Cancel command, which is Abort.
TEST(AppLoop, EscapeInTheOpenProgressDialogAborts)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND dialog = progressDialog.Open(ListWindow(), L"Scanning files and folders", &programState.state.aborted);
    ASSERT_NE(dialog, nullptr);
    programState.state.aborted = 0;
    HWND abort = GetDlgItem(dialog, IDCANCEL);
    ASSERT_NE(abort, nullptr);
    SetFocus(abort);
    PostMessageW(abort, WM_KEYDOWN, VK_ESCAPE, 1);
    PumpIdle(200);
    EXPECT_EQ(programState.state.aborted, 1);
    progressDialog.Close();
    EXPECT_EQ(progressDialog.Handle(), nullptr);
}
