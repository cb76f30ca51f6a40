#include "support/app_fixture.h"

#include "app/frame_panes.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "scan/progress_dialog.h"
#include "app/result_list.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace app_fixture {
namespace {

// StartFerrow splits the command line in place and keeps pointers into it.
std::vector<wchar_t> commandLineBuffer;
bool started = false;
bool everStarted = false;
bool quitSeen = false;
int quitCode = 0;

// One message, as RunMessageLoop handles it; false for the quit message.
bool HandleOne(MSG& msg)
{
    if (msg.message == WM_QUIT) {
        quitSeen = true;
        quitCode = static_cast<int>(msg.wParam);
        return false;
    }
    mainWindow.HandleLoopMessage(msg);
    return true;
}

}  // namespace

int Start(const std::wstring& commandLine, int showCommand)
{
    // The windows of a first run are gone but the global objects still hold
    // their state: a second start would not be the program's start-up.
    if (everStarted) {
        ADD_FAILURE() << "the program starts once per test process; run tests one at a time (ctest does)";
        return 0;
    }
    everStarted = true;
    commandLineBuffer.assign(commandLine.begin(), commandLine.end());
    commandLineBuffer.push_back(0);
    quitSeen = false;
    quitCode = 0;
    int result = StartFerrow(GetModuleHandleW(nullptr), commandLineBuffer.data(), showCommand);
    started = result == 1;
    return result;
}

bool Running()
{
    return started && !quitSeen;
}

HWND MainWindowHandle() { return mainWindow.Handle(); }
HWND ListWindow() { return resultList.Handle(); }
HWND StatusWindow() { return statusBar.Handle(); }
HWND BarWindow() { return btnBar.Handle(); }

HWND ButtonWindow(int commandId)
{
    return btnBar.Handle() ? GetDlgItem(btnBar.Handle(), commandId) : nullptr;
}

std::vector<std::wstring> ListLines()
{
    std::vector<std::wstring> lines;
    HWND list = ListWindow();
    if (!list)
        return lines;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring line(length > 0 ? length : 0, L'\0');
        if (length > 0) {
            std::vector<wchar_t> buffer(length + 1);
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
            line.assign(buffer.data());
        }
        lines.push_back(line);
    }
    return lines;
}

int ListCaret()
{
    return static_cast<int>(SendMessageW(ListWindow(), LB_GETCARETINDEX, 0, 0));
}

int ListSelection()
{
    return static_cast<int>(SendMessageW(ListWindow(), LB_GETCURSEL, 0, 0));
}

std::wstring StatusText(int part)
{
    HWND status = StatusWindow();
    if (!status)
        return L"";
    LRESULT length = LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, part, 0));
    std::vector<wchar_t> buffer(length + 1);
    SendMessageW(status, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

bool ButtonEnabled(int commandId)
{
    return btnBar.IsButtonEnabled(commandId);
}

std::wstring Title()
{
    HWND main = MainWindowHandle();
    if (!main)
        return L"";
    wchar_t buffer[1024] = {};
    GetWindowTextW(main, buffer, 1024);
    return buffer;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!HandleOne(msg))
                return condition();
            if (condition())
                return true;
        }
        if (condition())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 20 ? timeoutMs - elapsed : 20,
                                  QS_ALLINPUT);
    }
}

void PumpIdle(DWORD quietMs)
{
    DWORD lastMessage = GetTickCount();
    while (GetTickCount() - lastMessage < quietMs) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!HandleOne(msg))
                return;
            lastMessage = GetTickCount();
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, quietMs, QS_ALLINPUT);
        }
    }
}

void PostCommand(int commandId)
{
    PostMessageW(MainWindowHandle(), WM_COMMAND, static_cast<WPARAM>(commandId),
                 reinterpret_cast<LPARAM>(BarWindow()));
    PumpIdle();
}

void PostAltKey(WORD virtualKey)
{
    // Accelerators look at the thread's key state for Alt, which posted
    // messages do not change: hold it there while the key is handled.
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(saved, saved + 256, held);
    held[VK_MENU] = held[VK_LMENU] = 0x80;
    SetKeyboardState(held);

    HWND target = GetFocus();
    if (!target)
        target = MainWindowHandle();
    UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    // Bit 29: Alt is down; bits 30 and 31 on the release: was down, going up.
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (1 << 29);
    LPARAM up = down | (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    PostMessageW(target, WM_SYSKEYDOWN, virtualKey, down);
    PostMessageW(target, WM_SYSKEYUP, virtualKey, up);
    PumpIdle();
    SetKeyboardState(saved);
}

bool QuitSeen() { return quitSeen; }
int QuitCode() { return quitCode; }

void Shutdown()
{
    if (!started || quitSeen)
        return;
    if (progressDialog.Handle())
        progressDialog.Close();
    if (mainWindow.Handle())
        mainWindow.Destroy();
    PumpUntil([] { return false; }, 5000);
    started = false;
}

}  // namespace app_fixture

RunningApp::RunningApp(const std::wstring& commandLine, int showCommand)
    : startResult(app_fixture::Start(commandLine, showCommand))
{
}

RunningApp::~RunningApp()
{
    app_fixture::Shutdown();
}
