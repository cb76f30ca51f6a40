// The message box as a user meets it: real windows, answered from a second
// thread by clicks and key presses while the test thread waits in Ask.
#include "msgbox/box_owner.h"
#include "support/box_answerer.h"
#include "support/window_shot.h"
#include "toolkit/msg_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kBack = RGB(192, 192, 192);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// What the answering thread saw while the box was open.
struct Observed {
    bool ownerEnabled = true;
    std::vector<std::wstring> focusTexts;  // focused button after each step
    bool stillOpen = false;
};

std::wstring FocusText(HWND box)
{
    HWND focus = FocusOfBoxThread(box);
    return focus && GetParent(focus) == box ? WindowText(focus) : L"";
}

bool WaitForFocus(HWND box, const wchar_t* buttonText)
{
    return WaitUntil([&] { return FocusText(box) == buttonText; });
}

// A key pressed and released while the focused button has the keyboard.
void PressKey(HWND box, WPARAM key)
{
    HWND focus = FocusOfBoxThread(box);
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

// Steps that fail close the box, so that Ask cannot hang.
BoxAnswerer::Action Guarded(BoxAnswerer::Action action)
{
    return BoxAnswerer::ClosingOnFailure(std::move(action));
}

class MsgBoxTest : public testing::Test {
protected:
    int Ask(const wchar_t* text, const wchar_t* caption, UINT style)
    {
        return box.Ask(owner.Handle(), text, caption, style, 0, kBlack, kBack, kShadow);
    }

    // After an answer: no box window left and the owner takes input again.
    void ExpectClosed(const SeenBox& seen)
    {
        EXPECT_FALSE(IsWindow(seen.hwnd));
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
        EXPECT_EQ(box.Text(), nullptr);
    }

    BoxOwner owner;
    MsgBox box;
};

} // namespace

TEST_F(MsgBoxTest, ClickAnswersAndReturnsOnlyAfterTheBoxIsGone)
{
    Observed seen;
    BoxAnswerer answerer(BoxQuery::ForBox(L"Ferrow"), Guarded([&](HWND b) {
        // Ask disables the owner right after the box window appears.
        seen.ownerEnabled = !WaitUntil([&] { return !IsWindowEnabled(owner.Handle()); }, 2000);
        return ClickBoxButton(b, L"&No");
    }));
    int answer = Ask(L"Continue crc check?", L"Ferrow", 0x24);
    ASSERT_TRUE(answerer.Finish());

    EXPECT_EQ(answer, 7);
    SeenBox shown = answerer.First();
    EXPECT_EQ(shown.caption, L"Ferrow");
    EXPECT_EQ(shown.lines, std::vector<std::wstring>{L"Continue crc check?"});
    EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
    EXPECT_FALSE(seen.ownerEnabled);
    ExpectClosed(shown);
}

TEST_F(MsgBoxTest, MnemonicKeyAnswers)
{
    BoxAnswerer answerer(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Yes"))
            return false;
        PressKey(b, 'N');
        return true;
    }));
    int answer = Ask(L"Continue crc check?", L"Ferrow", 0x24);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(answer, 7);
    ExpectClosed(answerer.First());
}

TEST_F(MsgBoxTest, EnterAnswersWithTheFocusedButton)
{
    BoxAnswerer answerer(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Yes"))
            return false;
        PressKey(b, VK_RIGHT);
        if (!WaitForFocus(b, L"&No"))
            return false;
        PressKey(b, VK_RETURN);
        return true;
    }));
    int answer = Ask(L"Save CRC's?", L"", 0x23);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(answer, 7);
    ExpectClosed(answerer.First());
}

TEST_F(MsgBoxTest, FocusBitsChooseTheStartingButton)
{
    BoxAnswerer second(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&No"))
            return false;
        PressKey(b, VK_RETURN);
        return true;
    }));
    EXPECT_EQ(Ask(L"Save CRC's?", L"", 0x123), 7);
    ASSERT_TRUE(second.Finish());

    // The same object asks again, with new buttons.
    BoxAnswerer third(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Cancel"))
            return false;
        PressKey(b, VK_RETURN);
        return true;
    }));
    EXPECT_EQ(Ask(L"Save CRC's?", L"", 0x223), 2);
    ASSERT_TRUE(third.Finish());
    ExpectClosed(third.First());
}

