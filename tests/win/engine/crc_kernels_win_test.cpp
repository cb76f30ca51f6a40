// The CRC kernels as the Windows compiler builds them (Win64 calling
// convention, unaligned vector moves), checked against zlib.
#include "engine/crc32.h"
#include "engine/crc_kernels.h"
#include "engine_test_files.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdio>

using namespace engine_test;

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

const NamedKernel kKernels[] = {
    {"table", CrcTableKernel, true},
    {"slicing", CrcSlicingKernel, true},
    {"pclmul", CrcPclmulKernel, CrcPclmulAvailable()},
    {"vpclmul", CrcVpclmulKernel, CrcVpclmulAvailable()},
};

// Each kernel against zlib; one this processor lacks is reported as
// skipped, not passed.
class KernelOnWindows : public testing::TestWithParam<NamedKernel> {
protected:
    void SetUp() override
    {
        if (!GetParam().available)
            GTEST_SKIP() << GetParam().name << " is not available on this processor";
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(CrcKernelsOnWindows, KernelOnWindows, testing::ValuesIn(kKernels),
                         [](const testing::TestParamInfo<NamedKernel>& info) { return std::string(info.param.name); });

// Every length up to 1100 at every third start offset in a cache line, and
// a large buffer.
TEST_P(KernelOnWindows, MatchesZlibAcrossLengthsAlignmentsAndALargeBuffer)
{
    const NamedKernel& k = GetParam();
    const std::vector<uint8_t> data = RandomBytes(1100 + 64, 31);
    int failures = 0;
    for (size_t align = 0; align < 64 && failures < 3; align += 3) {
        const uint8_t* p = data.data() + align;
        for (size_t n = 0; n <= 1100 && failures < 3; ++n) {
            const uint32_t start = static_cast<uint32_t>(n * 0x01000193u);
            if (k.kernel(start, p, n) != ZlibCrc(start, p, n)) {
                ADD_FAILURE() << k.name << ": align " << align << ", length " << n;
                ++failures;
            }
        }
    }
    const std::vector<uint8_t> large = RandomBytes((6 << 20) + 100, 32);
    const size_t n = (6 << 20) + 77;
    EXPECT_EQ(k.kernel(0, large.data() + 5, n), ZlibCrc(0, large.data() + 5, n)) << k.name;
}

TEST(CrcKernelsOnWindows, CrcAdvanceUsesTheSelectedKernelOnALargeBuffer)
{
    const std::vector<uint8_t> data = RandomBytes((6 << 20) + 100, 32);
    const uint8_t* p = data.data() + 5;
    const size_t n = (6 << 20) + 77;
    EXPECT_EQ(CrcAdvance(0, p, n), ZlibCrc(0, p, n)) << SelectedCrcKernelName();
    std::printf("  CrcAdvance uses %s\n", SelectedCrcKernelName());
}

TEST(CrcKernelsOnWindows, CrcAdvanceGivesKnownVectors)
{
    EXPECT_EQ(CrcAdvance(0, "abc", 3), 0xCA6598D0u);
    EXPECT_EQ(CrcAdvance(0, "123456789", 9), 0x2DFD2D88u);
}
