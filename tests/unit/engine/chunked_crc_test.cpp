// A file's bytes in chunks: the same CRC as in one piece, the hook asked once
// per chunk, and a stop ends the reading after the chunk in hand.
#include "engine/chunked_crc.h"
#include "engine/crc32.h"
#include "engine/event_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Bytes(size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(i * 131 + (i >> 9));
    return bytes;
}

// Counts its calls and stops the reading at call `stopAt` (0: never).
class CountingHook : public ChunkHook {
public:
    explicit CountingHook(int stopAt = 0) : stopAt(stopAt) {}
    bool BetweenChunks() override { return ++calls != stopAt; }
    int calls = 0;

private:
    int stopAt;
};

}  // namespace

TEST(CrcInChunks, GivesTheWholeCrcAndAsksTheHookOncePerChunk)
{
    struct Case {
        size_t size, chunk;
        int chunks;
    };
    const Case cases[] = {{0, 4096, 0},        {1, 4096, 1},        {4096, 4096, 1},
                          {4097, 4096, 2},     {3 * 4096, 4096, 3}, {100000, 7, 14286},
                          {kReadChunk * 3 + 5, kReadChunk, 4}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = Bytes(c.size);
        CountingHook hook;
        uint32_t crc = 0;
        EXPECT_TRUE(CrcInChunks(crc, bytes.data(), bytes.size(), hook, c.chunk)) << c.size;
        EXPECT_EQ(crc, CrcAdvance(0, bytes.data(), bytes.size())) << c.size << " in " << c.chunk;
        EXPECT_EQ(hook.calls, c.chunks) << c.size << " in " << c.chunk;
    }
}

TEST(CrcInChunks, AStopEndsTheReadingAfterTheChunkInHand)
{
    const std::vector<uint8_t> bytes = Bytes(10 * 1000);
    CountingHook hook(3);
    uint32_t crc = 0;
    EXPECT_FALSE(CrcInChunks(crc, bytes.data(), bytes.size(), hook, 1000));
    EXPECT_EQ(hook.calls, 3);
    EXPECT_EQ(crc, CrcAdvance(0, bytes.data(), 3000)) << "three chunks read, no more";
}

TEST(CrcInChunks, TheDefaultChunkSuitsTheSlowestDrive)
{
    // A 1x CD reads 150 KB/s: one chunk in under a second.
    EXPECT_LE(kReadChunk, 150000u);
    EXPECT_GE(kReadChunk, 64u << 10) << "cached data keeps the kernel's speed";
}

TEST(EventPacer, IsDueOnceTheIntervalHasPassedSinceTheLastHandling)
{
    // Clock readings, one per chunk, and whether events are handled then.
    struct Step {
        uint32_t now;
        bool due;
    };
    EventPacer pacer(1000, 100);
    const Step steps[] = {{1000, false}, {1050, false}, {1099, false}, {1100, true},
                          {1150, false}, {1199, false}, {1250, true},  {1251, false},
                          {5000, true},  {5000, false}};
    for (const Step& s : steps)
        EXPECT_EQ(pacer.Due(s.now), s.due) << "at " << s.now;
}

TEST(EventPacer, CountsAcrossTheClocksWrap)
{
    EventPacer pacer(0xFFFFFFC0u);   // 64 ms before the wrap
    EXPECT_FALSE(pacer.Due(0xFFFFFFF0u));
    EXPECT_FALSE(pacer.Due(35));
    EXPECT_TRUE(pacer.Due(36)) << "100 ms after the start, across the wrap";
}
