// What the folder walk does with what it cannot read: folders it cannot
// search, names that a path would not name, links between folders. Each is
// reported to the walk's owner, never silently left out, and nothing is
// read twice or in another's place.
#include "scan/tree_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr uint32_t kFile = 0x20;
constexpr uint32_t kFolder = kAttributeDirectory;
constexpr uint32_t kLink = kAttributeDirectory | kAttributeReparsePoint;
const std::wstring kStandIn(1, wchar_t(0xFFFD));

// A disk in memory. A folder that is not in the map cannot be searched;
// one listed in `secondListingFails` can be searched only once.
class MemoryDisk : public DirectorySource {
public:
    std::map<std::wstring, std::vector<DirectoryEntry>> folders;
    std::map<std::wstring, int> listings;
    std::vector<std::wstring> secondListingFails;

    void Add(const std::wstring& folder, const std::wstring& name, uint32_t attributes)
    {
        folders[folder].push_back({name, attributes});
    }

    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override
    {
        const int listing = ++listings[folder];
        auto it = folders.find(folder);
        if (it == folders.end())
            return nullptr;
        for (const auto& failing : secondListingFails)
            if (failing == folder && listing > 1)
                return nullptr;
        return std::make_unique<Search>(it->second);
    }

private:
    class Search : public DirectorySearch {
    public:
        explicit Search(const std::vector<DirectoryEntry>& entries) : entries(entries) {}
        bool Next(DirectoryEntry& entry) override
        {
            if (next == entries.size())
                return false;
            entry = entries[next++];
            return true;
        }

    private:
        const std::vector<DirectoryEntry>& entries;
        size_t next = 0;
    };
};

// Everything the walk hands over, in order: "file X", "unreadable X", "folder X".
class Journal : public TreeWalkVisitor {
public:
    std::vector<std::wstring> events;
    bool goOnAfterUnreadable = true;

    void FolderStarted(const std::wstring& folder) override { events.push_back(L"folder " + folder); }
    bool File(const std::wstring& path) override
    {
        events.push_back(L"file " + path);
        return true;
    }
    bool Unreadable(const std::wstring& path) override
    {
        events.push_back(L"unreadable " + path);
        return goOnAfterUnreadable;
    }
};

using Events = std::vector<std::wstring>;

}  // namespace

TEST(TreeWalkFaults, AFolderThatCannotBeSearchedIsReportedOnceAndCountsAsAFolder)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", L"a", kFile);
    disk.Add(L"R:\\", L"locked", kFolder);
    disk.Add(L"R:\\", L"open", kFolder);
    disk.Add(L"R:\\open\\", L"b", kFile);
    Journal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Events{L"folder R:\\", L"file R:\\a", L"folder R:\\locked\\", L"unreadable R:\\locked\\",
                      L"folder R:\\open\\", L"file R:\\open\\b"}),
              journal.events);
    EXPECT_EQ(1, disk.listings[L"R:\\locked\\"]) << "not searched a second time";
}

TEST(TreeWalkFaults, ANoToTheReportEndsTheWalk)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", L"locked", kFolder);
    disk.Add(L"R:\\", L"open", kFolder);
    disk.Add(L"R:\\open\\", L"b", kFile);
    Journal journal;
    journal.goOnAfterUnreadable = false;
    EXPECT_FALSE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Events{L"folder R:\\", L"folder R:\\locked\\", L"unreadable R:\\locked\\"}),
              journal.events);
}

TEST(TreeWalkFaults, AFolderThatGoesBetweenItsTwoListingsIsReported)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", L"going", kFolder);
    disk.Add(L"R:\\going\\", L"f", kFile);
    disk.Add(L"R:\\going\\", L"sub", kFolder);
    disk.Add(L"R:\\going\\sub\\", L"g", kFile);
    disk.secondListingFails = {L"R:\\going\\"};
    Journal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Events{L"folder R:\\", L"folder R:\\going\\", L"file R:\\going\\f",
                      L"unreadable R:\\going\\"}),
              journal.events);
}

TEST(TreeWalkFaults, ANameWithABackslashIsReportedNotWalkedInto)
{
    // Linux allows "\\" in a name; as a path it names the parent again, and
    // a walk into it would never end.
    MemoryDisk disk;
    disk.Add(L"R:\\", L"\\", kFolder);
    disk.Add(L"R:\\", L"a\\b", kFile);
    disk.Add(L"R:\\", L"c/d", kFile);
    disk.Add(L"R:\\", L"e", kFile);
    Journal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Events{L"folder R:\\", L"unreadable R:\\a\\b", L"unreadable R:\\c/d", L"file R:\\e",
                      L"unreadable R:\\\\\\"}),
              journal.events);
}

TEST(TreeWalkFaults, NamesThatComeOutTheSameAreReadOnceAndTheRestReported)
{
    MemoryDisk disk;
    disk.Add(L"R:\\", L"caf" + kStandIn, kFile);
    disk.Add(L"R:\\", L"x" + kStandIn + L"y", kFile);
    disk.Add(L"R:\\", L"caf" + kStandIn, kFile);
    disk.Add(L"R:\\", L"CAF" + kStandIn, kFile);   // found without regard to case
    disk.Add(L"R:\\", L"cafe", kFile);
    disk.Add(L"R:\\", L"d" + kStandIn, kFolder);
    disk.Add(L"R:\\", L"D" + kStandIn, kFolder);
    disk.Add(L"R:\\d" + kStandIn + L"\\", L"in", kFile);
    Journal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    const Events expected = {L"folder R:\\",
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
    disk.Add(L"R:\\", L"f", kFile);
    disk.Add(L"R:\\", L"self1", kLink);
    disk.Add(L"R:\\", L"self2", kLink);
    disk.Add(L"R:\\self1\\", L"f", kFile);
    disk.Add(L"R:\\self2\\", L"f", kFile);
    Journal journal;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", journal));
    EXPECT_EQ((Events{L"folder R:\\", L"file R:\\f"}), journal.events);
    EXPECT_FALSE(IsEnteredFolder({L"self1", kLink}));
    EXPECT_TRUE(IsEnteredFolder({L"real", kFolder}));
}
