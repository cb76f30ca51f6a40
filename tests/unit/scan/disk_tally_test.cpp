// What a disk walk makes of the files it meets: a scan, then compares of
// the same disk, changed, with a file more or fewer, with files that cannot
// be read; and what each leaves held for Compare and Save.
#include "scan/disk_tally.h"

#include "common/expected_lines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;
using Placed = DiskTally::Placed;

// One file as the walk meets it: read, with its CRC, or not readable.
struct Met {
    bool read;
    uint32_t crc;
};
Met Read(uint32_t crc) { return {true, crc}; }
const Met kUnreadable = {false, 0};

std::vector<Met> AllRead(const std::vector<uint32_t>& crcs)
{
    std::vector<Met> files;
    for (uint32_t crc : crcs)
        files.push_back(Read(crc));
    return files;
}

// What one walk gave: each file's placing, and the ending if it went
// through the whole drive.
struct Walked {
    std::vector<Placed> placed;
    bool complete = false;
    DiskTally::Ending ending;
};

// The program's held list and state, and the walks of Scan and Compare over it.
class Disk : public testing::Test {
protected:
    // A scan: the command has asked about unsaved results; the walk fills a
    // list of its own (growing in storage). toTheEnd false: Abort or No ends
    // the walk after the files given.
    Walked Scan(const std::vector<Met>& files, uint32_t folders, wchar_t drive, bool toTheEnd = true,
                CrcStorage& storage = CHeapStorage(), int32_t capacity = kCrcListCapacity)
    {
        state.unsaved = 0;
        CrcList own(storage);
        own.Allocate(capacity, kCrcListGrowStep, sizeof(uint32_t));
        return Walk(true, own, files, folders, drive, toTheEnd);
    }
    Walked Compare(const std::vector<Met>& files, uint32_t folders, wchar_t drive)
    {
        return Walk(false, held, files, folders, drive, true);
    }

    std::vector<uint32_t> HeldCrcs() const
    {
        const auto* data = static_cast<const uint32_t*>(held.Data());
        return data ? std::vector<uint32_t>(data, data + state.expectedCount) : std::vector<uint32_t>{};
    }

    ScanState state;
    CrcList held;

private:
    Walked Walk(bool scan, CrcList& crcs, const std::vector<Met>& files, uint32_t folders, wchar_t drive,
                bool toTheEnd)
    {
        state.fileCount = 0;
        state.folderCount = 0;
        DiskTally tally(state, scan, crcs);
        Walked walked;
        for (uint32_t i = 0; i < folders; ++i)
            tally.FolderStarted();
        for (const Met& file : files) {
            walked.placed.push_back(tally.Place(file.read, file.crc));
            if (walked.placed.back() == Placed::TooMany || walked.placed.back() == Placed::OutOfMemory)
                return walked;
        }
        walked.complete = toTheEnd;
        if (toTheEnd)
            walked.ending = tally.Finish(held, drive);
        return walked;
    }
};

const std::vector<uint32_t> kThree = {0xCA6598D0u, 0x2DFD2D88u, 0x00000007u};
const uint32_t kThreeSum = 0xCA6598D0u + 0x2DFD2D88u + 0x00000007u;

// The C heap, except that it refuses to grow a block while `full` is set.
class FillingStorage final : public CrcStorage {
public:
    void* AllocateZeroed(size_t bytes) override { return std::calloc(bytes, 1); }
    void* Resize(void* block, size_t bytes) override { return full ? nullptr : std::realloc(block, bytes); }
    void Free(void* block) override { std::free(block); }
    bool full = false;
};

}  // namespace

TEST_F(Disk, AScanThatFindsNoFileHasTotalsWithCrcZeroAndCountsAsUnsaved)
{
    const Walked scan = Scan({}, 1, L'R');
    ASSERT_TRUE(scan.complete);
    EXPECT_FALSE(scan.ending.countMismatch);
    EXPECT_EQ(scan.ending.lines, Lines{Totals(0, 1, 0)});
    EXPECT_EQ(state.unsaved, 1) << "asked about at the next Scan, Load or Exit";
    EXPECT_EQ(state.expectedCount, 0u);
}

