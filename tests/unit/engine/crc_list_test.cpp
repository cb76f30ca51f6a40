#include "engine/crc_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// The C heap with a record of block sizes, a switch that refuses requests, a
// count of frees, and grown blocks that always move and carry junk after the
// old contents, so nothing but CrcList itself can make the new part zero.
class TestStorage final : public CrcStorage {
public:
    ~TestStorage()
    {
        for (auto& block : sizes)
            std::free(block.first);
    }
    void* AllocateZeroed(size_t bytes) override
    {
        if (refuse)
            return nullptr;
        void* block = std::calloc(bytes, 1);
        sizes[block] = bytes;
        return block;
    }
    void* Resize(void* block, size_t bytes) override
    {
        if (refuse)
            return nullptr;
        void* moved = std::malloc(bytes);
        std::memset(moved, 0xAB, bytes);
        std::memcpy(moved, block, std::min(bytes, sizes[block]));
        Forget(block);
        sizes[moved] = bytes;
        return moved;
    }
    void Free(void* block) override
    {
        ++frees;
        Forget(block);
    }

    bool refuse = false;
    int frees = 0;

private:
    void Forget(void* block)
    {
        sizes.erase(block);
        std::free(block);
    }

    std::map<void*, size_t> sizes;
};

} // namespace

TEST(CrcList, StartsWithoutStorage)
{
    CrcList list;
    EXPECT_EQ(list.Data(), nullptr);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(CrcList, AllocateGivesZeroFilledStorage)
{
    // Leave a dirty block of the same size behind for the allocator to reuse.
    void* dirty = std::malloc(40000);
    std::memset(dirty, 0x5A, 40000);
    std::free(dirty);

    CrcList list;
    auto* crcs = list.Allocate(10000, 10000);
    ASSERT_NE(crcs, nullptr);
    EXPECT_EQ(crcs, list.Data());
    EXPECT_EQ(list.Capacity(), 10000);
    EXPECT_EQ(list.GrowStep(), 10000);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(crcs[i], 0u) << "element " << i;
}

TEST(CrcList, AppendingTheLastElementGrowsAndKeepsValues)
{
    TestStorage storage;
    CrcList list(storage);
    auto* crcs = list.Allocate(10000, 10000);
    ASSERT_NE(crcs, nullptr);
    int fileCount = 0;
    while (fileCount < 10000) {
        crcs[fileCount] = 0xC0DE0000u + static_cast<uint32_t>(fileCount);
        ++fileCount;
        ASSERT_TRUE(list.KeepRoomAfter(fileCount));
        crcs = list.Data();
    }
    EXPECT_EQ(list.Capacity(), 20000);
    EXPECT_EQ(crcs, list.Data());
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(crcs[i], 0xC0DE0000u + static_cast<uint32_t>(i)) << "element " << i;
    for (int i = 10000; i < 20000; ++i)
        ASSERT_EQ(crcs[i], 0u) << "element " << i;
}

TEST(CrcList, FailedGrowthKeepsPointerCapacityAndValues)
{
    TestStorage storage;
    CrcList list(storage);
    auto* crcs = list.Allocate(3, 10000);
    ASSERT_NE(crcs, nullptr);
    crcs[0] = 11;
    crcs[1] = 22;
    crcs[2] = 33;
    storage.refuse = true;
    EXPECT_TRUE(list.KeepRoomAfter(2));
    EXPECT_FALSE(list.KeepRoomAfter(3)) << "full, and it cannot grow";
    EXPECT_EQ(list.Grow(), crcs);
    EXPECT_EQ(list.Capacity(), 3);
    EXPECT_EQ(list.Data(), crcs);
    EXPECT_EQ(crcs[0], 11u);
    EXPECT_EQ(crcs[1], 22u);
    EXPECT_EQ(crcs[2], 33u);
}

TEST(CrcList, FailedAllocateLeavesNoStorage)
{
    TestStorage storage;
    CrcList list(storage);
    ASSERT_NE(list.Allocate(100, 10), nullptr);
    storage.refuse = true;
    EXPECT_EQ(list.Allocate(1000, 10000), nullptr);
    EXPECT_EQ(list.Data(), nullptr);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(storage.frees, 1);   // the earlier block was released, not leaked
}

TEST(CrcList, AllocateDiscardsEarlierContents)
{
    CrcList list;
    auto* crcs = list.Allocate(50, 10);
    ASSERT_NE(crcs, nullptr);
    for (int i = 0; i < 50; ++i)
        crcs[i] = 0xFFFFFFFFu;
    crcs = list.Allocate(51, 10000);
    ASSERT_NE(crcs, nullptr);
    EXPECT_EQ(list.Capacity(), 51);
    for (int i = 0; i < 51; ++i)
        ASSERT_EQ(crcs[i], 0u) << "element " << i;
}

TEST(CrcList, ReleaseFreesOnceAndTheDestructorNotAgain)
{
    TestStorage storage;
    {
        CrcList list(storage);
        ASSERT_NE(list.Allocate(10, 10), nullptr);
        list.Release();
        EXPECT_EQ(list.Data(), nullptr);
        EXPECT_EQ(storage.frees, 1);
        list.Release();
        EXPECT_EQ(storage.frees, 1);
    }
    EXPECT_EQ(storage.frees, 1);
}

TEST(CrcList, DestructorFreesStorageStillHeld)
{
    TestStorage storage;
    {
        CrcList list(storage);
        ASSERT_NE(list.Allocate(10, 10), nullptr);
    }
    EXPECT_EQ(storage.frees, 1);
}

TEST(CrcList, GrowWithoutStorageFails)
{
    CrcList list;
    EXPECT_EQ(list.Grow(), nullptr);
    EXPECT_EQ(list.Capacity(), 0);
}
