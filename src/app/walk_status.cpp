#include "app/walk_status.h"

#include "app/frame_panes.h"

void ShowWalkPath(const wchar_t* path)
{
    statusBar.SetTextSoon(0, path, kWalkPathRepaintMs);
}

void FlushWalkPath()
{
    statusBar.ShowDeferredText();
}
