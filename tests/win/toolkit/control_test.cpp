// Child controls: ids, binding to dialog items, hover behaviour, subclassing.
#include "dialog_template.h"
#include "host_window.h"
#include "support/box_answerer.h"
#include "toolkit/button.h"
#include "toolkit/list_box.h"
#include "toolkit/status_bar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace toolkit_test;

namespace {

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[64] = L"";
    GetWindowTextW(hwnd, text, 64);
    return text;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

BOOL CALLBACK CountOne(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int CountChildren(HWND parent)
{
    int n = 0;
    EnumChildWindows(parent, CountOne, reinterpret_cast<LPARAM>(&n));
    return n;
}

} // namespace

// Needs a fresh process (ctest runs each test in its own): ids are never reused.
TEST(ControlIds, AutomaticIdsStartAt900AndExplicitIdsTakeNone)
{
    HostWindow host;
    Button first;
    ListBox second;
    Button explicitId;
    Button third;
    ASSERT_TRUE(first.Create(host.Handle(), 0, L"A", 0, 0, 40, 20));
    ASSERT_TRUE(second.Create(host.Handle(), 0, L"", 0, 30, 40, 40));
    ASSERT_TRUE(explicitId.Create(host.Handle(), 77, L"C", 50, 0, 40, 20));
    ASSERT_TRUE(third.Create(host.Handle(), 0, L"D", 100, 0, 40, 20));
    EXPECT_EQ(first.Id(), 900);
    EXPECT_EQ(GetDlgCtrlID(first.Handle()), 900);
    EXPECT_EQ(second.Id(), 901);
    EXPECT_EQ(GetDlgCtrlID(explicitId.Handle()), 77);
    EXPECT_EQ(third.Id(), 902);
}

TEST(ButtonMnemonic, IsTheCharacterAfterTheFirstAmpersand)
{
    HostWindow host;
    struct Case {
        const wchar_t* text;
        wchar_t mnemonic;
    } cases[] = {{L"&Ok", L'O'}, {L"Ok", 0}, {L"Ok&", 0}, {L"&&Ok", L'&'}, {L"E&xit", L'x'}};
    for (const Case& c : cases) {
        Button button;
        ASSERT_TRUE(button.Create(host.Handle(), 0, c.text, 0, 0, 40, 20));
        EXPECT_EQ(button.Mnemonic(), c.mnemonic) << "text " << std::wstring(c.text).size();
    }
}

TEST(ControlBinding, AnExistingDialogItemIsBoundAsItIs)
{
    DialogTemplate layout(L"Bind", 150, 60);
    layout.Add(DialogTemplate::kButton, 10, L"Orig", BS_PUSHBUTTON, 5, 5, 40, 14);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), nullptr,
                                             PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND item = GetDlgItem(dialog, 10);
    RECT before;
    GetWindowRect(item, &before);
    LONG styleBefore = GetWindowLongW(item, GWL_STYLE);
    int childrenBefore = CountChildren(dialog);

    Button button;
    button.SetStyle(WS_CHILD | WS_VISIBLE | BS_CHECKBOX);
    ASSERT_TRUE(button.Create(dialog, 10, L"New", 100, 40, 7, 7));

    EXPECT_EQ(button.Handle(), item);
    EXPECT_EQ(CountChildren(dialog), childrenBefore);
    EXPECT_EQ(TextOf(item), L"Orig");
    RECT after;
    GetWindowRect(item, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(GetWindowLongW(item, GWL_STYLE), styleBefore);
    EXPECT_EQ(GetWindowLongPtrW(item, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&button));
    EXPECT_EQ(ControlFromWindow(item), &button);
    DestroyWindow(dialog);
}

TEST(ControlBinding, ControlFromWindowKnowsOnlyLiveObjects)
{
    HostWindow host;
    HWND item = nullptr;
    {
        Button button;
        ASSERT_TRUE(button.Create(host.Handle(), 20, L"B", 0, 0, 40, 20));
        item = button.Handle();
        EXPECT_EQ(ControlFromWindow(item), &button);
    }
    EXPECT_EQ(ControlFromWindow(item), nullptr); // the object is gone, the window stays
    int notAControl = 0;
    SetWindowLongPtrW(host.Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notAControl));
    EXPECT_EQ(ControlFromWindow(host.Handle()), nullptr);
    EXPECT_EQ(ControlFromWindow(nullptr), nullptr);
}

TEST(ControlBinding, ACreationThatFailsBindsNothing)
{
    Button button;
    EXPECT_FALSE(button.Create(nullptr, 0, L"Orphan", 0, 0, 40, 20)); // a child needs a parent
    EXPECT_EQ(button.Handle(), nullptr);
}

