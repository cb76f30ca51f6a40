#include "toolkit/box_layout.h"

namespace {

constexpr int kIconTextLeft = 64;   // room for the icon at kBoxIconLeft
constexpr int kPlainTextLeft = 8;
// The text area's bottom edge lies this far below its last line's slot.
constexpr int kTextAreaBottomPad = 8;
// The message box window is this much wider than its text area's right edge.
constexpr int kWindowExtraWidth = 16;
// The system icons of the style's icon bits 0x10 to 0x40 (IDI_HAND ... IDI_ASTERISK).
constexpr int kIconHand = 32513;
constexpr int kIconQuestion = 32514;
constexpr int kIconExclamation = 32515;
constexpr int kIconAsterisk = 32516;

int Larger(int a, int b)
{
    return a > b ? a : b;
}

} // namespace

std::vector<BoxTextLine> SplitBoxText(const wchar_t* text)
{
    std::vector<BoxTextLine> lines;
    if (!text)
        return lines;
    std::size_t pos = 0;
    while (text[pos]) {
        BoxTextLine line;
        line.start = pos;
        while (text[pos] && text[pos] != L'\n')
            ++pos;
        line.length = pos - line.start;
        lines.push_back(line);
        if (text[pos] == L'\n')
            ++pos;
    }
    return lines;
}

BoxButtonSet ButtonsForStyle(unsigned style)
{
    BoxButtonSet set;
    switch (style & kStyleButtonsMask) {
    case 1:
        set.count = 2;
        set.buttons[0] = {L"&Ok", -70, kAnswerOk};
        set.buttons[1] = {L"&Cancel", 10, kAnswerCancel};
        break;
    case 3:
        set.count = 3;
        set.buttons[0] = {L"&Yes", -100, kAnswerYes};
        set.buttons[1] = {L"&No", -30, kAnswerNo};
        set.buttons[2] = {L"&Cancel", 40, kAnswerCancel};
        break;
    case 4:
        set.count = 2;
        set.buttons[0] = {L"&Yes", -70, kAnswerYes};
        set.buttons[1] = {L"&No", 10, kAnswerNo};
        break;
    default:
        set.count = 1;
        set.buttons[0] = {L"&Ok", -30, kAnswerOk};
        break;
    }
    return set;
}

int UnansweredResult(unsigned style)
{
    const BoxButtonSet set = ButtonsForStyle(style);
    for (int k = 0; k < set.count; ++k)
        if (set.buttons[k].answer == kAnswerCancel)
            return kAnswerCancel;
    return 0;
}

BoxPlacement MsgBoxButtonPlace(const BoxButtonSpec& button, int clientRight, int clientBottom,
                               int lineHeight)
{
    BoxPlacement place;
    place.x = clientRight / 2 + button.offsetFromMid;
    place.y = clientBottom - 2 * lineHeight;
    place.width = kBoxButtonWidth;
    place.height = kBoxButtonHeight;
    return place;
}

int InitialFocusIndex(unsigned style)
{
    switch (style & kStyleFocusMask) {
    case 0x100:
        return 1;
    case 0x200:
        return 2;
    default:
        return 0;
    }
}

int NextFocusIndex(int index, int count)
{
    return count > 0 ? (index + 1) % count : 0;
}

int PreviousFocusIndex(int index, int count)
{
    return index - 1 < 0 ? count - 1 : index - 1;
}

BoxIconChoice IconForStyle(unsigned style, int iconResource)
{
    BoxIconChoice icon;
    switch (style & kStyleIconMask) {
    case 0x10:
        icon = {true, kIconHand};
        break;
    case 0x20:
        icon = {true, kIconQuestion};
        break;
    case 0x30:
        icon = {true, kIconExclamation};
        break;
    case 0x40:
        icon = {true, kIconAsterisk};
        break;
    default:
        icon = {false, iconResource};
        break;
    }
    return icon;
}

int MinimumTextWidth(unsigned style, int lineHeight)
{
    switch (style & kStyleButtonsMask) {
    case 1:
    case 4:
        return 10 * lineHeight;
    case 3:
        return 13 * lineHeight;
    default:
        return 0;
    }
}

MsgBoxLayout LayOutMsgBox(unsigned style, int iconResource, const BoxMeasures& m,
                          int ownerClientRight, int ownerClientBottom)
{
    MsgBoxLayout layout;
    layout.icon = IconForStyle(style, iconResource);
    layout.maxLineWidth = m.maxLineWidth;
    // Without an icon the caption is the widest thing the box may have to show.
    if (!layout.icon.Any())
        layout.maxLineWidth = Larger(layout.maxLineWidth, m.captionWidth);
    int left = layout.icon.Any() ? kIconTextLeft : kPlainTextLeft;
    int width = layout.maxLineWidth + 4 * m.maxCharWidth + left;

    layout.textRect.left = left;
    layout.textRect.right = Larger(width, MinimumTextWidth(style, m.lineHeight));
    layout.textRect.top = m.lineHeight;
    layout.textRect.bottom = m.lineHeight * (m.lineCount + 1) + kTextAreaBottomPad;

    layout.window.width = layout.textRect.right + kWindowExtraWidth;
    layout.window.height = m.lineHeight * (m.lineCount + 6);
    layout.window.x = ownerClientRight / 2 - layout.window.width / 2;
    layout.window.y = ownerClientBottom / 2 - layout.window.height / 2;
    return layout;
}

int CentredLineX(const BoxRect& textRect, int lineWidth)
{
    return textRect.left + (textRect.right - textRect.left - lineWidth) / 2;
}

int FirstLineY(const BoxRect& textRect)
{
    return textRect.top + 3;
}

int MsgBoxIconY(const BoxRect& textRect)
{
    return textRect.top + (textRect.bottom - textRect.top) / 2 - kBoxIconSize / 2;
}

BoxPlacement AboutBoxWindow(const BoxMeasures& m, bool hasLink, int ownerClientRight,
                            int ownerClientBottom)
{
    BoxPlacement place;
    place.x = ownerClientRight / 2;
    place.y = ownerClientBottom / 2;
    place.width = m.maxLineWidth + 4 * m.maxCharWidth;
    place.height = (m.lineCount + (hasLink ? 10 : 8)) * m.lineHeight;
    return place;
}

BoxPlacement AboutBoxOkButton(int clientRight, int clientBottom, int lineHeight)
{
    BoxPlacement place;
    place.x = clientRight / 2 - kBoxButtonWidth / 2;
    place.y = clientBottom - 3 * lineHeight;
    place.width = kBoxButtonWidth;
    place.height = kBoxButtonHeight;
    return place;
}

int AboutBoxFirstLineY(int lineHeight)
{
    return 2 * lineHeight + kBoxIconSize;
}

BoxRect AboutBoxLinkRect(int boxWidth, int nextLineY, int lineHeight, int linkWidth,
                         int linkHeight)
{
    BoxRect r;
    r.left = (boxWidth - linkWidth) / 2;
    r.top = nextLineY + lineHeight;
    r.right = r.left + linkWidth;
    r.bottom = r.top + linkHeight;
    return r;
}
