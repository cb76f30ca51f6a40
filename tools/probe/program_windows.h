#pragma once
// How the probe finds Ferrow's windows from outside and writes what it sees.
#include <windows.h>

#include <string>
#include <vector>

constexpr DWORD kDefaultTimeoutMs = 30000;

// The program's main window ("MainClass"), or null when it is not running.
HWND MainWindow();
// The result list inside the main window.
HWND ListOf(HWND main);

// One line of UTF-8 on standard output.
void Print(const std::wstring& text);

std::wstring ClassOf(HWND window);
// The window's text as the window itself reports it (WM_GETTEXT crosses
// processes; an edit or combo box answers with what it shows now). A window
// whose thread is busy for more than a second gives the empty text.
std::wstring TextOf(HWND window);
// "left top right bottom" of the window on the screen.
std::wstring RectOf(HWND window);

// A visible top-level window of the given class that belongs to the thread
// that owns main.
HWND FindThreadWindow(HWND main, const wchar_t* className);
// Every visible top-level window of that thread that is one of the program's
// boxes ("CMSGCLASS") or a dialog ("#32770": the drive and progress dialogs,
// the file and print dialogs, the system's own questions), in z-order.
std::vector<HWND> ProgramBoxes(HWND main);
// Every descendant of parent, in the order EnumChildWindows gives.
std::vector<HWND> DescendantsOf(HWND parent);
