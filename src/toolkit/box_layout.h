#pragma once
// Window-free layout of the message box and the about box: which buttons and
// icon a style asks for, where the text, the frame and the buttons go, and how
// the keyboard moves the focus between the buttons. All values are pixels;
// every halving truncates toward zero.
#include <cstddef>
#include <vector>

struct BoxRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct BoxPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One line of a box text: where it starts and how many characters it has.
struct BoxTextLine {
    std::size_t start = 0;
    std::size_t length = 0;
};

// Splits a text at '\n'. A text that ends in '\n' has no empty last line, two
// '\n' in a row give an empty line, an empty text gives no lines.
std::vector<BoxTextLine> SplitBoxText(const wchar_t* text);

// The style bits of the system message box: which buttons, which icon,
// which button starts with the focus.
constexpr unsigned kStyleButtonsMask = 0x0F;
constexpr unsigned kStyleIconMask = 0xF0;
constexpr unsigned kStyleFocusMask = 0xF00;

// The styles the program's boxes are shown with (the system message box's
// bits).
enum BoxStyle : unsigned {
    kBoxError = 0x30,        // OK, exclamation icon
    kBoxYesNo = 0x24,        // Yes and No, question icon
    kBoxYesNoCancel = 0x23,  // Yes, No and Cancel, question icon
};

// The answer ids of the system message box.
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

constexpr int kBoxButtonWidth = 60;
constexpr int kBoxButtonHeight = 30;
// The most buttons a box has.
constexpr int kMaxBoxButtons = 3;

// The icon: a system icon's size, and where the message box draws it.
constexpr int kBoxIconSize = 32;
constexpr int kBoxIconLeft = 16;

struct BoxButtonSpec {
    const wchar_t* text = L"";
    int offsetFromMid = 0;  // left edge relative to the middle of the client area
    int answer = 0;
};

struct BoxButtonSet {
    int count = 0;
    BoxButtonSpec buttons[kMaxBoxButtons];
};

// Buttons of the style's low four bits: 1 Ok/Cancel, 3 Yes/No/Cancel,
// 4 Yes/No, anything else Ok alone.
BoxButtonSet ButtonsForStyle(unsigned style);

// What a box of this style answers when it ends without a button being
// chosen (closed with Alt+F4, closed by the system, or never shown): Cancel
// when the style has a Cancel button, as the system's own message box does,
// so that a question about losing something stops the command; 0 otherwise.
int UnansweredResult(unsigned style);

// Top-left corner of a button of the message box in its client area.
BoxPlacement MsgBoxButtonPlace(const BoxButtonSpec& button, int clientRight, int clientBottom,
                               int lineHeight);

// Index of the button that starts with the focus: bits 0x100 the second,
// 0x200 the third, otherwise the first.
int InitialFocusIndex(unsigned style);

// Tab and Right move to the next button, Left to the previous; both wrap.
int NextFocusIndex(int index, int count);
int PreviousFocusIndex(int index, int count);

// Icon of the style's bits 0xF0: the system icons 32513 (0x10, hand), 32514
// (0x20, question), 32515 (0x30, exclamation), 32516 (0x40, asterisk);
// otherwise the caller's own icon resource, none when that is 0.
struct BoxIconChoice {
    bool system = false;
    int resource = 0;  // 0: no icon

    bool Any() const { return resource != 0; }
};
BoxIconChoice IconForStyle(unsigned style, int iconResource);

// The narrowest text area a style allows: 10 line heights for two buttons,
// 13 for three, no limit for one.
int MinimumTextWidth(unsigned style, int lineHeight);

// What Ask measured with the display font.
struct BoxMeasures {
    int lineHeight = 0;    // character height plus external leading
    int maxCharWidth = 0;
    int lineCount = 0;
    int maxLineWidth = 0;  // widest text line
    int captionWidth = 0;  // width of the caption
};

struct MsgBoxLayout {
    BoxIconChoice icon;
    int maxLineWidth = 0;  // widened by the caption when there is no icon
    BoxRect textRect;      // text area inside the box; the frame is drawn around it
    BoxPlacement window;   // relative to the owner's client area (centred again later)
};

// The whole message-box layout. ownerClientRight/Bottom: the owner's client size.
MsgBoxLayout LayOutMsgBox(unsigned style, int iconResource, const BoxMeasures& measures,
                          int ownerClientRight, int ownerClientBottom);

// Where a text line of the given width starts inside the text area, and where
// the first line is drawn.
int CentredLineX(const BoxRect& textRect, int lineWidth);
int FirstLineY(const BoxRect& textRect);
// Where the icon is drawn: vertically centred beside the text area.
int MsgBoxIconY(const BoxRect& textRect);

// The about box: an ellipse as large as its client area.
BoxPlacement AboutBoxWindow(const BoxMeasures& measures, bool hasLink, int ownerClientRight,
                            int ownerClientBottom);
// Its one "&Ok" button, from the client rectangle's right and bottom.
BoxPlacement AboutBoxOkButton(int clientRight, int clientBottom, int lineHeight);
// First text line of the about box, below the icon.
int AboutBoxFirstLineY(int lineHeight);
// The link: centred, one empty line below the last text line (nextLineY is
// where a further text line would go).
BoxRect AboutBoxLinkRect(int boxWidth, int nextLineY, int lineHeight, int linkWidth,
                         int linkHeight);
