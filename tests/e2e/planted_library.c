/* A stand-in for a system library, planted by test_planted_libraries.sh beside
 * a copy of ferrow.exe under the name of every library the program loads.
 * Whenever a process loads it, it leaves a mark in its own folder, a file
 * named after itself plus ".loaded" (such as "comctl32.dll.loaded") holding
 * the path of that process's program, and refuses to load.
 * It is built without the C runtime: it needs nothing but kernel32. */
#include <windows.h>

BOOL WINAPI PlantedLibraryMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;

    WCHAR mark[MAX_PATH + 16];
    DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    lstrcpyW(mark + length, L".loaded");

    HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        WCHAR program[MAX_PATH];
        DWORD programLength = GetModuleFileNameW(NULL, program, MAX_PATH);
        DWORD written = 0;
        WriteFile(file, program, programLength * sizeof(WCHAR), &written, NULL);
        CloseHandle(file);
    }
    return FALSE;
}
