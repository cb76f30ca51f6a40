// Dialog objects: binding at WM_INITDIALOG and the dialog message table.
#include "dialog_template.h"
#include "host_window.h"
#include "routing_probe.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/dialog.h"
#include "toolkit/list_box.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace toolkit_test;

namespace {

enum { kGo = 10, kPlain = 11, kLabel = 12, kList = 13, kCombo = 14 };
constexpr UINT kAnswered = WM_APP + 3;

// A dialog object that notes which handlers ran, with what.
class RecordingDialog : public Dialog {
public:
    bool OnCreate() override { Note(CallText("OnCreate")); return true; }
    INT_PTR OnInitDialog() override { Note(CallText("OnInitDialog")); return 1; }
    void OnDestroy() override { Note(CallText("OnDestroy")); }
    void OnSize(UINT type, int width, int height) override { Note(CallText("OnSize", type, width, height)); }
    void OnSetFocus() override { Note(CallText("OnSetFocus")); }
    void OnKillFocus() override { Note(CallText("OnKillFocus")); }
    void OnPaint() override { Note(CallText("OnPaint")); }
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
    void OnHScroll(int code, int position, HWND bar) override { Note(CallText("OnHScroll", code, position, bar)); }
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
        Note(CallText("OnOtherMessage", msg));
        return msg == kAnswered ? 42 : 0;
    }

    void Note(const std::string& call) { calls.push_back(call); }
    // The calls of one handler, in order.
    std::vector<std::string> CallsOf(const std::string& handler) const
    {
        std::vector<std::string> of;
        for (const std::string& call : calls)
            if (call.substr(0, call.find(' ')) == handler)
                of.push_back(call);
        return of;
    }
    int Count(const char* handler) const { return static_cast<int>(CallsOf(handler).size()); }
    std::vector<std::string> Commands() const { return CallsOf("OnCommand"); }

    std::vector<std::string> calls;
    bool throwOnCommand = false;
};

// One message of the table: what is sent, which handlers run, what comes back.
struct Row {
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
    std::vector<std::string> calls;
    INT_PTR result;
};

LPARAM Record(void* record)
{
    return reinterpret_cast<LPARAM>(record);
}

HWND OpenDialog(Dialog* object)
{
    static DialogTemplate layout = [] {
        DialogTemplate t(L"Routing", 200, 120);
        t.Add(DialogTemplate::kButton, kGo, L"&Go", BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 40, 14)
            .Add(DialogTemplate::kButton, kPlain, L"Plain", BS_PUSHBUTTON | WS_TABSTOP, 50, 5, 40, 14)
            .Add(DialogTemplate::kStatic, kLabel, L"Label", SS_LEFT, 95, 5, 40, 10)
            .Add(DialogTemplate::kListBox, kList, L"", LBS_NOTIFY | WS_VSCROLL | WS_BORDER, 5, 25, 80, 60)
            .Add(DialogTemplate::kComboBox, kCombo, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                 95, 25, 80, 60);
        return t;
    }();
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), nullptr, DialogProc,
                                      reinterpret_cast<LPARAM>(object));
}

void CountCall(void* target, int id)
{
    static_cast<std::vector<int>*>(target)->push_back(id);
}

class DialogRouting : public testing::Test {
protected:
    void SetUp() override
    {
        dialog = OpenDialog(&object);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(dialog))
            DestroyWindow(dialog);
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }

    RecordingDialog object;
    HWND dialog = nullptr;
};

} // namespace

TEST_F(DialogRouting, BindsAtInitDialogAndNeverSeesEarlierMessages)
{
    EXPECT_EQ(object.Handle(), dialog);
    EXPECT_EQ(object.Count("OnInitDialog"), 1);
    EXPECT_EQ(object.Count("OnCreate"), 0); // WM_CREATE comes before WM_INITDIALOG
}

