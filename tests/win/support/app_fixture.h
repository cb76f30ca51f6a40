#pragma once
// Runs the real program inside the test process: the same start-up as
// wWinMain, then the test drives it with real messages and handles them the
// way the program's main loop does. The program's objects are globals, so a
// test process starts the program once (each case of a suite whose source
// includes this header runs in a process of its own: wine_test_groups.cmake);
// a second Start fails the test.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace app_fixture {

// Every start-up step of wWinMain up to its message loop, with commandLine as
// the text after the program name. Returns what StartFerrow returned: 1 when
// the program is up, 0 or -1 when start-up failed.
int Start(const std::wstring& commandLine = L"", int showCommand = SW_SHOW);
// True once Start succeeded and until the program's quit message was handled.
bool Running();

// The program's windows (null while they do not exist).
HWND MainWindowHandle();
HWND ListWindow();
HWND StatusWindow();
HWND BarWindow();
// The bar's push button for a command id (IDM_SCAN ... IDM_EXIT).
HWND ButtonWindow(int commandId);

// What the user sees.
std::vector<std::wstring> ListLines();
int ListCaret();
int ListSelection();   // LB_ERR (-1) when no line is selected
std::wstring StatusText(int part = 0);
bool ButtonEnabled(int commandId);
std::wstring Title();

// Handles messages exactly as the main loop does (the progress dialog's keys,
// the accelerators, then translate and dispatch), waiting for new ones, until
// condition() holds. False when timeoutMs passed or the quit message arrived
// first (the quit message is taken, as the main loop takes it).
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Handles messages until none has arrived for quietMs.
void PumpIdle(DWORD quietMs = 50);
// A command as a click on its button delivers it (WM_COMMAND to the main
// window, code 0, posted), then handled until the program is idle.
void PostCommand(int commandId);
// A key press with Alt held, as the keyboard delivers it to the focused
// window (WM_SYSKEYDOWN / WM_SYSKEYUP posted, Alt down in the thread's key
// state meanwhile), then handled until idle.
void PostAltKey(WORD virtualKey);

bool QuitSeen();
int QuitCode();

// Ends the program without asking anything: closes the progress dialog if
// open, destroys the main window and handles messages up to the quit message.
void Shutdown();

}  // namespace app_fixture

// For tests: starts the program on construction, shuts it down on destruction.
class RunningApp {
public:
    explicit RunningApp(const std::wstring& commandLine = L"", int showCommand = SW_SHOW);
    ~RunningApp();
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    int StartResult() const { return startResult; }

private:
    int startResult;
};
