// The disk walk of Scan and Compare: every file of the drive in walk order,
// each read once, into a new list (scan) or matched against the list held.
#include "scan/checks.h"

#include "scan/disk_tally.h"
#include "scan/scan_texts.h"
#include "scan/tree_walk.h"
#include "scan/walk_lines.h"

#include <new>
#include <string>

namespace {

// The file action of the disk walk: reads each file and shows what the
// tally makes of it. A file that cannot be read still takes its position.
class DiskWalk : public TreeWalkVisitor {
public:
    // crcs: what a scan fills, a list of its own (the list held so far, a
    // scan's or a loaded file's that Compare still uses, is replaced only
    // when the scan is complete), or the held list a compare reads.
    DiskWalk(Checks& checks, bool scan, CrcList& crcs)
        : checks(checks), window(checks.Window()), state(checks.Program().state), scan(scan),
          tally(checks.Program(), scan, crcs) {}

    void FolderStarted(const std::wstring&) override { tally.FolderStarted(); }

    bool Unreadable(const std::wstring& path, Unreached why) override
    {
        const bool goOn = checks.ReportUnreadable(path);
        if (why == Unreached::File)
            return Place(path, false, goOn);
        // A folder that could not be searched, or a link back up the walk's
        // path: it takes no position. What a compare would have found in
        // such a folder is not found, and the disk does not compare.
        window.AddLine(UnreadableLine(path));
        if (why == Unreached::Folder)
            tally.FolderUnreadable();
        return goOn;
    }

    bool File(const std::wstring& path) override
    {
        if (!checks.ChecksumFile(path, &state.currentCrc))
            return Place(path, false, checks.UserContinuesCheck());
        if (state.quitSeen || state.aborted)
            return false;
        return Place(path, true, true);
    }

    // The end of a complete walk: a compare's late lines and result, and
    // the totals line.
    void Finish(wchar_t drive)
    {
        const DiskTally::Ending ending = tally.Finish(drive);
        if (ending.countMismatch)
            window.ReportError(kErrorCountMismatch, L"");
        for (const std::wstring& line : ending.lines)
            window.AddLine(line);
        window.SetStatus(kStatusDone);
    }

private:
    // The file at the next position, read (its CRC in currentCrc) or not;
    // an unread file is named in the list. goOn false: the user stopped the
    // walk here.
    bool Place(const std::wstring& path, bool read, bool goOn)
    {
        if (!read)
            window.AddLine(UnreadableLine(path));
        if (!goOn)
            return false;
        switch (tally.Place(read, state.currentCrc, path)) {
        case DiskTally::Placed::Next:
            return true;
        case DiskTally::Placed::Changed:
            window.AddLine(BadCrcLine(path));
            return true;
        case DiskTally::Placed::OutOfMemory:
            window.ReportError(kErrorNoMemory, L"");
            return false;
        }
        return false;
    }

    Checks& checks;
    CommandWindow& window;
    ScanState& state;
    bool scan;
    DiskTally tally;
};

} // namespace

bool Checks::WalkDisk(wchar_t driveLetter, bool scan)
{
    ScanState& state = program.state;
    state.fileCount = 0;
    state.folderCount = 0;
    state.currentCrc = 0;
    bool complete = false;
    // A scan gets a list of its own; a compare reads the held one.
    CrcList scanned(program.Storage());
    if (scan && !scanned.Allocate(kCrcListCapacity)) {
        window.ReportError(kErrorNoMemory, L"");
        return false;
    }
    CrcList& crcs = scan ? scanned : program.crcList;
    try {
        DiskWalk walk(*this, scan, crcs);
        CheckSession session(*this, DriveProgressText(driveLetter));
        if (WalkTree(disk, DriveRootPath(driveLetter), walk)) {
            walk.Finish(driveLetter);
            complete = true;
        }
    } catch (const std::bad_alloc&) {
        // The session has closed the dialog on the way out; the walk is over.
        window.ReportError(kErrorNoMemory, L"");
        state.fileCount = 0;
        complete = false;
    }
    if (state.aborted == 1)
        window.SetStatus(kStatusAborted);
    return complete;
}
