#include "datafile/data_file_fixture.h"

#include "app/globals.h"
#include "support/app_fixture.h"
#include "support/remove_tree.h"
#include "support/setup_check.h"
#include "resource.h"

#include <algorithm>
#include <cstring>

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

TestFolder::TestFolder()
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    wchar_t name[64];
    swprintf(name, 64, L"ferrow-datafile-%lu-%lu-%d", GetCurrentProcessId(), GetTickCount(), ++serial);
    path = std::wstring(temp) + name;
    SETUP_CHECK(CreateDirectoryW(path.c_str(), nullptr), "cannot make the test folder", path);
}

TestFolder::~TestFolder()
{
    RemoveTree(path);
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

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

void PutLittleEndian32(Bytes& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}

uint32_t GetLittleEndian32(const Bytes& bytes, size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
           uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

Bytes HeaderFile(uint32_t crcCount, uint32_t folderCount, uint32_t diskCrc, uint32_t driveIndex,
                 uint32_t version, const std::vector<uint32_t>& crcs)
{
    Bytes bytes(48, 0);
    std::memcpy(bytes.data(), "Ferrow data", 12);  // the text and its NUL
    PutLittleEndian32(bytes, 16, version);
    PutLittleEndian32(bytes, 20, crcCount);
    PutLittleEndian32(bytes, 24, folderCount);
    PutLittleEndian32(bytes, 28, diskCrc);
    PutLittleEndian32(bytes, 32, driveIndex);
    for (uint32_t crc : crcs) {
        bytes.resize(bytes.size() + 4);
        PutLittleEndian32(bytes, bytes.size() - 4, crc);
    }
    return bytes;
}

uint32_t WrappingSum(const std::vector<uint32_t>& crcs)
{
    uint32_t sum = 0;
    for (uint32_t crc : crcs)
        sum += crc;
    return sum;
}

void LayScanResults(const std::vector<uint32_t>& crcs, uint32_t folders, wchar_t drive)
{
    const int32_t count = int32_t(crcs.size());
    if (crcList.Capacity() <= count)
        crcList.Allocate(count + 1, 10000, 4);
    if (count > 0)
        std::memcpy(crcList.Data(), crcs.data(), 4 * crcs.size());
    ScanState& state = resultList.State();
    state.fileCount = count;
    state.folderCount = folders;
    state.diskCrc = WrappingSum(crcs);
    state.expectedCount = uint32_t(count);
    state.heldFolderCount = folders;
    state.heldDiskCrc = state.diskCrc;
    state.heldDrive = drive;
    state.unsaved = 1;
    driveDialog.SetSelectedDrive(drive);
    btnBar.EnableButton(IDM_COMPARE, true);
    btnBar.EnableButton(IDM_SAVE, true);
}

std::vector<uint32_t> ProgramCrcs(uint32_t count)
{
    const auto* data = static_cast<const uint32_t*>(crcList.Data());
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
    volatile LONG delivered = 0;
    std::thread closer([&] {
        result.answered = answerer.Finish();
        if (expectsBoxes && !answerer.Seen().empty())
            WaitUntilGone(answerer.Seen().back().hwnd, 5000);
        const BoxQuery open[] = {BoxQuery::ForBox(nullptr), BoxQuery::ForDialog(nullptr)};
        while (!InterlockedCompareExchange(&delivered, 0, 0)) {
            for (const BoxQuery& query : open) {
                HWND box = FindBox(query);
                if (!box)
                    continue;
                const bool dialog = query.className == L"#32770";
                result.unexpected.push_back(ReadBox(box).caption + L"|" + query.className);
                SendNotifyMessageW(box, dialog ? WM_COMMAND : WM_CLOSE, dialog ? IDCANCEL : 0, 0);
                WaitUntilGone(box, 5000);
            }
            Sleep(kPollMs);
        }
    });
    deliver();
    InterlockedExchange(&delivered, 1);
    closer.join();
    result.seen = answerer.Seen();
    return result;
}

AnsweredCommand RunCommand(int commandId, std::vector<BoxAnswerer::Step> steps, DWORD timeoutMs)
{
    return RunAnswered([commandId] { app_fixture::PostCommand(commandId); }, std::move(steps),
                       timeoutMs);
}

BoxWatch::BoxWatch(std::vector<BoxQuery> watched) : queries(std::move(watched))
{
    if (queries.empty())
        queries = {BoxQuery::ForBox(nullptr), BoxQuery::ForDialog(nullptr)};
    thread = std::thread([this] { Run(); });
}

BoxWatch::~BoxWatch()
{
    Stop();
}

std::vector<std::wstring> BoxWatch::Stop()
{
    InterlockedExchange(&stop, 1);
    if (thread.joinable())
        thread.join();
    return seen;
}

void BoxWatch::Run()
{
    while (!InterlockedCompareExchange(&stop, 0, 0)) {
        for (const BoxQuery& query : queries) {
            if (HWND box = FindBox(query)) {
                seen.push_back(ReadBox(box).caption + L"|" + query.className);
                SendNotifyMessageW(box, WM_CLOSE, 0, 0);
                WaitUntilGone(box, 5000);
            }
        }
        Sleep(kPollMs);
    }
}
