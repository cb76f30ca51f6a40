#pragma once
#include "scan/disk_reader.h"
#include "scan/find_source.h"

// The real file system: folders through the directory search, files read
// through mapped views, paths in the form the file functions take.
class SystemDisk : public DiskReader {
public:
    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override
    {
        return folders.Open(folder);
    }
    bool Identify(const std::wstring& folder, FolderIdentity& identity) override
    {
        return folders.Identify(folder, identity);
    }
    FileChecksum ChecksumFile(const std::wstring& path, ChunkHook& between) override;
    ItemKind KindOf(const std::wstring& path) override;

private:
    FindFileSource folders;
};
