#include "fault_test.h"

#include "unix_side.h"

#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI ReportAndEnd(EXCEPTION_POINTERS* exception)
{
    std::fprintf(stderr, "\nCRASH: exception %08lX at %p\n",
                 static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode),
                 exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    unix_side::EmptiedAtEnd::EmptyAllNow();
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void EndProcessOnCrash()
{
    SetUnhandledExceptionFilter(ReportAndEnd);
}

void LeaveTestFolders()
{
    wchar_t temp[MAX_PATH];
    if (GetTempPathW(MAX_PATH, temp))
        SetCurrentDirectoryW(temp);
}

size_t PrivateBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* address = nullptr;
         VirtualQuery(address, &info, sizeof info) == sizeof info;
         address = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (static_cast<const char*>(info.BaseAddress) + info.RegionSize < address)
            break;
    }
    return total;
}
