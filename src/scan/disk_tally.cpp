#include "scan/disk_tally.h"

#include "scan/summary_lines.h"
#include "scan/walk_lines.h"

DiskTally::DiskTally(ProgramState& program, bool scan, CrcList& crcs)
    : program(program), state(program.state), scan(scan), crcs(crcs)
{
    // A list without storage holds nothing to match.
    if (!scan)
        matches = std::make_unique<CompareMatches>(crcs.Data(), crcs.Data() ? state.expectedCount : 0);
}

DiskTally::Placed DiskTally::Place(bool read, uint32_t crc, const std::wstring& path)
{
    const uint32_t position = static_cast<uint32_t>(state.fileCount);
    if (read)
        readSum += crc;
    bool changed = false;
    if (scan) {
        crcs.Data()[position] = read ? crc : 0;
    } else if (!read) {
        ++unreadableFiles;
    } else if (matches->Place(position, crc, path) == CompareMatches::Met::Changed) {
        ++badFiles;
        changed = true;
    }
    ++state.fileCount;
    // A scan's list always keeps room for the next file, so the index above
    // never reaches past its storage.
    if (scan && !crcs.KeepRoomAfter(state.fileCount)) {
        state.fileCount = 0;
        return Placed::OutOfMemory;
    }
    return changed ? Placed::Changed : Placed::Next;
}

void DiskTally::FolderUnreadable()
{
    if (!scan)
        ++unreadableFolders;
}

DiskTally::Ending DiskTally::Finish(wchar_t drive)
{
    Ending ending;
    const uint32_t files = static_cast<uint32_t>(state.fileCount);
    uint32_t notComparing = 0;
    if (scan) {
        program.crcList.TakeOver(crcs);
        // Complete, even without a file: the question whether to save comes.
        state.unsaved = 1;
        state.expectedCount = files;
    } else {
        const CompareMatches::Settled settled = matches->Settle();
        ending.countMismatch = files != state.expectedCount;
        for (const std::wstring& path : settled.bad)
            ending.lines.push_back(BadCrcLine(path));
        const uint32_t badOrUnreadable = badFiles + uint32_t(settled.bad.size()) + unreadableFiles;
        // Each file listed as bad or unreadable may be what became of one
        // entry; the entries left beyond those were not found at all.
        if (settled.moved != 0)
            ending.lines.push_back(MovedFilesLine(settled.moved));
        if (settled.unmatchedEntries > badOrUnreadable)
            ending.lines.push_back(NotFoundLine(settled.unmatchedEntries - badOrUnreadable));
        notComparing = badOrUnreadable + unreadableFolders;
        ending.lines.push_back(CompareResultLine(notComparing));
    }
    if (notComparing != 0) {
        ending.lines.push_back(TotalsLine(files, state.folderCount));
        return ending;
    }
    // What was read from this disk, whatever order its files came in.
    ending.lines.push_back(TotalsLineWithDiskCrc(files, state.folderCount, readSum));
    state.diskCrc = readSum;
    if (scan) {
        program.heldFolderCount = state.folderCount;
        program.heldDiskCrc = readSum;
        program.heldDrive = drive;
    }
    return ending;
}
