#include "app/program_commands.h"

int ProgramCommands::ScanCommand()
{
    // The bar is disabled while a check runs; this also holds for a command
    // that reaches the window some other way.
    if (program.CheckRunning())
        return 0;
    if (!dataFiles.OfferSave())
        return 0;
    return checks.ScanChosenDrive();
}

bool ProgramCommands::CanClose()
{
    if (program.CheckRunning()) {
        program.state.aborted = 1;
        closeAfterCheck = true;
        return false;
    }
    return dataFiles.OfferSave() != 0;
}

bool ProgramCommands::CloseAfterCheck()
{
    if (!closeAfterCheck || program.CheckRunning())
        return false;
    closeAfterCheck = false;
    return true;
}

int SelectionAfterDelete(int caret, int left)
{
    if (caret != 0 && caret >= left - 1)
        return caret - 1;
    return caret;
}
