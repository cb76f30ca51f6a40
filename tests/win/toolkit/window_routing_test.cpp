// Window objects: creation and destruction, the window column of the message
// table, CenterWindow.
#include "routing_probe.h"
#include "support/box_answerer.h"
#include "toolkit/window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace toolkit_test;

namespace {

const wchar_t kProbeClass[] = L"ToolkitProbe";

// A window of a class of its own that notes which handlers ran, with what.
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

    bool OnCreate() override { Note(CallText("OnCreate")); return acceptCreate; }
    void OnDestroy() override { Note(CallText("OnDestroy")); }
    int OnShutdown() override { Note(CallText("OnShutdown")); return 0; }
    void OnAfterDestroy() override { Note(CallText("OnAfterDestroy")); }
    void OnClose() override { Note(CallText("OnClose")); }
    void OnEndSession(bool ending, UINT reasons) override { Note(CallText("OnEndSession", ending, reasons)); }
    void OnSize(UINT type, int width, int height) override { Note(CallText("OnSize", type, width, height)); }
    void OnSetFocus() override { Note(CallText("OnSetFocus")); }
    void OnKillFocus() override { Note(CallText("OnKillFocus")); }
    void OnPaint() override
    {
        Note(CallText("OnPaint"));
        Window::OnPaint();   // validates: no endless repainting
    }
    LRESULT OnQueryEndSession() override { Note(CallText("OnQueryEndSession")); return 7; }
    void OnSysColorChange() override { Note(CallText("OnSysColorChange")); }
    void OnDrawItem(int id, DRAWITEMSTRUCT* item) override { Note(CallText("OnDrawItem", id, item)); }
    LRESULT OnVKeyToItem(int key, int caret) override { Note(CallText("OnVKeyToItem", key, caret)); return -2; }
    void OnNotify(int id, NMHDR* record) override { Note(CallText("OnNotify", id, record)); }
    void OnContextMenu(HWND window, int x, int y) override { Note(CallText("OnContextMenu", window, x, y)); }
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override { Note(CallText("OnKeyDown", key, repeat, flags)); }
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override { Note(CallText("OnKeyUp", key, repeat, flags)); }
    void OnChar(wchar_t ch, UINT repeat, UINT flags) override { Note(CallText("OnChar", ch, repeat, flags)); }
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override { Note(CallText("OnSysKeyDown", key, repeat, flags)); }
    void OnSysKeyUp(UINT key, UINT repeat, UINT flags) override { Note(CallText("OnSysKeyUp", key, repeat, flags)); }
    void OnCommand(int id, int code, HWND sender) override
    {
        if (throwOnCommand)
            throw std::runtime_error("handler failed");
        Note(CallText("OnCommand", id, code, sender));
    }
    void OnTimer(UINT_PTR id) override { Note(CallText("OnTimer", id)); }
    void OnInitMenu() override { Note(CallText("OnInitMenu")); }
    void OnMenuSelect(UINT item, UINT flags, HMENU menu) override { Note(CallText("OnMenuSelect", item, flags, menu)); }
    LRESULT OnCtlColorListBox(HDC dc, HWND list) override { Note(CallText("OnCtlColorListBox", dc, list)); return 0x55; }
    void OnMouseMove(UINT keys, int x, int y) override { Note(CallText("OnMouseMove", keys, x, y)); }
    void OnLButtonDown(UINT keys, int x, int y) override { Note(CallText("OnLButtonDown", keys, x, y)); }
    void OnLButtonUp(UINT keys, int x, int y) override { Note(CallText("OnLButtonUp", keys, x, y)); }
    void OnRButtonDown(UINT keys, int x, int y) override { Note(CallText("OnRButtonDown", keys, x, y)); }
    void OnRButtonUp(UINT keys, int x, int y) override { Note(CallText("OnRButtonUp", keys, x, y)); }
    void OnDropFiles(HDROP drop) override { Note(CallText("OnDropFiles", drop)); }
    int OnOtherMessage(UINT msg, WPARAM, LPARAM) override
    {
        // The system sends many of these on its own; noted only when asked.
        if (noteOtherMessages)
            Note(CallText("OnOtherMessage", msg));
        return msg == WM_GETTEXTLENGTH;
    }

    void Note(const std::string& call) { calls.push_back(call); }
    // The calls of these handlers only, in order.
    std::vector<std::string> CallsOf(std::initializer_list<const char*> handlers) const
    {
        std::vector<std::string> of;
        for (const std::string& call : calls)
            for (const char* handler : handlers)
                if (call.substr(0, call.find(' ')) == handler)
                    of.push_back(call);
        return of;
    }

    std::vector<std::string> calls;
    bool acceptCreate = true;
    bool throwOnCommand = false;
    bool noteOtherMessages = false;
};

