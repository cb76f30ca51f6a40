#include "app/main_window.h"
#include "app/startup.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand)
{
    int started = StartFerrow(instance, commandLine, showCommand);
    if (started != 1)
        return started;
    return mainWindow.RunMessageLoop();
}
