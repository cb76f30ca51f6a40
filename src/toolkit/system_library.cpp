#include "toolkit/system_library.h"

#include <objbase.h>

#include <string>

namespace system_library {
namespace {

// The library from the system folder, loaded once. LOAD_LIBRARY_SEARCH_SYSTEM32
// also keeps the libraries it needs in turn to the system folder; a system
// without that flag (Windows 7 before KB2533623) refuses it, and there the
// library is loaded by its full path, its own folder searched first for the
// libraries it needs.
HMODULE SystemModule(const wchar_t* name)
{
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

struct Library {
    const wchar_t* name;
    HMODULE module = nullptr;
    bool tried = false;

    HMODULE Module()
    {
        if (!tried) {
            tried = true;
            module = SystemModule(name);
        }
        return module;
    }
};

Library comctl32{L"comctl32.dll"};
Library comdlg32{L"comdlg32.dll"};
Library shell32{L"shell32.dll"};
Library ole32{L"ole32.dll"};
Library user32{L"user32.dll"};   // imported; looked up for what older systems lack

// The function of that name, looked up once; null when it cannot be had.
template <typename Function>
Function* Find(Library& library, const char* name)
{
    HMODULE module = library.Module();
    if (!module)
        return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

#define FERROW_SYSTEM_FUNCTION(library, name) \
    static auto* const function = Find<decltype(::name)>(library, #name)

// COM initialised on this thread (single-threaded apartment, no OLE 1 DDE)
// for as long as it lives; nested or already initialised, it only counts.
class ComForTheShell {
public:
    ComForTheShell()
    {
        FERROW_SYSTEM_FUNCTION(ole32, CoInitializeEx);
        initialized = function && SUCCEEDED(function(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    ~ComForTheShell()
    {
        FERROW_SYSTEM_FUNCTION(ole32, CoUninitialize);
        if (initialized && function)
            function();
    }
    ComForTheShell(const ComForTheShell&) = delete;
    ComForTheShell& operator=(const ComForTheShell&) = delete;

private:
    bool initialized = false;
};

}  // namespace

BOOL InitCommonControls(const INITCOMMONCONTROLSEX* controls)
{
    FERROW_SYSTEM_FUNCTION(comctl32, InitCommonControlsEx);
    return function ? function(controls) : FALSE;
}

HWND CreateStatusWindow(LONG style, const wchar_t* text, HWND parent, UINT id)
{
    FERROW_SYSTEM_FUNCTION(comctl32, CreateStatusWindowW);
    return function ? function(style, text, parent, id) : nullptr;
}

BOOL GetOpenFileName(OPENFILENAMEW* dialog)
{
    FERROW_SYSTEM_FUNCTION(comdlg32, GetOpenFileNameW);
    return function ? function(dialog) : FALSE;
}

BOOL GetSaveFileName(OPENFILENAMEW* dialog)
{
    FERROW_SYSTEM_FUNCTION(comdlg32, GetSaveFileNameW);
    return function ? function(dialog) : FALSE;
}

BOOL PrintDialog(PRINTDLGW* dialog)
{
    FERROW_SYSTEM_FUNCTION(comdlg32, PrintDlgW);
    return function ? function(dialog) : FALSE;
}

// WM_DROPFILES, WM_COPYDATA and WM_COPYGLOBALDATA (0x0049) through the
// window's filter. USER32 is imported; the function is looked up because
// Vista lacks it.
void LetDropsThrough(HWND window)
{
    FERROW_SYSTEM_FUNCTION(user32, ChangeWindowMessageFilterEx);
    constexpr UINT kCopyGlobalData = 0x0049;
    if (!function)
        return;
    for (UINT message : {UINT(WM_DROPFILES), UINT(WM_COPYDATA), kCopyGlobalData})
        function(window, message, MSGFLT_ALLOW, nullptr);
}

void DragAcceptFiles(HWND window, BOOL accept)
{
    FERROW_SYSTEM_FUNCTION(shell32, DragAcceptFiles);
    if (accept)
        LetDropsThrough(window);
    if (function)
        function(window, accept);
}

UINT DragQueryFile(HDROP drop, UINT index, wchar_t* path, UINT characters)
{
    FERROW_SYSTEM_FUNCTION(shell32, DragQueryFileW);
    return function ? function(drop, index, path, characters) : 0;
}

void DragFinish(HDROP drop)
{
    FERROW_SYSTEM_FUNCTION(shell32, DragFinish);
    if (function)
        function(drop);
}

HINSTANCE ShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* parameters, const wchar_t* folder, int show)
{
    FERROW_SYSTEM_FUNCTION(shell32, ShellExecuteW);
    // Values up to 32 are errors; this one says the library is missing.
    if (!function)
        return reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
    ComForTheShell com;
    return function(owner, verb, file, parameters, folder, show);
}

}  // namespace system_library
