// What the folder walk does with what it cannot read: folders it cannot
// search, names that a path would not name, links between folders. Each is
// reported to the walk's owner, never silently left out, and nothing is
// read twice or in another's place.
#include "support/memory_disk.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kStandIn(1, wchar_t(0xFFFD));

}  // namespace

TEST(TreeWalkFaults, AFolderThatCannotBeSearchedIsReportedOnceAndCountsAsAFolder)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"a", kFile}, {L"locked", kFolder}, {L"open", kFolder}});
    disk.Add(L"R:\\open\\", {{L"b", kFile}});
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\a", L"folder R:\\locked\\", L"unreadable R:\\locked\\",
                     L"folder R:\\open\\", L"file R:\\open\\b"}),
              journal.events);
    EXPECT_EQ(1, disk.Listings(L"R:\\locked\\")) << "not searched a second time";
}

TEST(TreeWalkFaults, ANoToTheReportEndsTheWalk)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"locked", kFolder}, {L"open", kFolder}});
    disk.Add(L"R:\\open\\", {{L"b", kFile}});
    WalkJournal journal;
    journal.goOnAfterUnreadable = false;
    EXPECT_FALSE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"folder R:\\locked\\", L"unreadable R:\\locked\\"}), journal.events);
}

TEST(TreeWalkFaults, AFolderThatGoesBetweenItsTwoListingsIsReported)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"going", kFolder}});
    disk.Add(L"R:\\going\\", {{L"f", kFile}, {L"sub", kFolder}});
    disk.Add(L"R:\\going\\sub\\", {{L"g", kFile}});
    disk.secondListingFails = {L"R:\\going\\"};
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"folder R:\\going\\", L"file R:\\going\\f", L"unreadable R:\\going\\"}),
              journal.events);
}

TEST(TreeWalkFaults, ANameWithABackslashIsReportedNotWalkedInto)
{
    // Linux allows "\\" in a name; as a path it names the parent again, and
    // a walk into it would never end.
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"\\", kFolder}, {L"a\\b", kFile}, {L"c/d", kFile}, {L"e", kFile}});
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"unreadable R:\\a\\b", L"unreadable R:\\c/d", L"file R:\\e",
                     L"unreadable R:\\\\\\"}),
              journal.events);
}

TEST(TreeWalkFaults, NamesThatComeOutTheSameAreReadOnceAndTheRestReported)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"caf" + kStandIn, kFile},
                       {L"x" + kStandIn + L"y", kFile},
                       {L"caf" + kStandIn, kFile},
                       {L"CAF" + kStandIn, kFile},   // found without regard to case
                       {L"cafe", kFile},
                       {L"d" + kStandIn, kFolder},
                       {L"D" + kStandIn, kFolder}});
    disk.Add(L"R:\\d" + kStandIn + L"\\", {{L"in", kFile}});
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    const Paths expected = {L"folder R:\\",
                            L"file R:\\caf" + kStandIn,
                            L"file R:\\x" + kStandIn + L"y",
                            L"unreadable R:\\caf" + kStandIn,
                            L"unreadable R:\\CAF" + kStandIn,
                            L"file R:\\cafe",
                            L"folder R:\\d" + kStandIn + L"\\",
                            L"file R:\\d" + kStandIn + L"\\in",
                            L"unreadable R:\\D" + kStandIn + L"\\"};
    EXPECT_EQ(expected, journal.events);
}

TEST(TreeWalkFaults, LinksToFoldersAreNotFollowed)
{
    // Two links to the folder itself would otherwise double the walk at
    // every level.
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"f", kFile}, {L"self1", kLink}, {L"self2", kLink}});
    disk.Add(L"R:\\self1\\", {{L"f", kFile}});
    disk.Add(L"R:\\self2\\", {{L"f", kFile}});
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\f"}), journal.events);
    EXPECT_FALSE(IsEnteredFolder({L"self1", kLink}));
    EXPECT_TRUE(IsEnteredFolder({L"real", kFolder}));
}
