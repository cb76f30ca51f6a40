#include "engine/crc_kernels.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct NamedKernel {
    const char* name;
    CrcKernel kernel;
    bool available;
};

// A kernel is named by its name in test names and messages.
void PrintTo(const NamedKernel& k, std::ostream* out)
{
    *out << k.name;
}

std::vector<NamedKernel> FastKernels()
{
    return {{"slicing", CrcSlicingKernel, true},
            {"pclmul", CrcPclmulKernel, CrcPclmulAvailable()},
            {"vpclmul", CrcVpclmulKernel, CrcVpclmulAvailable()},
            {"selected", SelectedCrcKernel(), true}};
}

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed)
{
    std::vector<uint8_t> data(n);
    std::mt19937_64 rng(seed);
    for (size_t i = 0; i < n; i += 8) {
        const uint64_t r = rng();
        std::memcpy(&data[i], &r, std::min<size_t>(8, n - i));
    }
    return data;
}

} // namespace

TEST(CrcKernels, TableKernelGivesKnownVectors)
{
    const std::string digits = "123456789";
    EXPECT_EQ(CrcTableKernel(0, reinterpret_cast<const uint8_t*>(digits.data()), 9), 0x2DFD2D88u);
    EXPECT_EQ(CrcTableKernel(0, reinterpret_cast<const uint8_t*>("abc"), 3), 0xCA6598D0u);
}

// Each fast kernel against the table; one this processor lacks is reported
// as skipped, not passed.
class FastKernel : public testing::TestWithParam<NamedKernel> {
protected:
    void SetUp() override
    {
        if (!GetParam().available)
            GTEST_SKIP() << GetParam().name << " is not available on this processor";
    }
};

INSTANTIATE_TEST_SUITE_P(CrcKernels, FastKernel, testing::ValuesIn(FastKernels()),
                         [](const testing::TestParamInfo<NamedKernel>& info) { return std::string(info.param.name); });

// Every length up to 4096 at every start offset within a cache line, starting
// from a non-zero register: covers each kernel's head, bulk and tail paths.
TEST_P(FastKernel, MatchesTheTableForEveryLengthAndAlignment)
{
    const NamedKernel& k = GetParam();
    const std::vector<uint8_t> data = RandomBytes(4096 + 64, 1);
    for (size_t align = 0; align < 64; ++align) {
        const uint8_t* p = data.data() + align;
        const uint32_t start = 0x9E3779B9u * static_cast<uint32_t>(align + 1);
        uint32_t expected = start;   // the table's register after n bytes
        int failures = 0;
        for (size_t n = 0; n <= 4096 && failures < 3; ++n) {
            const uint32_t got = k.kernel(start, p, n);
            if (got != expected) {
                ADD_FAILURE() << k.name << ": align " << align << ", length " << n;
                ++failures;
            }
            if (n < 4096)
                expected = CrcTableKernel(expected, p + n, 1);
        }
    }
}

TEST_P(FastKernel, MatchesTheTableOnLargeOddBuffers)
{
    const std::vector<uint8_t> data = RandomBytes((9 << 20) + 64, 2);
    for (size_t n : {size_t(5 << 20) + 13, size_t(3 << 20) + 1, size_t(9 << 20) + 33}) {
        const uint8_t* p = data.data() + 7;
        EXPECT_EQ(GetParam().kernel(0, p, n), CrcTableKernel(0, p, n)) << n << " bytes";
    }
}

TEST_P(FastKernel, KeepsAZeroRegisterOverZeros)
{
    const std::vector<uint8_t> zeros(100003, 0);
    EXPECT_EQ(GetParam().kernel(0, zeros.data(), zeros.size()), 0u);
}

TEST(CrcKernels, FastestAvailableKernelIsSelected)
{
    const std::string name = SelectedCrcKernelName();
    if (CrcVpclmulAvailable())
        EXPECT_EQ(name, "vpclmul-512x4");
    else if (CrcPclmulAvailable())
        EXPECT_EQ(name, "pclmul-128x4");
    else
        EXPECT_EQ(name, "slicing-16");
}
