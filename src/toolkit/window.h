#pragma once
#include "toolkit/window_object.h"

// The module instance that every class registration, window creation and
// resource load uses; recorded once at start-up.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Centres a window over its owner, or over the work area when it has none,
// within the work area of the monitor that holds the owner (or the window).
void CenterWindow(HWND hwnd);

// The one window procedure of all the program's own window classes: binds the
// object passed as creation parameter at WM_NCCREATE, then hands every message
// to the object's message table; messages before that get the default procedure.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// A top-level or pop-up window of one of the program's own window classes.
// The object outlives its window and can create a new one after the old is gone.
class Window : public WindowObject {
public:
    Window() : WindowObject(Family::Window) {}

    // Overridables of windows only, in this order.
    virtual void OnAfterDestroy() {}
    virtual bool RegisterWindowClass() = 0;
    virtual int OnShutdown() { return 0; }
    virtual void OnClose();
    // Validates the window (BeginPaint, EndPaint).
    void OnPaint() override;

    // Creates the window once; a second call while the window exists creates nothing.
    bool CreateHandle(const wchar_t* className, HWND parent, HMENU menu, const wchar_t* title,
                      int x, int y, int width, int height);
    // DestroyWindow; the window's end clears hwnd, so it stays only when that failed.
    bool Destroy();
};