// Every message of the dialog table, handed to the dialog procedure: the
// handlers that run, the parameters they get unpacked, and the result.
TEST_F(DialogRouting, TheMessageTableCallsEachHandlerWithItsParameters)
{
    NotifiedButton go;
    ASSERT_TRUE(go.Create(dialog, kGo, L"", 0, 0, 0, 0));
    NMHDR fromLabel{Item(kLabel), kLabel, UINT(NM_CLICK)};
    NMHDR fromGo{go.Handle(), kGo, UINT(NM_CLICK)};
    DRAWITEMSTRUCT drawGo{};
    drawGo.CtlType = ODT_BUTTON;
    drawGo.CtlID = kGo;
    drawGo.hwndItem = go.Handle();
    DRAWITEMSTRUCT drawPlain = drawGo;
    drawPlain.CtlID = kPlain;
    drawPlain.hwndItem = Item(kPlain);
    HWND plain = Item(kPlain);
    HWND label = Item(kLabel);
    const HDC dc = reinterpret_cast<HDC>(0x1234);
    const HMENU menu = reinterpret_cast<HMENU>(0x4321);
    const HDROP drop = reinterpret_cast<HDROP>(0x5678);
    const LPARAM keyData = 0x001E0001;   // one press, scan code 0x1E
    const LPARAM point = MAKELPARAM(-3, 7);

    const Row rows[] = {
        {WM_CREATE, 0, 0, {"OnCreate"}, 0},
        // A dialog's end calls no shut-down handlers.
        {WM_DESTROY, 0, 0, {"OnDestroy"}, 0},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200), {CallText("OnSize", SIZE_RESTORED, 300, 200)}, 0},
        {WM_SETFOCUS, 0, 0, {"OnSetFocus"}, 0},
        {WM_KILLFOCUS, 0, 0, {"OnKillFocus"}, 0},
        {WM_PAINT, 0, 0, {"OnPaint"}, 0},
        {WM_SYSCOLORCHANGE, 0, 0, {"OnSysColorChange"}, 0},
        {WM_QUERYENDSESSION, 0, 0, {"OnQueryEndSession"}, 7},
        // Drawn by the bound control itself, or else by the dialog.
        {WM_DRAWITEM, kGo, Record(&drawGo), {}, 1},
        {WM_DRAWITEM, kPlain, Record(&drawPlain), {CallText("OnDrawItem", kPlain, &drawPlain)}, 1},
        {WM_VKEYTOITEM, MAKEWPARAM(VK_DOWN, 2), Record(Item(kList)), {CallText("OnVKeyToItem", VK_DOWN, 2)}, -2},
        // From a window without object: the dialog's handler; 1 either way.
        {WM_NOTIFY, kLabel, Record(&fromLabel), {CallText("OnNotify", kLabel, &fromLabel)}, 1},
        {WM_NOTIFY, kGo, Record(&fromGo), {}, 1},
        // The hover combo box's plain number is no record.
        {WM_NOTIFY, kCombo, 7, {CallText("OnNotify", kCombo, static_cast<NMHDR*>(nullptr))}, 1},
        {WM_CONTEXTMENU, WPARAM(label), point, {CallText("OnContextMenu", label, -3, 7)}, 0},
        {WM_KEYDOWN, 'A', keyData, {CallText("OnKeyDown", 'A', 1, 0x1E)}, 0},
        {WM_KEYUP, 'A', keyData, {CallText("OnKeyUp", 'A', 1, 0x1E)}, 0},
        {WM_CHAR, L'a', keyData, {CallText("OnChar", L'a', 1, 0x1E)}, 0},
        {WM_SYSKEYDOWN, 'G', keyData, {CallText("OnSysKeyDown", 'G', 1, 0x1E)}, 0},
        {WM_SYSKEYUP, 'G', keyData, {CallText("OnSysKeyUp", 'G', 1, 0x1E)}, 0},
        // It binds the object it carries: the same one here.
        {WM_INITDIALOG, 0, Record(&object), {"OnInitDialog"}, 1},
        // A window without object sends it, or none does: OnCommand.
        {WM_COMMAND, MAKEWPARAM(kPlain, BN_CLICKED), Record(plain),
         {CallText("OnCommand", kPlain, BN_CLICKED, plain)}, 0},
        {WM_COMMAND, IDOK, 0, {CallText("OnCommand", IDOK, 0, static_cast<HWND>(nullptr))}, 0},
        {WM_TIMER, 42, 0, {CallText("OnTimer", 42)}, 0},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), Record(label), {CallText("OnHScroll", SB_THUMBTRACK, 100, label)}, 0},
        {WM_INITMENU, WPARAM(menu), 0, {"OnInitMenu"}, 0},
        {WM_MENUSELECT, MAKEWPARAM(3, MF_POPUP), LPARAM(menu), {CallText("OnMenuSelect", 3, MF_POPUP, menu)}, 0},
        {WM_CTLCOLORLISTBOX, WPARAM(dc), Record(Item(kList)), {CallText("OnCtlColorListBox", dc, Item(kList))}, 0x55},
        {WM_MOUSEMOVE, MK_LBUTTON, point, {CallText("OnMouseMove", MK_LBUTTON, -3, 7)}, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, point, {CallText("OnLButtonDown", MK_LBUTTON, -3, 7)}, 0},
        {WM_LBUTTONUP, 0, point, {CallText("OnLButtonUp", 0, -3, 7)}, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, point, {CallText("OnRButtonDown", MK_RBUTTON, -3, 7)}, 0},
        {WM_RBUTTONUP, 0, point, {CallText("OnRButtonUp", 0, -3, 7)}, 0},
        {WM_DROPFILES, WPARAM(drop), 0, {CallText("OnDropFiles", drop)}, 0},
        // Not in the dialog table, WM_CLOSE and WM_ENDSESSION among them: the
        // answer is OnOtherMessage's.
        {kAnswered, 0, 0, {CallText("OnOtherMessage", kAnswered)}, 42},
        {WM_CLOSE, 0, 0, {CallText("OnOtherMessage", WM_CLOSE)}, 0},
        {WM_ENDSESSION, 1, 0, {CallText("OnOtherMessage", WM_ENDSESSION)}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.calls.empty() ? "message " + std::to_string(row.msg) : row.calls[0]);
        object.calls.clear();
        EXPECT_EQ(DialogProc(dialog, row.msg, row.wparam, row.lparam), row.result);
        EXPECT_EQ(object.calls, row.calls);
    }
    EXPECT_EQ(go.codes, std::vector<UINT>{static_cast<UINT>(NM_CLICK)});
    EXPECT_EQ(go.drawnIds, std::vector<int>{kGo});
    EXPECT_TRUE(IsWindow(dialog)) << "a close request alone closes nothing";
}