TEST_F(MsgBoxTest, KeyThatIsNoMnemonicChangesNothing)
{
    Observed seen;
    BoxAnswerer answerer(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Yes"))
            return false;
        PressKey(b, 'O');  // the mnemonic of a button this box does not have
        PressKey(b, 'Q');
        PressKey(b, VK_F5);
        Sleep(300);
        seen.stillOpen = IsWindow(b) && IsWindowVisible(b);
        seen.focusTexts.push_back(FocusText(b));
        return ClickBoxButton(b, L"&Yes");
    }));
    int answer = Ask(L"Continue crc check?", L"Ferrow", 0x24);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_TRUE(seen.stillOpen);
    EXPECT_EQ(seen.focusTexts, std::vector<std::wstring>{L"&Yes"});
    EXPECT_EQ(answer, 6);
}

TEST_F(MsgBoxTest, LeftOnTheFirstAndTabOnTheLastWrapAround)
{
    Observed seen;
    BoxAnswerer answerer(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Yes"))
            return false;
        PressKey(b, VK_LEFT);
        if (!WaitForFocus(b, L"&Cancel"))
            return false;
        seen.focusTexts.push_back(FocusText(b));
        PressKey(b, VK_TAB);
        if (!WaitForFocus(b, L"&Yes"))
            return false;
        seen.focusTexts.push_back(FocusText(b));
        PressKey(b, VK_TAB);
        if (!WaitForFocus(b, L"&No"))
            return false;
        seen.focusTexts.push_back(FocusText(b));
        // Space is the button's own key: it still presses the button.
        PressKey(b, VK_SPACE);
        return true;
    }));
    int answer = Ask(L"Save CRC's?", L"", 0x23);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(seen.focusTexts, (std::vector<std::wstring>{L"&Cancel", L"&Yes", L"&No"}));
    EXPECT_EQ(answer, 7);
    ExpectClosed(answerer.First());
}

TEST_F(MsgBoxTest, TwoButtonBoxWrapsBothWays)
{
    BoxAnswerer answerer(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Ok"))
            return false;
        PressKey(b, VK_RIGHT);
        if (!WaitForFocus(b, L"&Cancel"))
            return false;
        PressKey(b, VK_RIGHT);
        if (!WaitForFocus(b, L"&Ok"))
            return false;
        PressKey(b, VK_LEFT);
        if (!WaitForFocus(b, L"&Cancel"))
            return false;
        PressKey(b, 'O');
        return true;
    }));
    EXPECT_EQ(Ask(L"Proceed?", L"Ferrow", 0x21), 1);
    ASSERT_TRUE(answerer.Finish());
}

TEST_F(MsgBoxTest, ABoxClosedWithoutAnAnswerGivesCancelWhenItHasACancelButtonElseZero)
{
    // What Alt+F4 on the box, or the system closing it, delivers.
    const struct {
        UINT style;
        int unanswered;
    } cases[] = {{0x23, 2}, {0x21, 2}, {0x24, 0}, {0x30, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        BoxAnswerer answerer(BoxQuery::ForBox(), [](HWND b) {
            return PostMessageW(b, WM_CLOSE, 0, 0) != FALSE;
        });
        EXPECT_EQ(Ask(L"Save CRC's?", L"Ferrow", c.style), c.unanswered);
        ASSERT_TRUE(answerer.Finish());
        ExpectClosed(answerer.First());
    }
}

namespace {

MsgBox* nestedBox;
HWND nestedOwner;
std::atomic<int> nestedAnswer;

void CALLBACK AskNestedQuestion(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    nestedAnswer = nestedBox->Ask(nestedOwner, L"Save CRC's?", L"Ferrow", 0x23, 0, kBlack, kBack, kShadow);
}

}  // namespace

TEST_F(MsgBoxTest, AQuestionAskedWhileAnotherBoxIsOpenIsNotShownAndCountsAsUnanswered)
{
    // A close or end-of-session request handled inside an open box asks its
    // own question: the boxes share their buttons, so it is not shown, and
    // one that can be cancelled is cancelled.
    MsgBox other;
    nestedBox = &other;
    nestedOwner = owner.Handle();
    nestedAnswer = -1;
    BoxAnswerer answerer(BoxQuery::ForBox(L"First"), Guarded([](HWND b) {
        return WaitUntil([] { return nestedAnswer != -1; }) &&
               FindBox(BoxQuery::ForBox(L"Ferrow")) == nullptr && ClickBoxButton(b, L"&Ok");
    }));
    SetTimer(nullptr, 0, 100, AskNestedQuestion);
    EXPECT_EQ(Ask(L"first", L"First", 0x30), 1);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(2, nestedAnswer.load());
}

namespace {

HWND destroyTarget;

void CALLBACK DestroyBoxTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND found = FindBox(BoxQuery::ForBox());
    if (found) {
        destroyTarget = found;
        DestroyWindow(found);
    }
}

} // namespace

