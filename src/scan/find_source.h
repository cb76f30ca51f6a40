#pragma once
#include "scan/tree_walk.h"

#include <cstdint>
#include <string>

// What the directory search's errors mean to the walk (the platform's error
// numbers). A search that finds nothing at once, with "not found" or with
// "no more files" (an empty drive root, some network servers), is an empty
// folder. A listing ends with "no more files"; any other error ends it part
// way (a damaged directory sector gives a CRC or corrupt-file error).
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorNoMoreFiles = 18;
constexpr bool IsEmptyFolder(uint32_t firstSearchError)
{
    return firstSearchError == kErrorFileNotFound || firstSearchError == kErrorNoMoreFiles;
}
constexpr bool IsEndOfListing(uint32_t nextEntryError)
{
    return nextEntryError == kErrorNoMoreFiles;
}

// The directory searches of the real file system (FindFirstFileExW), in the
// same path form as the files are opened; the walk itself keeps the paths as
// the user knows them.
class FindFileSource : public DirectorySource {
public:
    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override;
    // File index and creation time of the folder a path leads to.
    bool Identify(const std::wstring& folder, FolderIdentity& identity) override;
};
