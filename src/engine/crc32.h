#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace crc_detail {

// Entry n is n run through eight shifts of the reflected polynomial 0xEDB88320.
constexpr std::array<uint32_t, 256> BuildCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace crc_detail

// The standard CRC-32 table, computed by the compiler: read-only data from the
// first instruction on, never built at run time.
inline constexpr std::array<uint32_t, 256> CrcTable = crc_detail::BuildCrcTable();

static_assert(CrcTable[1] == 0x77073096u && CrcTable[2] == 0xEE0E612Cu &&
              CrcTable[255] == 0x2D02EF8Du, "CRC-32 table");

// crc advanced over length bytes by the fastest kernel this processor
// supports. A file's CRC starts from 0 and is never inverted, so after its
// last byte the register holds the CRC as the program reports it (not the
// zip checksum). A length of 0 changes nothing.
uint32_t CrcAdvance(uint32_t crc, const void* bytes, size_t length);
