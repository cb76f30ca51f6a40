#include "support/test_folder.h"

#include "support/remove_tree.h"
#include "support/setup_check.h"

#include <algorithm>

namespace {

// "\\?\" form of a full path, so that the tests reach any path length.
std::wstring Long(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

// The names the directory search lists in folder, in its order, without "."
// and ".."; subfolders too when withFolders.
std::vector<std::wstring> EntryNames(const std::wstring& folder, bool withFolders)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != L"." && name != L".." && (withFolders || !isFolder))
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

TestFolder::TestFolder()
{
    static int made = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root = std::wstring(temp) + L"ferrow-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++made);
    RemoveTree(root);
    SETUP_CHECK(CreateDirectoryW(Long(root).c_str(), nullptr), "cannot make the test folder", root);
}

TestFolder::~TestFolder()
{
    RemoveTree(root);
}

std::wstring TestFolder::Write(const std::wstring& relative, const std::string& bytes) const
{
    const std::wstring path = Path(relative);
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    SETUP_CHECK(file != INVALID_HANDLE_VALUE, "cannot make a test file", path);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    SETUP_CHECK(written == bytes.size(), "cannot write a test file", path);
    return path;
}

std::wstring TestFolder::Write(const std::wstring& relative, const std::vector<uint8_t>& bytes) const
{
    return Write(relative, std::string(bytes.begin(), bytes.end()));
}

void TestFolder::MakeFolder(const std::wstring& relative) const
{
    SETUP_CHECK(CreateDirectoryW(Long(Path(relative)).c_str(), nullptr), "cannot make a test folder",
                Path(relative));
}

void TestFolder::Remove(const std::wstring& relative) const
{
    SETUP_CHECK(DeleteFileW(Long(Path(relative)).c_str()), "cannot remove a test file", Path(relative));
}

void TestFolder::SetAttributes(const std::wstring& relative, DWORD attributes) const
{
    SETUP_CHECK(SetFileAttributesW(Long(Path(relative)).c_str(), attributes),
                "cannot set the attributes of a test file", Path(relative));
}

std::vector<std::wstring> TestFolder::FileNames() const
{
    return FileNamesIn(root);
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names = EntryNames(folder, true);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> ListedFileNames(const std::wstring& folder)
{
    return EntryNames(folder, false);
}

FileHeldOpen::FileHeldOpen(const std::wstring& path)
    : handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

void FileHeldOpen::Release()
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}
