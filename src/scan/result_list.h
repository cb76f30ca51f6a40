#pragma once
#include "scan/scan_state.h"
#include "toolkit/list_box.h"

#include <cstdint>

// The list in the middle of the main window. It shows every line the program
// reports and carries the commands that fill it: Scan, Compare, Load, Save,
// Print, the checks of dropped and command-line items, and the file checksum.
class ResultList : public ListBox {
public:
    // Scan and Compare commands and the disk walk (scan/).
    int ScanCommand();
    int CompareCommand();
    int WalkDisk(wchar_t driveLetter, int scan);

    // Checks of dropped items and of the command-line path (scan/).
    void CheckDroppedItems(HDROP drop);
    int CheckItem(const wchar_t* path);
    int CheckFolder(const wchar_t* path, uint32_t* crc);
    // Status text, CRC of one file, event handling; 0 after "Can't open file".
    int ChecksumFile(const wchar_t* path, uint32_t* crc);

    // CRC data file (datafile/).
    int Save();
    int Load();

    // Printing (app/).
    int Print();

    ScanState& State() { return state; }
    const ScanState& State() const { return state; }
    // True while a walk or an item check runs (drops are refused then).
    bool CheckRunning() const { return checkRunning; }

private:
    ScanState state;
    bool checkRunning = false;
};
