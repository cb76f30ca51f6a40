#include "engine/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace {

uint32_t CrcOf(const std::string& text)
{
    return CrcAdvance(0, text.data(), text.size());
}

// zlib computes the zip checksum; starting it from all ones and inverting the
// result gives the register that starts from 0 and is never inverted.
uint32_t ZlibOracle(uint32_t crc, const uint8_t* p, size_t n)
{
    return static_cast<uint32_t>(crc32(crc ^ 0xFFFFFFFFu, p, static_cast<uInt>(n))) ^ 0xFFFFFFFFu;
}

} // namespace

TEST(CrcTable, HoldsTheStandardEntries)
{
    EXPECT_EQ(CrcTable[0], 0u);
    EXPECT_EQ(CrcTable[1], 0x77073096u);
    EXPECT_EQ(CrcTable[2], 0xEE0E612Cu);
    EXPECT_EQ(CrcTable[128], 0xEDB88320u);
    EXPECT_EQ(CrcTable[255], 0x2D02EF8Du);
}

TEST(CrcAdvance, KnownVectors)
{
    EXPECT_EQ(CrcOf("abc"), 0xCA6598D0u);
    EXPECT_EQ(CrcOf("123456789"), 0x2DFD2D88u);
}

TEST(CrcAdvance, ZeroBytesAndNothingGiveZero)
{
    EXPECT_EQ(CrcOf(std::string(1, '\0')), 0u);
    EXPECT_EQ(CrcOf(std::string(5, '\0')), 0u);
    EXPECT_EQ(CrcOf(std::string(1 << 20, '\0')), 0u);
    EXPECT_EQ(CrcOf(""), 0u);
}

TEST(CrcAdvance, ZeroLengthChangesNothing)
{
    EXPECT_EQ(CrcAdvance(0x12345678u, "abc", 0), 0x12345678u);
    EXPECT_EQ(CrcAdvance(0x12345678u, nullptr, 0), 0x12345678u);
}

TEST(CrcAdvance, TwoCallsEqualOne)
{
    std::vector<uint8_t> data(100000);
    std::mt19937 rng(7);
    for (auto& b : data)
        b = static_cast<uint8_t>(rng());
    const uint32_t whole = CrcAdvance(0, data.data(), data.size());
    for (size_t split : {1, 15, 64, 255, 4097, 99999}) {
        const uint32_t first = CrcAdvance(0, data.data(), split);
        EXPECT_EQ(CrcAdvance(first, data.data() + split, data.size() - split), whole) << "split at " << split;
    }
}

TEST(CrcAdvance, AgreesWithZlibOnRandomData)
{
    std::vector<uint8_t> data(3 << 20);
    std::mt19937 rng(11);
    for (auto& b : data)
        b = static_cast<uint8_t>(rng());
    for (size_t n : {size_t(1), size_t(63), size_t(1000), size_t(65536 + 7), data.size()}) {
        EXPECT_EQ(CrcAdvance(0, data.data(), n), ZlibOracle(0, data.data(), n)) << n << " bytes";
    }
}
