#pragma once
// The program's message box and about box, and the one way it asks its
// questions and reports its errors.
#include "toolkit/msg_box.h"

extern MsgBox msgBox;
extern AboutBox aboutBox;

// Shows text in the program's message box owned by owner, with the caption,
// the buttons and icon of style (kBoxError, kBoxYesNo or
// kBoxYesNoCancel) and the program's colours; returns the answer id.
int AskUser(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
