#pragma once
// Scratch files for the engine's Wine tests, and zlib as the independent CRC.
#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace engine_test {

// zlib's zip checksum started from all ones and inverted back is the register
// that starts from 0 and is never inverted, which is what the program reports.
inline uint32_t ZlibCrc(uint32_t crc, const void* p, size_t n)
{
    return static_cast<uint32_t>(crc32(crc ^ 0xFFFFFFFFu, static_cast<const Bytef*>(p),
                                       static_cast<uInt>(n))) ^ 0xFFFFFFFFu;
}

inline std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed)
{
    std::vector<uint8_t> out(n);
    uint32_t x = seed * 2654435761u + 1;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x >> 11);
    }
    return out;
}

// A fresh folder under the temp folder; everything in it goes in the destructor.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path; }
    // Creates (or replaces) a file in the folder; returns its full path.
    std::wstring Write(const std::wstring& name, const std::vector<uint8_t>& bytes);

private:
    std::wstring path;
};

// Writes bytes to path (any length, "\\?\" paths included). True on success.
bool WriteWholeFile(const std::wstring& path, const void* bytes, size_t n);

} // namespace engine_test
