#pragma once
#include <windows.h>
#include <shellapi.h> // HDROP

// The module instance that every class registration, window creation and
// resource load uses; recorded once at start-up.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Centres a window over its owner, or over the full-screen work area when it
// has none; never to a negative position.
void CenterWindow(HWND hwnd);

// The one window procedure of all the program's own window classes: binds the
// object passed as creation parameter at WM_NCCREATE, then hands every message
// to the object's HandleMessage.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// A top-level or pop-up window of one of the program's own window classes.
// The object outlives its window and can create a new one after the old is gone.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    // Overridables, in this order.
    virtual int Create(HWND parent, HMENU menuOrId, const wchar_t* title,
                       int x, int y, int width, int height);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    virtual void OnAfterDestroy() {}
    virtual int OnOtherMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    virtual bool RegisterWindowClass() = 0;
    virtual int OnShutdown() { return 0; }
    virtual void OnChar(WPARAM, LPARAM) {}
    virtual void OnClose();
    virtual void OnCommand(WPARAM, LPARAM) {}
    virtual void OnContextMenu(WPARAM, LPARAM) {}
    virtual bool OnCreate() { return false; }
    virtual LRESULT OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
    virtual void OnDestroy() {}
    virtual void OnDrawItem(WPARAM, LPARAM) {}
    virtual void OnDropFiles(HDROP) {}
    virtual void OnEndSession(WPARAM, LPARAM) {}
    virtual void OnInitMenu() {}
    virtual void OnKeyDown(WPARAM, LPARAM) {}
    virtual void OnKeyUp(WPARAM, LPARAM) {}
    virtual void OnKillFocus() {}
    virtual void OnLButtonDown(WPARAM, LPARAM) {}
    virtual void OnLButtonUp(WPARAM, LPARAM) {}
    virtual void OnMenuSelect(WPARAM, LPARAM) {}
    virtual void OnMouseMove(WPARAM, LPARAM) {}
    virtual void OnNotify(WPARAM, LPARAM) {}
    virtual void OnPaint();
    virtual LRESULT OnQueryEndSession() { return 1; }
    virtual void OnRButtonDown(WPARAM, LPARAM) {}
    virtual void OnRButtonUp(WPARAM, LPARAM) {}
    virtual void OnSetFocus() {}
    virtual void OnSize(WPARAM, LPARAM) {}
    virtual void OnSysColorChange() {}
    virtual void OnSysKeyDown(WPARAM, LPARAM) {}
    virtual void OnSysKeyUp(WPARAM, LPARAM) {}
    virtual void OnTimer(WPARAM) {}
    virtual LRESULT OnVKeyToItem(WPARAM) { return -1; }

    // Creates the window once; a second call while the window exists creates nothing.
    bool CreateHandle(const wchar_t* className, HWND parent, HMENU menu, const wchar_t* title,
                      int x, int y, int width, int height);
    // DestroyWindow; clears hwnd only when that succeeded.
    bool Destroy();

    HWND Handle() const { return hwnd; }

protected:
    friend LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// Shows the warning that a class without a Create of its own was asked to create.
int MissingCreate();
