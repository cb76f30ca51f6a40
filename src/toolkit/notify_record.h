#pragma once
#include <windows.h>

class Control;

// The control object that sent a WM_NOTIFY or WM_DRAWITEM record, or nullptr.
// A parameter below 0x10000 is a plain number, not a record (the hover combo
// box posts WM_NOTIFY with lparam 7), so it is never read as one.
bool IsRecordPointer(LPARAM lparam);
Control* NotifySender(LPARAM notifyRecord);
Control* DrawItemOwner(LPARAM drawRecord);
