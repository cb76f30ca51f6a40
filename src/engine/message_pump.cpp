#include "engine/message_pump.h"

#include <windows.h>

int PumpPendingMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return 1;
        if (!GetMessageW(&msg, nullptr, 0, 0))
            return 1;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