TEST_F(Disk, AScanHoldsItsCrcsInWalkOrderWithItsFigures)
{
    const Walked scan = Scan(AllRead(kThree), 2, L'R');
    ASSERT_TRUE(scan.complete);
    EXPECT_EQ(scan.placed, (std::vector<Placed>(3, Placed::Next)));
    EXPECT_EQ(scan.ending.lines, Lines{Totals(3, 2, kThreeSum)});
    EXPECT_EQ(HeldCrcs(), kThree);
    EXPECT_EQ(state.unsaved, 1);
    EXPECT_EQ(state.expectedCount, 3u);
    EXPECT_EQ(state.diskCrc, kThreeSum);
    EXPECT_EQ(state.heldFolderCount, 2u);
    EXPECT_EQ(state.heldDiskCrc, kThreeSum);
    EXPECT_EQ(state.heldDrive, L'R');
}

TEST_F(Disk, ACompareOfTheSameDiskComparesAndRepeatsTheTotals)
{
    Scan(AllRead(kThree), 2, L'R');
    const Walked compare = Compare(AllRead(kThree), 2, L'R');
    ASSERT_TRUE(compare.complete);
    EXPECT_FALSE(compare.ending.countMismatch);
    EXPECT_EQ(compare.ending.lines, (Lines{L"Disks compare", Totals(3, 2, kThreeSum)}));
    EXPECT_EQ(state.unsaved, 1) << "a compare saves nothing";
}

TEST_F(Disk, OneChangedFileDoesNotCompareAndTheTotalsHaveNoDiskCrc)
{
    Scan(AllRead(kThree), 2, L'R');
    const Walked compare = Compare(AllRead({kThree[0], 0x12345678u, kThree[2]}), 2, L'R');
    EXPECT_EQ(compare.placed, (std::vector<Placed>{Placed::Next, Placed::Changed, Placed::Next}));
    EXPECT_EQ(compare.ending.lines, (Lines{L"1 files do not compare.", Totals(3, 2)}));
}

TEST_F(Disk, AFileMoreThanTheListHoldsEndsTheCompareThere)
{
    Scan(AllRead(kThree), 2, L'R');
    std::vector<uint32_t> four = kThree;
    four.push_back(0x44444444u);
    const Walked compare = Compare(AllRead(four), 3, L'R');
    EXPECT_FALSE(compare.complete);
    EXPECT_EQ(compare.placed, (std::vector<Placed>{Placed::Next, Placed::Next, Placed::Next, Placed::TooMany}));
    EXPECT_EQ(state.fileCount, 3);
}

TEST_F(Disk, AFileFewerIsACountThatDoesNotMatchAndTheRestStillCompares)
{
    Scan(AllRead(kThree), 2, L'R');
    const Walked compare = Compare(AllRead({kThree[0], kThree[1]}), 2, L'R');
    ASSERT_TRUE(compare.complete);
    EXPECT_TRUE(compare.ending.countMismatch);
    EXPECT_EQ(compare.ending.lines, (Lines{L"Disks compare", Totals(2, 2, kThree[0] + kThree[1])}));
    EXPECT_EQ(state.expectedCount, 3u) << "the list held is the scan's";
}

TEST_F(Disk, AFileThatCannotBeReadKeepsItsPlaceAndDoesNotCompare)
{
    Scan(AllRead(kThree), 2, L'R');
    const Walked compare = Compare({Read(kThree[0]), kUnreadable, Read(kThree[2])}, 2, L'R');
    ASSERT_TRUE(compare.complete);
    EXPECT_FALSE(compare.ending.countMismatch);
    EXPECT_EQ(compare.placed, (std::vector<Placed>(3, Placed::Next))) << "named as unreadable, not as bad";
    EXPECT_EQ(compare.ending.lines, (Lines{L"1 files do not compare.", Totals(3, 2)}));

    // A later file still meets its own entry.
    const Walked again = Compare({kUnreadable, Read(kThree[1]), Read(0x99u)}, 2, L'R');
    EXPECT_EQ(again.placed, (std::vector<Placed>{Placed::Next, Placed::Next, Placed::Changed}));
    EXPECT_EQ(again.ending.lines, (Lines{L"2 files do not compare.", Totals(3, 2)}));
}

