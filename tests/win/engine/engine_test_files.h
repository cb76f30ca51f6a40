#pragma once
// Bytes for the engine's Wine tests; zlib as the independent CRC.
#include "support/crc_oracle.h"

#include <cstdint>
#include <vector>

namespace engine_test {

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

} // namespace engine_test
