#include "app/globals.h"
#include "app/main_window.h"

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
    if (progress && IsDialogMessageW(progress, &msg))
        return;
    if (accelerators && TranslateAcceleratorW(hwnd, accelerators, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}
