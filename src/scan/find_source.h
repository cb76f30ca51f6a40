#pragma once
#include "scan/tree_walk.h"

#include <string>

// The directory searches of the real file system (FindFirstFileExW). Paths of
// 260 characters or more are searched in their extended-length form; the
// walk itself keeps the paths as the user knows them.
class FindFileSource : public DirectorySource {
public:
    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override;
};
