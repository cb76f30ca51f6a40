#include "scan/checks.h"

#include "resource.h"
#include "scan/walk_lines.h"

int Checks::ScanChosenDrive()
{
    wchar_t drive = program.selectedDrive;
    const int chosen = window.ChooseDrive(true, drive);
    program.selectedDrive = drive;
    if (chosen != 1)
        return chosen;
    window.ClearLines();
    window.ShowButtons(AtScanStart(window.ShownButtons()));
    window.SetTitle(L"");
    window.AddLine(ScanStartLine(drive));
    // The user was asked: what was held is no longer waiting to be saved.
    program.state.unsaved = 0;
    const bool complete = WalkDisk(drive, true);
    window.ShowButtons(AfterScanWalk(window.ShownButtons(), complete, program.state.fileCount));
    return 1;
}

int Checks::CompareCommand()
{
    if (!window.IsButtonEnabled(IDM_COMPARE) || program.CheckRunning())
        return 0;
    wchar_t drive = program.selectedDrive;
    const int chosen = window.ChooseDrive(false, drive);
    program.selectedDrive = drive;
    if (chosen != 1)
        return chosen;
    WalkDisk(drive, false);
    return 1;
}
