#include "scan/tree_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr uint32_t kFile = 0x20;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kFolder = kAttributeDirectory;

// A file system in memory: each folder path lists its entries in the order a
// directory search would return them. It counts open searches.
class FakeDisk : public DirectorySource {
public:
    std::map<std::wstring, std::vector<DirectoryEntry>> folders;
    int openSearches = 0;
    int mostOpen = 0;
    std::vector<std::wstring> opened;

    void Add(const std::wstring& folder, const std::wstring& name, uint32_t attributes)
    {
        folders[folder].push_back({name, attributes});
    }

    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override
    {
        opened.push_back(folder);
        auto it = folders.find(folder);
        if (it == folders.end())
            return nullptr;
        return std::make_unique<Search>(*this, it->second);
    }

private:
    class Search : public DirectorySearch {
    public:
        Search(FakeDisk& disk, const std::vector<DirectoryEntry>& entries)
            : disk(disk), entries(entries)
        {
            ++disk.openSearches;
            if (disk.openSearches > disk.mostOpen)
                disk.mostOpen = disk.openSearches;
        }
        ~Search() override { --disk.openSearches; }
        bool Next(DirectoryEntry& entry) override
        {
            if (next == entries.size())
                return false;
            entry = entries[next++];
            return true;
        }

    private:
        FakeDisk& disk;
        const std::vector<DirectoryEntry>& entries;
        size_t next = 0;
    };
};

class Recorder : public TreeWalkVisitor {
public:
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
    size_t stopAfter = static_cast<size_t>(-1);

    void FolderStarted(const std::wstring& folder) override { folders.push_back(folder); }
    bool File(const std::wstring& path) override
    {
        files.push_back(path);
        return files.size() < stopAfter;
    }
};

// A folder that holds itself: what a real directory search lists first.
void AddDots(FakeDisk& disk, const std::wstring& folder)
{
    disk.Add(folder, L".", kFolder);
    disk.Add(folder, L"..", kFolder);
}

} // namespace

TEST(WalkTree, GivesAFoldersFilesBeforeItsSubfoldersDepthFirstInListingOrder)
{
    FakeDisk disk;
    disk.Add(L"R:\\", L"zeta.txt", kFile);
    disk.Add(L"R:\\", L"b", kFolder);
    disk.Add(L"R:\\", L"alpha.txt", kFile);
    disk.Add(L"R:\\", L"a", kFolder);
    AddDots(disk, L"R:\\b\\");
    disk.Add(L"R:\\b\\", L"deep", kFolder);
    disk.Add(L"R:\\b\\", L"b1", kFile);
    AddDots(disk, L"R:\\b\\deep\\");
    disk.Add(L"R:\\b\\deep\\", L"d1", kFile);
    AddDots(disk, L"R:\\a\\");
    disk.Add(L"R:\\a\\", L"a1", kFile);

    Recorder seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));

    const std::vector<std::wstring> files = {L"R:\\zeta.txt", L"R:\\alpha.txt", L"R:\\b\\b1",
                                             L"R:\\b\\deep\\d1", L"R:\\a\\a1"};
    EXPECT_EQ(seen.files, files);
    const std::vector<std::wstring> folders = {L"R:\\", L"R:\\b\\", L"R:\\b\\deep\\", L"R:\\a\\"};
    EXPECT_EQ(seen.folders, folders);
    EXPECT_EQ(disk.openSearches, 0);
}

