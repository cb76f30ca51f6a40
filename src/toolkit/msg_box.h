#pragma once
#include "toolkit/button.h"
#include "toolkit/window.h"

// Sunken frame drawn around the text of a box: dark left and top edges,
// light right and bottom edges. width -1 draws nothing.
struct FrameColors {
    COLORREF highlight;
    COLORREF shadow;
    int x = 0, y = 0, width = -1, height = 0;

    FrameColors();
    void SetFrameRect(const RECT& r);
    void DrawFrame(HDC dc) const;
};

// A font made for a device context, with its measures and text colour.
struct FontSpec {
    int avgCharWidth = 0;
    int lineHeight = 0;
    HFONT font = nullptr;
    COLORREF colour = 0;
    LOGFONTW logFont{};

    void CreateFontFor(HDC dc, const wchar_t* faceName, int points);
    void Apply(HDC dc) const;
    void Release();
};

// The three push buttons that every box reuses (only one box is open at a time).
extern Button boxButtons[3];

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
    void OnCommand(WPARAM wparam, LPARAM lparam) override;
    void OnLButtonDown(WPARAM wparam, LPARAM lparam) override;
    void OnPaint() override;
    void OnSetFocus() override;

    // Added overridables, in this order.
    virtual void AfterCreate() {}
    virtual void OnOtherCommand(int, HWND) {}
    virtual void CreateButtons();
    virtual void CreateBoxWindow();

    // Shows the box owned by owner and waits for an answer; 0 when the box
    // could not be shown or went away without one.
    int Ask(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style, int iconResource,
            COLORREF textColour, COLORREF backColour, COLORREF shadowColour);

protected:
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
};

// The elliptical about box: red outline, the program icon, centred text, an
// underlined link that opens an address, and one "&Ok".
class AboutBox : public MsgBox {
public:
    AboutBox();
    ~AboutBox() override;

    void OnDrawItem(WPARAM wparam, LPARAM lparam) override;
    void OnPaint() override;
    void OnOtherCommand(int id, HWND sender) override;
    void CreateButtons() override;
    void CreateBoxWindow() override;

private:
    bool linkCreated = false;
    int boxWidth = 0, boxHeight = 0;
    RECT linkRect{};
    FontSpec linkFont;
    Button linkButton;
};
