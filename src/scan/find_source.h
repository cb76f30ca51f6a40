#pragma once
#include "scan/tree_walk.h"

#include <string>

// The directory searches of the real file system (FindFirstFileExW), in the
// same path form as the files are opened; the walk itself keeps the paths as
// the user knows them.
class FindFileSource : public DirectorySource {
public:
    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override;
    // File index and creation time of the folder a path leads to.
    bool Identify(const std::wstring& folder, FolderIdentity& identity) override;
};
