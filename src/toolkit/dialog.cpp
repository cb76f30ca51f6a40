#include "toolkit/dialog.h"

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    try {
        if (msg == WM_INITDIALOG)
            WindowObject::Bind(hwnd, DWLP_USER, reinterpret_cast<Dialog*>(lparam));
        WindowObject* object = WindowObject::BoundTo(hwnd, DWLP_USER);
        if (!object)
            return 0;
        return object->Deliver(hwnd, DWLP_USER, msg, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the dialog manager; "not handled" lets it
        // do its default work.
        return 0;
    }
}
