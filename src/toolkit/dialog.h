#pragma once
#include "toolkit/window_object.h"

// The one dialog procedure of all dialogs: binds the object passed as the
// initialisation parameter at WM_INITDIALOG (DWLP_USER), then hands every
// later message to the object's message table. Messages before that get 0.
INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// A window made from a dialog resource.
class Dialog : public WindowObject {
public:
    Dialog() : WindowObject(Family::Dialog) {}

    // Overridables of dialogs only, in this order.
    // The dialog procedure's answer: 1 lets the system set the initial focus.
    virtual INT_PTR OnInitDialog() { return 1; }
};
