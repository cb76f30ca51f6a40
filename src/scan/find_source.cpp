#include "scan/find_source.h"

#include "engine/long_path.h"

#include <windows.h>

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
        if (havePending)
            havePending = false;
        else if (!FindNextFileW(handle, &data))
            return false;
        entry.name.assign(data.cFileName);
        entry.attributes = data.dwFileAttributes;
        return true;
    }

private:
    HANDLE handle;
    WIN32_FIND_DATAW data;
    bool havePending = true;   // FindFirstFileExW already returned the first entry
};

class EmptySearch : public DirectorySearch {
public:
    bool Next(DirectoryEntry&) override { return false; }
};

} // namespace

std::unique_ptr<DirectorySearch> FindFileSource::Open(const std::wstring& folder)
{
    // "*" lists every entry, as "*.*" does on this platform.
    const std::wstring pattern = FileSystemPath(folder + L'*');
    WIN32_FIND_DATAW first;
    HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &first,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle == INVALID_HANDLE_VALUE) {
        // Nothing found is an empty folder (a drive root lists no "." and
        // ".."); any other failure is a folder that cannot be searched.
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
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
