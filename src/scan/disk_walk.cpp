#include "scan/result_list.h"

#include "app/frame_panes.h"
#include "app/main_window.h"
#include "engine/crc_list.h"
#include "scan/check_session.h"
#include "scan/disk_tally.h"
#include "scan/find_source.h"
#include "scan/scan_texts.h"
#include "scan/tree_walk.h"
#include "scan/walk_lines.h"

#include <new>
#include <string>

namespace {

// The file action of the disk walk: reads each file and shows what the
// tally makes of it. A file that cannot be read still takes its position,
// so that every later file meets its own entry.
class DiskWalk : public TreeWalkVisitor {
public:
    // crcs: what a scan fills, a list of its own (the list held so far, a
    // scan's or a loaded file's that Compare still uses, is replaced only
    // when the scan is complete), or the held list a compare reads.
    DiskWalk(ResultList& list, bool scan, CrcList& crcs)
        : list(list), state(list.State()), scan(scan), tally(list.State(), scan, crcs) {}

    void FolderStarted(const std::wstring&) override { tally.FolderStarted(); }

    bool Unreadable(const std::wstring& path, Unreached why) override
    {
        if (why == Unreached::Folder && !scan)
            return CannotMatchTheRest(path);
        const bool goOn = ReportUnreadable(path);
        if (why == Unreached::File)
            return Place(path, false, goOn);
        // A folder a scan could not search, or a link back up the walk's
        // path: it takes no position, and a compare meets it in the same place.
        list.AddLine(UnreadableLine(path).c_str());
        return goOn;
    }

    bool File(const std::wstring& path) override
    {
        if (!list.ChecksumFile(path.c_str(), &state.currentCrc))
            return Place(path, false, UserContinuesCheck());
        if (state.quitSeen || state.aborted)
            return false;
        return Place(path, true, true);
    }

    // The end of a complete walk: the compare result and the totals line.
    void Finish(wchar_t drive)
    {
        const DiskTally::Ending ending = tally.Finish(crcList, drive);
        if (ending.countMismatch)
            mainWindow.ReportError(kErrorCountMismatch, L"");
        for (const std::wstring& line : ending.lines)
            list.AddLine(line.c_str());
        statusBar.SetText(0, kStatusDone);
    }

private:
    // The file at the next position, read (its CRC in currentCrc) or not;
    // an unread file is named in the list. goOn false: the user stopped the
    // walk here.
    bool Place(const std::wstring& path, bool read, bool goOn)
    {
        if (!read)
            list.AddLine(UnreadableLine(path).c_str());
        if (!goOn)
            return false;
        switch (tally.Place(read, state.currentCrc)) {
        case DiskTally::Placed::Next:
            return true;
        case DiskTally::Placed::Changed:
            list.AddLine(BadCrcLine(path).c_str());
            return true;
        case DiskTally::Placed::TooMany:
            mainWindow.ReportError(kErrorCountMismatch, L"");
            list.AddLine(kLineDisksDoNotCompare);
            return false;
        case DiskTally::Placed::OutOfMemory:
            mainWindow.ReportError(kErrorNoMemory, L"");
            return false;
        }
        return false;
    }

    // A compare that meets a folder it cannot search no longer knows which
    // entry of the list each later file stands for: matched anyway, every
    // file after it would be called bad. The compare ends there and says so.
    bool CannotMatchTheRest(const std::wstring& path)
    {
        mainWindow.ReportError(kErrorCantOpen, path.c_str());
        list.AddLine(UnreadableLine(path).c_str());
        list.AddLine(kLineRestNotCompared);
        list.AddLine(kLineDisksDoNotCompare);
        return false;
    }

    ResultList& list;
    ScanState& state;
    bool scan;
    DiskTally tally;
};

} // namespace

int ResultList::WalkDisk(wchar_t driveLetter, int scan)
{
    state.fileCount = 0;
    state.folderCount = 0;
    state.currentCrc = 0;
    walkComplete = false;
    // A scan gets a list of its own. A compare needs the held one, which a
    // Load that could not get its storage left without any: it gets one
    // first, or does not start.
    CrcList scanned;
    CrcList& storage = scan ? scanned : crcList;
    if (!storage.Data() && !storage.Allocate(kCrcListCapacity, kCrcListGrowStep, sizeof(uint32_t))) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return 1;
    }
    try {
        const std::wstring progressText = DriveProgressText(driveLetter);
        DiskWalk walk(*this, scan != 0, storage);
        CheckSession session(*this, progressText.c_str());
        FindFileSource source;
        if (WalkTree(source, DriveRootPath(driveLetter), walk)) {
            walk.Finish(driveLetter);
            walkComplete = true;
        }
    } catch (const std::bad_alloc&) {
        // The session has closed the dialog on the way out; the walk is over.
        mainWindow.ReportError(kErrorNoMemory, L"");
        state.fileCount = 0;
    }
    if (state.aborted == 1)
        statusBar.SetText(0, kStatusAborted);
    return 1;
}
