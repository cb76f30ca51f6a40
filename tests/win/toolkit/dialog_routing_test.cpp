// Dialog objects: binding at WM_INITDIALOG and the dialog message table.
#include "dialog_template.h"
#include "host_window.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/dialog.h"
#include "toolkit/list_box.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace toolkit_test;

namespace {

enum { kGo = 10, kPlain = 11, kLabel = 12, kList = 13, kCombo = 14 };
constexpr UINT kAnswered = WM_APP + 3;

class RecordingDialog : public Dialog {
public:
    bool OnCreate() override { ++creates; return true; }
    INT_PTR OnInitDialog() override { ++inits; return 1; }
    void OnCommand(WPARAM wparam, LPARAM lparam) override
    {
        if (throwOnCommand)
            throw std::runtime_error("handler failed");
        commands.push_back({WM_COMMAND, wparam, lparam});
    }
    void OnNotify(WPARAM wparam, LPARAM lparam) override { notifies.push_back({WM_NOTIFY, wparam, lparam}); }
    void OnDrawItem(WPARAM wparam, LPARAM) override { drawnIds.push_back(static_cast<int>(wparam)); }
    void OnDestroy() override { ++destroys; }
    int OnOtherMessage(UINT msg, WPARAM, LPARAM) override
    {
        if (msg == WM_CLOSE)
            ++closes;
        return msg == kAnswered ? 42 : 0;
    }

    int creates = 0, inits = 0, destroys = 0, closes = 0;
    bool throwOnCommand = false;
    std::vector<SeenMessage> commands;
    std::vector<SeenMessage> notifies;
    std::vector<int> drawnIds;
};

class NotifiedButton : public Button {
public:
    LRESULT OnNotify(NMHDR*) override { ++records; return 5; }
    void OnDrawItem(DRAWITEMSTRUCT* record) override { drawnIds.push_back(static_cast<int>(record->CtlID)); }
    int records = 0;
    std::vector<int> drawnIds;
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
    EXPECT_EQ(object.inits, 1);
    EXPECT_EQ(object.creates, 0); // WM_CREATE comes before WM_INITDIALOG
}

TEST_F(DialogRouting, ClickOnAButtonWithCallbackStopsAtTheButton)
{
    Button go;
    std::vector<int> called;
    go.SetCallback(&called, CountCall);
    ASSERT_TRUE(go.AttachWithHover(dialog, kGo, L""));
    SendMessageW(Item(kGo), BM_CLICK, 0, 0);
    EXPECT_EQ(called, std::vector<int>{kGo});
    EXPECT_TRUE(object.commands.empty());
}

TEST_F(DialogRouting, ClickOnAButtonWithoutCallbackReachesOnCommand)
{
    Button plain;
    ASSERT_TRUE(plain.AttachWithHover(dialog, kPlain, L""));
    SendMessageW(Item(kPlain), BM_CLICK, 0, 0);
    ASSERT_EQ(object.commands.size(), 1u);
    EXPECT_EQ(object.commands[0].wparam, MAKEWPARAM(kPlain, BN_CLICKED));
    EXPECT_EQ(object.commands[0].lparam, reinterpret_cast<LPARAM>(Item(kPlain)));
}

TEST_F(DialogRouting, ListSelectionChangeWithoutHandlerIsKeptAndReachesOnCommand)
{
    ListBox list;
    ASSERT_TRUE(list.Create(dialog, kList, L"", 0, 0, 0, 0));
    for (const wchar_t* line : {L"a", L"b", L"c"})
        list.AddLine(line);
    SendMessageW(list.Handle(), LB_SETCURSEL, 1, 0);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0); // the user moves the selection
    EXPECT_EQ(list.Selection(), 2);
    ASSERT_EQ(object.commands.size(), 1u);
    EXPECT_EQ(HIWORD(object.commands[0].wparam), LBN_SELCHANGE);
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
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_EQ(called, std::vector<int>{kList});
    EXPECT_TRUE(object.commands.empty());
}

TEST_F(DialogRouting, NotifyFromAWindowWithoutObjectReachesTheDialogWithResultOne)
{
    NMHDR record{Item(kLabel), kLabel, NM_CLICK};
    EXPECT_EQ(DialogProc(dialog, WM_NOTIFY, kLabel, reinterpret_cast<LPARAM>(&record)), 1);
    ASSERT_EQ(object.notifies.size(), 1u);
    EXPECT_EQ(object.notifies[0].wparam, static_cast<WPARAM>(kLabel));
    EXPECT_EQ(object.notifies[0].lparam, reinterpret_cast<LPARAM>(&record));
}

TEST_F(DialogRouting, NotifyFromABoundControlGoesToTheControlWithResultOne)
{
    NotifiedButton go;
    ASSERT_TRUE(go.Create(dialog, kGo, L"", 0, 0, 0, 0));
    NMHDR record{go.Handle(), kGo, NM_CLICK};
    EXPECT_EQ(DialogProc(dialog, WM_NOTIFY, kGo, reinterpret_cast<LPARAM>(&record)), 1);
    EXPECT_EQ(go.records, 1);
    EXPECT_TRUE(object.notifies.empty());
}

TEST_F(DialogRouting, DrawItemGoesToTheDrawnControlOrElseTheDialog)
{
    NotifiedButton go;
    ASSERT_TRUE(go.Create(dialog, kGo, L"", 0, 0, 0, 0));
    DRAWITEMSTRUCT bound{};
    bound.CtlType = ODT_BUTTON;
    bound.CtlID = kGo;
    bound.hwndItem = go.Handle();
    DRAWITEMSTRUCT unbound = bound;
    unbound.CtlID = kPlain;
    unbound.hwndItem = Item(kPlain);
    EXPECT_EQ(DialogProc(dialog, WM_DRAWITEM, kGo, reinterpret_cast<LPARAM>(&bound)), 1);
    EXPECT_EQ(DialogProc(dialog, WM_DRAWITEM, kPlain, reinterpret_cast<LPARAM>(&unbound)), 1);
    EXPECT_EQ(go.drawnIds, std::vector<int>{kGo});
    EXPECT_EQ(object.drawnIds, std::vector<int>{kPlain});
}

TEST_F(DialogRouting, HoverComboTakesTheFocusAndSignalsWithAPlainNumber)
{
    ComboBox combo(true);
    ASSERT_TRUE(combo.Attach(dialog, kCombo));
    SetFocus(Item(kPlain));
    SendMessageW(combo.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(combo.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetFocus(), combo.Handle());
    ASSERT_TRUE(PumpUntil([&] { return !object.notifies.empty(); }));
    EXPECT_EQ(object.notifies[0].wparam, static_cast<WPARAM>(kCombo));
    EXPECT_EQ(object.notifies[0].lparam, 7);
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
    SendMessageW(combo.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo.Selection(), 1);
    int changes = 0; // no handler: the dialog hears of it too
    for (const SeenMessage& m : object.commands)
        changes += HIWORD(m.wparam) == CBN_SELCHANGE;
    EXPECT_EQ(changes, 1);
}

TEST_F(DialogRouting, UnhandledMessagesAnswerWithOnOtherMessage)
{
    EXPECT_EQ(DialogProc(dialog, kAnswered, 0, 0), 42);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(object.closes, 1);
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(DialogRouting, DestroyCallsOnDestroy)
{
    DestroyWindow(dialog);
    EXPECT_EQ(object.destroys, 1);
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
