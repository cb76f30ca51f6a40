// Window objects: creation and destruction, the window column of the message
// table, CenterWindow.
#include "routing_probe.h"
#include "support/box_answerer.h"
#include "toolkit/window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

using namespace toolkit_test;

namespace {

const wchar_t kProbeClass[] = L"ToolkitProbe";

// A window of a class of its own that notes which handlers ran, with what.
class ProbeWindow : public RecordingHandlers<Window> {
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

    bool OnCreate() override { Note(CallText("OnCreate")); return acceptCreate; }
    int OnShutdown() override { Note(CallText("OnShutdown")); return 0; }
    void OnAfterDestroy() override { Note(CallText("OnAfterDestroy")); }
    void OnClose() override { Note(CallText("OnClose")); }
    int OnOtherMessage(UINT msg, WPARAM, LPARAM) override
    {
        // The system sends many of these on its own; noted only when asked.
        if (noteOtherMessages)
            Note(CallText("OnOtherMessage", msg));
        return msg == WM_GETTEXTLENGTH;
    }

    bool acceptCreate = true;
    bool noteOtherMessages = false;
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
    EXPECT_EQ(probe.CallsOf({"OnCreate"}), std::vector<std::string>{"OnCreate"});
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
    EXPECT_EQ(probe.CallsOf({"OnCreate"}).size(), 1u);
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
    EXPECT_EQ(probe.CallsOf({"OnCreate", "OnDestroy", "OnShutdown", "OnAfterDestroy"}),
              (std::vector<std::string>{"OnDestroy", "OnShutdown", "OnAfterDestroy"}));
    ASSERT_TRUE(probe.Open());
    EXPECT_TRUE(IsWindow(probe.Handle()));
    probe.Destroy();
}

TEST(WindowObject, AWindowDestroyedBehindTheObjectsBackIsForgotten)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    HWND first = probe.Handle();
    // Not through Destroy: the system destroys it, as it does an owned window.
    ASSERT_TRUE(DestroyWindow(first));
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(first, GWLP_USERDATA), 0);
    ASSERT_TRUE(probe.Open()) << "a new window can be made at once";
    EXPECT_NE(probe.Handle(), nullptr);
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

// Every message of the window table, sent to a bound window: the handlers
// that run, the parameters they get unpacked, and the procedure's result.
TEST(WindowObject, TheMessageTableCallsEachHandlerWithItsParameters)
{
    ProbeWindow probe;
    ASSERT_TRUE(probe.Open());
    HWND window = probe.Handle();

    // A label whose slot holds something that is not a control: no object.
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, window,
                                 reinterpret_cast<HMENU>(77), nullptr, nullptr);
    int notAControl = 0;
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notAControl));
    NotifiedButton bound;
    ASSERT_TRUE(bound.Create(window, 70, L"B", 0, 0, 40, 20));
    // A button that would handle its own click: the window table never asks it.
    Button withCallback;
    int callbacks = 0;
    withCallback.SetCallback(&callbacks, [](void* target, int) { ++*static_cast<int*>(target); });
    ASSERT_TRUE(withCallback.Create(window, 71, L"Go", 50, 0, 40, 20));
    HWND go = withCallback.Handle();

    NMHDR fromLabel{label, 77, UINT(NM_CLICK)};
    NMHDR fromBound{bound.Handle(), 70, UINT(NM_CLICK)};
    DRAWITEMSTRUCT drawBound{};
    drawBound.CtlType = ODT_BUTTON;
    drawBound.CtlID = 70;
    drawBound.hwndItem = bound.Handle();
    wchar_t text[16] = L"";
    probe.noteOtherMessages = true;

    std::vector<MessageRow> rows = RowsOfBothTables(label, 0);
    rows.insert(rows.end(), {
        {WM_DESTROY, 0, 0, {"OnDestroy", "OnShutdown", "OnAfterDestroy"}, 0},
        {WM_CLOSE, 0, 0, {"OnClose"}, 0},
        // The drawn control is not asked.
        {WM_DRAWITEM, 70, Record(&drawBound), {CallText("OnDrawItem", 70, &drawBound)}, 1},
        // From a window without object: the window's own handler.
        {WM_NOTIFY, 77, Record(&fromLabel), {CallText("OnNotify", 77, &fromLabel)}, 0},
        // From a bound control: the control, whose result is the answer.
        {WM_NOTIFY, 70, Record(&fromBound), {}, 5},
        // The sending control is not consulted: its callback does not run.
        {WM_COMMAND, MAKEWPARAM(71, BN_CLICKED), Record(go), {CallText("OnCommand", 71, BN_CLICKED, go)}, 0},
        // Not in the window table: offered to OnOtherMessage; what it claims
        // answers 0, the rest gets the default procedure (the title's length).
        {WM_GETTEXTLENGTH, 0, 0, {CallText("OnOtherMessage", WM_GETTEXTLENGTH)}, 0},
        {WM_GETTEXT, 16, Record(text), {CallText("OnOtherMessage", WM_GETTEXT)}, 5},
        {WM_INITDIALOG, 0, 0, {CallText("OnOtherMessage", WM_INITDIALOG)}, 0},
        {WM_HSCROLL, 0, 0, {CallText("OnOtherMessage", WM_HSCROLL)}, 0},
        // The end of the session is no message of the table: no shut-down.
        {WM_ENDSESSION, 1, 0, {CallText("OnOtherMessage", WM_ENDSESSION)}, 0},
    });
    const std::vector<MessageRow> outside = MessagesOutsideTheTables();
    rows.insert(rows.end(), outside.begin(), outside.end());
    CheckRows(rows, probe, [window](UINT msg, WPARAM w, LPARAM l) { return SendMessageW(window, msg, w, l); });
    EXPECT_STREQ(text, L"Probe");
    EXPECT_EQ(bound.codes, std::vector<UINT>{static_cast<UINT>(NM_CLICK)});
    EXPECT_TRUE(bound.drawnIds.empty());
    EXPECT_EQ(callbacks, 0);
    EXPECT_TRUE(IsWindow(window));
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

TEST(CenterWindow, WithoutOwnerCentresOnTheWorkAreaAndGrowsByOne)
{
    HWND popup = MakePopup(nullptr, 0, 0, 200, 100);
    CenterWindow(popup);
    RECT r = RectOf(popup);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.right - r.left, 201);
    EXPECT_EQ(r.bottom - r.top, 101);
    EXPECT_EQ(r.left, work.left + (work.right - work.left + 1) / 2 - 100);
    EXPECT_EQ(r.top, work.top + (work.bottom - work.top + 1) / 2 - 50);
    DestroyWindow(popup);
}

// One monitor here: an owner off every monitor has the nearest one's work
// area, and its box shows there in full. (Monitors left of or above the
// primary one are shown by the arithmetic's own tests.)
TEST(CenterWindow, AnOwnerOffTheScreenGetsItsBoxOnTheNearestMonitor)
{
    HWND owner = MakePopup(nullptr, -600, -500, 300, 200);
    HWND popup = MakePopup(owner, 50, 50, 100, 100);
    CenterWindow(popup);
    RECT r = RectOf(popup);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
    DestroyWindow(popup);
    DestroyWindow(owner);
}