TEST_F(MsgBoxTest, BoxDestroyedFromOutsideIsUnansweredAndTheNextQuestionWorks)
{
    destroyTarget = nullptr;
    // A timer of the waiting thread itself destroys the box (as only that thread can).
    SetTimer(nullptr, 0, 200, DestroyBoxTimer);
    int answer = Ask(L"Continue crc check?", L"Ferrow", 0x24);
    EXPECT_EQ(answer, 0);
    ASSERT_NE(destroyTarget, nullptr);
    EXPECT_FALSE(IsWindow(destroyTarget));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

    BoxAnswerer answerer(BoxQuery::ForBox(), L"&Yes");
    EXPECT_EQ(Ask(L"Continue crc check?", L"Ferrow", 0x24), 6);
    ASSERT_TRUE(answerer.Finish());
}

TEST_F(MsgBoxTest, AnOwnerDisabledBeforeTheQuestionStaysDisabledAfterIt)
{
    // A modal dialog holds the owner disabled when the end of the session asks.
    EnableWindow(owner.Handle(), FALSE);
    BoxAnswerer answerer(BoxQuery::ForBox(), L"&No");
    EXPECT_EQ(Ask(L"Save CRC's?", L"Ferrow", 0x23), 7);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    EnableWindow(owner.Handle(), TRUE);
}

