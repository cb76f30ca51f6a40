#include "scan/walk_status.h"

#include "app/globals.h"

void ShowWalkPath(const wchar_t* path)
{
    statusBar.SetTextSoon(0, path, kWalkPathRepaintMs);
}

void FlushWalkPath()
{
    statusBar.ShowDeferredText();
}
