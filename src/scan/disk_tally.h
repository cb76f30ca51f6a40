#pragma once
// What a disk walk makes of each file and of its end, apart from reading the
// files and showing what it found: each file's place in the CRC list, which
// files a compare counts as not comparing and which it matched elsewhere in
// the list, what the end of a compare says, and what a complete scan leaves
// held for Compare and Save.
#include "engine/crc_list.h"
#include "scan/compare_matches.h"
#include "scan/program_state.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DiskTally {
public:
    // scan: the walk stores the CRCs into crcs, a list of its own; otherwise
    // it compares against the list held, of state.expectedCount CRCs. The
    // walk counts its files and folders in the state, from 0.
    DiskTally(ProgramState& program, bool scan, CrcList& crcs);

    enum class Placed {
        Next,          // the walk goes on
        Changed,       // a compare: no entry of the list has the file's CRC
        OutOfMemory    // a scan: the list cannot grow; the walk ends here
    };

    void FolderStarted() { ++state.folderCount; }
    // The file at the next position, read (crc is its CRC) or not. A scan
    // stores 0 for a file it could not read (the disk CRC, a sum, is as if it
    // were empty), a compare counts it as not comparing: either way every
    // later file keeps its position.
    Placed Place(bool read, uint32_t crc, const std::wstring& path);
    // A compare met a folder it could not search: its files, if the list has
    // them, are not found, and the disk does not compare.
    void FolderUnreadable();

    // The end of a walk that went through the whole drive: what to say and
    // what stays. A scan's list becomes held, unsaved, with the walk's
    // figures; a compare changes nothing held.
    struct Ending {
        bool countMismatch = false;        // a compare met another number of files than the list holds
        std::vector<std::wstring> lines;   // a compare's late lines and result, then the totals
    };
    Ending Finish(wchar_t drive);

private:
    ProgramState& program;
    ScanState& state;
    bool scan;
    CrcList& crcs;
    std::unique_ptr<CompareMatches> matches;   // a compare's
    uint32_t readSum = 0;        // the CRCs read from this disk, summed
    uint32_t badFiles = 0;       // read, and no entry has the CRC
    uint32_t unreadableFiles = 0;
    uint32_t unreadableFolders = 0;
};
