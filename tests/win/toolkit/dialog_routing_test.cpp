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
#include <string>
#include <vector>

using namespace toolkit_test;

namespace {

enum { kGo = 10, kPlain = 11, kLabel = 12, kList = 13, kCombo = 14 };
constexpr UINT kAnswered = WM_APP + 3;

// A dialog object that notes which handlers ran, with what.
class RecordingDialog : public RecordingHandlers<Dialog> {
public:
    bool OnCreate() override { Note(CallText("OnCreate")); return true; }
    INT_PTR OnInitDialog() override { Note(CallText("OnInitDialog")); return 1; }
    int OnOtherMessage(UINT msg, WPARAM, LPARAM) override
    {
        Note(CallText("OnOtherMessage", msg));
        return msg == kAnswered ? 42 : 0;
    }

    int Count(const char* handler) const { return static_cast<int>(CallsOf({handler}).size()); }
    std::vector<std::string> Commands() const { return CallsOf({"OnCommand"}); }
};

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

    std::vector<MessageRow> rows = RowsOfBothTables(Item(kLabel), 1);
    rows.insert(rows.end(), {
        // A dialog's end calls no shut-down handlers.
        {WM_DESTROY, 0, 0, {"OnDestroy"}, 0},
        // Drawn by the bound control itself, or else by the dialog.
        {WM_DRAWITEM, kGo, Record(&drawGo), {}, 1},
        {WM_DRAWITEM, kPlain, Record(&drawPlain), {CallText("OnDrawItem", kPlain, &drawPlain)}, 1},
        // From a window without object: the dialog's handler; 1 either way.
        {WM_NOTIFY, kLabel, Record(&fromLabel), {CallText("OnNotify", kLabel, &fromLabel)}, 1},
        {WM_NOTIFY, kGo, Record(&fromGo), {}, 1},
        // It binds the object it carries: the same one here.
        {WM_INITDIALOG, 0, Record(&object), {"OnInitDialog"}, 1},
        // A window without object sends it, or none does: OnCommand.
        {WM_COMMAND, MAKEWPARAM(kPlain, BN_CLICKED), Record(plain),
         {CallText("OnCommand", kPlain, BN_CLICKED, plain)}, 0},
        {WM_COMMAND, IDOK, 0, {CallText("OnCommand", IDOK, 0, static_cast<HWND>(nullptr))}, 0},
        // Not in the dialog table, WM_CLOSE and WM_ENDSESSION among them: the
        // answer is OnOtherMessage's.
        {kAnswered, 0, 0, {CallText("OnOtherMessage", kAnswered)}, 42},
        {WM_CLOSE, 0, 0, {CallText("OnOtherMessage", WM_CLOSE)}, 0},
        {WM_ENDSESSION, 1, 0, {CallText("OnOtherMessage", WM_ENDSESSION)}, 0},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), Record(plain), {CallText("OnOtherMessage", WM_HSCROLL)}, 0},
    });
    const std::vector<MessageRow> outside = MessagesOutsideTheTables();
    rows.insert(rows.end(), outside.begin(), outside.end());
    HWND target = dialog;
    CheckRows(rows, object, [target](UINT msg, WPARAM w, LPARAM l) { return DialogProc(target, msg, w, l); });
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
    EXPECT_EQ(object.CallsOf({"OnNotify"}),
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
