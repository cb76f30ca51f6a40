#include "engine/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace {

uint32_t CrcOf(const std::string& text)
{
    runningCrc = 0;
    CrcUpdate(text.data(), static_cast<int32_t>(text.size()));
    return runningCrc;
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

TEST(CrcUpdate, KnownVectors)
{
    EXPECT_EQ(CrcOf("abc"), 0xCA6598D0u);
    EXPECT_EQ(CrcOf("123456789"), 0x2DFD2D88u);
}

TEST(CrcUpdate, ZeroBytesAndNothingGiveZero)
{
    EXPECT_EQ(CrcOf(std::string(1, '\0')), 0u);
    EXPECT_EQ(CrcOf(std::string(5, '\0')), 0u);
    EXPECT_EQ(CrcOf(std::string(1 << 20, '\0')), 0u);
    EXPECT_EQ(CrcOf(""), 0u);
}

TEST(CrcUpdate, ZeroOrNegativeLengthChangesNothing)
{
    const char text[] = "abc";
    runningCrc = 0x12345678u;
    CrcUpdate(text, 0);
    EXPECT_EQ(runningCrc, 0x12345678u);
    CrcUpdate(text, -1);
    EXPECT_EQ(runningCrc, 0x12345678u);
    CrcUpdate(nullptr, INT32_MIN);
    EXPECT_EQ(runningCrc, 0x12345678u);
}

TEST(CrcUpdate, TwoCallsEqualOne)
{
    std::vector<uint8_t> data(100000);
    std::mt19937 rng(7);
    for (auto& b : data)
        b = static_cast<uint8_t>(rng());
    runningCrc = 0;
    CrcUpdate(data.data(), static_cast<int32_t>(data.size()));
    const uint32_t whole = runningCrc;
    for (int32_t split : {1, 15, 64, 255, 4097, 99999}) {
        runningCrc = 0;
        CrcUpdate(data.data(), split);
        CrcUpdate(data.data() + split, static_cast<int32_t>(data.size()) - split);
        EXPECT_EQ(runningCrc, whole) << "split at " << split;
    }
}

TEST(CrcUpdate, AgreesWithZlibOnRandomData)
{
    std::vector<uint8_t> data(3 << 20);
    std::mt19937 rng(11);
    for (auto& b : data)
        b = static_cast<uint8_t>(rng());
    for (size_t n : {size_t(1), size_t(63), size_t(1000), size_t(65536 + 7), data.size()}) {
        runningCrc = 0;
        CrcUpdate(data.data(), static_cast<int32_t>(n));
        EXPECT_EQ(runningCrc, ZlibOracle(0, data.data(), n)) << n << " bytes";
    }
}