// One message of the table: what is sent, which handlers run, what comes back.
struct Row {
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
    std::vector<std::string> calls;
    LRESULT result;
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

LPARAM Record(void* record)
{
    return reinterpret_cast<LPARAM>(record);
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
    const HDC dc = reinterpret_cast<HDC>(0x1234);
    const HMENU menu = reinterpret_cast<HMENU>(0x4321);
    const HDROP drop = reinterpret_cast<HDROP>(0x5678);
    const LPARAM keyData = 0x001E0001;   // one press, scan code 0x1E
    // Signed client coordinates: left of and above the window.
    const LPARAM point = MAKELPARAM(-3, 7);
    wchar_t text[16] = L"";
    probe.noteOtherMessages = true;

    const Row rows[] = {
        {WM_CREATE, 0, 0, {"OnCreate"}, 0},
        {WM_DESTROY, 0, 0, {"OnDestroy", "OnShutdown", "OnAfterDestroy"}, 0},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), {CallText("OnSize", SIZE_MAXIMIZED, 640, 480)}, 0},
        {WM_SETFOCUS, 0, 0, {"OnSetFocus"}, 0},
        {WM_KILLFOCUS, 0, 0, {"OnKillFocus"}, 0},
        {WM_PAINT, 0, 0, {"OnPaint"}, 0},
        {WM_CLOSE, 0, 0, {"OnClose"}, 0},
        {WM_QUERYENDSESSION, 0, 0, {"OnQueryEndSession"}, 7},
        {WM_SYSCOLORCHANGE, 0, 0, {"OnSysColorChange"}, 0},
        // The session goes on: no shut-down.
        {WM_ENDSESSION, 0, ENDSESSION_LOGOFF, {CallText("OnEndSession", 0, ENDSESSION_LOGOFF)}, 0},
        {WM_ENDSESSION, 1, 0, {CallText("OnEndSession", 1, 0), "OnShutdown"}, 0},
        // The drawn control is not asked.
        {WM_DRAWITEM, 70, Record(&drawBound), {CallText("OnDrawItem", 70, &drawBound)}, 1},
        {WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 3), Record(label), {CallText("OnVKeyToItem", VK_DELETE, 3)}, -2},
        // From a window without object: the window's own handler.
        {WM_NOTIFY, 77, Record(&fromLabel), {CallText("OnNotify", 77, &fromLabel)}, 0},
        // From a bound control: the control, whose result is the answer.
        {WM_NOTIFY, 70, Record(&fromBound), {}, 5},
        // A plain number is not read as a record.
        {WM_NOTIFY, 14, 7, {CallText("OnNotify", 14, static_cast<NMHDR*>(nullptr))}, 0},
        {WM_CONTEXTMENU, WPARAM(label), point, {CallText("OnContextMenu", label, -3, 7)}, 0},
        {WM_KEYDOWN, 'A', keyData, {CallText("OnKeyDown", 'A', 1, 0x1E)}, 0},
        {WM_KEYUP, 'A', keyData, {CallText("OnKeyUp", 'A', 1, 0x1E)}, 0},
        {WM_CHAR, L'a', keyData, {CallText("OnChar", L'a', 1, 0x1E)}, 0},
        {WM_SYSKEYDOWN, VK_F4, keyData, {CallText("OnSysKeyDown", VK_F4, 1, 0x1E)}, 0},
        {WM_SYSKEYUP, VK_F4, keyData, {CallText("OnSysKeyUp", VK_F4, 1, 0x1E)}, 0},
        // The sending control is not consulted: its callback does not run.
        {WM_COMMAND, MAKEWPARAM(71, BN_CLICKED), Record(go), {CallText("OnCommand", 71, BN_CLICKED, go)}, 0},
        {WM_TIMER, 42, 0, {CallText("OnTimer", 42)}, 0},
        {WM_INITMENU, WPARAM(menu), 0, {"OnInitMenu"}, 0},
        {WM_MENUSELECT, MAKEWPARAM(3, MF_POPUP), LPARAM(menu), {CallText("OnMenuSelect", 3, MF_POPUP, menu)}, 0},
        {WM_CTLCOLORLISTBOX, WPARAM(dc), Record(label), {CallText("OnCtlColorListBox", dc, label)}, 0x55},
        {WM_MOUSEMOVE, MK_LBUTTON, point, {CallText("OnMouseMove", MK_LBUTTON, -3, 7)}, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, point, {CallText("OnLButtonDown", MK_LBUTTON, -3, 7)}, 0},
        {WM_LBUTTONUP, 0, point, {CallText("OnLButtonUp", 0, -3, 7)}, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, point, {CallText("OnRButtonDown", MK_RBUTTON, -3, 7)}, 0},
        {WM_RBUTTONUP, 0, point, {CallText("OnRButtonUp", 0, -3, 7)}, 0},
        {WM_DROPFILES, WPARAM(drop), 0, {CallText("OnDropFiles", drop)}, 0},
        // Not in the window table: offered to OnOtherMessage; what it claims
        // answers 0, the rest gets the default procedure (the title's length).
        {WM_GETTEXTLENGTH, 0, 0, {CallText("OnOtherMessage", WM_GETTEXTLENGTH)}, 0},
        {WM_GETTEXT, 16, Record(text), {CallText("OnOtherMessage", WM_GETTEXT)}, 5},
        {WM_INITDIALOG, 0, 0, {CallText("OnOtherMessage", WM_INITDIALOG)}, 0},
        {WM_HSCROLL, 0, 0, {CallText("OnOtherMessage", WM_HSCROLL)}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.calls.empty() ? "message " + std::to_string(row.msg) : row.calls[0]);
        probe.calls.clear();
        EXPECT_EQ(SendMessageW(window, row.msg, row.wparam, row.lparam), row.result);
        EXPECT_EQ(probe.calls, row.calls);
    }
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