TEST_F(Disk, AScanStoresZeroForAFileThatCannotBeReadAndCountsIt)
{
    const Walked scan = Scan({Read(kThree[0]), kUnreadable, Read(kThree[2])}, 1, L'R');
    ASSERT_TRUE(scan.complete);
    EXPECT_EQ(HeldCrcs(), (std::vector<uint32_t>{kThree[0], 0, kThree[2]}));
    EXPECT_EQ(scan.ending.lines, Lines{Totals(3, 1, kThree[0] + kThree[2])});
}

TEST_F(Disk, ACompareLeavesTheScansFiguresForSaveWhateverItFound)
{
    Scan(AllRead(kThree), 2, L'R');
    // Another disk: as many files, in three folders, one of them changed.
    Compare(AllRead({kThree[0], 0x12345678u, kThree[2]}), 3, L'S');
    EXPECT_EQ(state.fileCount, 3);
    EXPECT_EQ(state.folderCount, 3u);
    EXPECT_EQ(state.heldFolderCount, 2u);
    EXPECT_EQ(state.heldDiskCrc, kThreeSum);
    EXPECT_EQ(state.heldDrive, L'R');
    // One that compares: its sum is the disk CRC shown, the held figures stay.
    Compare(AllRead({kThree[0], kThree[1]}), 4, L'S');
    EXPECT_EQ(state.heldFolderCount, 2u);
    EXPECT_EQ(state.heldDrive, L'R');
    EXPECT_EQ(HeldCrcs(), kThree);
}

TEST_F(Disk, AScanThatEndsEarlyLeavesTheHeldListItsFiguresAndNothingUnsaved)
{
    Scan(AllRead(kThree), 2, L'R');
    Scan(AllRead({0x1u, 0x2u}), 1, L'S', false);
    EXPECT_EQ(HeldCrcs(), kThree);
    EXPECT_EQ(state.expectedCount, 3u);
    EXPECT_EQ(state.heldDrive, L'R');
    EXPECT_EQ(state.unsaved, 0) << "the command set it; an unfinished scan is not offered for saving";
}

TEST_F(Disk, MoreThanTenThousandFilesGrowTheListAndCompare)
{
    std::vector<uint32_t> crcs;
    for (uint32_t i = 0; i < 10050; ++i)
        crcs.push_back(i * 2654435761u);
    const Walked scan = Scan(AllRead(crcs), 11, L'R');
    ASSERT_TRUE(scan.complete);
    uint32_t sum = 0;
    for (uint32_t crc : crcs)
        sum += crc;
    EXPECT_EQ(scan.ending.lines, Lines{Totals(10050, 11, sum)});
    EXPECT_GE(held.Capacity(), 10051);
    EXPECT_EQ(HeldCrcs(), crcs);

    const Walked compare = Compare(AllRead(crcs), 11, L'R');
    EXPECT_EQ(compare.ending.lines, (Lines{L"Disks compare", Totals(10050, 11, sum)}));
}

TEST_F(Disk, AListThatCannotGrowEndsTheScanAndKeepsTheHeldOne)
{
    Scan(AllRead(kThree), 2, L'R');
    FillingStorage storage;
    storage.full = true;
    const Walked scan = Scan(AllRead({1, 2, 3}), 1, L'S', true, storage, 2);
    EXPECT_FALSE(scan.complete);
    EXPECT_EQ(scan.placed, (std::vector<Placed>{Placed::Next, Placed::OutOfMemory}));
    EXPECT_EQ(state.fileCount, 0);
    EXPECT_EQ(HeldCrcs(), kThree);
}
