#pragma once
#include "datafile/crc_file_store.h"

// Data files on the file system: written under a temporary name and moved
// into place once complete, read with one call for the whole CRC array.
class SystemCrcFileStore : public CrcFileStore {
public:
    std::unique_ptr<CrcFileSource> OpenForReading(const std::wstring& path) override;
    WriteOutcome Write(const std::wstring& path, const void* header, uint32_t headerBytes,
                       const uint32_t* crcs, uint32_t count) override;
};
