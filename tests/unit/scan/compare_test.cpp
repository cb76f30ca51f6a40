// Compare of a disk against the list a scan made of it: the same disk, a
// copy whose file system lists the files in another order, with a file more
// or fewer, with files changed, copied over each other or unreadable. The
// list holds no names; no intact file is ever called bad.
#include "common/expected_lines.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct File {
    const wchar_t* name;
    uint32_t crc;
};
using Files = std::vector<File>;

// Mixed case, as the file systems order them differently: Wine and the
// program's scan of a disc list them by name without regard to case; NTFS
// upper-cases, a Joliet CD orders the UTF-16 code units, FAT keeps the order
// the files were written in.
const Files kDisc = {{L"alpha", 0xA1}, {L"bravo", 0xB2}, {L"delta", 0xD4},
                     {L"Echo", 0xE5},  {L"Mike", 0x13},  {L"zeta", 0x26}};
const uint32_t kDiscSum = 0xA1 + 0xB2 + 0xD4 + 0xE5 + 0x13 + 0x26;

// One compare: the root of the disk compared against the scan of kDisc.
struct Case {
    const char* name;
    Files compared;
    Lines lines;              // what the compare adds to the list, in order
    bool countMismatch;       // "Number of files checked doesn't match ..." once, at the end
};

Files Without(Files files, const wchar_t* name)
{
    files.erase(std::find_if(files.begin(), files.end(), [&](const File& f) { return f.name == std::wstring(name); }));
    return files;
}

Files InOrder(const std::vector<const wchar_t*>& names)
{
    Files files;
    for (const wchar_t* name : names)
        files.push_back(*std::find_if(kDisc.begin(), kDisc.end(), [&](const File& f) { return f.name == std::wstring(name); }));
    return files;
}

void Lay(MemoryDisk& disk, const Files& files)
{
    disk.folders[L"R:\\"].clear();
    for (const File& f : files) {
        disk.folders[L"R:\\"].push_back({f.name, kFile});
        disk.crcs[std::wstring(L"R:\\") + f.name] = f.crc;
    }
}

class CompareOf : public testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        Lay(t.disk, kDisc);
        t.Scan();
        t.window.journal.clear();
        t.window.lines.clear();
        t.disk.read.clear();
    }
    TestProgram t;
};

Files Prepended(const File& file, Files files)
{
    files.insert(files.begin(), file);
    return files;
}

Files Replaced(Files files, size_t index, uint32_t crc)
{
    files[index].crc = crc;
    return files;
}

}  // namespace

