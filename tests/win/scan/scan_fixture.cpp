#include "scan_fixture.h"

#include "mount_manager.h"
#include "resource.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"
#include "support/setup_check.h"
#include "support/unix_path.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

namespace scan_test {
namespace {

// "\\?\" form of a full path, so that the tests reach any path length.
std::wstring Long(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

HGLOBAL MakeDropBlock(const std::vector<std::wstring>& paths)
{
    size_t characters = 1;
    for (const auto& p : paths)
        characters += p.size() + 1;
    const size_t bytes = sizeof(DROPFILES) + characters * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& p : paths) {
        std::memcpy(text, p.c_str(), p.size() * sizeof(wchar_t));
        text += p.size() + 1;
    }
    GlobalUnlock(block);
    return block;
}

// Chooses the drive's entry in the drive dialog and confirms.
bool RunDriveCommand(int command, const wchar_t* caption, wchar_t letter)
{
    const wchar_t entry[] = {letter, L':', 0};
    BoxAnswerer answer(BoxQuery::ForDialog(caption), [entry](HWND dialog) {
        HWND combo = GetDlgItem(dialog, IDC_DRIVE_COMBO);
        if (SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(entry)) == CB_ERR)
            return false;
        return ClickBoxButton(dialog, L"&Start scan");
    });
    app_fixture::PostCommand(command);
    return answer.Finish();
}

} // namespace

CdDrive::CdDrive(wchar_t driveLetter, const TestFolder& folder) : letter(driveLetter)
{
    const std::string unixPath = UnixPath(folder.Root());
    defined = !unixPath.empty() && DefineUnixDrive(letter, unixPath, DRIVE_CDROM);
    SETUP_CHECK(defined, "cannot define a CD-ROM drive over", folder.Root());
}

CdDrive::CdDrive(wchar_t driveLetter, const std::string& unixPath) : letter(driveLetter)
{
    defined = !unixPath.empty() && DefineUnixDrive(letter, unixPath, DRIVE_CDROM);
    wchar_t shown[MAX_PATH] = L"";
    MultiByteToWideChar(CP_UTF8, 0, unixPath.c_str(), -1, shown, MAX_PATH);
    SETUP_CHECK(defined, "cannot define a CD-ROM drive over", shown);
}

CdDrive::~CdDrive()
{
    if (defined)
        DefineUnixDrive(letter, "", DRIVE_NO_ROOT_DIR);
}

std::wstring CdDrive::Root() const
{
    return std::wstring{letter, L':', L'\\'};
}

std::wstring CdDrive::Path(const std::wstring& relative) const
{
    return Root() + relative;
}

namespace {

// zlib's CRC over what ReadFile gives, a block at a time.
uint32_t FileCrc(const std::wstring& path)
{
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << "the oracle cannot read a file";
    uint32_t crc = 0;
    if (file == INVALID_HANDLE_VALUE)
        return crc;
    std::vector<uint8_t> buffer(1 << 20);
    DWORD got = 0;
    while (ReadFile(file, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got)
        crc = ZlibCrc(crc, buffer.data(), got);
    CloseHandle(file);
    return crc;
}

void OracleFolder(const std::wstring& root, const std::wstring& below, OracleScan& scan)
{
    ++scan.folders;
    const std::wstring folder = below.empty() ? root : root + L"\\" + below;
    std::vector<std::wstring> subfolders;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(Long(folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        const std::wstring path = below.empty() ? name : below + L"\\" + name;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            scan.files.push_back({path, FileCrc(root + L"\\" + path)});
        else if (name[0] != L'.' && !(entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM))
            subfolders.push_back(path);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    for (const std::wstring& subfolder : subfolders)
        OracleFolder(root, subfolder, scan);
}

}  // namespace

std::vector<uint32_t> OracleScan::Crcs() const
{
    std::vector<uint32_t> crcs;
    for (const OracleFile& file : files)
        crcs.push_back(file.crc);
    return crcs;
}

uint32_t OracleScan::DiskCrc() const
{
    uint32_t sum = 0;
    for (const OracleFile& file : files)
        sum += file.crc;
    return sum;
}

OracleScan ScanOracle(const std::wstring& root)
{
    OracleScan scan;
    std::wstring trimmed = root;
    while (!trimmed.empty() && trimmed.back() == L'\\')
        trimmed.pop_back();
    OracleFolder(trimmed, L"", scan);
    return scan;
}

void PostDrop(HWND mainWindow, const std::vector<std::wstring>& paths)
{
    PostMessageW(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropBlock(paths)), 0);
}

void DropOnMainWindow(const std::vector<std::wstring>& paths)
{
    PostDrop(app_fixture::MainWindowHandle(), paths);
    app_fixture::PumpIdle(100);
}

bool ScanDrive(wchar_t letter)
{
    return RunDriveCommand(IDM_SCAN, L"Scan new disk", letter);
}

bool CompareDrive(wchar_t letter)
{
    return RunDriveCommand(IDM_COMPARE, L"Compare with", letter);
}

std::vector<std::wstring> LinesFrom(size_t from)
{
    std::vector<std::wstring> lines = app_fixture::ListLines();
    if (from >= lines.size())
        return {};
    return std::vector<std::wstring>(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end());
}

} // namespace scan_test
