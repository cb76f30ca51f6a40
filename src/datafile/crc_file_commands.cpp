#include "datafile/crc_file_commands.h"

#include "app/globals.h"
#include "datafile/crc_file_format.h"
#include "datafile/file_name_prompt.h"
#include "engine/long_path.h"
#include "datafile/replacing_file_writer.h"
#include "datafile/summary_lines.h"
#include "resource.h"
#include "scan/check_session.h"
#include "scan/walk_lines.h"

#include <cstring>

#include <string>
#include <vector>

namespace {

// The one header record of both commands. Save writes its reserved bytes as
// they are: zero until a Load has read a file, then what that file held there.
CrcFileHeader crcFileHeader = {};

// The prompt fills a buffer that must start out empty.
std::vector<wchar_t> EmptyPathBuffer()
{
    return std::vector<wchar_t>(kCrcFilePathChars, L'\0');
}

void ReportNameTooLong(const wchar_t* path)
{
    mainWindow.ReportError(L"File name too long", path);
}

// The storage holds every CRC of the last complete scan: not so after a Load
// that could not allocate, which leaves no storage at all. The scan's count is
// expectedCount: a compare since then has set fileCount to the compared drive's.
bool StorageHoldsScan(const ScanState& state)
{
    return state.expectedCount > 0 && crcList.Data() &&
           uint32_t(crcList.Capacity()) >= state.expectedCount;
}

enum class WriteOutcome { Written, CantOpen, CantWrite };

WriteOutcome WriteCrcFile(const wchar_t* path, const ScanState& state)
{
    ReplacingFileWriter writer(path);
    if (!writer.Open())
        return WriteOutcome::CantOpen;
    const uint32_t arrayBytes = state.expectedCount * 4;
    if (writer.Write(&crcFileHeader, sizeof crcFileHeader) &&
        writer.Write(crcList.Data(), arrayBytes) && writer.Commit())
        return WriteOutcome::Written;
    return writer.TargetRefused() ? WriteOutcome::CantOpen : WriteOutcome::CantWrite;
}

// Opens, reads and closes the file; a failure has been reported when it returns false.
class CrcFileReader {
public:
    explicit CrcFileReader(const wchar_t* path)
        : file(CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~CrcFileReader() { Close(); }
    CrcFileReader(const CrcFileReader&) = delete;
    CrcFileReader& operator=(const CrcFileReader&) = delete;

    bool IsOpen() const { return file != INVALID_HANDLE_VALUE; }

    // How Load is to read the rest of the file, after reading up to 48 bytes
    // of it into `start`; `got` tells how many.
    CrcFileReadPlan ReadStart(CrcFileHeader& start, DWORD& got)
    {
        got = 0;
        if (!ReadFile(file, &start, sizeof start, &got, nullptr))
            got = 0;
        LARGE_INTEGER size = {};
        if (!GetFileSizeEx(file, &size)) {
            CrcFileReadPlan refused;
            refused.check = CrcFileCheck::TooShort;
            return refused;
        }
        return PlanCrcFileRead(&start, got, uint64_t(size.QuadPart));
    }

    bool ReadArray(const CrcFileReadPlan& plan, void* into)
    {
        LARGE_INTEGER offset = {};
        offset.QuadPart = LONGLONG(plan.crcOffset);
        const DWORD wanted = plan.expectedCount * 4;
        DWORD got = 0;
        const bool read = SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) &&
                          ReadFile(file, into, wanted, &got, nullptr);
        Close();
        return read && got == wanted;
    }

