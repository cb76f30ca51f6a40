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
class DiskWalk : public TreeWalkVisitor {
public:
    // crcs: what a scan fills, a list of its own (the list held so far, a
    // scan's or a loaded file's that Compare still uses, is replaced only
    // when the scan is complete), or the held list a compare reads.
    DiskWalk(ResultList& list, bool scan, CrcList& crcs)
        : list(list), state(list.State()), scan(scan), crcs(crcs) {}

    void FolderStarted(const std::wstring&) override { ++state.folderCount; }

    // Like a file that cannot be opened, it takes no position.
    bool Unreadable(const std::wstring& path) override { return ReportUnreadable(path); }

    bool File(const std::wstring& path) override
    {
        // A file that cannot be read takes no position: the next file is
        // matched against the same entry.
        if (!list.ChecksumFile(path.c_str(), &state.currentCrc))
            return UserContinuesCheck();
        if (state.quitSeen || state.aborted)
            return false;
        uint32_t* stored = static_cast<uint32_t*>(crcs.Data());
        if (scan) {
            stored[state.fileCount] = state.currentCrc;
        } else if (static_cast<uint32_t>(state.fileCount) >= state.expectedCount) {
            mainWindow.ReportError(kErrorCountMismatch, L"");
            list.AddLine(kLineTooManyFiles);
            return false;
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
                state.scannedFolders = state.folderCount;
                state.scannedDiskCrc = diskCrc;
            }
        } else {
            list.AddLine(TotalsLine(files, state.folderCount).c_str());
        }
        statusBar.SetText(0, kStatusDone);
    }

private:
    ResultList& list;
    ScanState& state;
    bool scan;
    CrcList& crcs;
    uint32_t mismatches = 0;
};

} // namespace

int ResultList::WalkDisk(wchar_t driveLetter, int scan)
{
    state.fileCount = 0;
    state.folderCount = 0;
    state.currentCrc = 0;
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
        if (WalkTree(source, DriveRootPath(driveLetter), walk))
            walk.Finish();
    } catch (const std::bad_alloc&) {
        // The session has closed the dialog on the way out; the walk is over.
        mainWindow.ReportError(kErrorNoMemory, L"");
        state.fileCount = 0;
    }
    if (state.aborted == 1)
        statusBar.SetText(0, kStatusAborted);
    return 1;
}
