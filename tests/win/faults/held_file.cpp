#include "held_file.h"

HeldByAnotherProcess::HeldByAnotherProcess(const std::wstring& path, DWORD access, DWORD sharing)
{
    HANDLE file = CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    // A process that never runs a line: this test program itself, suspended.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &process)) {
        CloseHandle(file);
        return;
    }
    CloseHandle(process.hThread);
    HANDLE theirs = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), file, process.hProcess, &theirs, 0, FALSE,
                        DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE)) {
        holder = process.hProcess;
    } else {
        CloseHandle(file);
        TerminateProcess(process.hProcess, 0);
        CloseHandle(process.hProcess);
    }
}

void HeldByAnotherProcess::Release()
{
    if (!holder)
        return;
    TerminateProcess(holder, 0);
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);
    holder = nullptr;
}
