#include "scan/walk_status.h"

#include "app/globals.h"

#include <windows.h>
#include <commctrl.h>

#include <new>
#include <string>

namespace {

// The walk keeps its latest path here; a timer puts it in the bar.
std::wstring pendingPath;
bool pending = false;
UINT_PTR tickTimer = 0;
// The bar's text as this file last left it. When the bar says something
// else, the program has put a text of its own there since ("Done" at the
// end of a walk, a button's help text): that text is newer than the path
// pending, which is dropped. Later paths show again.
std::wstring lastText;

std::wstring BarText()
{
    HWND bar = statusBar.Handle();
    if (bar == nullptr)
        return std::wstring();
    const size_t length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(length + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

void Show(const wchar_t* path)
{
    statusBar.SetText(0, path);
    try {
        lastText = path;
    } catch (const std::bad_alloc&) {
        lastText.clear();
    }
}

void ShowPending()
{
    if (!pending)
        return;
    pending = false;
    try {
        std::wstring now = BarText();
        if (now == lastText)
            Show(pendingPath.c_str());
        else
            lastText.swap(now);
    } catch (const std::bad_alloc&) {
    }
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
    Show(path);
    tickTimer = SetTimer(nullptr, 0, kWalkPathRepaintMs, Tick);
}

void FlushWalkPath()
{
    ShowPending();
}
