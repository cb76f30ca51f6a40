// ferrow_probe: talks to a running Ferrow from outside, as another program
// on the same desktop would.
//
//   ferrow_probe wait [ms]     wait until the main window is up and no check runs
//   ferrow_probe lines         the result list's lines, one per output line
//   ferrow_probe rect          the main window's screen rectangle: left top right bottom
//   ferrow_probe title         the main window's title
//   ferrow_probe status        the text of status part 0
//   ferrow_probe command ID    post WM_COMMAND ID to the main window (as a button click)
//   ferrow_probe close [ms]    ask the program to close; "Save CRC's?" is answered No
//
// Text goes to standard output as UTF-8. Exit code 0 on success, 1 when the
// program's window was not found or the wait timed out, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDefaultTimeoutMs = 30000;

HWND MainWindow()
{
    return FindWindowW(L"MainClass", nullptr);
}

void Print(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr,
                        nullptr);
    utf8 += '\n';
    fwrite(utf8.data(), 1, utf8.size(), stdout);
}

struct ThreadWindowSearch {
    DWORD thread;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchThreadWindow(HWND hwnd, LPARAM param)
{
    auto* s = reinterpret_cast<ThreadWindowSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (GetWindowThreadProcessId(hwnd, nullptr) == s->thread && IsWindowVisible(hwnd) &&
        wcscmp(name, s->className) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the given class that belongs to the program's thread.
HWND FindThreadWindow(HWND main, const wchar_t* className)
{
    ThreadWindowSearch search{GetWindowThreadProcessId(main, nullptr), className, nullptr};
    EnumWindows(MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

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

HWND ListOf(HWND main)
{
    return FindWindowExW(main, nullptr, L"ListBox", nullptr);
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
        Sleep(50);
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
    wchar_t title[1024] = {};
    GetWindowTextW(main, title, 1024);
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
        fputs("usage: ferrow_probe wait|lines|rect|title|status|command ID|close [ms]\n", stderr);
        return 2;
    }
    std::wstring verb = argv[1];
    int result = 2;
    if (verb == L"wait")
        result = Wait(TimeoutArg(argc, argv));
    else if (verb == L"lines")
        result = Lines();
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
    fflush(stdout);
    return result;
}
