// The main frame: its panes, their layout, the status parts, closing.
#include "host_window.h"
#include "resource.h"
#include "toolkit/btn_bar.h"
#include "toolkit/frame_window.h"
#include "toolkit/list_box.h"
#include "toolkit/status_bar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace toolkit_test;

namespace {

bool QuitPending()
{
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

class TestFrame : public FrameWindow {
public:
    void OnDestroy() override { Note("OnDestroy"); }
    int OnShutdown() override { Note("OnShutdown"); return 0; }
    void OnAfterDestroy() override
    {
        Note("OnAfterDestroy");
        FrameWindow::OnAfterDestroy();
    }
    bool CanClose() override { return canClose; }
    bool ShowSelf() override { return showSelf; }

    // Each call, and whether the quit request was already posted when it ran.
    void Note(const char* call) { calls.push_back(std::string(call) + (QuitPending() ? "+quit" : "")); }

    std::vector<std::string> calls;
    bool canClose = true;
    bool showSelf = false;
};

RECT ClientPlaceOf(HWND child, HWND parent)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Average character width of the status window's font, as the status bar measures it.
int StatusCharWidth(HWND status)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(status, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC dc = GetDC(GetParent(status));
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(GetParent(status), dc);
    return tm.tmAveCharWidth;
}

std::vector<int> PartEdges(HWND status)
{
    int edges[8] = {};
    int n = static_cast<int>(SendMessageW(status, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + n);
}

class FrameWindowTest : public testing::Test {
protected:
    void Open(std::vector<std::pair<int, DWORD>> parts = {{80, 0}})
    {
        ASSERT_TRUE(status.AllocateParts(static_cast<int>(parts.size())));
        for (auto& part : parts)
            status.AddPart(part.first, part.second);
        ASSERT_TRUE(frame.CreateFrame(list, bar, status));
        frame.Show(SW_SHOW);
        Resize(640, 480);
    }
    void Resize(int width, int height)
    {
        MoveWindow(frame.Handle(), 0, 0, width, height, TRUE);
        GetClientRect(frame.Handle(), &client);
    }
    void TearDown() override
    {
        if (IsWindow(frame.Handle()))
            DestroyWindow(frame.Handle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    ListBox list;
    BtnBar bar;
    StatusBar status;
    TestFrame frame;
    RECT client{};
};

} // namespace

// Needs a fresh process (ctest runs each test in its own): the status takes the first id.
TEST_F(FrameWindowTest, CreatesTheFrameThenTheStatusBarThenTheBarAndTheList)
{
    Open();
    wchar_t name[64];
    GetClassNameW(frame.Handle(), name, 64);
    EXPECT_STREQ(name, L"MainClass");
    EXPECT_EQ(GetWindowLongW(frame.Handle(), GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    GetClassNameW(status.Handle(), name, 64);
    EXPECT_STREQ(name, STATUSCLASSNAMEW);
    EXPECT_EQ(GetDlgCtrlID(status.Handle()), 900);
    EXPECT_EQ(GetDlgCtrlID(list.Handle()), 901);
    GetClassNameW(list.Handle(), name, 64);
    EXPECT_STREQ(name, L"ListBox");
    EXPECT_TRUE(GetWindowLongW(list.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetParent(bar.Handle()), frame.Handle());
    EXPECT_EQ(GetParent(list.Handle()), frame.Handle());
}

TEST_F(FrameWindowTest, BarIsTheDisplayCharacterHeightPlusTwelve)
{
    Open();
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICW tm{};
    GetTextMetricsW(ic, &tm);
    DeleteDC(ic);
    EXPECT_EQ(frame.BarHeight(), tm.tmHeight + 12);
    RECT r = ClientPlaceOf(bar.Handle(), frame.Handle());
    EXPECT_EQ(r.bottom - r.top, tm.tmHeight + 12);
}

TEST_F(FrameWindowTest, LayoutStacksBarListAndStatus)
{
    Open();
    int barHeight = frame.BarHeight();
    int statusHeight = status.VisibleHeight();
    ASSERT_GT(statusHeight, 0);
    RECT b = ClientPlaceOf(bar.Handle(), frame.Handle());
    RECT l = ClientPlaceOf(list.Handle(), frame.Handle());
    RECT s = ClientPlaceOf(status.Handle(), frame.Handle());
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right, client.right);
    EXPECT_EQ(l.top, barHeight);
    EXPECT_EQ(l.right, client.right);
    EXPECT_EQ(l.bottom, client.bottom - statusHeight);
    EXPECT_EQ(s.bottom, client.bottom);
    EXPECT_EQ(s.right, client.right);
}

TEST_F(FrameWindowTest, HiddenStatusLetsTheListReachTheBottom)
{
    Open();
    ShowWindow(status.Handle(), SW_HIDE);
    EXPECT_EQ(status.VisibleHeight(), 0);
    frame.Layout();
    RECT l = ClientPlaceOf(list.Handle(), frame.Handle());
    EXPECT_EQ(l.top, frame.BarHeight());
    EXPECT_EQ(l.bottom, client.bottom);
}

TEST_F(FrameWindowTest, OnePartEndsOneCharacterShortOfTheRightEnd)
{
    Open();
    for (int width : {640, 500}) {
        Resize(width, 400);
        RECT r;
        GetWindowRect(status.Handle(), &r);
        int w = r.right - r.left;
        EXPECT_EQ(PartEdges(status.Handle()), std::vector<int>{w - StatusCharWidth(status.Handle())});
        EXPECT_EQ(status.PartEdges(), PartEdges(status.Handle()));
    }
}

TEST_F(FrameWindowTest, TwoPartsEndTwoAndTwentyTwoCharactersShort)
{
    Open({{80, 0}, {20, 0}});
    RECT r;
    GetWindowRect(status.Handle(), &r);
    int w = r.right - r.left;
    int a = StatusCharWidth(status.Handle());
    EXPECT_EQ(PartEdges(status.Handle()), (std::vector<int>{w - 22 * a, w - 2 * a}));
}

TEST_F(FrameWindowTest, PartsBeyondTheAllocatedOnesAreIgnored)
{
    ASSERT_TRUE(status.AllocateParts(1));
    status.AddPart(80, 0);
    status.AddPart(20, 0);
    ASSERT_TRUE(frame.CreateFrame(list, bar, status));
    EXPECT_EQ(PartEdges(status.Handle()).size(), 1u);
}

TEST_F(FrameWindowTest, TextGoesToItsPartWithThePartsStyle)
{
    Open({{80, SBT_POPOUT}});
    status.SetText(0, L"Done");
    status.SetText(1, L"no such part");
    wchar_t text[64] = L"";
    LRESULT info = SendMessageW(status.Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Done");
    EXPECT_EQ(HIWORD(info), SBT_POPOUT);
}

TEST_F(FrameWindowTest, DestroyRunsTheHandlersInOrderAndPostsTheQuitLast)
{
    Open();
    frame.calls.clear();
    ASSERT_FALSE(QuitPending());
    EXPECT_TRUE(frame.Destroy());
    EXPECT_EQ(frame.calls, (std::vector<std::string>{"OnDestroy", "OnShutdown", "OnAfterDestroy"}));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(FrameWindowTest, CloseAsksCanCloseFirst)
{
    Open();
    frame.canClose = false;
    SendMessageW(frame.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame.Handle()));
    EXPECT_FALSE(QuitPending());
    EXPECT_EQ(SendMessageW(frame.Handle(), WM_QUERYENDSESSION, 0, 0), 0);

    frame.canClose = true;
    EXPECT_EQ(SendMessageW(frame.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    HWND window = frame.Handle();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(frame.Handle(), nullptr);
    EXPECT_TRUE(QuitPending());
}

TEST_F(FrameWindowTest, FocusGoesOnToTheList)
{
    Open();
    SetFocus(bar.Handle());
    SetFocus(frame.Handle());
    EXPECT_EQ(GetFocus(), list.Handle());
}

TEST_F(FrameWindowTest, AFrameThatShowsItselfIsNotShownAgain)
{
    frame.showSelf = true;
    ASSERT_TRUE(status.AllocateParts(1));
    status.AddPart(80, 0);
    ASSERT_TRUE(frame.CreateFrame(list, bar, status));
    frame.Show(SW_SHOW);
    EXPECT_FALSE(IsWindowVisible(frame.Handle()));
}

TEST_F(FrameWindowTest, AcceleratorsComeFromTheModulesResources)
{
    Open();
    EXPECT_FALSE(frame.LoadAccelerators(4321));
    EXPECT_EQ(frame.Accelerators(), nullptr);
    ASSERT_TRUE(frame.LoadAccelerators(IDR_ACCELERATORS)); // linked into this exe too
    EXPECT_GT(CopyAcceleratorTableW(frame.Accelerators(), nullptr, 0), 0);
}

TEST_F(FrameWindowTest, ButtonClicksAndHoverTextsReachTheFrame)
{
    struct RecordingFrame : TestFrame {
        void OnCommand(int id, int code, HWND sender) override
        {
            commands.push_back({WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(sender)});
        }
        int OnOtherMessage(UINT msg, WPARAM wparam, LPARAM lparam) override
        {
            if (msg != WM_APP_HOVER)
                return 0;
            hovers.push_back({msg, wparam, lparam});
            return 1;
        }
        std::vector<SeenMessage> commands, hovers;
    } recording;
    ListBox otherList;
    BtnBar otherBar;
    StatusBar otherStatus;
    otherStatus.AllocateParts(1);
    otherStatus.AddPart(80, 0);
    ASSERT_TRUE(recording.CreateFrame(otherList, otherBar, otherStatus));
    ASSERT_TRUE(otherBar.AllocateButtons(1));
    ASSERT_TRUE(otherBar.AddButton(L"&Scan", 60, 40001, false, L"Scan a disk"));
    HWND scan = GetDlgItem(otherBar.Handle(), 40001);

    recording.commands.clear();
    SendMessageW(scan, BM_CLICK, 0, 0);
    std::vector<SeenMessage> fromBar;
    for (const SeenMessage& m : recording.commands) // the list reports its focus changes too
        if (m.lparam == reinterpret_cast<LPARAM>(otherBar.Handle()))
            fromBar.push_back(m);
    ASSERT_EQ(fromBar.size(), 1u);
    EXPECT_EQ(fromBar[0].wparam, 40001u);

    SetFocus(otherList.Handle());
    SendMessageW(scan, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_EQ(recording.hovers.size(), 1u);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(recording.hovers[0].lparam), L"Scan a disk");
    DestroyWindow(recording.Handle());
}
