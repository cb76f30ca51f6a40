#pragma once
#include <windows.h>

// Every start-up step of the program up to (not including) the message loop:
// the status part, the hand cursor, the frame with its list and seven
// buttons, then the usage text or the check of the command-line item, and the
// accelerators. commandLine is the text after the program name; it is split
// in place. Returns 1 when the program is up, 0 when the main window could
// not be made, -1 when the Exit button could not be added.
int StartFerrow(HINSTANCE instance, wchar_t* commandLine, int showCommand);
