#pragma once
#include "toolkit/find_char.h"

#include <windows.h>

// Private message to a control's parent: the pointer is over the control.
// wparam = the control id, lparam = its hover text (const wchar_t*, may be empty).
constexpr UINT WM_APP_HOVER = 64126;

// The hand cursor shown over hover-enabled controls; loaded once at start-up.
HCURSOR HandCursor();
void SetHandCursor(HCURSOR cursor);

// Replaces a window's procedure; returns the previous one, or nullptr (and
// changes nothing) when the window does not exist or proc is null.
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);

// The one replacement procedure of subclassed controls: forwards to the
// object's SubclassProc (a window without a live object gets DefWindowProcW).
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

class Control;
using ControlHandler = void (*)(void* target, int id);

// A child window of a system control class, owned by one object that is
// stored in the child's GWLP_USERDATA slot.
class Control {
public:
    // Every live object is known to ControlFromWindow, so a window slot that
    // holds anything else (or an object already gone) is never read as one.
    Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // Overridables, in this order.
    virtual bool Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height);
    virtual bool OnCommandNotify(int code, int id);
    virtual void OnDrawItem(DRAWITEMSTRUCT*) {}
    virtual LRESULT OnNotify(NMHDR*) { return 0; }
    virtual void SetCallback(void* target, ControlHandler handler);
    virtual LRESULT SubclassProc(UINT msg, WPARAM wparam, LPARAM lparam);

    // Takes the next automatic id (900, 901, ...) as this control's id.
    int NextControlId();
    // Binds to the parent's existing child with this id, or creates the window.
    bool CreateHandle(const wchar_t* className, HWND parent, const wchar_t* text,
                      int x, int y, int width, int height);

    HWND Handle() const { return hwnd; }
    int Id() const { return id; }
    DWORD Style() const { return style; }
    void SetStyle(DWORD s) { style = s; }
    void SetExStyle(DWORD s) { exStyle = s; }

protected:
    // Calls the handler when one is set; true when it did.
    bool RunCallback();

    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    const wchar_t* hoverText = L"";
    void* callbackTarget = nullptr;
    ControlHandler callbackHandler = nullptr;
};

// The live object bound to a window (GWLP_USERDATA) that still owns that
// window, or nullptr when the window has none.
Control* ControlFromWindow(HWND hwnd);

// Offers a command to the control object that sent it, if the sender has
// one; true when the control took it (then its parent does nothing more).
bool OfferToSender(HWND sender, int code, int id);
