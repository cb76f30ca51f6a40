#pragma once
// Where Save writes a data file and Load reads one. The program uses the
// file system; the tests keep files in memory.
#include <cstdint>
#include <memory>
#include <string>

// One data file open for reading; closed when destroyed.
class CrcFileSource {
public:
    virtual ~CrcFileSource() = default;
    // Reads up to `wanted` bytes from the start of the file; how many came.
    virtual size_t ReadStart(void* into, size_t wanted) = 0;
    // The file's size; false when it cannot be told.
    virtual bool Size(uint64_t& size) = 0;
    // Reads count CRCs from offset; false unless every one was read.
    virtual bool ReadCrcs(uint64_t offset, uint32_t* into, uint32_t count) = 0;
};

enum class WriteOutcome {
    Written,
    CantOpen,   // no file can be made there, or the file there may not be replaced
    CantWrite   // the file was begun and could not be written in full; the old one stays
};

class CrcFileStore {
public:
    // Null when the file cannot be opened.
    virtual std::unique_ptr<CrcFileSource> OpenForReading(const std::wstring& path) = 0;
    // The header's bytes, then count CRCs, as one file in path's place; a
    // file that had that name stays as it was unless every byte was written.
    virtual WriteOutcome Write(const std::wstring& path, const void* header, uint32_t headerBytes,
                               const uint32_t* crcs, uint32_t count) = 0;

protected:
    ~CrcFileStore() = default;
};
