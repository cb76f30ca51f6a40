#pragma once
#include "scan/scan_state.h"
#include "toolkit/list_box.h"

#include <shellapi.h>

#include <cstdint>

// The list in the middle of the main window. It shows every line the program
// reports and carries the commands that fill it: Scan, Compare, Load, Save,
// Print, the checks of dropped and command-line items, and the file checksum.
class ResultList : public ListBox {
public:
    // Scan and Compare commands and the disk walk (scan/). Neither command
    // starts while another check runs.
    int ScanCommand();
    int CompareCommand();
    // Walks the drive into the CRC list (scan 1) or against it (scan 0); 1 always.
    int WalkDisk(wchar_t driveLetter, int scan);

    // Checks of dropped items and of the command-line path (scan/). A drop
    // that arrives while a check runs is released unchecked.
    void CheckDroppedItems(HDROP drop);
    // One file or folder and its result line; 1 when the remaining items must
    // not be checked. path is a full path, as the user knows it.
    int CheckItem(const wchar_t* path);
    // The folder's line: its CRC, the wrapping sum of every file below it,
    // worked out in a CRC list of its own (the scanned or loaded list stays as
    // it is). A folder that could not be searched, or whose walk met files
    // or folders it could not read (or ended at one), gets a line that says so
    // instead of a sum. No line after Abort, a quit request or no memory.
    void CheckFolder(const wchar_t* path);
    // Status text, CRC of one file, event handling; 0 after "Can't open file".
    int ChecksumFile(const wchar_t* path, uint32_t* crc);

    // CRC data file (datafile/).
    int Save();
    int Load();

    // Printing (app/).
    int Print();

    ScanState& State() { return state; }
    const ScanState& State() const { return state; }
    // True while a walk or an item check runs.
    bool CheckRunning() const { return runningChecks > 0; }

private:
    friend class RunningCheck;

    ScanState state;
    int runningChecks = 0;
    bool walkComplete = false;   // the last disk walk went through the whole drive
};
