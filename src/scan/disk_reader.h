#pragma once
#include "scan/tree_walk.h"

#include <cstdint>
#include <string>

// What a check reads of a disk: its folders (DirectorySource), what a path
// names and each file's CRC. The program reads the real file system; the
// tests have disks of their own.
enum class FileReadOutcome {
    Read,        // crc is the file's CRC
    Empty,       // a file without bytes: CRC 0
    Unreadable,  // the file could not be opened, mapped or read to its end
};

struct FileRead {
    FileReadOutcome outcome = FileReadOutcome::Unreadable;
    uint32_t crc = 0;
};

enum class ItemKind { Unknown, File, Folder };

class DiskReader : public DirectorySource {
public:
    // The CRC of the file at path (as the user knows it).
    virtual FileRead ChecksumFile(const std::wstring& path) = 0;
    // What path names; Unknown when its attributes cannot be had.
    virtual ItemKind KindOf(const std::wstring& path) = 0;
};
