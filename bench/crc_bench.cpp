// Throughput of the CRC-32 kernels on one 1 GiB buffer of random bytes, next to
// zlib's crc32 and a plain read of the same memory (memchr for a byte that is
// not there). Rounds are interleaved so that every contender sees the same
// machine state; each figure is the median of its rounds.
#include "engine/crc32.h"
#include "engine/crc_kernels.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <sys/mman.h>

namespace {

constexpr size_t kBytes = size_t(1) << 30;
constexpr int kRounds = 5;

struct Contender {
    Contender(std::string name, int repeats, std::function<uint32_t()> run)
        : name(std::move(name)), repeats(repeats), run(std::move(run))
    {
    }

    std::string name;
    int repeats;                     // passes per round: more for the fast ones
    std::function<uint32_t()> run;   // returns a CRC (or a check value) for validation
    std::vector<double> gbPerSecond;
    uint32_t result = 0;

    double Median() const
    {
        std::vector<double> v = gbPerSecond;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
};

// Random bytes without any zero byte, so memchr for 0 reads the whole buffer.
uint8_t* MakeBuffer()
{
    void* mem = std::aligned_alloc(4096, kBytes);
    if (!mem)
        return nullptr;
    madvise(mem, kBytes, MADV_HUGEPAGE);
    auto* p = static_cast<uint8_t*>(mem);
    uint64_t state = 0x9E3779B97F4A7C15u;
    for (size_t i = 0; i < kBytes; i += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        uint64_t r = state;
        for (int b = 0; b < 8; ++b, r >>= 8)
            p[i + b] = static_cast<uint8_t>(r) ? static_cast<uint8_t>(r) : 1;
    }
    return p;
}

double Measure(Contender& c)
{
    const auto start = std::chrono::steady_clock::now();
    c.result = c.run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return double(kBytes) / took.count() / 1e9;
}

} // namespace

int main()
{
    uint8_t* buf = MakeBuffer();
    if (!buf) {
        std::fprintf(stderr, "crc_bench: cannot allocate 1 GiB\n");
        return 1;
    }

    std::vector<Contender> all;
    all.push_back({std::string("kernel (") + SelectedCrcKernelName() + ")", 9, [buf] {
                       return CrcAdvance(0, buf, kBytes);
                   }});
    all.push_back({"table", 1, [buf] { return CrcTableKernel(0, buf, kBytes); }});
    all.push_back({"slicing-16", 2, [buf] { return CrcSlicingKernel(0, buf, kBytes); }});
    if (CrcPclmulAvailable())
        all.push_back({"pclmul-128x4", 9, [buf] { return CrcPclmulKernel(0, buf, kBytes); }});
    if (CrcVpclmulAvailable())
        all.push_back({"vpclmul-512x4", 9, [buf] { return CrcVpclmulKernel(0, buf, kBytes); }});
    all.push_back({"zlib", 3, [buf] {
                       return static_cast<uint32_t>(
                                  crc32(0xFFFFFFFFu, buf, static_cast<uInt>(kBytes))) ^ 0xFFFFFFFFu;
                   }});
    all.push_back({"memory read", 9, [buf] {
                       return static_cast<uint32_t>(std::memchr(buf, 0, kBytes) != nullptr);
                   }});
    Contender& kernel = all.front();
    Contender& table = all[1];
    Contender& zlib = all[all.size() - 2];
    Contender& memory = all.back();

    // Fault every page in before the first round.
    if (std::memchr(buf, 0, kBytes))
        std::printf("the buffer holds a zero byte\n");
    for (int round = 0; round < kRounds; ++round)
        for (Contender& c : all)
            for (int pass = 0; pass < c.repeats; ++pass)
                c.gbPerSecond.push_back(Measure(c));

    int mismatches = 0;
    for (Contender& c : all) {
        const bool isCrc = &c != &memory;
        if (isCrc && c.result != table.result) {
            std::printf("MISMATCH: %s gives %08X, table %08X\n", c.name.c_str(), c.result,
                        table.result);
            ++mismatches;
        }
        std::printf("%-24s %7.2f GB/s  (median of %zu passes over 1 GiB)\n", c.name.c_str(),
                    c.Median(), c.gbPerSecond.size());
    }
    if (memory.result != 0) {
        std::printf("MISMATCH: the memory-read probe found its byte\n");
        ++mismatches;
    }
    std::free(buf);

    const double k = kernel.Median(), z = zlib.Median(), m = memory.Median();
    std::printf("crc32 kernel: %.2f GB/s; table: %.2f; zlib: %.2f; memory read: %.2f; "
                "kernel/zlib %.2f; kernel/memory %.2f\n",
                k, table.Median(), z, m, k / z, k / m);
    return mismatches ? 1 : 0;
}
