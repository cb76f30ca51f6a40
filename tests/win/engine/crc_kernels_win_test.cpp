// The CRC kernels as the Windows compiler builds them (Win64 calling
// convention, unaligned vector moves), checked against zlib.
#include "engine/crc32.h"
#include "engine/crc_kernels.h"
#include "engine_test_files.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace engine_test;

namespace {

struct NamedKernel {
    const char* name;
    CrcKernel kernel;
    bool available;
};

const NamedKernel kKernels[] = {
    {"table", CrcTableKernel, true},
    {"slicing", CrcSlicingKernel, true},
    {"pclmul", CrcPclmulKernel, CrcPclmulAvailable()},
    {"vpclmul", CrcVpclmulKernel, CrcVpclmulAvailable()},
};

} // namespace

TEST(CrcKernelsOnWindows, MatchZlibAcrossLengthsAndAlignments)
{
    const std::vector<uint8_t> data = RandomBytes(1100 + 64, 31);
    for (const NamedKernel& k : kKernels) {
        if (!k.available)
            continue;
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
    }
}

TEST(CrcKernelsOnWindows, MatchZlibOnALargeBuffer)
{
    const std::vector<uint8_t> data = RandomBytes((6 << 20) + 100, 32);
    const uint8_t* p = data.data() + 5;
    const size_t n = (6 << 20) + 77;
    const uint32_t expected = ZlibCrc(0, p, n);
    for (const NamedKernel& k : kKernels) {
        if (!k.available)
            continue;
        EXPECT_EQ(k.kernel(0, p, n), expected) << k.name;
    }
    runningCrc = 0;
    CrcUpdate(p, static_cast<int32_t>(n));
    EXPECT_EQ(runningCrc, expected) << SelectedCrcKernelName();
    std::printf("  CrcUpdate uses %s\n", SelectedCrcKernelName());
}

TEST(CrcKernelsOnWindows, CrcUpdateGivesKnownVectors)
{
    runningCrc = 0;
    CrcUpdate("abc", 3);
    EXPECT_EQ(runningCrc, 0xCA6598D0u);
    runningCrc = 0;
    CrcUpdate("123456789", 9);
    EXPECT_EQ(runningCrc, 0x2DFD2D88u);
}