TEST_P(CompareOf, SaysExactlyWhatDiffers)
{
    Lay(t.disk, GetParam().compared);
    EXPECT_EQ(t.Compare(), GetParam().lines);
    const Lines mismatch{L"error Number of files checked doesn't match the number previously saved. []"};
    EXPECT_EQ(t.window.Entries(L"error"), GetParam().countMismatch ? mismatch : Lines{});
    // A compare leaves what is held, and so what Save writes, as it was.
    EXPECT_EQ(t.HeldCrcs(), (std::vector<uint32_t>{0xA1, 0xB2, 0xD4, 0xE5, 0x13, 0x26}));
    EXPECT_EQ(t.program.state.unsaved, 1);
    EXPECT_EQ(t.program.heldDiskCrc, kDiscSum);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, CompareOf,
    testing::Values(
        Case{"TheSameDisk", kDisc, {L"Disks compare", Totals(6, 1, kDiscSum)}, false},
        Case{"OneFileChangedInPlace", Replaced(kDisc, 2, 0x99),
             {L"R:\\delta - bad crc", L"1 files do not compare.", Totals(6, 1)}, false},
        Case{"NtfsOrder", InOrder({L"alpha", L"bravo", L"delta", L"Echo", L"Mike", L"zeta"}),
             {L"Disks compare", Totals(6, 1, kDiscSum)}, false},
        Case{"JolietOrder", InOrder({L"Echo", L"Mike", L"alpha", L"bravo", L"delta", L"zeta"}),
             {L"5 files are in another order than in the list.", L"Disks compare", Totals(6, 1, kDiscSum)}, false},
        Case{"FatOrder", InOrder({L"zeta", L"Mike", L"alpha", L"Echo", L"delta", L"bravo"}),
             {L"5 files are in another order than in the list.", L"Disks compare", Totals(6, 1, kDiscSum)}, false},
        Case{"AFileAddedAtTheStart", Prepended({L"Thumbs.db", 0x5EED}, kDisc),
             {L"R:\\Thumbs.db - bad crc", L"6 files are in another order than in the list.",
              L"1 files do not compare.", Totals(7, 1)},
             true},
        Case{"AFileRemovedAtTheStart", Without(kDisc, L"alpha"),
             {L"5 files are in another order than in the list.", L"1 files of the list were not found.",
              L"Disks compare", Totals(5, 1, kDiscSum - 0xA1)},
             true},
        Case{"AFileRemovedAtTheEnd", Without(kDisc, L"zeta"),
             {L"1 files of the list were not found.", L"Disks compare", Totals(5, 1, kDiscSum - 0x26)}, true},
        Case{"AFileMoreAtTheEnd", [] { Files f = kDisc; f.push_back({L"zz", 0x5EED}); return f; }(),
             {L"R:\\zz - bad crc", L"1 files do not compare.", Totals(7, 1)}, true},
        // bravo became a copy of delta: delta, intact in its place, keeps its entry.
        Case{"AFileChangedIntoACopyOfALaterOne", Replaced(kDisc, 1, 0xD4),
             {L"R:\\bravo - bad crc", L"1 files do not compare.", Totals(6, 1)}, false},
        Case{"AFileChangedIntoACopyOfAnEarlierOne", Replaced(kDisc, 4, 0xA1),
             {L"R:\\Mike - bad crc", L"1 files do not compare.", Totals(6, 1)}, false},
        Case{"TwoFilesSwappedAndOneChanged", Replaced(InOrder({L"bravo", L"alpha", L"delta", L"Echo", L"Mike", L"zeta"}), 5, 0x98),
             {L"R:\\zeta - bad crc", L"2 files are in another order than in the list.", L"1 files do not compare.",
              Totals(6, 1)},
             false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(CompareOf, AChangedFileIsNamedAtOnceAndAMovedOneOnlyWhenTheWalkShowsItHasNoEntryLeft)
{
    // alpha changed beyond recognition, bravo into a copy of zeta, the last file.
    Lay(t.disk, Replaced(Replaced(kDisc, 0, 0x1234), 1, 0x26));
    Lines seenAtZeta;
    t.disk.onRead = [&](const std::wstring& path) {
        if (path == L"R:\\zeta")
            seenAtZeta = t.window.lines;
    };
    const Lines lines = t.Compare();
    EXPECT_EQ(seenAtZeta, Lines{L"R:\\alpha - bad crc"});
    EXPECT_EQ(lines, (Lines{L"R:\\alpha - bad crc", L"R:\\bravo - bad crc", L"2 files do not compare.", Totals(6, 1)}));
}

TEST_F(CompareOf, EqualCrcsMatchAsOftenAsTheyOccur)
{
    // Three empty files and a, scanned as [0, 0, a, 0]; the copy lists a first.
    t.disk.folders[L"R:\\"].clear();
    Lay(t.disk, {{L"e1", 0}, {L"e2", 0}, {L"a", 0xA}, {L"e3", 0}});
    t.window.answers = {kAnswerNo};
    t.Scan();
    Lay(t.disk, {{L"a", 0xA}, {L"e1", 0}, {L"e2", 0}, {L"e3", 0}});
    EXPECT_EQ(t.Compare(), (Lines{L"2 files are in another order than in the list.", L"Disks compare", Totals(4, 1, 0xA)}));
    // One empty file more than the list has: it finds no entry left.
    Lay(t.disk, {{L"a", 0xA}, {L"e1", 0}, {L"e2", 0}, {L"e3", 0}, {L"e4", 0}});
    EXPECT_EQ(t.Compare(), (Lines{L"R:\\e4 - bad crc", L"2 files are in another order than in the list.",
                                  L"1 files do not compare.", Totals(5, 1)}));
}

TEST_F(CompareOf, AnUnreadableFileInPlaceSaysWhatItSaysToday)
{
    t.disk.unreadable = {L"R:\\delta"};
    t.window.answers = {kAnswerYes};
    EXPECT_EQ(t.Compare(), (Lines{L"R:\\delta - unreadable", L"1 files do not compare.", Totals(6, 1)}));
    EXPECT_EQ(t.window.Entries(L"ask"), Lines{L"ask Continue crc check? [Ferrow]"});
}

TEST_F(CompareOf, AFolderThatCannotBeSearchedIsNamedAndTheRestOfTheDiskIsStillCompared)
{
    t.disk.folders[L"R:\\"].clear();
    t.disk.Add(L"R:\\", {{L"photos", kFolder}});
    t.disk.AddFiles(L"R:\\", {{L"a", 0xA}});
    t.disk.AddFiles(L"R:\\photos\\", {{L"p1", 0x1}, {L"p2", 0x2}});
    t.disk.Add(L"R:\\", {{L"zmore", kFolder}});
    t.disk.AddFiles(L"R:\\zmore\\", {{L"z", 0x2A}});
    t.window.answers = {kAnswerNo};
    t.Scan();
    t.disk.folders.erase(L"R:\\photos\\");
    t.window.answers = {kAnswerYes};
    t.window.journal.clear();
    EXPECT_EQ(t.Compare(), (Lines{L"R:\\photos\\ - unreadable", L"1 files are in another order than in the list.",
                                  L"2 files of the list were not found.", L"1 files do not compare.", Totals(2, 3)}));
    EXPECT_EQ(t.window.Entries(L"error"),
              (Lines{L"error Can't open file [R:\\photos\\]",
                     L"error Number of files checked doesn't match the number previously saved. []"}));
    EXPECT_EQ(t.disk.read, (Lines{L"R:\\a", L"R:\\photos\\p1", L"R:\\photos\\p2", L"R:\\zmore\\z", L"R:\\a", L"R:\\zmore\\z"}));
}