TEST_F(MsgBoxTest, PendingQuitCancelsTheQuestionAndStaysQueued)
{
    PostQuitMessage(5);
    int answer = Ask(L"Save CRC's?", L"", 0x23);
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(FindBox(BoxQuery::ForBox()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(MsgBoxTest, QuitArrivingWhileOpenReturnsZero)
{
    DWORD thread = GetCurrentThreadId();
    BoxAnswerer answerer(BoxQuery::ForBox(), [thread](HWND) {
        return PostThreadMessageW(thread, WM_QUIT, 9, 0) != FALSE;
    });
    int answer = Ask(L"Continue crc check?", L"Ferrow", 0x24);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(answer, 0);
    ExpectClosed(answerer.First());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(MsgBoxTest, NoOwnerStillAsks)
{
    BoxAnswerer answerer(BoxQuery::ForBox(L"Alone"), L"&Ok");
    EXPECT_EQ(box.Ask(nullptr, L"x", L"Alone", 0x30, 0, kBlack, kBack, kShadow), 1);
    ASSERT_TRUE(answerer.Finish());
}

namespace {

// Where things are in a box, measured from the answering thread.
struct BoxGeometry {
    RECT window{};
    RECT client{};
    RECT ok{};
    POINT origin{};
    ScreenShot shot;
};

} // namespace

TEST_F(MsgBoxTest, ThreeLineBoxLayoutAndPicture)
{
    const int lh = DisplayLineHeight();
    const wchar_t* lines[] = {L"Z:\\disk\\folder\\file.dat", L"cannot be read", L"Continue?"};
    int widest = 0;
    for (const wchar_t* line : lines)
        widest = std::max(widest, DisplayTextWidth(line));

    BoxGeometry g;
    BoxAnswerer answerer(BoxQuery::ForBox(L"Z:\\disk"), Guarded([&](HWND b) {
        GetWindowRect(b, &g.window);
        GetClientRect(b, &g.client);
        g.origin = ClientOrigin(b);
        HWND ok = FindBoxButton(b, L"&Ok");
        if (!ok)
            return false;
        g.ok = ChildRectInParent(ok);
        // Wait for the first paint: the background colour inside the frame.
        bool painted = WaitUntil([&] {
            g.shot = CapturePainted(b);
            int x = g.origin.x - g.window.left + 5;
            int y = g.origin.y - g.window.top + 5;
            return g.shot.At(x, y) == kBack && g.shot.CountColour(kBlack) > 20;
        });
        return painted && ClickBoxButton(b, L"&Ok");
    }));
    int answer = Ask(L"Z:\\disk\\folder\\file.dat\ncannot be read\nContinue?", L"Z:\\disk", 0x30);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(answer, 1);

    // Centring adds one pixel each way to the size the box was made with.
    EXPECT_EQ(g.window.bottom - g.window.top, 9 * lh + 1);
    EXPECT_EQ(g.window.right - g.window.left, widest + 4 * DisplayMaxCharWidth() + 64 + 16 + 1);
    RECT ownerRect;
    GetWindowRect(owner.Handle(), &ownerRect);
    EXPECT_NEAR((g.window.left + g.window.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1);
    EXPECT_NEAR((g.window.top + g.window.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);

    // "&Ok" sits in the middle, two line heights above the bottom of the client
    // area it was created in (one pixel smaller than now).
    int createdRight = g.client.right - 1, createdBottom = g.client.bottom - 1;
    EXPECT_EQ(g.ok.left, createdRight / 2 - 30);
    EXPECT_EQ(g.ok.top, createdBottom - 2 * lh);
    EXPECT_EQ(g.ok.right - g.ok.left, 60);
    EXPECT_EQ(g.ok.bottom - g.ok.top, 30);

    ASSERT_FALSE(g.shot.Empty());
    EXPECT_TRUE(g.shot.SaveBmp(TestOutputDir() + L"\\message_box.bmp"));
    // Picture coordinates of the client's top-left corner.
    const int cx = g.origin.x - g.window.left, cy = g.origin.y - g.window.top;
    // The sunken frame: shadow on the left edge at x 64 from y lh to 4 lh + 8,
    // white on the bottom edge.
    for (int y = lh; y <= 4 * lh + 8; ++y)
        EXPECT_EQ(g.shot.At(cx + 64, cy + y), kShadow) << "left edge, y " << y;
    EXPECT_EQ(g.shot.At(cx + 100, cy + lh), kShadow);
    EXPECT_EQ(g.shot.At(cx + 100, cy + 4 * lh + 8), kWhite);
    // Text starts at lh + 3: nothing dark inside the frame above that row,
    // dark text pixels in the first line.
    RECT aboveText = {cx + 65, cy + lh + 1, cx + 64 + widest, cy + lh + 3};
    EXPECT_EQ(g.shot.CountColour(kBlack, aboveText), 0);
    RECT firstLine = {cx + 65, cy + lh + 3, cx + 64 + widest + 40, cy + 2 * lh + 3};
    EXPECT_GT(g.shot.CountColour(kBlack, firstLine), 10);
    // The icon beside the frame is not plain background.
    RECT iconArea = {cx + 16, cy + lh, cx + 48, cy + 4 * lh + 8};
    const int iconAreaPixels = 32 * (3 * lh + 8);
    EXPECT_LT(g.shot.CountColour(kBack, iconArea), iconAreaPixels - 50);
}

TEST_F(MsgBoxTest, CaptionWidensABoxWithoutIcon)
{
    const wchar_t* caption = L"A caption that is much wider than the one short line";
    RECT shortCaption{}, longCaption{};
    BoxAnswerer first(BoxQuery::ForBox(L"Hi"), Guarded([&](HWND b) {
        GetWindowRect(b, &shortCaption);
        return ClickBoxButton(b, L"&Ok");
    }));
    EXPECT_EQ(Ask(L"Short", L"Hi", 0x00), 1);
    ASSERT_TRUE(first.Finish());
    BoxAnswerer second(BoxQuery::ForBox(caption), Guarded([&](HWND b) {
        GetWindowRect(b, &longCaption);
        return ClickBoxButton(b, L"&Ok");
    }));
    EXPECT_EQ(Ask(L"Short", caption, 0x00), 1);
    ASSERT_TRUE(second.Finish());

    int margin = 4 * DisplayMaxCharWidth() + 8 + 16 + 1;
    EXPECT_EQ(shortCaption.right - shortCaption.left, DisplayTextWidth(L"Short") + margin);
    EXPECT_EQ(longCaption.right - longCaption.left, DisplayTextWidth(caption) + margin);
}

TEST_F(MsgBoxTest, DraggedByAnyPoint)
{
    RECT before{}, after{};
    BoxAnswerer answerer(BoxQuery::ForBox(), Guarded([&](HWND b) {
        if (!WaitForFocus(b, L"&Ok"))
            return false;
        GetWindowRect(b, &before);
        POINT grip = ClientOrigin(b);
        grip.x += 10;
        grip.y += 5;
        auto mouse = [](DWORD flags, int x, int y) {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
            input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
            SendInput(1, &input, sizeof(input));
            Sleep(100);
        };
        mouse(0, grip.x, grip.y);
        mouse(MOUSEEVENTF_LEFTDOWN, grip.x, grip.y);
        mouse(0, grip.x + 20, grip.y + 15);
        mouse(0, grip.x + 40, grip.y + 30);
        mouse(MOUSEEVENTF_LEFTUP, grip.x + 40, grip.y + 30);
        WaitUntil([&] {
            GetWindowRect(b, &after);
            return after.left != before.left;
        }, 2000);
        return ClickBoxButton(b, L"&Ok");
    }));
    EXPECT_EQ(Ask(L"Drag me", L"Ferrow", 0x30), 1);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
}
