#include "scan/walk_status.h"

#include "app/globals.h"

#include <windows.h>

#include <new>
#include <string>

namespace {

// The walk keeps its latest path here; a timer puts it in the bar.
std::wstring pendingPath;
bool pending = false;
UINT_PTR tickTimer = 0;

void ShowPending()
{
    if (!pending)
        return;
    pending = false;
    statusBar.SetText(0, pendingPath.c_str());
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (id != tickTimer) {
        KillTimer(nullptr, id);
        return;
    }
    if (!pending) {   // the walk has paused or ended
        KillTimer(nullptr, id);
        tickTimer = 0;
        return;
    }
    ShowPending();
}

}  // namespace

void ShowWalkPath(const wchar_t* path)
{
    if (tickTimer != 0) {
        try {
            pendingPath = path;
            pending = true;
            return;
        } catch (const std::bad_alloc&) {
            pending = false;   // shown at once below instead
        }
    }
    statusBar.SetText(0, path);
    tickTimer = SetTimer(nullptr, 0, kWalkPathRepaintMs, Tick);
}

void FlushWalkPath()
{
    ShowPending();
}
