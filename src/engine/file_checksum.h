#pragma once
// What the reading of one file gave.
#include <cstdint>

enum class FileRead {
    Read,        // every byte was read: crc is the file's CRC
    Empty,       // the file has no bytes: crc 0
    Unreadable,  // it could not be opened, mapped or read in full: crc 0
    Stopped,     // the reader's hook stopped it part way (Abort, a quit request)
};

struct FileChecksum {
    FileRead status = FileRead::Unreadable;
    uint32_t crc = 0;
};
