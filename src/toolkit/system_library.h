#pragma once
// The system libraries that Ferrow does not import: the common controls, the
// common dialogs and the shell. The program is started from wherever it was
// saved (a downloads folder, a USB stick, the disc it is about to check), and
// the system looks for an imported library in the program's folder first, so
// a file there named like one of these would run inside Ferrow. Each is
// loaded from the system folder on its first use instead, and its functions
// are called through these wrappers. When a library or a function cannot be
// had, the wrapper fails the way the function itself reports failure.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace system_library {

BOOL InitCommonControls(const INITCOMMONCONTROLSEX* controls);
HWND CreateStatusWindow(LONG style, const wchar_t* text, HWND parent, UINT id);

BOOL GetOpenFileName(OPENFILENAMEW* dialog);
BOOL GetSaveFileName(OPENFILENAMEW* dialog);
BOOL PrintDialog(PRINTDLGW* dialog);

// Accepting drops also lets them through to a program that runs elevated:
// the messages a drop from a program of lower integrity (Explorer) sends
// pass the window's message filter (Windows 7 on; nothing before).
void DragAcceptFiles(HWND window, BOOL accept);
UINT DragQueryFile(HDROP drop, UINT index, wchar_t* path, UINT characters);
void DragFinish(HDROP drop);
// With COM initialised on the thread for the call, as the shell asks: the
// verb may be carried out by a shell extension.
HINSTANCE ShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* parameters, const wchar_t* folder, int show);

}  // namespace system_library
