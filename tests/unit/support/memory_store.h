#pragma once
// Data files in memory, byte for byte, for the Save and Load sequences.
#include "common/crc_file_bytes.h"
#include "datafile/crc_file_store.h"

#include <map>
#include <string>

class MemoryStore : public CrcFileStore {
public:
    std::map<std::wstring, Bytes> files;
    // What the next write gives instead of writing (Written: it writes).
    WriteOutcome refuseWrite = WriteOutcome::Written;
    bool sizeUnknown = false;     // a file's size cannot be told
    int openFiles = 0;            // files open for reading now

    std::unique_ptr<CrcFileSource> OpenForReading(const std::wstring& path) override;
    WriteOutcome Write(const std::wstring& path, const void* header, uint32_t headerBytes,
                       const uint32_t* crcs, uint32_t count) override;
};
