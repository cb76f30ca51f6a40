#include "toolkit/window_object.h"

#include "toolkit/control.h"
#include "toolkit/dialog.h"
#include "toolkit/notify_record.h"
#include "toolkit/window.h"

#include <windowsx.h>

namespace {

// What one message does with the object; the result is the procedure's.
using Route = LRESULT (*)(WindowObject& target, WPARAM wparam, LPARAM lparam);

struct MessageRow {
    UINT msg;
    Route window;  // null: the message is not in the Window table
    Route dialog;  // null: the message is not in the Dialog table
};

// Each message's parameters are unpacked here and nowhere else.

int LowWord(WPARAM wparam) { return LOWORD(wparam); }
int HighWord(WPARAM wparam) { return HIWORD(wparam); }

Window& AsWindow(WindowObject& target) { return static_cast<Window&>(target); }
Dialog& AsDialog(WindowObject& target) { return static_cast<Dialog&>(target); }

NMHDR* NotifyRecord(LPARAM lparam)
{
    return IsRecordPointer(lparam) ? reinterpret_cast<NMHDR*>(lparam) : nullptr;
}

DRAWITEMSTRUCT* DrawRecord(LPARAM lparam)
{
    return IsRecordPointer(lparam) ? reinterpret_cast<DRAWITEMSTRUCT*>(lparam) : nullptr;
}

LRESULT Create(WindowObject& t, WPARAM, LPARAM) { return t.OnCreate() ? 0 : -1; }

LRESULT DestroyWindowRow(WindowObject& t, WPARAM, LPARAM)
{
    t.OnDestroy();
    AsWindow(t).OnShutdown();
    AsWindow(t).OnAfterDestroy();
    return 0;
}

LRESULT DestroyDialogRow(WindowObject& t, WPARAM, LPARAM) { t.OnDestroy(); return 0; }
LRESULT Size(WindowObject& t, WPARAM w, LPARAM l) { t.OnSize(UINT(w), LOWORD(l), HIWORD(l)); return 0; }
LRESULT SetFocusRow(WindowObject& t, WPARAM, LPARAM) { t.OnSetFocus(); return 0; }
LRESULT Paint(WindowObject& t, WPARAM, LPARAM) { t.OnPaint(); return 0; }
LRESULT Close(WindowObject& t, WPARAM, LPARAM) { AsWindow(t).OnClose(); return 0; }
LRESULT QueryEndSession(WindowObject& t, WPARAM, LPARAM) { return t.OnQueryEndSession(); }

LRESULT DrawItemToWindow(WindowObject& t, WPARAM w, LPARAM l) { t.OnDrawItem(int(w), DrawRecord(l)); return 1; }

// A dialog's owner-drawn control draws itself.
LRESULT DrawItemToControl(WindowObject& t, WPARAM w, LPARAM l)
{
    if (Control* item = DrawItemOwner(l))
        item->OnDrawItem(DrawRecord(l));
    else
        t.OnDrawItem(int(w), DrawRecord(l));
    return 1;
}

LRESULT VKeyToItem(WindowObject& t, WPARAM w, LPARAM) { return t.OnVKeyToItem(LowWord(w), HighWord(w)); }

// A window answers with the control's result.
LRESULT NotifyWindow(WindowObject& t, WPARAM w, LPARAM l)
{
    if (Control* sender = NotifySender(l))
        return sender->OnNotify(NotifyRecord(l));
    t.OnNotify(int(w), NotifyRecord(l));
    return 0;
}

// A dialog routes it alike and answers 1 either way.
LRESULT NotifyDialog(WindowObject& t, WPARAM w, LPARAM l)
{
    NotifyWindow(t, w, l);
    return 1;
}

LRESULT InitDialog(WindowObject& t, WPARAM, LPARAM) { return AsDialog(t).OnInitDialog(); }
LRESULT DropFiles(WindowObject& t, WPARAM w, LPARAM) { t.OnDropFiles(reinterpret_cast<HDROP>(w)); return 0; }

LRESULT CommandToWindow(WindowObject& t, WPARAM w, LPARAM l)
{
    t.OnCommand(LowWord(w), HighWord(w), reinterpret_cast<HWND>(l));
    return 0;
}

// A dialog offers the command to the control that sent it first.
LRESULT CommandToDialog(WindowObject& t, WPARAM w, LPARAM l)
{
    const HWND sender = reinterpret_cast<HWND>(l);
    if (!OfferToSender(sender, HighWord(w), LowWord(w)))
        t.OnCommand(LowWord(w), HighWord(w), sender);
    return 0;
}

// Mouse messages: the keys held and the point in client coordinates (signed).
template <void (WindowObject::*handler)(UINT, int, int)>
LRESULT Mouse(WindowObject& t, WPARAM w, LPARAM l)
{
    (t.*handler)(UINT(w), GET_X_LPARAM(l), GET_Y_LPARAM(l));
    return 0;
}

constexpr Route LButtonDown = Mouse<&WindowObject::OnLButtonDown>;

// The message table of both families: the messages that a window or dialog
// of the program handles. A null entry, and every message not here, goes to
// the family's "any other" row below.
const MessageRow kMessageRows[] = {
    // message                Window              Dialog
    {WM_CREATE,               Create,             Create},
    {WM_DESTROY,              DestroyWindowRow,   DestroyDialogRow},
    {WM_SIZE,                 Size,               Size},
    {WM_SETFOCUS,             SetFocusRow,        SetFocusRow},
    {WM_PAINT,                Paint,              Paint},
    {WM_CLOSE,                Close,              nullptr},
    {WM_QUERYENDSESSION,      QueryEndSession,    QueryEndSession},
    {WM_DRAWITEM,             DrawItemToWindow,   DrawItemToControl},
    {WM_VKEYTOITEM,           VKeyToItem,         VKeyToItem},
    {WM_NOTIFY,               NotifyWindow,       NotifyDialog},
    {WM_INITDIALOG,           nullptr,            InitDialog},
    {WM_COMMAND,              CommandToWindow,    CommandToDialog},
    {WM_LBUTTONDOWN,          LButtonDown,        LButtonDown},
    {WM_DROPFILES,            DropFiles,          DropFiles},
};

const MessageRow* RowOf(UINT msg)
{
    for (const MessageRow& row : kMessageRows)
        if (row.msg == msg)
            return &row;
    return nullptr;
}

} // namespace

