#pragma once
#include "engine/chunked_crc.h"
#include "engine/file_checksum.h"
#include "scan/tree_walk.h"

#include <cstdint>
#include <string>

// What a check reads of a disk: its folders (DirectorySource), what a path
// names and each file's CRC. The program reads the real file system; the
// tests have disks of their own.
enum class ItemKind { Unknown, File, Folder };

class DiskReader : public DirectorySource {
public:
    // The CRC of the file at path (as the user knows it), read a chunk at a
    // time with the hook asked between chunks; Stopped when the hook said so.
    virtual FileChecksum ChecksumFile(const std::wstring& path, ChunkHook& between) = 0;
    // What path names; Unknown when its attributes cannot be had.
    virtual ItemKind KindOf(const std::wstring& path) = 0;
};
