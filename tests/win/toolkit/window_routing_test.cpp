// Window objects: creation and destruction, the message table, CenterWindow.
#include "host_window.h"
#include "support/box_answerer.h"
#include "toolkit/button.h"
#include "toolkit/window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace toolkit_test;

namespace {

const wchar_t kProbeClass[] = L"ToolkitProbe";

// A window of a class of its own that notes which handlers ran.
class ProbeWindow : public Window {
public:
    ProbeWindow() { style = WS_OVERLAPPEDWINDOW | WS_VISIBLE; }

    bool RegisterWindowClass() override
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kProbeClass;
        return RegisterClassW(&wc) != 0;
    }
    bool Open()
    {
        RegisterWindowClass();
        return CreateHandle(kProbeClass, nullptr, nullptr, L"Probe", 10, 10, 300, 200);
    }
    void Adopt(HWND other) { hwnd = other; }

    bool OnCreate() override { calls.push_back("OnCreate"); return acceptCreate; }
    void OnDestroy() override { calls.push_back("OnDestroy"); }
    int OnShutdown() override { calls.push_back("OnShutdown"); return 0; }
    void OnAfterDestroy() override { calls.push_back("OnAfterDestroy"); }
    void OnEndSession(WPARAM, LPARAM) override { calls.push_back("OnEndSession"); }
    void OnCommand(WPARAM wparam, LPARAM lparam) override
    {
        if (throwOnCommand)
            throw std::runtime_error("handler failed");
        commands.push_back({WM_COMMAND, wparam, lparam});
    }
    void OnNotify(WPARAM wparam, LPARAM lparam) override { notifies.push_back({WM_NOTIFY, wparam, lparam}); }
    int OnOtherMessage(UINT msg, WPARAM, LPARAM) override { return msg == WM_GETTEXTLENGTH; }

    std::vector<std::string> calls;
    std::vector<SeenMessage> commands;
    std::vector<SeenMessage> notifies;
    bool acceptCreate = true;
    bool throwOnCommand = false;
};

// A button that answers every notification record with 5.
class NotifiedButton : public Button {
public:
    LRESULT OnNotify(NMHDR* record) override
    {
        codes.push_back(record->code);
        return 5;
    }
    std::vector<UINT> codes;
};

int CountProbeWindows()
{
    int n = 0;
    for (HWND w = FindWindowW(kProbeClass, nullptr); w; w = FindWindowExW(nullptr, w, kProbeClass, nullptr))
        ++n;
    return n;
}

RECT RectOf(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

HWND MakePopup(HWND owner, int x, int y, int width, int height)
{
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, x, y, width, height, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(WindowObject, CreationReachesOnCreateAndBindsTheWindow)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    ASSERT_NE(probe.Handle(), nullptr);
    EXPECT_EQ(probe.calls, std::vector<std::string>{"OnCreate"});
    wchar_t name[32];
    GetClassNameW(probe.Handle(), name, 32);
    EXPECT_STREQ(name, kProbeClass);
    probe.Destroy();
}

TEST(WindowObject, RefusedOnCreateFailsTheCreation)
{
    ProbeWindow probe;
    probe.acceptCreate = false;
    EXPECT_FALSE(probe.Open());
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_EQ(CountProbeWindows(), 0);
}

TEST(WindowObject, SecondCreateHandleCreatesNothing)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    HWND first = probe.Handle();
    EXPECT_TRUE(probe.Open());
    EXPECT_EQ(probe.Handle(), first);
    EXPECT_EQ(CountProbeWindows(), 1);
    EXPECT_EQ(probe.calls.size(), 1u);
    probe.Destroy();
}

TEST(WindowObject, DestroyRunsTheThreeHandlersInOrderAndAllowsANewWindow)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    HWND first = probe.Handle();
    probe.calls.clear();
    EXPECT_TRUE(probe.Destroy());
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(probe.calls, (std::vector<std::string>{"OnDestroy", "OnShutdown", "OnAfterDestroy"}));
    ASSERT_TRUE(probe.Open());
    EXPECT_TRUE(IsWindow(probe.Handle()));
    probe.Destroy();
}

TEST(WindowObject, FailedDestroyKeepsTheHandle)
{
    // A window of another thread cannot be destroyed from this one.
    HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND foreign = nullptr;
    std::thread owner([&] {
        foreign = MakePopup(nullptr, 0, 0, 10, 10);
        SetEvent(made);
        WaitForSingleObject(done, 10000);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(made, 10000);
    ProbeWindow probe;
    probe.Adopt(foreign);
    EXPECT_FALSE(probe.Destroy());
    EXPECT_EQ(probe.Handle(), foreign);
    SetEvent(done);
    owner.join();
    CloseHandle(made);
    CloseHandle(done);
}

TEST(WindowObject, EndSessionShutsDownOnlyWhenTheSessionEnds)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    probe.calls.clear();
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_ENDSESSION, 0, 0), 0);
    EXPECT_EQ(probe.calls, std::vector<std::string>{"OnEndSession"});
    probe.calls.clear();
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_ENDSESSION, 1, 0), 0);
    EXPECT_EQ(probe.calls, (std::vector<std::string>{"OnEndSession", "OnShutdown"}));
    probe.Destroy();
}

