#pragma once
#include "toolkit/list_box.h"

#include <shellapi.h>

#include <cstdint>

// The list in the middle of the main window. It shows every line the program
// reports and is where the commands that fill it start: Scan, Compare, Load,
// Save, Print, the checks of dropped and command-line items, and the file
// checksum. Each hands over to the program's commands (app/program_commands.h).
class ResultList : public ListBox {
public:
    int ScanCommand();
    int CompareCommand();
    // Walks the drive into the CRC list (scan 1) or against it (scan 0); 1 always.
    int WalkDisk(wchar_t driveLetter, int scan);

    // A drop that arrives while a check runs is released unchecked.
    void CheckDroppedItems(HDROP drop);
    // One file or folder and its result line; 1 when the remaining items must
    // not be checked. path is a full path, as the user knows it.
    int CheckItem(const wchar_t* path);
    void CheckFolder(const wchar_t* path);
    // Status text, CRC of one file, event handling; 0 after "Can't open file".
    int ChecksumFile(const wchar_t* path, uint32_t* crc);

    int Save();
    int Load();
    int Print();
};

extern ResultList resultList;
