#include "scan/result_list.h"

#include "app/globals.h"
#include "resource.h"
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
    btnBar.EnableButton(IDM_SAVE, false);
    mainWindow.SetTitle(L"");
    btnBar.EnableButton(IDM_PRINT, false);
    AddLine(ScanStartLine(drive).c_str());
    state.unsaved = 0;
    const int walked = WalkDisk(drive, 1);
    // Only a complete scan replaces the held list: after one that ended
    // early, Save would write the earlier list under this scan's name.
    if (walkComplete && state.fileCount != 0) {
        btnBar.EnableButton(IDM_COMPARE, true);
        btnBar.EnableButton(IDM_SAVE, true);
    }
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
