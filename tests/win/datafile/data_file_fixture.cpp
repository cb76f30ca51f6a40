#include "datafile/data_file_fixture.h"

#include "app/frame_panes.h"
#include "resource.h"
#include "scan/drive_dialog.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"
#include "support/setup_check.h"

#include <cwchar>
#include <memory>
#include <thread>

namespace {

constexpr int kFileNameCombo = 0x47c;  // cmb13: the file name box of the system file dialog
constexpr int kFileNameEdit = 0x480;   // edt1: the same in the older dialog layout
constexpr DWORD kPollMs = 20;

struct OwnedDialogSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND hwnd, LPARAM lparam)
{
    auto* search = reinterpret_cast<OwnedDialogSearch*>(lparam);
    wchar_t name[16] = L"";
    GetClassNameW(hwnd, name, 16);
    if (std::wcscmp(name, L"#32770") == 0 && IsWindowVisible(hwnd) &&
        GetWindow(hwnd, GW_OWNER) == search->owner) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The question box that a dialog shows over itself, if one is open.
HWND DialogOwnedBy(HWND owner)
{
    OwnedDialogSearch search{owner, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), MatchOwnedDialog,
                      reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForChild(HWND dialog, int id, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && IsWindow(dialog)) {
        if (HWND child = GetDlgItem(dialog, id))
            return child;
        Sleep(kPollMs);
    }
    return nullptr;
}

}  // namespace

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes ReadBytes(const std::wstring& path)
{
    Bytes bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    uint8_t chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    SETUP_CHECK(file != INVALID_HANDLE_VALUE, "cannot make a test file", path);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    SETUP_CHECK(written == bytes.size(), "cannot write a test file", path);
}

void LayScanResults(const std::vector<uint32_t>& crcs, uint32_t folders, wchar_t drive)
{
    const int32_t count = int32_t(crcs.size());
    if (programState.crcList.Capacity() <= count)
        programState.crcList.Allocate(count + 1);
    if (count > 0)
        std::memcpy(programState.crcList.Data(), crcs.data(), 4 * crcs.size());
    ScanState& state = programState.state;
    state.fileCount = count;
    state.folderCount = folders;
    state.diskCrc = WrappingSum(crcs);
    state.expectedCount = uint32_t(count);
    programState.heldFolderCount = folders;
    programState.heldDiskCrc = state.diskCrc;
    programState.heldDrive = drive;
    state.unsaved = 1;
    programState.selectedDrive = drive;
    btnBar.EnableButton(IDM_COMPARE, true);
    btnBar.EnableButton(IDM_SAVE, true);
}

std::vector<uint32_t> ProgramCrcs(uint32_t count)
{
    const auto* data = programState.crcList.Data();
    if (!data)
        return {};
    return std::vector<uint32_t>(data, data + count);
}

bool EnterFileName(HWND dialog, const std::wstring& name)
{
    HWND nameBox = WaitForChild(dialog, kFileNameCombo, 5000);
    if (!nameBox)
        nameBox = GetDlgItem(dialog, kFileNameEdit);
    HWND ok = GetDlgItem(dialog, IDOK);
    if (!nameBox || !ok)
        return false;
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendNotifyMessageW(ok, BM_CLICK, 0, 0);
    return true;
}

HWND WaitForBoxOver(HWND dialog, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && IsWindow(dialog)) {
        if (HWND box = DialogOwnedBy(dialog))
            return box;
        Sleep(kPollMs);
    }
    return nullptr;
}

BoxAnswerer::Step FileDialogStep(const std::wstring& name)
{
    return {BoxQuery::ForDialog(nullptr), [name](HWND dialog) {
                if (!EnterFileName(dialog, name))
                    return false;
                // The dialog may ask whether to replace an existing file.
                DWORD start = GetTickCount();
                while (IsWindow(dialog) && GetTickCount() - start < 10000) {
                    if (HWND question = DialogOwnedBy(dialog)) {
                        ClickBoxButton(question, L"Yes");
                        WaitUntilGone(question, 5000);
                    }
                    Sleep(kPollMs);
                }
                return !IsWindow(dialog);
            }};
}

BoxAnswerer::Step CancelFileDialogStep()
{
    return {BoxQuery::ForDialog(nullptr), BoxAnswerer::Click(L"Cancel")};
}

BoxAnswerer::Step BoxStep(const wchar_t* caption, const wchar_t* buttonText)
{
    return {BoxQuery::ForBox(caption), BoxAnswerer::Click(buttonText)};
}

AnsweredCommand RunAnswered(const std::function<void()>& deliver,
                            std::vector<BoxAnswerer::Step> steps, DWORD timeoutMs)
{
    AnsweredCommand result;
    const bool expectsBoxes = !steps.empty();
    BoxAnswerer answerer(std::move(steps), timeoutMs);
    // Once the steps are done, or one failed, whatever else shows up is closed.
    std::unique_ptr<BoxRules> closer;
    std::thread afterSteps([&] {
        result.answered = answerer.Finish();
        if (expectsBoxes && !answerer.Seen().empty())
            WaitUntilGone(answerer.Seen().back().hwnd, 5000);
        closer = std::make_unique<BoxRules>(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    });
    deliver();
    afterSteps.join();
    for (const SeenBox& box : closer->Stop())
        result.unexpected.push_back(box.caption + L"|" + box.className);
    result.seen = answerer.Seen();
    return result;
}

AnsweredCommand RunCommand(int commandId, std::vector<BoxAnswerer::Step> steps, DWORD timeoutMs)
{
    return RunAnswered([commandId] { app_fixture::PostCommand(commandId); }, std::move(steps),
                       timeoutMs);
}