TEST(HoverButton, ShowsTheHandCursor)
{
    HostWindow host;
    HCURSOR hand = LoadCursorW(nullptr, IDC_CROSS); // any cursor that is not the arrow
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetHandCursor(hand);
    Button hover;
    Button plain;
    ASSERT_TRUE(hover.CreateWithHover(host.Handle(), L"Scan", 0, 0, 60, 20, 40001, L"Scan a disk"));
    ASSERT_TRUE(plain.Create(host.Handle(), 41, L"Plain", 70, 0, 60, 20));
    LPARAM over = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);

    SetCursor(arrow);
    SendMessageW(hover.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hover.Handle()), over);
    EXPECT_EQ(GetCursor(), hand);
    SendMessageW(plain.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(plain.Handle()), over);
    EXPECT_EQ(GetCursor(), arrow);
}

TEST(HoverButton, TellsItsParentOnlyWhileItHasNoFocus)
{
    HostWindow host;
    Button hover;
    ASSERT_TRUE(hover.CreateWithHover(host.Handle(), L"Scan", 0, 0, 60, 20, 40001, L"Scan a disk"));

    SetFocus(host.Handle());
    SendMessageW(hover.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    auto hovers = host.Seen(WM_APP_HOVER);
    ASSERT_EQ(hovers.size(), 1u);
    EXPECT_EQ(hovers[0].wparam, 40001u);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(hovers[0].lparam), L"Scan a disk");

    SetFocus(hover.Handle());
    ASSERT_EQ(GetFocus(), hover.Handle());
    SendMessageW(hover.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(host.Seen(WM_APP_HOVER).size(), 1u);
}

TEST(HoverButton, SubclassingTwiceKeepsTheSystemProcedure)
{
    HostWindow host;
    Button hover;
    ASSERT_TRUE(hover.CreateWithHover(host.Handle(), L"Scan", 0, 0, 60, 20, 40001, L""));
    EXPECT_EQ(hover.Subclass(), &ControlProc); // already ours from the creation

    // Both still reach the system's button procedure (a saved ControlProc would recurse forever).
    SetWindowTextW(hover.Handle(), L"Changed");
    EXPECT_EQ(TextOf(hover.Handle()), L"Changed");
    SendMessageW(hover.Handle(), BM_CLICK, 0, 0);
    auto commands = host.Seen(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wparam, MAKEWPARAM(40001, BN_CLICKED));

    Button later;
    ASSERT_TRUE(later.CreateWithHover(host.Handle(), L"Load", 70, 0, 60, 20, 40002, L""));
    EXPECT_EQ(TextOf(later.Handle()), L"Load");
}

TEST(SetWindowProc, ChangesNothingWithoutAWindowOrAProcedure)
{
    HostWindow host;
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, host.Handle(),
                                 nullptr, nullptr, nullptr);
    LONG_PTR before = GetWindowLongPtrW(label, GWLP_WNDPROC);
    EXPECT_EQ(SetWindowProc(label, nullptr), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(label, GWLP_WNDPROC), before);
    DestroyWindow(label);
    EXPECT_EQ(SetWindowProc(label, ControlProc), nullptr);
    EXPECT_EQ(SetWindowProc(nullptr, ControlProc), nullptr);
}

TEST(ButtonCallback, RunsForClicksOnly)
{
    HostWindow host;
    Button button;
    ASSERT_TRUE(button.Create(host.Handle(), 30, L"B", 0, 0, 40, 20));
    EXPECT_FALSE(button.OnCommandNotify(BN_CLICKED, 30)); // no handler yet
    int seenId = 0;
    button.SetCallback(&seenId, [](void* target, int id) { *static_cast<int*>(target) = id; });
    EXPECT_FALSE(button.OnCommandNotify(BN_SETFOCUS, 30));
    EXPECT_EQ(seenId, 0);
    EXPECT_TRUE(button.OnCommandNotify(BN_CLICKED, 30));
    EXPECT_EQ(seenId, 30);
}

TEST(ListBoxLines, AddCountAndClear)
{
    HostWindow host;
    ListBox list;
    ASSERT_TRUE(list.Create(host.Handle(), 0, L"", 0, 0, 200, 100));
    EXPECT_EQ(list.AddLine(L"first"), 0);
    EXPECT_EQ(list.AddLine(L"second"), 1); // added at the end, not sorted
    EXPECT_EQ(list.Count(), 2);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ControlCreate, AClassWithoutItsOwnCreateShowsTheWarning)
{
    HostWindow host;
    StatusBar status;
    BoxAnswerer answer(BoxQuery::ForDialog(L"App Error"), L"OK");
    EXPECT_FALSE(status.Create(host.Handle(), 0, L"", 0, 0, 10, 10));
    ASSERT_TRUE(answer.Finish());
    auto lines = answer.First().lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"Missing Create"), lines.end());
    EXPECT_EQ(status.Handle(), nullptr);
}