TEST(WindowObject, NotifyFromAWindowWithoutObjectReachesTheWindowItself)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, probe.Handle(),
                                 reinterpret_cast<HMENU>(77), nullptr, nullptr);
    // A slot holding something that is not a control counts as no object.
    int notAControl = 0;
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notAControl));
    NMHDR record{label, 77, NM_CLICK};
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&record)), 0);
    ASSERT_EQ(probe.notifies.size(), 1u);
    EXPECT_EQ(probe.notifies[0].wparam, 77u);
    EXPECT_EQ(probe.notifies[0].lparam, reinterpret_cast<LPARAM>(&record));
    probe.Destroy();
}

TEST(WindowObject, NotifyFromABoundControlAnswersWithTheControlsResult)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    NotifiedButton button;
    ASSERT_TRUE(button.Create(probe.Handle(), 70, L"B", 0, 0, 40, 20));
    NMHDR record{button.Handle(), 70, NM_CLICK};
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_NOTIFY, 70, reinterpret_cast<LPARAM>(&record)), 5);
    EXPECT_EQ(button.codes, std::vector<UINT>{static_cast<UINT>(NM_CLICK)});
    EXPECT_TRUE(probe.notifies.empty());
    probe.Destroy();
}

TEST(WindowObject, NotifyWithAPlainNumberIsNotReadAsARecord)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_NOTIFY, 14, 7), 0);
    ASSERT_EQ(probe.notifies.size(), 1u);
    EXPECT_EQ(probe.notifies[0].lparam, 7);
    probe.Destroy();
}

TEST(WindowObject, CommandGoesToOnCommandWithoutAskingTheControl)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    Button button;
    int calls = 0;
    button.SetCallback(&calls, [](void* target, int) { ++*static_cast<int*>(target); });
    ASSERT_TRUE(button.Create(probe.Handle(), 71, L"Go", 0, 0, 40, 20));
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(calls, 0);
    ASSERT_EQ(probe.commands.size(), 1u);
    EXPECT_EQ(probe.commands[0].wparam, MAKEWPARAM(71, BN_CLICKED));
    EXPECT_EQ(probe.commands[0].lparam, reinterpret_cast<LPARAM>(button.Handle()));
    probe.Destroy();
}

TEST(WindowObject, OtherMessagesGoToTheDefaultProcedureUnlessClaimed)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    wchar_t text[16] = L"";
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, L"Probe");
    // The probe claims WM_GETTEXTLENGTH: the answer is 0, not the length.
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_GETTEXTLENGTH, 0, 0), 0);
    probe.Destroy();
}

TEST(WindowObject, AnExceptionInAHandlerStaysInsideTheWindowProcedure)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    probe.throwOnCommand = true;
    EXPECT_EQ(SendMessageW(probe.Handle(), WM_COMMAND, 1, 0), 0);
    EXPECT_TRUE(IsWindow(probe.Handle()));
    probe.Destroy();
}

TEST(WindowObject, CreateOnAWindowClassShowsTheMissingCreateWarning)
{
    ProbeWindow probe;
    BoxAnswerer answer(BoxQuery::ForDialog(L"App Error"), L"OK");
    EXPECT_EQ(probe.Create(nullptr, nullptr, L"t", 0, 0, 10, 10), 0);
    ASSERT_TRUE(answer.Finish());
    std::vector<std::wstring> lines = answer.First().lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"Missing Create"), lines.end());
    EXPECT_EQ(probe.Handle(), nullptr);
}

TEST(CenterWindow, WithoutOwnerCentresOnTheFullScreenAreaAndGrowsByOne)
{
    HWND popup = MakePopup(nullptr, 0, 0, 200, 100);
    CenterWindow(popup);
    RECT r = RectOf(popup);
    int areaWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    int areaHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    EXPECT_EQ(r.right - r.left, 201);
    EXPECT_EQ(r.bottom - r.top, 101);
    EXPECT_EQ(r.left, (areaWidth + 1) / 2 - 100);
    EXPECT_EQ(r.top, (areaHeight + 1) / 2 - 50);
    DestroyWindow(popup);
}

TEST(CenterWindow, OwnerAtNegativeCoordinatesGivesNoNegativePosition)
{
    HWND owner = MakePopup(nullptr, -600, -500, 300, 200);
    HWND popup = MakePopup(owner, 50, 50, 100, 100);
    CenterWindow(popup);
    RECT r = RectOf(popup);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    DestroyWindow(popup);
    DestroyWindow(owner);
}
