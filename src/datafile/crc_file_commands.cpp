#include "datafile/crc_file_commands.h"

#include "app/frame_panes.h"
#include "app/main_window.h"
#include "datafile/crc_file_format.h"
#include "datafile/file_name_prompt.h"
#include "datafile/held_list.h"
#include "datafile/replacing_file_writer.h"
#include "engine/long_path.h"
#include "resource.h"
#include "scan/drive_dialog.h"
#include "scan/result_list.h"
#include "scan/scan_texts.h"

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
    mainWindow.ReportError(kErrorNameTooLong, path);
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
// unsaved scan, is replaced only once the file has been read in full.
bool AllocateFor(CrcList& loaded, uint32_t expectedCount)
{
    return loaded.Allocate(LoadedListCapacity(expectedCount, crcList), kCrcListGrowStep,
                           sizeof(uint32_t)) != nullptr;
}

}  // namespace

SaveOutcome SaveCrcFile(ResultList& list)
{
    std::vector<wchar_t> path = EmptyPathBuffer();
    FileNamePrompt prompt(0, kCrcFileFilter, 1, kCrcFileExtension);

    if (!btnBar.IsButtonEnabled(IDM_SAVE))
        return SaveOutcome::NotSaved;
    ScanState& state = list.State();
    if (!HeldListCanBeSaved(state, crcList)) {
        mainWindow.ReportError(kErrorNothingToSave, L"");
        return SaveOutcome::NotSaved;
    }
    const int chosen = prompt.Run(list.Handle(), path.data(), DWORD(path.size()), nullptr);
    if (chosen < 0) {
        ReportNameTooLong(path.data());
        return SaveOutcome::Failed;
    }
    if (chosen == 0)
        return SaveOutcome::NotSaved;

    FillHeaderForHeldList(crcFileHeader, state);
    switch (WriteCrcFile(path.data(), state)) {
    case WriteOutcome::Written:
        break;
    case WriteOutcome::CantOpen:
        mainWindow.ReportError(kErrorCantOpen, path.data());
        return SaveOutcome::Failed;
    case WriteOutcome::CantWrite:
        mainWindow.ReportError(kErrorCantWrite, L"");
        return SaveOutcome::Failed;
    }
    state.unsaved = 0;
    ShowResultButtons(AfterSave(ShownResultButtons()));
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
    ShowResultButtons(AtLoadStart(ShownResultButtons()));
    statusBar.SetText(0, path);

    CrcFileReader reader(path);
    if (!reader.IsOpen()) {
        mainWindow.ReportError(kErrorCantOpen, path);
        return 0;
    }
    // A count the file cannot hold is refused before anything is allocated.
    // A refused file leaves the held list, and so an unsaved scan, as it was.
    CrcFileHeader start = {};
    DWORD startBytes = 0;
    const CrcFileReadPlan plan = reader.ReadStart(start, startBytes);
    if (plan.check != CrcFileCheck::Ok) {
        reader.Close();
        mainWindow.ReportError(kErrorReading, path);
        return 0;
    }
    CrcList loaded;
    if (!AllocateFor(loaded, plan.expectedCount)) {
        reader.Close();
        mainWindow.ReportError(kErrorNoMemory, L"");
        return 0;
    }
    if (!reader.ReadArray(plan, loaded.Data())) {
        mainWindow.ReportError(kErrorReading, path);
        return 0;
    }
    // The loaded list becomes the held one, for Compare and a later Save.
    crcList.TakeOver(loaded);
    KeepLoadedStart(crcFileHeader, &start, startBytes);
    const LoadedFile shown = HoldLoadedFile(state, plan, static_cast<const uint32_t*>(crcList.Data()),
                                            driveDialog.SelectedDrive());

    ShowResultButtons(AfterLoad(ShownResultButtons()));
    mainWindow.SetTitle(path);
    if (shown.selectDrive)
        driveDialog.SetSelectedDrive(shown.selectDrive);
    for (const std::wstring& line : shown.lines)
        AddLine(line.c_str());
    return 1;
}
