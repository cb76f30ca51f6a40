#pragma once
// The probe's verbs beyond the basic ones in ferrow_probe.cpp. Each returns the
// probe's exit code: 0 success, 1 not found or timed out, 2 bad usage.
#include <windows.h>

// Waits up to timeoutMs for at least one open box or dialog of the program,
// then describes every one: a line "box<TAB>class<TAB>caption<TAB>rect<TAB>
// enabled", then one indented line per visible child in the same form.
int Boxes(DWORD timeoutMs);
// Waits up to timeoutMs until the program shows no box or dialog.
int NoBoxes(DWORD timeoutMs);
// The button bar: "text<TAB>enabled<TAB>rect" per button, then "bar<TAB>enabled".
int Buttons();
// The window with the keyboard focus in the program: "class<TAB>text<TAB>rect<TAB>enabled".
int Focus();
// Drops the paths on the main window (WM_DROPFILES with a wide DROPFILES block).
int Drop(int count, wchar_t** paths);
// Defines drive LETTER as the Unix folder UNIXPATH with TYPE (cdrom, hd or
// removable), or removes the letter when only LETTER is given (argv holds
// these one or three arguments).
int Drive(int argc, wchar_t** argv);
// The present drives, "L:<TAB>type" each (the platform's DRIVE_ numbers: 3
// fixed, 5 CD-ROM), from A to Z.
int Drives();
// The files and folders below path in walk order (see walk_lister.cpp).
int Walk(const wchar_t* path);
// Times the main window's answers to WM_NULL for forMs (every 20 ms; each
// waits as long as it takes); with abortAfterMs, clicks Abort in the progress
// dialog after that time and stops once the dialog is gone. Prints "answers N;
// longest wait X ms[; Abort ended the check after Y ms]".
int Answers(DWORD forMs, DWORD abortAfterMs);
