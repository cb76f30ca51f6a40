#include "app/main_window.h"
#include "app/startup.h"

#include <windows.h>

namespace {

// The program is often started from the disc or stick it checks, and a
// relative command-line path is made full against the start folder; after
// start-up the current folder is the system folder, so that the program never
// keeps a medium "in use".
void LeaveTheStartFolder()
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        SetCurrentDirectoryW(folder);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand)
{
    int started = StartFerrow(instance, commandLine, showCommand);
    LeaveTheStartFolder();
    if (started != 1)
        return started;
    return mainWindow.RunMessageLoop();
}
