// The process starts here, ahead of the C runtime's start-up and of the
// constructors of the global objects.
//
// Ferrow is started from wherever it was saved: a downloads folder, a USB
// stick, the disc it is about to check. Windows looks for a library in the
// program's own folder first, so a file there named like one of the libraries
// the program or the system's dialogs load by name would run inside Ferrow.
// Before anything else, library loading is limited to the system folder, for
// whatever the system loads by name later (printer drivers, the dialogs' own
// libraries). The program imports only libraries that are loaded with every
// process; the others it loads from the system folder itself
// (toolkit/system_library.h).
//
// Before that, the system's critical-error boxes are turned off for the
// whole run.
#include <windows.h>

extern "C" int WinMainCRTStartup();  // the C runtime's start-up; it calls wWinMain
extern "C" int FerrowEntry();         // the image's entry point (CMakeLists.txt)

namespace {

// Windows 8 and later have it, Windows 7 and Vista only with update KB2533623;
// without it the search order stays as it was and the program still starts.
void LimitLibrarySearchToSystemFolder()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return;
    auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A drive without a medium (an empty card slot, A:) or a disc taken out
// during a walk gives the program's own "Can't open file", never the system's
// "There is no disk in the drive" box, which the walk would wait on.
void KeepSystemErrorBoxesAway()
{
    const UINT mode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    SetErrorMode(SetErrorMode(mode) | mode);
}

}  // namespace

// 32-bit Windows promises only a 4-byte aligned stack here.
#if defined(__i386__)
__attribute__((force_align_arg_pointer))
#endif
int FerrowEntry()
{
    KeepSystemErrorBoxesAway();
    LimitLibrarySearchToSystemFolder();
    return WinMainCRTStartup();
}
