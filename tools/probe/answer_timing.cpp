// How long the program leaves another program waiting: the main window's
// answers to WM_NULL, timed from outside as the system times a window to call
// it "Not Responding", and how soon Abort ends a running check.
#include "probe_verbs.h"
#include "program_windows.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

namespace {

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / frequency;
}

}  // namespace

int Answers(DWORD forMs, DWORD abortAfterMs)
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    HWND progress = FindThreadWindow(main, L"#32770");
    const double start = Now();
    // The user presses Abort at the given time, whatever the window is doing;
    // the check has ended once the progress dialog is gone.
    std::atomic<double> abortedAt{-1}, endedAt{-1};
    std::thread user;
    if (abortAfterMs) {
        user = std::thread([&] {
            Sleep(abortAfterMs);
            HWND abort = progress ? FindWindowExW(progress, nullptr, L"Button", L"Abort") : nullptr;
            if (!abort || !SendNotifyMessageW(abort, BM_CLICK, 0, 0))
                return;
            abortedAt = Now();
            while (IsWindow(progress) && Now() - start < forMs)
                Sleep(5);
            if (!IsWindow(progress))
                endedAt = Now();
        });
    }
    double longest = 0;
    int answers = 0;
    while (Now() - start < forMs && endedAt < 0) {
        const double asked = Now();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result))
            break;
        const double waited = Now() - asked;
        if (waited > longest)
            longest = waited;
        ++answers;
        Sleep(20);
    }
    if (user.joinable())
        user.join();
    char line[200];
    std::snprintf(line, sizeof line, "answers %d; longest wait %.0f ms", answers, longest);
    std::string text = line;
    if (abortAfterMs) {
        if (endedAt >= 0)
            std::snprintf(line, sizeof line, "; Abort ended the check after %.0f ms",
                          endedAt.load() - abortedAt.load());
        else
            std::snprintf(line, sizeof line, "; Abort %s",
                          abortedAt >= 0 ? "did not end the check" : "not found");
        text += line;
    }
    Print(std::wstring(text.begin(), text.end()));
    return 0;
}
