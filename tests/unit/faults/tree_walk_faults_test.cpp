// What the folder walk does with what it cannot read: folders it cannot
// search, names that a path would not name, links between folders. Each is
// reported to the walk's owner, never silently left out, and nothing is
// read twice or in another's place.
#include "support/memory_disk.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\a", L"folder R:\\locked\\", L"unreadable folder R:\\locked\\",
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
    EXPECT_EQ((Paths{L"folder R:\\", L"folder R:\\locked\\", L"unreadable folder R:\\locked\\"}), journal.events);
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
    EXPECT_EQ((Paths{L"folder R:\\", L"folder R:\\going\\", L"file R:\\going\\f", L"unreadable folder R:\\going\\"}),
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
                     L"unreadable folder R:\\\\\\"}),
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
                            L"unreadable folder R:\\D" + kStandIn + L"\\"};
    EXPECT_EQ(expected, journal.events);
}

TEST(TreeWalkFaults, LinksBackUpTheWalksPathAreReportedNotFollowed)
{
    // Followed, two links to the folder itself would double the walk at
    // every level; a link to the parent from below would never end either.
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"f", kFile}, {L"self1", kLink}, {L"sub", kFolder}, {L"self2", kLink}});
    disk.Add(L"R:\\sub\\", {{L"g", kFile}, {L"up", kLink}});
    disk.linksTo = {{L"R:\\self1\\", L"R:\\"}, {L"R:\\self2\\", L"R:\\"}, {L"R:\\sub\\up\\", L"R:\\"}};
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\f", L"link loop R:\\self1\\", L"folder R:\\sub\\",
                     L"file R:\\sub\\g", L"link loop R:\\sub\\up\\", L"link loop R:\\self2\\"}),
              journal.events);
}

TEST(TreeWalkFaults, LinksElsewhereAreWalkedLikeAnyFolder)
{
    // A mounted volume or a link to a sibling: its files are on the disk
    // and are checked where the link shows them.
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"a", kFolder}, {L"toA", kLink}, {L"volume", kLink}});
    disk.Add(L"R:\\a\\", {{L"x", kFile}});
    disk.Add(L"S:\\", {{L"y", kFile}});
    disk.linksTo = {{L"R:\\toA\\", L"R:\\a\\"}, {L"R:\\volume\\", L"S:\\"}};
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"R:\\a\\x", L"R:\\toA\\x", L"R:\\volume\\y"}), journal.files);
    EXPECT_TRUE(IsEnteredFolder({L"link", kLink}));
}

TEST(TreeWalkFaults, ALinkWhoseFolderCannotBeToldIsReportedNotEntered)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"odd", kLink}, {L"f", kFile}});
    disk.Add(L"R:\\odd\\", {{L"inside", kFile}});
    disk.unknownIdentity = {L"R:\\odd\\"};
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\f", L"unreadable folder R:\\odd\\"}), journal.events);
}

TEST(TreeWalkFaults, ALoopThroughTwoLinksIsCaughtWhereItCloses)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"a", kFolder}, {L"b", kFolder}});
    disk.Add(L"R:\\a\\", {{L"toB", kLink}});
    disk.Add(L"R:\\b\\", {{L"toA", kLink}, {L"in", kFile}});
    disk.linksTo = {{L"R:\\a\\toB\\", L"R:\\b\\"}, {L"R:\\b\\toA\\", L"R:\\a\\"}};
    WalkJournal journal;
    journal.stopAfterFiles = 100;   // a loop that is not caught ends here
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"R:\\a\\toB\\in", L"R:\\b\\in"}), journal.files);
    const Paths loops = {L"link loop R:\\a\\toB\\toA\\", L"link loop R:\\b\\toA\\toB\\"};
    for (const std::wstring& loop : loops)
        EXPECT_EQ(1, std::count(journal.events.begin(), journal.events.end(), loop)) << loop.c_str();
}

// A listing that breaks off (a damaged directory sector) leaves the rest of
// the folder unknown, not absent: the folder is reported as not read in full,
// once, whichever of its two listings breaks, and what was listed is walked.
TEST(TreeWalkFaults, AListingThatBreaksOffIsReportedOnce)
{
    const std::wstring d = L"R:\\damaged\\";
    struct Case {
        const char* name;
        size_t breaksAfter;   // entries of R:\damaged\ listed before the break
        Paths events;         // after "folder R:\", "file R:\z"
    };
    const Case cases[] = {
        {"before the first entry", 0, {L"folder " + d, L"unreadable folder " + d}},
        {"after a file", 1, {L"folder " + d, L"file " + d + L"a", L"unreadable folder " + d}},
        // Both listings break after the subfolder: its files are walked.
        {"after a subfolder", 2,
         {L"folder " + d, L"file " + d + L"a", L"unreadable folder " + d, L"folder " + d + L"sub\\",
          L"file " + d + L"sub\\s"}},
        {"not at all", 4,
         {L"folder " + d, L"file " + d + L"a", L"file " + d + L"b", L"folder " + d + L"sub\\",
          L"file " + d + L"sub\\s", L"folder " + d + L"later\\"}},
    };
    for (const Case& c : cases) {
        MemoryDisk disk;
        disk.Add(L"R:\\", {{L"z", kFile}, {L"damaged", kFolder}});
        disk.Add(d, {{L"a", kFile}, {L"sub", kFolder}, {L"b", kFile}, {L"later", kFolder}});
        disk.Add(d + L"sub\\", {{L"s", kFile}});
        disk.Add(d + L"later\\", {});
        disk.breaksOffAfter[d] = c.breaksAfter;
        WalkJournal journal;
        EXPECT_TRUE(WalkTree(disk, L"R:\\", journal)) << c.name;
        Paths expected{L"folder R:\\", L"file R:\\z"};
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(expected, journal.events) << c.name;
        EXPECT_EQ(0, disk.openSearches) << c.name;
    }
}

// Only the folder pass breaks off (the disc worsened between the two
// listings): the subfolders after the break are unknown, and it is said.
TEST(TreeWalkFaults, AFolderPassThatBreaksOffIsReported)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"a", kFile}, {L"one", kFolder}, {L"two", kFolder}});
    disk.Add(L"R:\\one\\", {});
    disk.Add(L"R:\\two\\", {});
    disk.breaksOffAfter[L"R:\\"] = 2;
    disk.breaksOnlyLater = {L"R:\\"};
    WalkJournal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\a", L"folder R:\\one\\", L"unreadable folder R:\\"}),
              journal.events);
    EXPECT_EQ(0, disk.openSearches);
}

TEST(TreeWalkFaults, ANoToTheReportOfABrokenListingEndsTheWalk)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"a", kFile}, {L"b", kFile}, {L"sub", kFolder}});
    disk.Add(L"R:\\sub\\", {{L"c", kFile}});
    disk.breaksOffAfter[L"R:\\"] = 1;
    WalkJournal journal;
    journal.goOnAfterUnreadable = false;
    EXPECT_FALSE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Paths{L"folder R:\\", L"file R:\\a", L"unreadable folder R:\\"}), journal.events);
    EXPECT_EQ(0, disk.openSearches);
}
