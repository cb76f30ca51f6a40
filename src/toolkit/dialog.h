#pragma once
#include <windows.h>
#include <shellapi.h> // HDROP

// The one dialog procedure of all dialogs: binds the object passed as the
// initialisation parameter at WM_INITDIALOG (DWLP_USER), then hands every
// later message to the object's HandleMessage. Messages before that get 0.
INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// A window made from a dialog resource.
class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    // Overridables, in this order.
    virtual int Create(HWND parent, HMENU menuOrId, const wchar_t* title,
                       int x, int y, int width, int height);
    virtual int OnOtherMessage(UINT, WPARAM, LPARAM) { return 0; }
    virtual void OnChar(WPARAM, LPARAM) {}
    virtual void OnCommand(WPARAM, LPARAM) {}
    virtual void OnContextMenu(WPARAM, LPARAM) {}
    virtual bool OnCreate() { return false; }
    virtual LRESULT OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
    virtual void OnDestroy() {}
    virtual void OnDrawItem(WPARAM, LPARAM) {}
    virtual void OnDropFiles(HDROP) {}
    virtual void OnHScroll(WPARAM, LPARAM) {}
    virtual INT_PTR OnInitDialog() { return 1; }
    virtual void OnInitMenu() {}
    virtual void OnKeyDown(WPARAM, LPARAM) {}
    virtual void OnKeyUp(WPARAM, LPARAM) {}
    virtual void OnKillFocus() {}
    virtual void OnLButtonDown(WPARAM, LPARAM) {}
    virtual void OnLButtonUp(WPARAM, LPARAM) {}
    virtual void OnMenuSelect(WPARAM, LPARAM) {}
    virtual void OnMouseMove(WPARAM, LPARAM) {}
    virtual void OnNotify(WPARAM, LPARAM) {}
    virtual void OnPaint() {}
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
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);

    HWND Handle() const { return hwnd; }
    // Called by whoever destroyed the dialog window, once DestroyWindow succeeded.
    void ForgetHandle() { hwnd = nullptr; }
    // Records the handle that CreateDialogParamW returned (it is also bound at WM_INITDIALOG).
    void KeepHandle(HWND handle) { hwnd = handle; }

protected:
    friend INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};
