#include "scan/disk_tally.h"

#include "datafile/summary_lines.h"
#include "scan/walk_lines.h"

DiskTally::DiskTally(ScanState& state, bool scan, CrcList& crcs)
    : state(state), scan(scan), crcs(crcs)
{
}

DiskTally::Placed DiskTally::Place(bool read, uint32_t crc)
{
    uint32_t* stored = static_cast<uint32_t*>(crcs.Data());
    bool changed = false;
    if (scan) {
        stored[state.fileCount] = read ? crc : 0;
    } else if (static_cast<uint32_t>(state.fileCount) >= state.expectedCount) {
        return Placed::TooMany;
    } else if (!read) {
        ++mismatches;
    } else if (crc != stored[state.fileCount]) {
        ++mismatches;
        changed = true;
    }
    // The list always keeps room for the next file, so the index above
    // never reaches past its storage.
    ++state.fileCount;
    if (!crcs.KeepRoomAfter(state.fileCount)) {
        state.fileCount = 0;
        return Placed::OutOfMemory;
    }
    return changed ? Placed::Changed : Placed::Next;
}

DiskTally::Ending DiskTally::Finish(CrcList& held, wchar_t drive)
{
    Ending ending;
    const uint32_t files = static_cast<uint32_t>(state.fileCount);
    if (scan) {
        held.TakeOver(crcs);
        // Complete, even without a file: the question whether to save comes.
        state.unsaved = 1;
        state.expectedCount = files;
    } else {
        // More files than expected would have ended the walk: these are fewer.
        ending.countMismatch = files != state.expectedCount;
        ending.lines.push_back(CompareResultLine(mismatches));
    }
    if (mismatches != 0) {
        ending.lines.push_back(TotalsLine(files, state.folderCount));
        return ending;
    }
    const uint32_t diskCrc = SumOfCrcs(static_cast<const uint32_t*>(held.Data()), files);
    ending.lines.push_back(TotalsLineWithDiskCrc(files, state.folderCount, diskCrc));
    state.diskCrc = diskCrc;
    if (scan) {
        state.heldFolderCount = state.folderCount;
        state.heldDiskCrc = diskCrc;
        state.heldDrive = drive;
    }
    return ending;
}
