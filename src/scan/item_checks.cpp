#include "scan/result_list.h"

#include "app/frame_panes.h"
#include "app/main_window.h"
#include "engine/crc_list.h"
#include "engine/openable_path.h"
#include "engine/wow64_redirection.h"
#include "scan/check_session.h"
#include "scan/find_source.h"
#include "scan/scan_texts.h"
#include "scan/tree_walk.h"
#include "scan/walk_lines.h"
#include "toolkit/system_library.h"

#include <new>
#include <string>

namespace {

// The file action of a folder check: each file's CRC goes into the folder's
// own list. What cannot be read is counted: a folder with such entries gets
// no sum, which would look whole and is not.
class FolderSum : public TreeWalkVisitor {
public:
    FolderSum(ResultList& list, CrcList& crcs, std::wstring startFolder)
        : list(list), crcs(crcs), startFolder(std::move(startFolder)) {}

    void FolderStarted(const std::wstring&) override {}

    bool File(const std::wstring& path) override
    {
        ScanState& state = list.State();
        if (!list.ChecksumFile(path.c_str(), &state.currentCrc)) {
            ++unreadable;
            return UserContinuesCheck();
        }
        if (state.quitSeen || state.aborted)
            return false;
        static_cast<uint32_t*>(crcs.Data())[count] = state.currentCrc;
        ++count;
        if (!crcs.KeepRoomAfter(count)) {
            mainWindow.ReportError(kErrorNoMemory, L"");
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
        return ReportUnreadable(path);
    }

    int32_t Count() const { return count; }
    uint32_t UnreadableCount() const { return unreadable; }
    // The folder itself could not be searched: nothing of it was read.
    bool StartUnreadable() const { return startUnreadable; }
    bool OutOfMemory() const { return outOfMemory; }

private:
    ResultList& list;
    CrcList& crcs;
    std::wstring startFolder;
    int32_t count = 0;
    uint32_t unreadable = 0;
    bool startUnreadable = false;
    bool outOfMemory = false;
};

// The line of a folder that has no sum: one that could not be searched at
// all, or one whose walk met what it could not read (it may have ended there).
std::wstring FolderWithoutSumLine(const wchar_t* path, const FolderSum& sum)
{
    if (sum.StartUnreadable())
        return UnreadableLine(path);
    return IncompleteFolderLine(path, sum.UnreadableCount());
}

// A drop's path at index, whatever its length.
std::wstring DroppedPath(HDROP drop, UINT index)
{
    const UINT length = system_library::DragQueryFile(drop, index, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT got = system_library::DragQueryFile(drop, index, &path[0], length + 1);
    path.resize(got <= length ? got : length);
    return path;
}

} // namespace

void ResultList::CheckDroppedItems(HDROP drop)
{
    // Items dropped while a check runs would nest in it and share its state:
    // they are refused.
    if (CheckRunning()) {
        system_library::DragFinish(drop);
        return;
    }
    SetForegroundWindow(mainWindow.Handle());
    if (state.clearOnDrop == 1) {
        Clear();
        state.clearOnDrop = 0;
    }
    CheckSession session(*this, kProgressItems);
    try {
        const UINT count = system_library::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            if (CheckItem(DroppedPath(drop, i).c_str()) == 1)
                break;
        }
    } catch (const std::bad_alloc&) {
        mainWindow.ReportError(kErrorNoMemory, L"");
    }
    system_library::DragFinish(drop);
    session.End();
    statusBar.SetText(0, state.aborted == 1 ? kStatusAborted : kStatusDone);
    ShowResultButtons(AfterDrop(ShownResultButtons()));
}

int ResultList::CheckItem(const wchar_t* path)
{
    RunningCheck running(*this);
    try {
        std::wstring openable;
        DWORD attributes = INVALID_FILE_ATTRIBUTES;
        if (OpenablePath(path, openable)) {
            Wow64RedirectionOff direct;
            attributes = GetFileAttributesW(openable.c_str());
        }
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            mainWindow.ReportError(kErrorNoAttributes, L"");
            return 1;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            CheckFolder(path);
            return state.quitSeen || state.aborted ? 1 : 0;
        }
        if (!ChecksumFile(path, &state.currentCrc)) {
            AddLine(UnreadableLine(path).c_str());
            return UserContinuesCheck() ? 0 : 1;
        }
        if (state.quitSeen || state.aborted)
            return 1;
        AddLine(ResultLine(state.currentCrc, path).c_str());
        return 0;
    } catch (const std::bad_alloc&) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return 1;
    }
}

void ResultList::CheckFolder(const wchar_t* path)
{
    CrcList folderCrcs;
    if (!folderCrcs.Allocate(kCrcListCapacity, kCrcListGrowStep, sizeof(uint32_t))) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return;
    }
    const std::wstring start = WalkStartFolder(path);
    FolderSum sum(*this, folderCrcs, start);
    FindFileSource source;
    bool complete = false;
    try {
        complete = WalkTree(source, start, sum);
    } catch (const std::bad_alloc&) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return;
    }
    // Abort, a quit request or no memory: the user has been told, no line.
    if (state.quitSeen || state.aborted || sum.OutOfMemory())
        return;
    if (complete && sum.UnreadableCount() == 0) {
        state.currentCrc = SumOfCrcs(static_cast<const uint32_t*>(folderCrcs.Data()), sum.Count());
        AddLine(ResultLine(state.currentCrc, path).c_str());
    } else {
        AddLine(FolderWithoutSumLine(path, sum).c_str());
    }
}
