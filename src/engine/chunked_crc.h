#pragma once
// A file's bytes run through the CRC a chunk at a time, so that whoever reads
// a large file can look after the interface between two chunks.
#include <cstddef>
#include <cstdint>

// Bytes between two chunk ends: a 1x CD drive (150 KB/s) reads them in under a
// second, the kernel on cached data in some microseconds.
constexpr size_t kReadChunk = 128u << 10;

// What a file's reader does between two chunks.
class ChunkHook {
public:
    virtual ~ChunkHook() = default;
    // Called after every chunk; false stops the reading of the file.
    virtual bool BetweenChunks() = 0;
};

// For reads that nobody waits on: never stops them.
class NoChunkEvents : public ChunkHook {
public:
    bool BetweenChunks() override { return true; }
};

// crc advanced over size bytes, chunk bytes at a time, the hook asked after
// every chunk (the last one too). False as soon as the hook answered false:
// crc then covers the chunks up to that one.
bool CrcInChunks(uint32_t& crc, const uint8_t* bytes, size_t size, ChunkHook& hook,
                 size_t chunk = kReadChunk);
