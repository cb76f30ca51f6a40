#include "scan/result_list.h"

#include "app/frame_panes.h"
#include "app/main_window.h"
#include "resource.h"
#include "scan/drive_dialog.h"
#include "scan/walk_lines.h"

int ResultList::ScanCommand()
{
    // The bar is disabled while a check runs; this also holds for a command
    // that reaches the window some other way.
    if (CheckRunning())
        return 0;
    if (!mainWindow.OfferSave())
        return 0;
    const INT_PTR chosen = driveDialog.Show(GetParent(Handle()), 1);
    if (chosen != 1)
        return static_cast<int>(chosen);
    const wchar_t drive = driveDialog.SelectedDrive();
    Clear();
    ShowResultButtons(AtScanStart(ShownResultButtons()));
    mainWindow.SetTitle(L"");
    AddLine(ScanStartLine(drive).c_str());
    // The user was asked: what was held is no longer waiting to be saved.
    state.unsaved = 0;
    const int walked = WalkDisk(drive, 1);
    ShowResultButtons(AfterScanWalk(ShownResultButtons(), walkComplete, state.fileCount));
    return walked;
}

int ResultList::CompareCommand()
{
    if (!btnBar.IsButtonEnabled(IDM_COMPARE) || CheckRunning())
        return 0;
    const INT_PTR chosen = driveDialog.Show(GetParent(Handle()), 0);
    if (chosen != 1)
        return static_cast<int>(chosen);
    return WalkDisk(driveDialog.SelectedDrive(), 0);
}
