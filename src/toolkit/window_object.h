#pragma once
#include <windows.h>
#include <shellapi.h> // HDROP

// What Window and Dialog share: one native window bound to the object, and
// the handlers that its messages reach. One message table (window_object.cpp)
// serves both families; where they differ, its two columns say so. Every
// handler gets the message's parameters unpacked. The table holds the
// messages that some window or dialog of the program handles; the rest get
// the family's default (OnOtherMessage, then the default procedure).
class WindowObject {
public:
    // The two families, the table's two columns.
    enum class Family { Window, Dialog };

    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;
    virtual ~WindowObject() = default;

    // Overridables of both families, in this order.
    virtual int Create(HWND parent, HMENU menuOrId, const wchar_t* title,
                       int x, int y, int width, int height);
    // Any message outside the table. A window falls back to the default
    // procedure unless this returns non-zero; a dialog answers with the result.
    virtual int OnOtherMessage(UINT, WPARAM, LPARAM) { return 0; }
    virtual void OnCommand(int /*id*/, int /*code*/, HWND /*sender*/) {}
    virtual bool OnCreate() { return false; }
    virtual void OnDestroy() {}
    // item: the draw record, or null when the message carried none.
    virtual void OnDrawItem(int /*id*/, DRAWITEMSTRUCT* /*item*/) {}
    virtual void OnDropFiles(HDROP) {}
    virtual void OnLButtonDown(UINT /*keys*/, int /*x*/, int /*y*/) {}
    // record: the notification record, or null when the message carried a
    // plain number instead (the hover combo box's signal).
    virtual void OnNotify(int /*id*/, NMHDR* /*record*/) {}
    virtual void OnPaint() {}
    virtual LRESULT OnQueryEndSession() { return 1; }
    virtual void OnSetFocus() {}
    virtual void OnSize(UINT /*type*/, int /*width*/, int /*height*/) {}
    // -1: the list box does its default action for the key.
    virtual LRESULT OnVKeyToItem(int /*key*/, int /*caret*/) { return -1; }

    // Runs the family's column of the message table for one message.
    LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);

    HWND Handle() const { return hwnd; }
    Family Kind() const { return family; }

    // For the window and dialog procedures. Bind puts the object into the
    // window's slot and the window into the object; BoundTo reads the slot.
    // Deliver hands the object one message of its window; when the window
    // goes (WM_NCDESTROY), both sides forget the binding, so that no handle
    // of a window that is gone is ever used and the object may make a new one.
    static void Bind(HWND window, int slot, WindowObject* object);
    static WindowObject* BoundTo(HWND window, int slot);
    LRESULT Deliver(HWND window, int slot, UINT msg, WPARAM wparam, LPARAM lparam);

protected:
    explicit WindowObject(Family family) : family(family) {}

    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;

private:
    Family family;
};

// Shows the warning that a class without a Create of its own was asked to create.
int MissingCreate();