    void Close()
    {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE file;
};

// A list of its own for the CRCs a Load reads: the held one, which may be an
// unsaved scan, is replaced only once the file has been read in full. It is
// as large as the held one when the count fits there, else count + 1.
bool AllocateFor(CrcList& loaded, uint32_t expectedCount)
{
    const bool fits = crcList.Data() && expectedCount < uint32_t(crcList.Capacity());
    const int32_t capacity = fits ? crcList.Capacity() : int32_t(expectedCount + 1);
    return loaded.Allocate(capacity, kCrcListGrowStep, sizeof(uint32_t)) != nullptr;
}

// The loaded list becomes the held one, with what its file says about it,
// for Compare and for a later Save. An older file names no folder count, disk
// CRC or drive: the count of folders is unknown, the disk CRC is the sum of
// its CRCs and the drive is the one selected.
void HoldLoadedList(ScanState& state, CrcList& loaded, const CrcFileReadPlan& plan,
                    const CrcFileHeader& start, DWORD startBytes)
{
    crcList.TakeOver(loaded);
    state.expectedCount = plan.expectedCount;
    std::memcpy(&crcFileHeader, &start, startBytes);
    if (plan.layout == CrcFileLayout::Current) {
        state.heldFolderCount = plan.folderCount;
        state.heldDiskCrc = plan.diskCrc;
        state.heldDrive = DriveLetterFromIndex(plan.driveIndex);
    } else {
        state.heldFolderCount = 0;
        state.heldDiskCrc = SumOfCrcs(static_cast<const uint32_t*>(crcList.Data()), plan.expectedCount);
        state.heldDrive = driveDialog.SelectedDrive();
    }
}

void AddSummaryLines(ResultList& list, const CrcFileReadPlan& plan)
{
    if (plan.layout == CrcFileLayout::Current) {
        driveDialog.SetSelectedDrive(DriveLetterFromIndex(plan.driveIndex));
        list.AddLine(L"Previous scan data:");
        list.AddLine(TotalsLineWithDiskCrc(plan.expectedCount, plan.folderCount, plan.diskCrc).c_str());
    } else {
        list.AddLine(OlderLayoutSummaryLine(plan.expectedCount).c_str());
    }
}

}  // namespace

SaveOutcome SaveCrcFile(ResultList& list)
{
    std::vector<wchar_t> path = EmptyPathBuffer();
    FileNamePrompt prompt(0, kCrcFileFilter, 1, kCrcFileExtension);

    if (!btnBar.IsButtonEnabled(IDM_SAVE))
        return SaveOutcome::NotSaved;
    ScanState& state = list.State();
    if (!StorageHoldsScan(state)) {
        mainWindow.ReportError(L"Nothing to save", L"");
        return SaveOutcome::NotSaved;
    }
    const int chosen = prompt.Run(list.Handle(), path.data(), DWORD(path.size()), nullptr);
    if (chosen < 0) {
        ReportNameTooLong(path.data());
        return SaveOutcome::Failed;
    }
    if (chosen == 0)
        return SaveOutcome::NotSaved;

    // The header describes the CRCs under it: the held list's own figures,
    // whatever a compare or an unfinished walk has done since.
    FillHeaderForSave(crcFileHeader, state.expectedCount, state.heldFolderCount, state.heldDiskCrc,
                      state.heldDrive);
    switch (WriteCrcFile(path.data(), state)) {
    case WriteOutcome::Written:
        break;
    case WriteOutcome::CantOpen:
        mainWindow.ReportError(L"Can't open file", path.data());
        return SaveOutcome::Failed;
    case WriteOutcome::CantWrite:
        mainWindow.ReportError(L"Can't write file", L"");
        return SaveOutcome::Failed;
    }
    state.unsaved = 0;
    btnBar.EnableButton(IDM_SAVE, false);
    return SaveOutcome::Saved;
}

int ResultList::Save()
{
    return SaveCrcFile(*this) == SaveOutcome::Saved ? 1 : 0;
}

int ResultList::Load()
{
    std::vector<wchar_t> pathBuffer = EmptyPathBuffer();
    FileNamePrompt prompt(1, kCrcFileFilter, 1, kCrcFileExtension);

    if (!mainWindow.OfferSave())
        return 0;
    const int chosen = prompt.Run(hwnd, pathBuffer.data(), DWORD(pathBuffer.size()), nullptr);
    if (chosen < 0)
        ReportNameTooLong(pathBuffer.data());
    if (chosen <= 0)
        return 0;
    const wchar_t* path = pathBuffer.data();

    Clear();
    btnBar.EnableButton(IDM_COMPARE, false);
    btnBar.EnableButton(IDM_PRINT, false);
    statusBar.SetText(0, path);

    CrcFileReader reader(path);
    if (!reader.IsOpen()) {
        mainWindow.ReportError(L"Can't open file", path);
        return 0;
    }
    // A count the file cannot hold is refused before anything is allocated.
    // A refused file leaves the held list, and so an unsaved scan, as it was.
    CrcFileHeader start = {};
    DWORD startBytes = 0;
    const CrcFileReadPlan plan = reader.ReadStart(start, startBytes);
    if (plan.check != CrcFileCheck::Ok) {
        reader.Close();
        mainWindow.ReportError(L"Error reading file", path);
        return 0;
    }
    CrcList loaded;
    if (!AllocateFor(loaded, plan.expectedCount)) {
        reader.Close();
        mainWindow.ReportError(L"Can't allocate memory", L"");
        return 0;
    }
    if (!reader.ReadArray(plan, loaded.Data())) {
        mainWindow.ReportError(L"Error reading file", path);
        return 0;
    }
    HoldLoadedList(state, loaded, plan, start, startBytes);

    btnBar.EnableButton(IDM_COMPARE, true);
    btnBar.EnableButton(IDM_SAVE, false);
    mainWindow.SetTitle(path);
    AddSummaryLines(*this, plan);
    state.unsaved = 0;
    return 1;
}
