#pragma once
#include "toolkit/box_layout.h"
#include "toolkit/button.h"
#include "toolkit/text_font.h"
#include "toolkit/frame_colors.h"
#include "toolkit/window.h"

static_assert(kBoxError == (MB_OK | MB_ICONEXCLAMATION), "box styles are the system's bits");
static_assert(kBoxYesNo == (MB_YESNO | MB_ICONQUESTION), "box styles are the system's bits");
static_assert(kBoxYesNoCancel == (MB_YESNOCANCEL | MB_ICONQUESTION), "box styles are the system's bits");

// The colours of every box the program shows: black text on light grey, and
// the grey of the sunken frame's shadow.
struct BoxColours {
    COLORREF text;
    COLORREF back;
    COLORREF shadow;
};
constexpr BoxColours kBoxColours = {RGB(0, 0, 0), RGB(192, 192, 192), RGB(128, 128, 128)};

// The program's own modal message box ("CMSGCLASS"): a system icon, centred
// text lines in a sunken frame, one to three buttons with mnemonics and
// keyboard navigation; dragged by any point. Style bits and answers are those
// of the system message box (1 OK, 2 Cancel, 6 Yes, 7 No).
class MsgBox : public Window {
public:
    MsgBox();

    bool RegisterWindowClass() override;
    bool OnCreate() override;
    void OnClose() override;
    void OnCommand(int id, int code, HWND sender) override;
    void OnLButtonDown(UINT keys, int x, int y) override;
    void OnPaint() override;
    void OnSetFocus() override;

    // Added overridables, in this order.
    virtual void AfterCreate() {}
    virtual void OnOtherCommand(int, HWND) {}
    virtual void CreateButtons();
    virtual void CreateBoxWindow();

    // Shows the box owned by owner and waits for an answer. When there is
    // none (the box could not be shown, another box is open, the box went
    // away without an answer, or the program was asked to quit meanwhile,
    // the quit request staying queued) the result is UnansweredResult(style):
    // Cancel for a box that has a Cancel button, else 0.
    int Ask(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style, int iconResource,
            COLORREF textColour, COLORREF backColour, COLORREF shadowColour);

    // The text that the open box shows (lines separated by '\n'); null when no box is open.
    const wchar_t* Text() const { return text; }

protected:
    // What Ask measured, for the box windows' layout.
    BoxMeasures Measures() const;
    // The owner's client size (0 x 0 without owner): boxes are placed from it.
    RECT OwnerClientRect() const;
    // Draws the lines of text one line height apart from y down, each centred
    // between left and right; returns where a further line would go.
    int DrawTextLines(HDC dc, int y, int left, int right) const;

    bool running = false;
    HWND owner = nullptr;
    HICON icon = nullptr;
    int maxCharWidth = 0;
    int lineHeight = 0;
    int lineCount = 0;
    int maxLineWidth = 0;
    int answer = 0;
    int answers[3] = {0, 0, 0};
    UINT boxStyle = 0;
    COLORREF textColour = 0;
    COLORREF backColour = 0;
    wchar_t* text = nullptr;
    const wchar_t* caption = L"";
    RECT textRect{};
    FrameColors frame;
    BoxPlacement placement;      // the message box window, from Ask's layout
    bool ownerDisabled = false;  // Ask disabled the owner and nobody enabled it since

    // Shared by both boxes (only one box is open at a time): the push
    // buttons every box reuses, how many of them the open box uses, which of
    // them has (or last had) the focus, and their own window procedure.
    static Button boxButtons[kMaxBoxButtons];
    static int boxButtonCount;
    static int boxFocusIndex;
    static WNDPROC boxButtonProc;

private:
    static LRESULT CALLBACK BoxButtonKeyProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    // Index of the open box's button with this window, or -1.
    static int BoxButtonIndexOf(HWND button);
    static bool classRegistered;
    static MsgBox* openBox;   // the box whose Ask is running, of either kind

    int AskOnce(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style, int iconResource,
                COLORREF textColour, COLORREF backColour, COLORREF shadowColour);
    bool Measure(const wchar_t* message, const wchar_t* title, BoxMeasures& measures);
    void CopyText(const wchar_t* message);
    void ReleaseText();
    void WaitForAnswer();
    void CloseUnanswered();
};

// The elliptical about box: red outline, the program icon, centred text, an
// underlined link that opens an address, and one "&Ok".
class AboutBox : public MsgBox {
public:
    AboutBox();
    ~AboutBox() override;

    void OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    void OnPaint() override;
    void OnOtherCommand(int id, HWND sender) override;
    void CreateButtons() override;
    void CreateBoxWindow() override;

private:
    void CreateLink(HDC dc, int nextLineY);

    bool linkCreated = false;
    int boxWidth = 0, boxHeight = 0;
    RECT linkRect{};
    FontSpec linkFont;
    Button linkButton;
};
