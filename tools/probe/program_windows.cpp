#include "program_windows.h"

#include <cstdio>
#include <cwchar>

HWND MainWindow()
{
    return FindWindowW(L"MainClass", nullptr);
}

HWND ListOf(HWND main)
{
    return FindWindowExW(main, nullptr, L"ListBox", nullptr);
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

std::wstring ClassOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length))
        return L"";
    std::vector<wchar_t> text(length + 2, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 1000, &copied))
        return L"";
    return text.data();
}

std::wstring RectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    wchar_t text[80];
    swprintf(text, 80, L"%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return text;
}

namespace {

struct ThreadWindows {
    DWORD thread;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectThreadWindow(HWND hwnd, LPARAM param)
{
    auto* s = reinterpret_cast<ThreadWindows*>(param);
    if (GetWindowThreadProcessId(hwnd, nullptr) == s->thread && IsWindowVisible(hwnd))
        s->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> VisibleThreadWindows(HWND main)
{
    ThreadWindows search{GetWindowThreadProcessId(main, nullptr), {}};
    EnumWindows(CollectThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

} // namespace

HWND FindThreadWindow(HWND main, const wchar_t* className)
{
    for (HWND window : VisibleThreadWindows(main))
        if (ClassOf(window) == className)
            return window;
    return nullptr;
}

std::vector<HWND> ProgramBoxes(HWND main)
{
    std::vector<HWND> boxes;
    for (HWND window : VisibleThreadWindows(main)) {
        const std::wstring name = ClassOf(window);
        if (name == L"CMSGCLASS" || name == L"#32770")
            boxes.push_back(window);
    }
    return boxes;
}

std::vector<HWND> DescendantsOf(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}
