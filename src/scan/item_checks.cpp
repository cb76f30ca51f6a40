#include "scan/result_list.h"

#include "app/globals.h"
#include "engine/crc_list.h"
#include "engine/long_path.h"
#include "resource.h"
#include "scan/check_session.h"
#include "scan/find_source.h"
#include "scan/scan_texts.h"
#include "scan/tree_walk.h"
#include "scan/walk_lines.h"

#include <new>
#include <string>

namespace {

// The file action of a folder check: each file's CRC goes into the folder's
// own list; a file that cannot be read is left out if the user goes on.
class FolderSum : public TreeWalkVisitor {
public:
    FolderSum(ResultList& list, CrcList& crcs) : list(list), crcs(crcs) {}

    void FolderStarted(const std::wstring&) override {}

    bool File(const std::wstring& path) override
    {
        ScanState& state = list.State();
        if (!list.ChecksumFile(path.c_str(), &state.currentCrc))
            return UserContinuesCheck();
        if (state.quitSeen || state.aborted)
            return false;
        static_cast<uint32_t*>(crcs.Data())[count] = state.currentCrc;
        ++count;
        if (count == crcs.Capacity()) {
            crcs.Grow();
            if (count == crcs.Capacity()) {
                mainWindow.ReportError(kErrorNoMemory, L"");
                count = 0;
                return false;
            }
        }
        return true;
    }

    bool Unreadable(const std::wstring& path) override { return ReportUnreadable(path); }

    int32_t Count() const { return count; }

private:
    ResultList& list;
    CrcList& crcs;
    int32_t count = 0;
};

// A drop's path at index, whatever its length.
std::wstring DroppedPath(HDROP drop, UINT index)
{
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, index, &path[0], length + 1);
    path.resize(got <= length ? got : length);
    return path;
}

} // namespace

void ResultList::CheckDroppedItems(HDROP drop)
{
    // Items dropped while a check runs would nest in it and share its state:
    // they are refused.
    if (CheckRunning()) {
        DragFinish(drop);
        return;
    }
    SetForegroundWindow(mainWindow.Handle());
    if (state.clearOnDrop == 1) {
        Clear();
        state.clearOnDrop = 0;
    }
    CheckSession session(*this, kProgressItems);
    try {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            if (CheckItem(DroppedPath(drop, i).c_str()) == 1)
                break;
        }
    } catch (const std::bad_alloc&) {
        mainWindow.ReportError(kErrorNoMemory, L"");
    }
    DragFinish(drop);
    session.End();
    statusBar.SetText(0, state.aborted == 1 ? kStatusAborted : kStatusDone);
    btnBar.EnableButton(IDM_PRINT, true);
}

int ResultList::CheckItem(const wchar_t* path)
{
    RunningCheck running(*this);
    try {
        const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            mainWindow.ReportError(kErrorNoAttributes, L"");
            return 1;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            const int complete = CheckFolder(path, &state.currentCrc);
            if (state.quitSeen || state.aborted)
                return 1;
            // A folder whose walk ended early has no CRC and so no line.
            if (complete)
                AddLine(ResultLine(state.currentCrc, path).c_str());
            return 0;
        }
        if (!ChecksumFile(path, &state.currentCrc))
            return UserContinuesCheck() ? 0 : 1;
        if (state.quitSeen || state.aborted)
            return 1;
        AddLine(ResultLine(state.currentCrc, path).c_str());
        return 0;
    } catch (const std::bad_alloc&) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return 1;
    }
}

int ResultList::CheckFolder(const wchar_t* path, uint32_t* crc)
{
    CrcList folderCrcs;
    if (!folderCrcs.Allocate(kCrcListCapacity, kCrcListGrowStep, sizeof(uint32_t))) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return 0;
    }
    FolderSum sum(*this, folderCrcs);
    FindFileSource source;
    try {
        if (!WalkTree(source, WalkStartFolder(path), sum))
            return 0;
    } catch (const std::bad_alloc&) {
        mainWindow.ReportError(kErrorNoMemory, L"");
        return 0;
    }
    *crc = SumOfCrcs(static_cast<const uint32_t*>(folderCrcs.Data()), sum.Count());
    return 1;
}
