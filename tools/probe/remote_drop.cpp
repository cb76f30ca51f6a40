// Drops files on the main window from this process, as the shell does: the
// drop block is built in the program's own memory, because the handle that
// WM_DROPFILES carries must be readable there.
#include "probe_verbs.h"

#include "program_windows.h"

#include <shlobj.h>

#include <cstring>

int Drop(int count, wchar_t** paths)
{
    HWND main = MainWindow();
    if (!main || count < 1)
        return 1;

    // DROPFILES, then each path with its terminator, then one more terminator.
    size_t characters = 1;
    for (int i = 0; i < count; ++i)
        characters += wcslen(paths[i]) + 1;
    std::vector<unsigned char> block(sizeof(DROPFILES) + characters * sizeof(wchar_t), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->pt = POINT{40, 80};   // inside the list
    header->fNC = FALSE;
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(block.data() + sizeof(DROPFILES));
    for (int i = 0; i < count; ++i) {
        const size_t length = wcslen(paths[i]);
        std::memcpy(text, paths[i], length * sizeof(wchar_t));
        text += length + 1;
    }

    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return 1;
    int result = 1;
    // The program releases the block with DragFinish; what it cannot release
    // stays with the program until it ends.
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) &&
        PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
        result = 0;
    CloseHandle(process);
    return result;
}
