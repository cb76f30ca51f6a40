#pragma once
// What a disk walk makes of each file and of its end, apart from reading the
// files and showing what it found: each file's place in the CRC list, the
// files a compare counts as not comparing, when a compare's count does not
// match the list's, and what a complete walk leaves for Compare and Save.
#include "engine/crc_list.h"
#include "scan/scan_state.h"

#include <cstdint>
#include <string>
#include <vector>

class DiskTally {
public:
    // scan: the walk stores the CRCs into crcs, a list of its own; otherwise
    // it compares against crcs, the list held, of state.expectedCount CRCs.
    // The walk counts its files and folders in state, from 0.
    DiskTally(ScanState& state, bool scan, CrcList& crcs);

    enum class Placed {
        Next,          // the walk goes on
        Changed,       // a compare: the file was read and its CRC differs
        TooMany,       // a compare: more files than the list holds; the walk ends here
        OutOfMemory    // a scan: the list cannot grow; the walk ends here
    };

    void FolderStarted() { ++state.folderCount; }
    // The file at the next position, read (crc is its CRC) or not. A scan
    // stores 0 for a file it could not read (the disk CRC, a sum, is as if it
    // were empty), a compare counts it as not comparing: either way every
    // later file meets its own entry.
    Placed Place(bool read, uint32_t crc);

    // The end of a walk that went through the whole drive: what to say and
    // what stays. A scan's list becomes held, unsaved, with the walk's
    // figures; a compare changes nothing held.
    struct Ending {
        bool countMismatch = false;        // a compare met fewer files than the list holds
        std::vector<std::wstring> lines;   // the compare's result, then the totals
    };
    Ending Finish(CrcList& held, wchar_t drive);

private:
    ScanState& state;
    bool scan;
    CrcList& crcs;
    uint32_t mismatches = 0;
};
