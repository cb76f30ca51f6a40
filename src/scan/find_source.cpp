#include "scan/find_source.h"

#include "engine/openable_path.h"
#include "engine/wow64_redirection.h"

#include <windows.h>

static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND && kErrorNoMoreFiles == ERROR_NO_MORE_FILES,
              "the platform's error numbers");

namespace {

class FindSearch : public DirectorySearch {
public:
    explicit FindSearch(HANDLE handle, const WIN32_FIND_DATAW& first)
        : handle(handle), data(first) {}
    ~FindSearch() override { FindClose(handle); }
    FindSearch(const FindSearch&) = delete;
    FindSearch& operator=(const FindSearch&) = delete;

    bool Next(DirectoryEntry& entry) override
    {
        if (havePending) {
            havePending = false;
        } else if (!FindNextFileW(handle, &data)) {
            brokeOff = !IsEndOfListing(GetLastError());
            return false;
        }
        entry.name.assign(data.cFileName);
        entry.attributes = data.dwFileAttributes;
        return true;
    }

    bool BrokeOff() const override { return brokeOff; }

private:
    HANDLE handle;
    WIN32_FIND_DATAW data;
    bool havePending = true;   // FindFirstFileExW already returned the first entry
    bool brokeOff = false;
};

class EmptySearch : public DirectorySearch {
public:
    bool Next(DirectoryEntry&) override { return false; }
};

} // namespace

std::unique_ptr<DirectorySearch> FindFileSource::Open(const std::wstring& folder)
{
    // "*" lists every entry, as "*.*" does on this platform.
    std::wstring pattern;
    if (!OpenablePath((folder + L'*').c_str(), pattern))
        return nullptr;
    WIN32_FIND_DATAW first;
    HANDLE handle;
    {
        Wow64RedirectionOff direct;
        handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &first, FindExSearchNameMatch,
                                  nullptr, FIND_FIRST_EX_LARGE_FETCH);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        // Nothing found is an empty folder (a drive root lists no "." and
        // ".."); any other failure is a folder that cannot be searched.
        if (IsEmptyFolder(GetLastError()))
            return std::make_unique<EmptySearch>();
        return nullptr;
    }
    try {
        return std::make_unique<FindSearch>(handle, first);
    } catch (...) {
        FindClose(handle);
        throw;
    }
}

bool FindFileSource::Identify(const std::wstring& folder, FolderIdentity& identity)
{
    std::wstring path;
    if (!OpenablePath(folder.c_str(), path))
        return false;
    // No access is asked for: only the folder's attributes are read. A link is
    // followed to the folder it leads to.
    HANDLE handle;
    {
        Wow64RedirectionOff direct;
        handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    if (!known)
        return false;
    identity.index = (uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity.created = (uint64_t(information.ftCreationTime.dwHighDateTime) << 32) |
                       information.ftCreationTime.dwLowDateTime;
    return true;
}
