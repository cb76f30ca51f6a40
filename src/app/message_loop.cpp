#include "app/main_window.h"
#include "scan/progress_dialog.h"
#include "app/program.h"

int MainWindow::RunMessageLoop()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        HandleLoopMessage(msg);
    }
}

void MainWindow::HandleLoopMessage(MSG& msg)
{
    HWND progress = progressDialog.Handle();
    const bool taken = (progress && IsDialogMessageW(progress, &msg)) ||
                       (accelerators && TranslateAcceleratorW(hwnd, accelerators, &msg));
    if (!taken) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Checks run inside handlers: back here, none is running any more.
    if (programCommands.CloseAfterCheck())
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
}
