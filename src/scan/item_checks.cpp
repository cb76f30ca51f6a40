// The checks of dropped items and of the command-line path: a file gets its
// CRC, a folder the sum of every file below it.
#include "scan/checks.h"

#include "scan/scan_texts.h"
#include "scan/tree_walk.h"
#include "scan/walk_lines.h"

#include <new>
#include <string>

namespace {

// The file action of a folder check: each file's CRC goes into the folder's
// own list. What cannot be read is counted: a folder with such entries gets
// no sum, which would look whole and is not.
class FolderSum : public TreeWalkVisitor {
public:
    FolderSum(Checks& checks, CrcList& crcs, std::wstring startFolder)
        : checks(checks), crcs(crcs), startFolder(std::move(startFolder)) {}

    void FolderStarted(const std::wstring&) override {}

    bool File(const std::wstring& path) override
    {
        ScanState& state = checks.Program().state;
        if (!checks.ChecksumFile(path, &state.currentCrc)) {
            ++unreadable;
            return checks.UserContinuesCheck();
        }
        if (state.quitSeen || state.aborted)
            return false;
        crcs.Data()[count] = state.currentCrc;
        ++count;
        if (!crcs.KeepRoomAfter(count)) {
            checks.Window().ReportError(kErrorNoMemory, L"");
            count = 0;
            outOfMemory = true;
            return false;
        }
        return true;
    }

    // A link back up the walk's path leads to a folder whose files are in
    // the sum already; anything else leaves the sum short.
    bool Unreadable(const std::wstring& path, Unreached why) override
    {
        if (why != Unreached::LinkLoop)
            ++unreadable;
        if (path == startFolder)
            startUnreadable = true;
        return checks.ReportUnreadable(path);
    }

    int32_t Count() const { return count; }
    uint32_t UnreadableCount() const { return unreadable; }
    // The folder itself could not be searched: nothing of it was read.
    bool StartUnreadable() const { return startUnreadable; }
    bool OutOfMemory() const { return outOfMemory; }

private:
    Checks& checks;
    CrcList& crcs;
    std::wstring startFolder;
    int32_t count = 0;
    uint32_t unreadable = 0;
    bool startUnreadable = false;
    bool outOfMemory = false;
};

// The line of a folder that has no sum: one that could not be searched at
// all, or one whose walk met what it could not read (it may have ended there).
std::wstring FolderWithoutSumLine(const std::wstring& path, const FolderSum& sum)
{
    if (sum.StartUnreadable())
        return UnreadableLine(path);
    return IncompleteFolderLine(path, sum.UnreadableCount());
}

} // namespace

bool Checks::CheckDroppedItems(const std::vector<std::wstring>& paths)
{
    // Items dropped while a check runs would nest in it and share its state.
    if (program.CheckRunning())
        return false;
    ScanState& state = program.state;
    if (state.clearOnDrop == 1) {
        window.ClearLines();
        state.clearOnDrop = 0;
    }
    CheckSession session(*this, kProgressItems);
    for (const std::wstring& path : paths) {
        if (CheckItem(path) == 1)
            break;
    }
    session.End();
    window.SetStatus(state.aborted == 1 ? kStatusAborted : kStatusDone);
    window.ShowButtons(AfterDrop(window.ShownButtons()));
    return true;
}

void Checks::CheckCommandLineItem(const std::wstring& path)
{
    // The list still shows nothing: the item's line takes the usage text's place.
    window.OpenProgress(kProgressItems);
    CheckItem(path);
    program.state.clearOnDrop = 0;
    window.CloseProgress();
}

int Checks::CheckItem(const std::wstring& path)
{
    RunningCheck running(program);
    ScanState& state = program.state;
    try {
        const ItemKind kind = disk.KindOf(path);
        if (kind == ItemKind::Unknown) {
            window.ReportError(kErrorNoAttributes, L"");
            return 1;
        }
        if (kind == ItemKind::Folder) {
            CheckFolder(path);
            return state.quitSeen || state.aborted ? 1 : 0;
        }
        if (!ChecksumFile(path, &state.currentCrc)) {
            window.AddLine(UnreadableLine(path));
            return UserContinuesCheck() ? 0 : 1;
        }
        if (state.quitSeen || state.aborted)
            return 1;
        window.AddLine(ResultLine(state.currentCrc, path));
        return 0;
    } catch (const std::bad_alloc&) {
        window.ReportError(kErrorNoMemory, L"");
        return 1;
    }
}

void Checks::CheckFolder(const std::wstring& path)
{
    CrcList folderCrcs(program.Storage());
    if (!folderCrcs.Allocate(kCrcListCapacity)) {
        window.ReportError(kErrorNoMemory, L"");
        return;
    }
    const std::wstring start = WalkStartFolder(path);
    FolderSum sum(*this, folderCrcs, start);
    bool complete = false;
    try {
        complete = WalkTree(disk, start, sum);
    } catch (const std::bad_alloc&) {
        window.ReportError(kErrorNoMemory, L"");
        return;
    }
    ScanState& state = program.state;
    // Abort, a quit request or no memory: the user has been told, no line.
    if (state.quitSeen || state.aborted || sum.OutOfMemory())
        return;
    if (complete && sum.UnreadableCount() == 0) {
        state.currentCrc = SumOfCrcs(folderCrcs.Data(), size_t(sum.Count()));
        window.AddLine(ResultLine(state.currentCrc, path));
    } else {
        window.AddLine(FolderWithoutSumLine(path, sum));
    }
}
