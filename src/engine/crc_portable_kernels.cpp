#include "engine/crc32.h"
#include "engine/crc_kernels.h"

namespace {

using SliceTables = std::array<std::array<uint32_t, 256>, 16>;

// Table k advances a byte's contribution by k further zero bytes, so sixteen
// bytes can be looked up independently and combined with exclusive-or.
constexpr SliceTables BuildSliceTables()
{
    SliceTables t{};
    t[0] = CrcTable;
    for (int k = 1; k < 16; ++k)
        for (int n = 0; n < 256; ++n)
            t[k][n] = (t[k - 1][n] >> 8) ^ CrcTable[t[k - 1][n] & 0xFF];
    return t;
}

constexpr SliceTables kSlice = BuildSliceTables();

inline uint32_t LoadLittleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

uint32_t CrcTableKernel(uint32_t crc, const uint8_t* bytes, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        crc = (crc >> 8) ^ CrcTable[(crc ^ bytes[i]) & 0xFF];
    return crc;
}

uint32_t CrcSlicingKernel(uint32_t crc, const uint8_t* bytes, size_t n)
{
    for (; n >= 16; bytes += 16, n -= 16) {
        const uint32_t a = LoadLittleEndian32(bytes) ^ crc;
        const uint32_t b = LoadLittleEndian32(bytes + 4);
        const uint32_t c = LoadLittleEndian32(bytes + 8);
        const uint32_t d = LoadLittleEndian32(bytes + 12);
        crc = kSlice[15][a & 0xFF] ^ kSlice[14][(a >> 8) & 0xFF] ^
              kSlice[13][(a >> 16) & 0xFF] ^ kSlice[12][a >> 24] ^
              kSlice[11][b & 0xFF] ^ kSlice[10][(b >> 8) & 0xFF] ^
              kSlice[9][(b >> 16) & 0xFF] ^ kSlice[8][b >> 24] ^
              kSlice[7][c & 0xFF] ^ kSlice[6][(c >> 8) & 0xFF] ^
              kSlice[5][(c >> 16) & 0xFF] ^ kSlice[4][c >> 24] ^
              kSlice[3][d & 0xFF] ^ kSlice[2][(d >> 8) & 0xFF] ^
              kSlice[1][(d >> 16) & 0xFF] ^ kSlice[0][d >> 24];
    }
    return CrcTableKernel(crc, bytes, n);
}
