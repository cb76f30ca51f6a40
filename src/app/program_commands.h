#pragma once
// Every command of the program as the window routes it, window-free: the
// checks, the data file commands and the offer to save that stands before
// what would lose unsaved results. The window's handlers call these and
// nothing else, so that each command's whole sequence can be run without one.
#include "app/print_command.h"
#include "datafile/data_file_commands.h"
#include "scan/checks.h"

#include <string>
#include <vector>

class ProgramCommands {
public:
    ProgramCommands(ProgramState& program, CommandWindow& window, DiskReader& disk,
                    CrcFileStore& store)
        : program(program), window(window), checks(program, window, disk),
          dataFiles(program, window, store) {}

    // Scan: unsaved results are offered for saving first; neither Scan nor
    // Compare starts while another check runs.
    int ScanCommand();
    int CompareCommand() { return checks.CompareCommand(); }
    int Load() { return dataFiles.Load(); }
    int Save() { return dataFiles.Save() == SaveOutcome::Saved ? 1 : 0; }
    int OfferSave() { return dataFiles.OfferSave(); }
    int Print(PrintDevice& printer) { return PrintResultList(window, printer); }
    bool CheckDroppedItems(const std::vector<std::wstring>& paths)
    {
        return checks.CheckDroppedItems(paths);
    }

    // Exit, the close box or the end of the session: true when the window
    // may close now. During a check, asking "Save CRC's?" would save a
    // walk's half-made figures and close the window under the running walk:
    // the check is told to stop instead, and the close comes once it has
    // returned (CloseAfterCheck).
    bool CanClose();
    // True, once, when a close was put off until the check ended and the
    // check has ended: the window is to be closed now (with the offer to save).
    bool CloseAfterCheck();

    Checks& DiskChecks() { return checks; }

private:
    ProgramState& program;
    CommandWindow& window;
    Checks checks;
    DataFileCommands dataFiles;
    bool closeAfterCheck = false;
};

// The result list's Delete key: the line that is selected once the line at
// caret has been deleted and `left` lines remain. Deleting the last line
// moves the selection up; otherwise the next line takes the deleted one's
// place and is selected there.
int SelectionAfterDelete(int caret, int left);
