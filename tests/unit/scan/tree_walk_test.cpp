#include "support/memory_disk.h"

#include <gtest/gtest.h>

namespace {

// A folder that holds itself: what a real directory search lists first.
const DirectoryEntry kDot{L".", kFolder};
const DirectoryEntry kDotDot{L"..", kFolder};

} // namespace

TEST(WalkTree, GivesAFoldersFilesBeforeItsSubfoldersDepthFirstInListingOrder)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"zeta.txt", kFile}, {L"b", kFolder}, {L"alpha.txt", kFile}, {L"a", kFolder}});
    disk.Add(L"R:\\b\\", {kDot, kDotDot, {L"deep", kFolder}, {L"b1", kFile}});
    disk.Add(L"R:\\b\\deep\\", {kDot, kDotDot, {L"d1", kFile}});
    disk.Add(L"R:\\a\\", {kDot, kDotDot, {L"a1", kFile}});

    WalkJournal seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));
    EXPECT_EQ(seen.files, (Paths{L"R:\\zeta.txt", L"R:\\alpha.txt", L"R:\\b\\b1", L"R:\\b\\deep\\d1",
                                 L"R:\\a\\a1"}));
    EXPECT_EQ(seen.folders, (Paths{L"R:\\", L"R:\\b\\", L"R:\\b\\deep\\", L"R:\\a\\"}));
    EXPECT_EQ(disk.openSearches, 0);
}

TEST(WalkTree, SkipsDotAndSystemFoldersButEntersHiddenOnesAndChecksDotFiles)
{
    MemoryDisk disk;
    disk.Add(L"C:\\d\\", {{L".git", kFolder},
                          {L"System Volume Information", kFolder | kAttributeSystem | kHidden},
                          {L"hidden", kFolder | kHidden},
                          {L".profile", kFile | kHidden},
                          {L"sys.bin", kFile | kAttributeSystem}});
    disk.Add(L"C:\\d\\.git\\", {{L"config", kFile}});
    disk.Add(L"C:\\d\\System Volume Information\\", {{L"tracking", kFile}});
    disk.Add(L"C:\\d\\hidden\\", {{L"inside", kFile}});

    WalkJournal seen;
    EXPECT_TRUE(WalkTree(disk, L"C:\\d\\", seen));
    EXPECT_EQ(seen.files, (Paths{L"C:\\d\\.profile", L"C:\\d\\sys.bin", L"C:\\d\\hidden\\inside"}));
    EXPECT_EQ(seen.folders.size(), 2u);
}

TEST(WalkTree, CountsAFolderThatCannotBeSearchedAsEmpty)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"locked", kFolder}, {L"open", kFolder}});
    disk.Add(L"R:\\open\\", {{L"f", kFile}});   // R:\locked\ has no listing

    WalkJournal seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));
    EXPECT_EQ(seen.files, Paths{L"R:\\open\\f"});
    EXPECT_EQ(seen.folders, (Paths{L"R:\\", L"R:\\locked\\", L"R:\\open\\"}));
}

TEST(WalkTree, ListsEachFolderTwiceWithOneSearchOpenPerLevel)
{
    MemoryDisk disk;
    std::wstring folder = L"R:\\";
    for (int level = 0; level < 30; ++level) {
        disk.Add(folder, {{L"f" + std::to_wstring(level), kFile}, {L"sub", kFolder}});
        folder += L"sub\\";
    }
    disk.Add(folder, {{L"last", kFile}});

    WalkJournal seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));
    EXPECT_EQ(seen.files.size(), 31u);
    EXPECT_EQ(seen.files.back(), folder + L"last");
    EXPECT_EQ(seen.folders.size(), 31u);
    EXPECT_EQ(disk.opened.size(), 62u);
    // 31 levels: the deepest folder's file pass runs under 30 open folder passes.
    EXPECT_EQ(disk.mostOpen, 31);
    EXPECT_EQ(disk.openSearches, 0);
}

TEST(WalkTree, ReturnsToTheParentAfterADeepSubfolder)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"one", kFolder}, {L"two", kFolder}});
    disk.Add(L"R:\\one\\", {{L"x", kFolder}});
    disk.Add(L"R:\\one\\x\\", {{L"y", kFolder}});
    disk.Add(L"R:\\one\\x\\y\\", {{L"f", kFile}});
    disk.Add(L"R:\\two\\", {{L"g", kFile}});

    WalkJournal seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));
    EXPECT_EQ(seen.files, (Paths{L"R:\\one\\x\\y\\f", L"R:\\two\\g"}));
}

TEST(WalkTree, StopsWhenTheVisitorSaysSoAndClosesEverySearch)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", {{L"a", kFolder}, {L"later", kFolder}});
    disk.Add(L"R:\\a\\", {{L"b", kFolder}});
    disk.Add(L"R:\\a\\b\\", {{L"1", kFile}, {L"2", kFile}, {L"3", kFile}});
    disk.Add(L"R:\\later\\", {{L"4", kFile}});

    WalkJournal seen;
    seen.stopAfterFiles = 2;
    EXPECT_FALSE(WalkTree(disk, L"R:\\", seen));
    EXPECT_EQ(seen.files, (Paths{L"R:\\a\\b\\1", L"R:\\a\\b\\2"}));
    EXPECT_EQ(disk.openSearches, 0);
}

TEST(WalkTree, BuildsPathsLongerThanTheOldLimit)
{
    MemoryDisk disk;
    const std::wstring name(120, L'n');
    std::wstring folder = L"C:\\t\\";
    for (int level = 0; level < 3; ++level) {
        disk.Add(folder, {{name, kFolder}});
        folder += name + L"\\";
    }
    disk.Add(folder, {{L"\x0444\x0430\x0439\x043B-\x6587\x4EF6.txt", kFile}});

    WalkJournal seen;
    EXPECT_TRUE(WalkTree(disk, L"C:\\t\\", seen));
    ASSERT_EQ(seen.files.size(), 1u);
    EXPECT_EQ(seen.files[0], folder + L"\x0444\x0430\x0439\x043B-\x6587\x4EF6.txt");
    EXPECT_GT(seen.files[0].size(), 360u);
}

TEST(WalkStartFolder, AddsOneSeparatorOnlyWhenMissing)
{
    EXPECT_EQ(WalkStartFolder(L"C:\\"), L"C:\\");
    EXPECT_EQ(WalkStartFolder(L"C:\\data"), L"C:\\data\\");
    EXPECT_EQ(WalkStartFolder(L"C:\\data\\"), L"C:\\data\\");
    EXPECT_EQ(WalkStartFolder(L"\\\\server\\share"), L"\\\\server\\share\\");
}

TEST(IsEnteredFolder, NeedsTheDirectoryBit)
{
    EXPECT_FALSE(IsEnteredFolder({L"file", kFile}));
    EXPECT_TRUE(IsEnteredFolder({L"dir", kFolder}));
    EXPECT_TRUE(IsEnteredFolder({L"dir", kFolder | kHidden}));
    EXPECT_FALSE(IsEnteredFolder({L"..", kFolder}));
    EXPECT_FALSE(IsEnteredFolder({L"dir", kFolder | kAttributeSystem}));
}
