#include "toolkit/box_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

BoxMeasures Measured(int lineHeight, int maxCharWidth, int lineCount, int maxLineWidth,
                     int captionWidth = 0)
{
    BoxMeasures m;
    m.lineHeight = lineHeight;
    m.maxCharWidth = maxCharWidth;
    m.lineCount = lineCount;
    m.maxLineWidth = maxLineWidth;
    m.captionWidth = captionWidth;
    return m;
}

std::wstring LineOf(const wchar_t* text, const BoxTextLine& line)
{
    return std::wstring(text + line.start, line.length);
}

} // namespace

TEST(BoxText, SplitsAtNewlinesWithoutATrailingEmptyLine)
{
    const wchar_t* text = L"Save CRC's?\nsecond\n";
    auto lines = SplitBoxText(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(LineOf(text, lines[0]), L"Save CRC's?");
    EXPECT_EQ(LineOf(text, lines[1]), L"second");
}

TEST(BoxText, TwoNewlinesInARowGiveAnEmptyLine)
{
    const wchar_t* text = L"a\n\nb";
    auto lines = SplitBoxText(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(LineOf(text, lines[1]), L"");
    EXPECT_EQ(LineOf(text, lines[2]), L"b");
}

TEST(BoxText, AnEmptyTextHasNoLines)
{
    EXPECT_TRUE(SplitBoxText(L"").empty());
    EXPECT_TRUE(SplitBoxText(nullptr).empty());
    EXPECT_EQ(SplitBoxText(L"\n").size(), 1u);
}

TEST(BoxStyle, YesNoGivesTwoButtonsQuestionIconAndTenLineHeights)
{
    BoxButtonSet set = ButtonsForStyle(0x24);
    ASSERT_EQ(set.count, 2);
    EXPECT_STREQ(set.buttons[0].text, L"&Yes");
    EXPECT_STREQ(set.buttons[1].text, L"&No");
    EXPECT_EQ(set.buttons[0].offsetFromMid, -70);
    EXPECT_EQ(set.buttons[1].offsetFromMid, 10);
    EXPECT_EQ(set.buttons[0].answer, 6);
    EXPECT_EQ(set.buttons[1].answer, 7);

    // A short text: the minimum width wins.
    MsgBoxLayout layout = LayOutMsgBox(0x24, 0, Measured(16, 10, 1, 20), 0, 0);
    EXPECT_TRUE(layout.icon.system);
    EXPECT_EQ(layout.icon.resource, 32514);
    EXPECT_EQ(layout.textRect.left, 64);
    EXPECT_EQ(layout.textRect.right, 160);
}

TEST(BoxStyle, YesNoCancelGivesThreeButtonsAndThirteenLineHeights)
{
    BoxButtonSet set = ButtonsForStyle(0x23);
    ASSERT_EQ(set.count, 3);
    EXPECT_STREQ(set.buttons[0].text, L"&Yes");
    EXPECT_STREQ(set.buttons[1].text, L"&No");
    EXPECT_STREQ(set.buttons[2].text, L"&Cancel");
    EXPECT_EQ(set.buttons[0].offsetFromMid, -100);
    EXPECT_EQ(set.buttons[1].offsetFromMid, -30);
    EXPECT_EQ(set.buttons[2].offsetFromMid, 40);
    EXPECT_EQ(set.buttons[2].answer, 2);

    MsgBoxLayout layout = LayOutMsgBox(0x23, 0, Measured(16, 10, 1, 20), 0, 0);
    EXPECT_EQ(layout.icon.resource, 32514);
    EXPECT_EQ(layout.textRect.right, 13 * 16);
}

TEST(BoxStyle, ErrorStyleGivesOneOkAndTheExclamationIcon)
{
    BoxButtonSet set = ButtonsForStyle(0x30);
    ASSERT_EQ(set.count, 1);
    EXPECT_STREQ(set.buttons[0].text, L"&Ok");
    EXPECT_EQ(set.buttons[0].offsetFromMid, -30);
    EXPECT_EQ(set.buttons[0].answer, 1);
    EXPECT_EQ(MinimumTextWidth(0x30, 16), 0);

    // A long line: its width decides, 4 widest characters of margin and the icon's room.
    MsgBoxLayout layout = LayOutMsgBox(0x30, 0, Measured(16, 14, 1, 300), 0, 0);
    EXPECT_EQ(layout.icon.resource, 32515);
    EXPECT_EQ(layout.textRect.right, 300 + 4 * 14 + 64);
}

TEST(BoxStyle, OkCancelButtons)
{
    BoxButtonSet set = ButtonsForStyle(0x01);
    ASSERT_EQ(set.count, 2);
    EXPECT_STREQ(set.buttons[0].text, L"&Ok");
    EXPECT_STREQ(set.buttons[1].text, L"&Cancel");
    EXPECT_EQ(set.buttons[0].answer, 1);
    EXPECT_EQ(set.buttons[1].answer, 2);
    EXPECT_EQ(MinimumTextWidth(0x01, 20), 200);
    // Styles the box does not know show "&Ok" alone.
    EXPECT_EQ(ButtonsForStyle(0x02).count, 1);
    EXPECT_EQ(ButtonsForStyle(0x05).count, 1);
}

TEST(BoxStyle, IconBits)
{
    EXPECT_EQ(IconForStyle(0x10, 0).resource, 32513);
    EXPECT_EQ(IconForStyle(0x40, 0).resource, 32516);
    // No system icon: the caller's own resource, none when it is 0.
    BoxIconChoice own = IconForStyle(0x00, 102);
    EXPECT_FALSE(own.system);
    EXPECT_EQ(own.resource, 102);
    EXPECT_FALSE(IconForStyle(0x50, 0).Any());
    EXPECT_FALSE(IconForStyle(0xF0, 0).Any());
}

TEST(BoxGeometry, ThreeLineTextFrameAndWindowHeight)
{
    const int lh = 16;
    MsgBoxLayout layout = LayOutMsgBox(0x30, 0, Measured(lh, 14, 3, 100), 461, 350);
    EXPECT_EQ(layout.window.height, 9 * lh);
    EXPECT_EQ(layout.textRect.top, lh);
    EXPECT_EQ(layout.textRect.bottom, 4 * lh + 8);
    EXPECT_EQ(FirstLineY(layout.textRect), lh + 3);
    EXPECT_EQ(layout.textRect.right, 220);
    EXPECT_EQ(layout.window.width, 236);
    // Placed from the owner's client area: halves truncate.
    EXPECT_EQ(layout.window.x, 461 / 2 - 236 / 2);
    EXPECT_EQ(layout.window.y, 350 / 2 - 144 / 2);
    // The icon sits beside the middle of the frame.
    EXPECT_EQ(MsgBoxIconY(layout.textRect), lh + (3 * lh + 8) / 2 - 16);
}

TEST(BoxGeometry, LinesAreCentredInTheTextArea)
{
    BoxRect area;
    area.left = 64;
    area.right = 220;
    EXPECT_EQ(CentredLineX(area, 100), 64 + 28);
    EXPECT_EQ(CentredLineX(area, 101), 64 + 27);
}

TEST(BoxGeometry, CaptionWidensABoxWithoutIcon)
{
    // A caption wider than every line.
    MsgBoxLayout plain = LayOutMsgBox(0x00, 0, Measured(16, 10, 1, 50, 200), 0, 0);
    EXPECT_FALSE(plain.icon.Any());
    EXPECT_EQ(plain.maxLineWidth, 200);
    EXPECT_EQ(plain.textRect.left, 8);
    EXPECT_EQ(plain.textRect.right, 200 + 40 + 8);

    // With an icon the caption does not count.
    MsgBoxLayout withIcon = LayOutMsgBox(0x30, 0, Measured(16, 10, 1, 50, 200), 0, 0);
    EXPECT_EQ(withIcon.maxLineWidth, 50);
    EXPECT_EQ(withIcon.textRect.right, 50 + 40 + 64);

    // A narrower caption changes nothing.
    MsgBoxLayout narrow = LayOutMsgBox(0x00, 0, Measured(16, 10, 1, 50, 20), 0, 0);
    EXPECT_EQ(narrow.textRect.right, 50 + 40 + 8);
}

TEST(BoxGeometry, ButtonPositionsPerStyle)
{
    const int right = 301, bottom = 200, lh = 16;  // mid 150
    BoxButtonSet yesNo = ButtonsForStyle(0x24);
    BoxPlacement yes = MsgBoxButtonPlace(yesNo.buttons[0], right, bottom, lh);
    BoxPlacement no = MsgBoxButtonPlace(yesNo.buttons[1], right, bottom, lh);
    EXPECT_EQ(yes.x, 80);
    EXPECT_EQ(no.x, 160);
    EXPECT_EQ(yes.y, 200 - 32);
    EXPECT_EQ(yes.width, 60);
    EXPECT_EQ(yes.height, 30);

    BoxButtonSet three = ButtonsForStyle(0x23);
    EXPECT_EQ(MsgBoxButtonPlace(three.buttons[0], right, bottom, lh).x, 50);
    EXPECT_EQ(MsgBoxButtonPlace(three.buttons[1], right, bottom, lh).x, 120);
    EXPECT_EQ(MsgBoxButtonPlace(three.buttons[2], right, bottom, lh).x, 190);

    BoxButtonSet ok = ButtonsForStyle(0x30);
    EXPECT_EQ(MsgBoxButtonPlace(ok.buttons[0], right, bottom, lh).x, 120);
}

TEST(BoxFocus, InitialFocusBits)
{
    EXPECT_EQ(InitialFocusIndex(0x023), 0);
    EXPECT_EQ(InitialFocusIndex(0x123), 1);
    EXPECT_EQ(InitialFocusIndex(0x223), 2);
    EXPECT_EQ(InitialFocusIndex(0x323), 0);
}

TEST(BoxFocus, TabAndLeftWrap)
{
    EXPECT_EQ(NextFocusIndex(0, 3), 1);
    EXPECT_EQ(NextFocusIndex(2, 3), 0);
    EXPECT_EQ(NextFocusIndex(0, 1), 0);
    EXPECT_EQ(PreviousFocusIndex(0, 3), 2);
    EXPECT_EQ(PreviousFocusIndex(1, 2), 0);
    EXPECT_EQ(PreviousFocusIndex(0, 1), 0);
}

TEST(AboutGeometry, WindowSizeWithAndWithoutLink)
{
    BoxMeasures m = Measured(16, 14, 2, 150);
    BoxPlacement withLink = AboutBoxWindow(m, true, 461, 351);
    EXPECT_EQ(withLink.width, 150 + 56);
    EXPECT_EQ(withLink.height, 12 * 16);
    EXPECT_EQ(withLink.x, 230);
    EXPECT_EQ(withLink.y, 175);
    EXPECT_EQ(AboutBoxWindow(m, false, 0, 0).height, 10 * 16);
}

TEST(AboutGeometry, OkTextAndLinkPositions)
{
    BoxPlacement ok = AboutBoxOkButton(205, 191, 16);
    EXPECT_EQ(ok.x, 102 - 30);
    EXPECT_EQ(ok.y, 191 - 48);
    EXPECT_EQ(ok.width, 60);
    EXPECT_EQ(AboutBoxFirstLineY(16), 64);

    // Two text lines from y 64: the next line would be at 96; one empty line below.
    BoxRect link = AboutBoxLinkRect(207, 96, 16, 81, 15);
    EXPECT_EQ(link.left, 63);
    EXPECT_EQ(link.top, 112);
    EXPECT_EQ(link.right, 144);
    EXPECT_EQ(link.bottom, 127);
}