TEST_F(DialogRouting, ClickOnAButtonWithCallbackStopsAtTheButton)
{
    Button go;
    std::vector<int> called;
    go.SetCallback(&called, CountCall);
    ASSERT_TRUE(go.AttachWithHover(dialog, kGo, L""));
    object.calls.clear();
    SendMessageW(Item(kGo), BM_CLICK, 0, 0);
    EXPECT_EQ(called, std::vector<int>{kGo});
    EXPECT_TRUE(object.Commands().empty());
}

TEST_F(DialogRouting, ClickOnAButtonWithoutCallbackReachesOnCommand)
{
    Button plain;
    ASSERT_TRUE(plain.AttachWithHover(dialog, kPlain, L""));
    object.calls.clear();
    SendMessageW(Item(kPlain), BM_CLICK, 0, 0);
    EXPECT_EQ(object.Commands(), std::vector<std::string>{CallText("OnCommand", kPlain, BN_CLICKED, Item(kPlain))});
}

TEST_F(DialogRouting, ListSelectionChangeWithoutHandlerIsKeptAndReachesOnCommand)
{
    ListBox list;
    ASSERT_TRUE(list.Create(dialog, kList, L"", 0, 0, 0, 0));
    for (const wchar_t* line : {L"a", L"b", L"c"})
        list.AddLine(line);
    SendMessageW(list.Handle(), LB_SETCURSEL, 1, 0);
    object.calls.clear();
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0); // the user moves the selection
    EXPECT_EQ(list.Selection(), 2);
    EXPECT_EQ(object.Commands(), std::vector<std::string>{CallText("OnCommand", kList, LBN_SELCHANGE, list.Handle())});
}

TEST_F(DialogRouting, ListSelectionChangeWithHandlerStopsAtTheList)
{
    ListBox list;
    std::vector<int> called;
    list.SetCallback(&called, CountCall);
    ASSERT_TRUE(list.Create(dialog, kList, L"", 0, 0, 0, 0));
    list.AddLine(L"a");
    list.AddLine(L"b");
    SendMessageW(list.Handle(), LB_SETCURSEL, 0, 0);
    object.calls.clear();
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_EQ(called, std::vector<int>{kList});
    EXPECT_TRUE(object.Commands().empty());
}

TEST_F(DialogRouting, HoverComboTakesTheFocusAndSignalsWithAPlainNumber)
{
    ComboBox combo(true);
    ASSERT_TRUE(combo.Attach(dialog, kCombo));
    SetFocus(Item(kPlain));
    object.calls.clear();
    SendMessageW(combo.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(combo.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetFocus(), combo.Handle());
    ASSERT_TRUE(PumpUntil([&] { return object.Count("OnNotify") > 0; }));
    EXPECT_EQ(object.CallsOf("OnNotify"),
              std::vector<std::string>{CallText("OnNotify", kCombo, static_cast<NMHDR*>(nullptr))});
    // Everything else still reaches the system's combo box.
    SendMessageW(combo.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:"));
    SendMessageW(combo.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"D:"));
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCOUNT, 0, 0), 2);
}

TEST_F(DialogRouting, ComboSelectionChangeIsKept)
{
    ComboBox combo(true);
    ASSERT_TRUE(combo.Attach(dialog, kCombo));
    for (const wchar_t* drive : {L"C:", L"D:", L"E:"})
        SendMessageW(combo.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
    SendMessageW(combo.Handle(), CB_SETCURSEL, 0, 0);
    object.calls.clear();
    SendMessageW(combo.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo.Selection(), 1);
    // No handler: the dialog hears of it too.
    const std::string change = CallText("OnCommand", kCombo, CBN_SELCHANGE, combo.Handle());
    const std::vector<std::string> commands = object.Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), change), 1);
}

TEST_F(DialogRouting, DestroyCallsOnDestroyAndTheObjectForgetsTheDialog)
{
    object.calls.clear();
    DestroyWindow(dialog);
    EXPECT_EQ(object.Count("OnDestroy"), 1);
    EXPECT_EQ(object.Handle(), nullptr);
}

TEST_F(DialogRouting, AnExceptionInAHandlerStaysInsideTheDialogProcedure)
{
    object.throwOnCommand = true;
    EXPECT_EQ(DialogProc(dialog, WM_COMMAND, IDOK, 0), 0);
    SendMessageW(Item(kPlain), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindow(dialog));
}

TEST(DialogWithoutObject, AnswersZeroToEverything)
{
    HWND dialog = OpenDialog(nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DialogProc(dialog, WM_NOTIFY, kCombo, 7), 0);
    EXPECT_EQ(DialogProc(dialog, kAnswered, 0, 0), 0);
    DestroyWindow(dialog);
}