int MissingCreate()
{
    MessageBoxW(nullptr, L"Missing Create", L"App Error", MB_ICONWARNING);
    return 0;
}

int WindowObject::Create(HWND, HMENU, const wchar_t*, int, int, int, int)
{
    return MissingCreate();
}

LRESULT WindowObject::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    const bool window = family == Family::Window;
    if (const MessageRow* row = RowOf(msg))
        if (Route route = window ? row->window : row->dialog)
            return route(*this, wparam, lparam);
    // Any other message.
    const int claimed = OnOtherMessage(msg, wparam, lparam);
    if (!window)
        return claimed;
    return claimed ? 0 : DefWindowProcW(hwnd, msg, wparam, lparam);
}

void WindowObject::Bind(HWND window, int slot, WindowObject* object)
{
    SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(object));
    if (object)
        object->hwnd = window;
}

WindowObject* WindowObject::BoundTo(HWND window, int slot)
{
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrW(window, slot));
}

LRESULT WindowObject::Deliver(HWND window, int slot, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg != WM_NCDESTROY)
        return HandleMessage(msg, wparam, lparam);
    // The window's last message: the binding ends with it, whatever the
    // handler does.
    struct Forget {
        WindowObject& object;
        HWND window;
        int slot;
        ~Forget()
        {
            SetWindowLongPtrW(window, slot, 0);
            if (object.hwnd == window)
                object.hwnd = nullptr;
        }
    } forget{*this, window, slot};
    return HandleMessage(msg, wparam, lparam);
}
