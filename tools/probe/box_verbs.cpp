// The probe's verbs that describe what the user sees besides the list: open
// boxes and dialogs, the button bar, the keyboard focus.
#include "probe_verbs.h"

#include "program_windows.h"

namespace {

std::wstring Flag(bool on)
{
    return on ? L"1" : L"0";
}

// "class<TAB>text<TAB>left top right bottom<TAB>enabled"
std::wstring Describe(HWND window)
{
    return ClassOf(window) + L'\t' + TextOf(window) + L'\t' + RectOf(window) + L'\t' +
           Flag(IsWindowEnabled(window) != FALSE);
}

void PrintBox(HWND box)
{
    Print(L"box\t" + Describe(box));
    for (HWND child : DescendantsOf(box))
        if (IsWindowVisible(child))
            Print(L"  " + Describe(child));
}

} // namespace

int Boxes(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND main = MainWindow();
        std::vector<HWND> boxes;
        if (main)
            boxes = ProgramBoxes(main);
        if (!boxes.empty()) {
            for (HWND box : boxes)
                PrintBox(box);
            return 0;
        }
        if (GetTickCount() - start >= timeoutMs)
            return 1;
        Sleep(50);
    }
}

int NoBoxes(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND main = MainWindow();
        if (!main || ProgramBoxes(main).empty())
            return 0;
        if (GetTickCount() - start >= timeoutMs)
            return 1;
        Sleep(50);
    }
}

int Buttons()
{
    HWND main = MainWindow();
    HWND bar = main ? FindWindowExW(main, nullptr, L"BtnBarClass", nullptr) : nullptr;
    if (!bar)
        return 1;
    // The bar itself is disabled while a check runs; its buttons keep their own state.
    for (HWND button : DescendantsOf(bar))
        Print(TextOf(button) + L'\t' + Flag(IsWindowEnabled(button) != FALSE) + L'\t' + RectOf(button));
    Print(L"bar\t" + Flag(IsWindowEnabled(bar) != FALSE));
    return 0;
}

int Focus()
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) || !info.hwndFocus)
        return 1;
    Print(Describe(info.hwndFocus));
    return 0;
}
