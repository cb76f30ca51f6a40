#pragma once
// zlib as the independent CRC: its zip checksum started from all ones and
// inverted back is the register that starts from 0 and is never inverted,
// which is what the program reports.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

inline uint32_t ZlibCrc(uint32_t crc, const void* p, size_t n)
{
    return static_cast<uint32_t>(crc32(crc ^ 0xFFFFFFFFu, static_cast<const Bytef*>(p),
                                       static_cast<uInt>(n))) ^ 0xFFFFFFFFu;
}

// The program's file CRC of these bytes.
inline uint32_t OracleCrc(const std::string& bytes)
{
    return ZlibCrc(0, bytes.data(), bytes.size());
}
