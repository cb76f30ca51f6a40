// ferrow_probe: talks to a running Ferrow from outside, as another program
// on the same desktop would.
//
//   ferrow_probe wait [ms]     wait until the main window is up and no check runs
//   ferrow_probe lines         the result list's lines, one per output line
//   ferrow_probe list          the list's count, selection, caret, top line, line height
//                              and client rectangle on the screen
//   ferrow_probe rect          the main window's screen rectangle: left top right bottom
//   ferrow_probe title         the main window's title
//   ferrow_probe status        the text of status part 0
//   ferrow_probe command ID    post WM_COMMAND ID to the main window (as a button click)
//   ferrow_probe close [ms]    ask the program to close; "Save CRC's?" is answered No
//   ferrow_probe boxes [ms]    wait for the program's open boxes and dialogs and describe them
//   ferrow_probe noboxes [ms]  wait until the program shows no box or dialog
//   ferrow_probe buttons       the button bar's buttons: text, enabled, rectangle
//   ferrow_probe focus         the window that has the keyboard focus in the program
//   ferrow_probe drop PATH...  drop the paths on the main window, as the shell does
//   ferrow_probe walk FOLDER   the folder's files in walk order, from the directory search
//   ferrow_probe drive L [UNIXPATH cdrom|hd|removable]
//                              define drive L as that folder for every program, or remove it
//   ferrow_probe drives        the present drives and their types (5: CD-ROM)
//   ferrow_probe answers MS [ABORT_MS]
//                              time the main window's answers for MS, clicking Abort
//                              in the progress dialog after ABORT_MS
//
// Text goes to standard output as UTF-8. Exit code 0 on success, 1 when the
// program's window was not found or the wait timed out, 2 on bad usage.
#include "probe_verbs.h"
#include "program_windows.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// A push button of a box, found by its text.
HWND FindButton(HWND box, const wchar_t* text)
{
    HWND child = nullptr;
    while ((child = FindWindowExW(box, child, L"Button", nullptr)) != nullptr) {
        wchar_t buffer[64] = {};
        GetWindowTextW(child, buffer, 64);
        if (wcscmp(buffer, text) == 0)
            return child;
    }
    return nullptr;
}

int Wait(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND main = MainWindow();
        // Up: shown, the start-up text or the command-line item's line is
        // in the list, and no progress dialog is open.
        if (main && IsWindowVisible(main) && SendMessageW(ListOf(main), LB_GETCOUNT, 0, 0) > 0 &&
            !FindThreadWindow(main, L"#32770"))
            return 0;
        if (GetTickCount() - start >= timeoutMs)
            return 1;
        Sleep(10);   // fine enough to time a walk by
    }
}

int Lines()
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    HWND list = ListOf(main);
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::vector<wchar_t> buffer(length > 0 ? length + 1 : 1);
        if (length > 0)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        Print(buffer.data());
    }
    return 0;
}

// Where the list's selection and caret are, and where its lines are drawn.
int ListState()
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    HWND list = ListOf(main);
    RECT client{};
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    wchar_t text[160];
    swprintf(text, 160, L"count %ld selected %ld caret %ld top %ld height %ld client %ld %ld %ld %ld",
             static_cast<long>(SendMessageW(list, LB_GETCOUNT, 0, 0)),
             static_cast<long>(SendMessageW(list, LB_GETCURSEL, 0, 0)),
             static_cast<long>(SendMessageW(list, LB_GETCARETINDEX, 0, 0)),
             static_cast<long>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)),
             static_cast<long>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)), client.left, client.top, client.right,
             client.bottom);
    Print(text);
    return 0;
}

int Rect()
{
    HWND main = MainWindow();
    RECT r;
    if (!main || !GetWindowRect(main, &r))
        return 1;
    wchar_t text[80];
    swprintf(text, 80, L"%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    Print(text);
    return 0;
}

int Title()
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    // Sent, not read with GetWindowText (which another process is answered
    // without the program's thread): the answer comes once the program's
    // thread takes messages again, so the command it was running has ended.
    wchar_t title[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(main, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(title), SMTO_NORMAL, 30000,
                             &copied))
        return 1;
    Print(title);
    return 0;
}

// The status window's messages carry pointers that are not carried across
// processes: the buffer lives in the program's own memory.
int Status()
{
    HWND main = MainWindow();
    HWND status = main ? FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
    if (!status)
        return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(status, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return 1;
    int result = 1;
    LRESULT length = LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, 0, 0));
    SIZE_T bytes = (length + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote) {
        std::vector<wchar_t> text(length + 1);
        SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote));
        if (ReadProcessMemory(process, remote, text.data(), bytes, nullptr)) {
            text[length] = 0;
            Print(text.data());
            result = 0;
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

int Command(int id)
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    return PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(id), 0) ? 0 : 1;
}

int Close(DWORD timeoutMs)
{
    HWND main = MainWindow();
    if (!main)
        return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD start = GetTickCount();
    int result = 1;
    while (GetTickCount() - start < timeoutMs) {
        if (!IsWindow(main)) {
            result = 0;
            break;
        }
        HWND box = FindThreadWindow(main, L"CMSGCLASS");
        if (box) {
            if (HWND no = FindButton(box, L"&No"))
                PostMessageW(no, BM_CLICK, 0, 0);
        }
        Sleep(50);
    }
    if (process) {
        if (result == 0 && WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
            result = 1;
        CloseHandle(process);
    }
    return result;
}

DWORD TimeoutArg(int argc, wchar_t** argv)
{
    return argc > 2 ? static_cast<DWORD>(wcstoul(argv[2], nullptr, 10)) : kDefaultTimeoutMs;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fputs("usage: ferrow_probe wait|lines|list|rect|title|status|command ID|close [ms]|boxes [ms]|"
              "noboxes [ms]|buttons|focus|drop PATH...|walk FOLDER|"
              "drive L [UNIXPATH cdrom|hd|removable]|drives|answers MS [ABORT_MS]\n", stderr);
        return 2;
    }
    std::wstring verb = argv[1];
    int result = 2;
    if (verb == L"wait")
        result = Wait(TimeoutArg(argc, argv));
    else if (verb == L"lines")
        result = Lines();
    else if (verb == L"list")
        result = ListState();
    else if (verb == L"rect")
        result = Rect();
    else if (verb == L"title")
        result = Title();
    else if (verb == L"status")
        result = Status();
    else if (verb == L"command" && argc > 2)
        result = Command(static_cast<int>(wcstol(argv[2], nullptr, 10)));
    else if (verb == L"close")
        result = Close(TimeoutArg(argc, argv));
    else if (verb == L"boxes")
        result = Boxes(argc > 2 ? TimeoutArg(argc, argv) : 0);
    else if (verb == L"noboxes")
        result = NoBoxes(TimeoutArg(argc, argv));
    else if (verb == L"buttons")
        result = Buttons();
    else if (verb == L"focus")
        result = Focus();
    else if (verb == L"drop" && argc > 2)
        result = Drop(argc - 2, argv + 2);
    else if (verb == L"walk" && argc == 3)
        result = Walk(argv[2]);
    else if (verb == L"drives")
        result = Drives();
    else if (verb == L"drive" && argc > 2)
        result = Drive(argc - 2, argv + 2);
    else if (verb == L"answers" && argc > 2)
        result = Answers(static_cast<DWORD>(wcstoul(argv[2], nullptr, 10)),
                         argc > 3 ? static_cast<DWORD>(wcstoul(argv[3], nullptr, 10)) : 0);
    fflush(stdout);
    return result;
}
