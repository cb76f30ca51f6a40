#pragma once
// Data files byte by byte, as another writer of the format makes them: the
// tests build and read them without the program's own header record.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void PutLittleEndian32(Bytes& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}

inline uint32_t GetLittleEndian32(const Bytes& bytes, size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
           uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

// A file in the current layout: "Ferrow data" and its NUL, the version, the
// counts, the disk CRC and the drive index, zero reserved bytes, then the CRCs.
inline Bytes HeaderFile(uint32_t crcCount, uint32_t folderCount, uint32_t diskCrc,
                        uint32_t driveIndex, uint32_t version, const std::vector<uint32_t>& crcs)
{
    Bytes bytes(48, 0);
    std::memcpy(bytes.data(), "Ferrow data", 12);
    PutLittleEndian32(bytes, 16, version);
    PutLittleEndian32(bytes, 20, crcCount);
    PutLittleEndian32(bytes, 24, folderCount);
    PutLittleEndian32(bytes, 28, diskCrc);
    PutLittleEndian32(bytes, 32, driveIndex);
    for (uint32_t crc : crcs) {
        bytes.resize(bytes.size() + 4);
        PutLittleEndian32(bytes, bytes.size() - 4, crc);
    }
    return bytes;
}

// A file in the older layout: the CRCs alone.
inline Bytes LittleEndianWords(const std::vector<uint32_t>& words)
{
    Bytes bytes(4 * words.size());
    for (size_t i = 0; i < words.size(); ++i)
        PutLittleEndian32(bytes, 4 * i, words[i]);
    return bytes;
}

// The wrapping sum of CRCs: a folder's or a disk's CRC.
inline uint32_t WrappingSum(const std::vector<uint32_t>& crcs)
{
    uint32_t sum = 0;
    for (uint32_t crc : crcs)
        sum += crc;
    return sum;
}