TEST(WalkTree, SkipsDotAndSystemFoldersButEntersHiddenOnesAndChecksDotFiles)
{
    FakeDisk disk;
    disk.Add(L"C:\\d\\", L".git", kFolder);
    disk.Add(L"C:\\d\\", L"System Volume Information", kFolder | kAttributeSystem | kHidden);
    disk.Add(L"C:\\d\\", L"hidden", kFolder | kHidden);
    disk.Add(L"C:\\d\\", L".profile", kFile | kHidden);
    disk.Add(L"C:\\d\\", L"sys.bin", kFile | kAttributeSystem);
    disk.Add(L"C:\\d\\.git\\", L"config", kFile);
    disk.Add(L"C:\\d\\System Volume Information\\", L"tracking", kFile);
    disk.Add(L"C:\\d\\hidden\\", L"inside", kFile);

    Recorder seen;
    EXPECT_TRUE(WalkTree(disk, L"C:\\d\\", seen));

    const std::vector<std::wstring> files = {L"C:\\d\\.profile", L"C:\\d\\sys.bin",
                                             L"C:\\d\\hidden\\inside"};
    EXPECT_EQ(seen.files, files);
    EXPECT_EQ(seen.folders.size(), 2u);
}

TEST(WalkTree, CountsAFolderThatCannotBeSearchedAsEmpty)
{
    FakeDisk disk;
    disk.Add(L"R:\\", L"locked", kFolder);
    disk.Add(L"R:\\", L"open", kFolder);
    disk.Add(L"R:\\open\\", L"f", kFile);   // R:\locked\ has no listing

    Recorder seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));
    EXPECT_EQ(seen.files, std::vector<std::wstring>{L"R:\\open\\f"});
    const std::vector<std::wstring> folders = {L"R:\\", L"R:\\locked\\", L"R:\\open\\"};
    EXPECT_EQ(seen.folders, folders);
}

TEST(WalkTree, ListsEachFolderTwiceWithOneSearchOpenPerLevel)
{
    FakeDisk disk;
    std::wstring folder = L"R:\\";
    for (int level = 0; level < 30; ++level) {
        disk.Add(folder, L"f" + std::to_wstring(level), kFile);
        disk.Add(folder, L"sub", kFolder);
        folder += L"sub\\";
    }
    disk.Add(folder, L"last", kFile);

    Recorder seen;
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
    FakeDisk disk;
    disk.Add(L"R:\\", L"one", kFolder);
    disk.Add(L"R:\\", L"two", kFolder);
    disk.Add(L"R:\\one\\", L"x", kFolder);
    disk.Add(L"R:\\one\\x\\", L"y", kFolder);
    disk.Add(L"R:\\one\\x\\y\\", L"f", kFile);
    disk.Add(L"R:\\two\\", L"g", kFile);

    Recorder seen;
    EXPECT_TRUE(WalkTree(disk, L"R:\\", seen));
    const std::vector<std::wstring> files = {L"R:\\one\\x\\y\\f", L"R:\\two\\g"};
    EXPECT_EQ(seen.files, files);
}

TEST(WalkTree, StopsWhenTheVisitorSaysSoAndClosesEverySearch)
{
    FakeDisk disk;
    disk.Add(L"R:\\", L"a", kFolder);
    disk.Add(L"R:\\a\\", L"b", kFolder);
    disk.Add(L"R:\\a\\b\\", L"1", kFile);
    disk.Add(L"R:\\a\\b\\", L"2", kFile);
    disk.Add(L"R:\\a\\b\\", L"3", kFile);
    disk.Add(L"R:\\", L"later", kFolder);
    disk.Add(L"R:\\later\\", L"4", kFile);

    Recorder seen;
    seen.stopAfter = 2;
    EXPECT_FALSE(WalkTree(disk, L"R:\\", seen));
    const std::vector<std::wstring> files = {L"R:\\a\\b\\1", L"R:\\a\\b\\2"};
    EXPECT_EQ(seen.files, files);
    EXPECT_EQ(disk.openSearches, 0);
}

TEST(WalkTree, BuildsPathsLongerThanTheOldLimit)
{
    FakeDisk disk;
    const std::wstring name(120, L'n');
    std::wstring folder = L"C:\\t\\";
    for (int level = 0; level < 3; ++level) {
        disk.Add(folder, name, kFolder);
        folder += name + L"\\";
    }
    disk.Add(folder, L"\x0444\x0430\x0439\x043B-\x6587\x4EF6.txt", kFile);

    Recorder seen;
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
