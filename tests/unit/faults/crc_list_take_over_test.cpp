// A scan fills a list of its own and hands it over only when it is complete.
#include "engine/crc_list.h"

#include <gtest/gtest.h>

TEST(CrcListTakeOver, TheHeldListGetsTheOthersStorageAndTheOtherNone)
{
    CrcList held;
    ASSERT_NE(held.Allocate(4, 10), nullptr);
    held.Data()[0] = 0x11111111u;
    CrcList scanned;
    ASSERT_NE(scanned.Allocate(3, 7), nullptr);
    scanned.Data()[2] = 0x22222222u;
    const uint32_t* const storage = scanned.Data();

    held.TakeOver(scanned);
    EXPECT_EQ(storage, held.Data());
    EXPECT_EQ(3, held.Capacity());
    EXPECT_EQ(7, held.GrowStep());
    EXPECT_EQ(0x22222222u, held.Data()[2]);
    EXPECT_EQ(nullptr, scanned.Data());
    EXPECT_EQ(0, scanned.Capacity());

    // It grows on from there, and both lists free what they hold exactly once.
    ASSERT_NE(held.Grow(), nullptr);
    EXPECT_EQ(10, held.Capacity());
    EXPECT_EQ(0x22222222u, held.Data()[2]);
}

TEST(CrcListTakeOver, TakingOverItselfChangesNothing)
{
    CrcList list;
    ASSERT_NE(list.Allocate(2, 2), nullptr);
    const uint32_t* const storage = list.Data();
    list.TakeOver(list);
    EXPECT_EQ(storage, list.Data());
    EXPECT_EQ(2, list.Capacity());
}
