// The button bar: placing buttons, their states, and what reaches its parent.
#include "host_window.h"
#include "toolkit/btn_bar.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

using namespace toolkit_test;

namespace {

struct BarButton {
    const wchar_t* text;
    int width;
    int id;
    bool disabled;
    const wchar_t* hover;
};

const BarButton kSeven[] = {
    {L"&Scan", 60, 40001, false, L"Scan a disk"}, {L"&Compare", 70, 40003, true, L"Compare"},
    {L"&Load", 60, 40002, false, L"Load"},        {L"Sa&ve", 60, 40004, true, L"Save"},
    {L"&Print", 60, 40005, true, L"Print"},       {L"&About", 60, 40006, false, L"About"},
    {L"E&xit", 60, 40007, false, L"Exit"},
};

constexpr int kBarHeight = 28;

// Makes the creation of any window titled "Fail" fail, as a lack of resources would.
LRESULT CALLBACK FailNamedWindows(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lparam);
        const wchar_t* name = create->lpcs->lpszName;
        if (name && !IS_INTRESOURCE(name) && wcscmp(name, L"Fail") == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

class ButtonBar : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bar.CreateBar(host.Handle(), 0, 0, 480, kBarHeight));
    }
    void AddSeven()
    {
        ASSERT_TRUE(bar.AllocateButtons(7));
        for (const BarButton& b : kSeven)
            ASSERT_TRUE(bar.AddButton(b.text, b.width, b.id, b.disabled, b.hover));
    }
    HWND ButtonWindow(int id) const { return GetDlgItem(bar.Handle(), id); }
    RECT PlaceOf(int id) const
    {
        RECT r;
        GetWindowRect(ButtonWindow(id), &r);
        MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    HostWindow host;
    BtnBar bar;
};

} // namespace

TEST_F(ButtonBar, IsAChildOfItsOwnClassWithTheGivenPlace)
{
    wchar_t name[32];
    GetClassNameW(bar.Handle(), name, 32);
    EXPECT_STREQ(name, L"BtnBarClass");
    EXPECT_EQ(GetParent(bar.Handle()), host.Handle());
    EXPECT_TRUE(IsWindowVisible(bar.Handle()));
    RECT r;
    GetClientRect(bar.Handle(), &r);
    EXPECT_EQ(r.right, 480);
    EXPECT_EQ(r.bottom, kBarHeight);
    EXPECT_FALSE(bar.RegisterWindowClass()); // registered once, at construction
}

TEST_F(ButtonBar, SevenButtonsStartAtTheKnownPositions)
{
    AddSeven();
    const int expectedX[] = {2, 65, 138, 201, 264, 327, 390};
    for (int i = 0; i < 7; ++i) {
        RECT r = PlaceOf(kSeven[i].id);
        EXPECT_EQ(r.left, expectedX[i]) << "button " << i;
        EXPECT_EQ(r.right - r.left, kSeven[i].width);
        EXPECT_EQ(r.top, 3);
        EXPECT_EQ(r.bottom - r.top, kBarHeight - 6);
    }
    EXPECT_EQ(PlaceOf(40007).right, 450);
    EXPECT_EQ(bar.Count(), 7);
}

TEST_F(ButtonBar, AButtonThatCannotBeCreatedLeavesItsPlaceToTheNext)
{
    ASSERT_TRUE(bar.AllocateButtons(3));
    ASSERT_TRUE(bar.AddButton(L"&Scan", 60, 40001, false, L""));
    HHOOK hook = SetWindowsHookExW(WH_CBT, FailNamedWindows, nullptr, GetCurrentThreadId());
    EXPECT_FALSE(bar.AddButton(L"Fail", 70, 40003, false, L""));
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(bar.AddButton(L"&Load", 60, 40002, false, L""));
    EXPECT_EQ(PlaceOf(40002).left, 65);
    EXPECT_EQ(bar.Count(), 2);
    EXPECT_FALSE(bar.IsButtonEnabled(40003));
}

TEST_F(ButtonBar, NoButtonsBeyondTheAllocatedSlots)
{
    EXPECT_FALSE(bar.AddButton(L"&Scan", 60, 40001, false, L"")); // nothing allocated yet
    ASSERT_TRUE(bar.AllocateButtons(1));
    EXPECT_TRUE(bar.AddButton(L"&Scan", 60, 40001, false, L""));
    EXPECT_FALSE(bar.AddButton(L"&Load", 60, 40002, false, L""));
    EXPECT_EQ(ButtonWindow(40002), nullptr);
}

TEST_F(ButtonBar, ButtonsAreEnabledAndTestedByCommandId)
{
    EXPECT_FALSE(bar.IsButtonEnabled(40001)); // a bar without buttons
    AddSeven();
    EXPECT_TRUE(bar.IsButtonEnabled(40001));
    EXPECT_FALSE(bar.IsButtonEnabled(40005)); // added disabled
    bar.EnableButton(40005, true);
    EXPECT_TRUE(bar.IsButtonEnabled(40005));
    EXPECT_TRUE(IsWindowEnabled(ButtonWindow(40005)));
    bar.EnableButton(40001, false);
    EXPECT_FALSE(IsWindowEnabled(ButtonWindow(40001)));
    bar.EnableButton(12345, false); // not on the bar: nothing changes
    EXPECT_FALSE(bar.IsButtonEnabled(12345));
    for (const BarButton& b : kSeven)
        EXPECT_EQ(bar.IsButtonEnabled(b.id), IsWindowEnabled(ButtonWindow(b.id)) != FALSE);
}

TEST_F(ButtonBar, AClickReachesTheParentAsACommandFromTheBar)
{
    AddSeven();
    SendMessageW(ButtonWindow(40002), BM_CLICK, 0, 0);
    auto commands = host.Seen(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wparam, 40002u); // notification code 0
    EXPECT_EQ(commands[0].lparam, reinterpret_cast<LPARAM>(bar.Handle()));
}

TEST_F(ButtonBar, OtherNotificationsAreDropped)
{
    AddSeven();
    SendMessageW(bar.Handle(), WM_COMMAND, MAKEWPARAM(40002, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(ButtonWindow(40002)));
    SendMessageW(bar.Handle(), WM_COMMAND, MAKEWPARAM(40002, BN_DBLCLK),
                 reinterpret_cast<LPARAM>(ButtonWindow(40002)));
    EXPECT_TRUE(host.Seen(WM_COMMAND).empty());
}

TEST_F(ButtonBar, HoverTextsReachTheParentUnchanged)
{
    AddSeven();
    SetFocus(host.Handle());
    SendMessageW(ButtonWindow(40006), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    SendMessageW(bar.Handle(), WM_APP_HOVER, 5, 0x1234);
    auto hovers = host.Seen(WM_APP_HOVER);
    ASSERT_EQ(hovers.size(), 2u);
    EXPECT_EQ(hovers[0].wparam, 40006u);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(hovers[0].lparam), L"About");
    EXPECT_EQ(hovers[1].wparam, 5u);
    EXPECT_EQ(hovers[1].lparam, 0x1234);
}
