#include "scan/result_list.h"

#include "app/globals.h"
#include "datafile/summary_lines.h"
#include "engine/crc_list.h"
#include "scan/check_session.h"
#include "scan/find_source.h"
#include "scan/scan_texts.h"
#include "scan/tree_walk.h"
#include "scan/walk_lines.h"

#include <new>
#include <string>

namespace {

// The file action of the disk walk. A scan stores each CRC in the CRC list at
// the file's position; a compare matches it against the CRC stored there.
// A file that cannot be read still takes its position, so that every later
// file meets its own entry.
class DiskWalk : public TreeWalkVisitor {
public:
    // crcs: what a scan fills, a list of its own (the list held so far, a
    // scan's or a loaded file's that Compare still uses, is replaced only
    // when the scan is complete), or the held list a compare reads.
    DiskWalk(ResultList& list, bool scan, CrcList& crcs, wchar_t drive)
        : list(list), state(list.State()), scan(scan), crcs(crcs), drive(drive) {}

    void FolderStarted(const std::wstring&) override { ++state.folderCount; }

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
    void Finish()
    {
        const uint32_t files = static_cast<uint32_t>(state.fileCount);
        if (scan) {
            crcList.TakeOver(crcs);
            state.unsaved = 1;
            state.expectedCount = files;
        } else {
            // More files than expected would have ended the walk: these are fewer.
            if (files != state.expectedCount)
                mainWindow.ReportError(kErrorCountMismatch, L"");
            list.AddLine(CompareResultLine(mismatches).c_str());
        }
        if (mismatches == 0) {
            const uint32_t diskCrc = SumOfCrcs(static_cast<const uint32_t*>(crcList.Data()), files);
            list.AddLine(TotalsLineWithDiskCrc(files, state.folderCount, diskCrc).c_str());
            state.diskCrc = diskCrc;
            if (scan) {
                state.heldFolderCount = state.folderCount;
                state.heldDiskCrc = diskCrc;
                state.heldDrive = drive;
            }
        } else {
            list.AddLine(TotalsLine(files, state.folderCount).c_str());
        }
        statusBar.SetText(0, kStatusDone);
    }

private:
    // The file at the next position: read (its CRC in currentCrc) or not.
    // An unread file is named in the list; a scan stores 0 for it (the disk
    // CRC, a sum, is as if it were empty) and a compare counts it among the
    // files that do not compare. goOn false: the user stopped the walk here.
    bool Place(const std::wstring& path, bool read, bool goOn)
    {
        if (!read)
            list.AddLine(UnreadableLine(path).c_str());
        if (!goOn)
            return false;
        uint32_t* stored = static_cast<uint32_t*>(crcs.Data());
        if (scan) {
            stored[state.fileCount] = read ? state.currentCrc : 0;
        } else if (static_cast<uint32_t>(state.fileCount) >= state.expectedCount) {
            mainWindow.ReportError(kErrorCountMismatch, L"");
            list.AddLine(kLineDisksDoNotCompare);
            return false;
        } else if (!read) {
            ++mismatches;
        } else if (state.currentCrc != stored[state.fileCount]) {
            list.AddLine(BadCrcLine(path).c_str());
            ++mismatches;
        }
        // The list always keeps room for the next file, so the index above
        // never reaches past its storage.
        ++state.fileCount;
        if (state.fileCount == crcs.Capacity()) {
            crcs.Grow();
            if (state.fileCount == crcs.Capacity()) {
                mainWindow.ReportError(kErrorNoMemory, L"");
                state.fileCount = 0;
                return false;
            }
        }
        return true;
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
    CrcList& crcs;
    wchar_t drive;
    uint32_t mismatches = 0;
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
        DiskWalk walk(*this, scan != 0, storage, driveLetter);
        CheckSession session(*this, progressText.c_str());
        FindFileSource source;
        if (WalkTree(source, DriveRootPath(driveLetter), walk)) {
            walk.Finish();
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
