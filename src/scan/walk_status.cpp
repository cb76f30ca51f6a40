#include "scan/walk_status.h"

#include "app/globals.h"

#include <windows.h>

namespace {

// While a walk sets one path after another, the bar's redraw is left off:
// turning it off and on costs Wine two server round trips each time, as
// much as the reading of a small file. A timer turns it back on and
// repaints, so the bar shows the current text again within kWalkPathRepaintMs
// of any pause: a box, the end of the walk, the next timer tick.
bool redrawOff = false;
UINT_PTR catchUpTimer = 0;

void CALLBACK CatchUp(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (id == catchUpTimer)
        catchUpTimer = 0;
    HWND bar = statusBar.Handle();
    if (!redrawOff || bar == nullptr || !IsWindow(bar))
        return;
    redrawOff = false;
    SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(bar, nullptr, TRUE);
}

}  // namespace

void ShowWalkPath(const wchar_t* path)
{
    HWND bar = statusBar.Handle();
    if (bar == nullptr || (!redrawOff && !IsWindowVisible(bar))) {
        statusBar.SetText(0, path);
        return;
    }
    if (catchUpTimer == 0) {
        catchUpTimer = SetTimer(nullptr, 0, kWalkPathRepaintMs, CatchUp);
        if (catchUpTimer == 0) {   // no timer, no deferred repaint
            statusBar.SetText(0, path);
            return;
        }
    }
    if (!redrawOff) {
        SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
        redrawOff = true;
    }
    statusBar.SetText(0, path);
}
