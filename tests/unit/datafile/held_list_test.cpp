// What Load holds and shows for the files it reads, what it refuses, when
// Save has something to write, and the header it writes: of a scan, after a
// compare, after a Load.
#include "datafile/held_list.h"

#include "common/crc_file_bytes.h"
#include "common/expected_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using Lines = std::vector<std::wstring>;

// A scan's results as the program holds them after a complete scan of drive
// `drive` that found these CRCs in `folders` folders.
void HoldScan(ScanState& state, CrcList& held, const std::vector<uint32_t>& crcs, uint32_t folders,
              wchar_t drive)
{
    held.Allocate(kCrcListCapacity, kCrcListGrowStep, sizeof(uint32_t));
    std::copy(crcs.begin(), crcs.end(), static_cast<uint32_t*>(held.Data()));
    state.fileCount = int32_t(crcs.size());
    state.folderCount = folders;
    state.expectedCount = uint32_t(crcs.size());
    state.diskCrc = WrappingSum(crcs);
    state.heldFolderCount = folders;
    state.heldDiskCrc = state.diskCrc;
    state.heldDrive = drive;
    state.unsaved = 1;
}

// The program after a saved scan of two files on drive Q:, with drive Q:
// selected; then Load reads one file, as ResultList::Load does past the
// file dialog: the first 48 bytes (or fewer) and the size decide the plan,
// and only a file read in full is held.
class LoadedBytes : public testing::Test {
protected:
    void SetUp() override
    {
        HoldScan(state, held, {0x11111111u, 0x22222222u}, 1, L'Q');
        state.unsaved = 0;
    }

    bool Load(const Bytes& file)
    {
        const size_t start = std::min<size_t>(file.size(), kCrcFileHeaderSize);
        plan = PlanCrcFileRead(file.data(), start, file.size());
        if (plan.check != CrcFileCheck::Ok)
            return false;
        crcs.clear();
        for (uint32_t i = 0; i < plan.expectedCount; ++i)
            crcs.push_back(GetLittleEndian32(file, size_t(plan.crcOffset) + 4 * i));
        KeepLoadedStart(record, file.data(), start);
        shown = HoldLoadedFile(state, plan, crcs.data(), selectedDrive);
        return true;
    }

    // The bytes that Save writes for the list held now: the record, filled.
    Bytes SavedHeader()
    {
        FillHeaderForHeldList(record, state);
        Bytes bytes(sizeof record);
        std::memcpy(bytes.data(), &record, sizeof record);
        return bytes;
    }

    ScanState state;
    CrcList held;
    CrcFileHeader record = {};
    wchar_t selectedDrive = L'Q';
    CrcFileReadPlan plan;
    std::vector<uint32_t> crcs;
    LoadedFile shown;
};

}  // namespace

TEST_F(LoadedBytes, AFileWithAHeaderHoldsItsCrcsAndFiguresAndSelectsItsDrive)
{
    state.fileCount = 2;
    ASSERT_TRUE(Load(HeaderFile(3, 4, 0x0000ABCDu, 3, 1, {0xDEADBEEFu, 0x00000000u, 0x7FFFFFFFu})));
    EXPECT_EQ(shown.lines, (Lines{L"Previous scan data:", Totals(3, 4, 0x0000ABCDu)}));
    EXPECT_EQ(crcs, (std::vector<uint32_t>{0xDEADBEEFu, 0x00000000u, 0x7FFFFFFFu}));
    EXPECT_EQ(shown.selectDrive, L'D');
    EXPECT_EQ(state.expectedCount, 3u);
    EXPECT_EQ(state.heldFolderCount, 4u);
    EXPECT_EQ(state.heldDiskCrc, 0x0000ABCDu);
    EXPECT_EQ(state.heldDrive, L'D');
    EXPECT_EQ(state.unsaved, 0);
    EXPECT_EQ(state.fileCount, 2) << "Load leaves the scan's file count";
}

TEST_F(LoadedBytes, OnlyTheLowestByteOfTheDriveIndexCountsAndTheVersionIsIgnored)
{
    ASSERT_TRUE(Load(HeaderFile(1, 0, 5, 0x0103u, 7, {5})));
    EXPECT_EQ(shown.lines, (Lines{L"Previous scan data:", Totals(1, 0, 5)}));
    EXPECT_EQ(shown.selectDrive, L'D');
}

TEST_F(LoadedBytes, BytesAfterTheAnnouncedCrcsAreIgnored)
{
    ASSERT_TRUE(Load(HeaderFile(3, 1, 0xFFFFFFFFu, 2, 1, {1, 2, 3, 4, 5})));
    EXPECT_EQ(shown.lines, (Lines{L"Previous scan data:", Totals(3, 1, 0xFFFFFFFFu)}));
    EXPECT_EQ(crcs, (std::vector<uint32_t>{1, 2, 3}));
}

TEST_F(LoadedBytes, AnEmptyFileIsAnOlderFileWithNoCrcAndNamesNoDrive)
{
    ASSERT_TRUE(Load({}));
    EXPECT_EQ(shown.lines, Lines{L"0 files to be CRC checked"});
    EXPECT_EQ(state.expectedCount, 0u);
    EXPECT_EQ(shown.selectDrive, 0) << "the drive selected stays";
    EXPECT_EQ(state.heldDrive, L'Q');
    EXPECT_EQ(state.heldFolderCount, 0u);
    EXPECT_EQ(state.heldDiskCrc, 0u);
}

TEST_F(LoadedBytes, TenHeaderlessBytesHoldTwoCrcsAndTheirSum)
{
    ASSERT_TRUE(Load({0x78, 0x56, 0x34, 0x12, 0x01, 0x00, 0x00, 0x80, 0xEE, 0xEE}));
    EXPECT_EQ(shown.lines, Lines{L"2 files to be CRC checked"});
    EXPECT_EQ(crcs, (std::vector<uint32_t>{0x12345678u, 0x80000001u}));
    EXPECT_EQ(state.heldDiskCrc, 0x12345678u + 0x80000001u);
    EXPECT_EQ(shown.selectDrive, 0);
}

TEST_F(LoadedBytes, FortySevenBytesThatBeginWithTheMagicAreAnOlderFile)
{
    Bytes bytes = HeaderFile(2, 0, 0, 2, 1, {});
    bytes.resize(47, 0x33);
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(shown.lines, Lines{L"11 files to be CRC checked"});
    std::vector<uint32_t> words;
    for (size_t offset = 0; offset < 44; offset += 4)
        words.push_back(GetLittleEndian32(bytes, offset));
    EXPECT_EQ(crcs, words) << "the header bytes themselves are the CRCs";
}

TEST_F(LoadedBytes, FilesThatCannotBeReadInFullAreRefusedBeforeAnythingIsHeld)
{
    const ScanState before = state;
    // A header announcing three CRCs with two after it, and counts no file
    // of that size holds or no list can index.
    EXPECT_FALSE(Load(HeaderFile(3, 0, 0, 2, 1, {1, 2})));
    for (uint32_t count : {0x40000000u, 0xFFFFFFFFu, 0x3FFFFFFFu}) {
        EXPECT_FALSE(Load(HeaderFile(count, 0, 0, 2, 1, {1, 2}))) << count;
        EXPECT_EQ(plan.expectedCount, 0u) << "nothing to allocate for " << count;
    }
    // 4 GiB without a header: 2^30 CRCs, more than the list can index.
    const Bytes start(48, 0);
    EXPECT_EQ(PlanCrcFileRead(start.data(), 48, 0x100000000ull).check, CrcFileCheck::TooLarge);
    EXPECT_EQ(state.expectedCount, before.expectedCount);
    EXPECT_EQ(state.heldDrive, before.heldDrive);
}

TEST(LoadedList, ACountBelowTheHeldCapacityKeepsItAndOneAtItGrowsIt)
{
    CrcList held;
    held.Allocate(kCrcListCapacity, kCrcListGrowStep, sizeof(uint32_t));
    EXPECT_EQ(LoadedListCapacity(kCrcListCapacity - 1, held), kCrcListCapacity);
    EXPECT_EQ(LoadedListCapacity(0, held), kCrcListCapacity);
    EXPECT_EQ(LoadedListCapacity(kCrcListCapacity, held), kCrcListCapacity + 1);
    EXPECT_EQ(LoadedListCapacity(123456, held), 123457);
    // A Load that could not allocate left no list held.
    held.Release();
    EXPECT_EQ(LoadedListCapacity(5, held), 6);
}

TEST(SavedHeader, TheHeldScanIsSavedNotTheFiguresOfACompareThatRanSince)
{
    ScanState state;
    CrcList held;
    const std::vector<uint32_t> scanned = {0xCA6598D0u, 0x2DFD2D88u, 1u, 0xFFFFFFFFu, 0x80000000u};
    HoldScan(state, held, scanned, 2, L'R');
    // A compare of another drive since: it stopped after two files of three
    // folders and found their sum.
    state.fileCount = 2;
    state.folderCount = 3;
    state.diskCrc = 0x12345678u;

    ASSERT_TRUE(HeldListCanBeSaved(state, held));
    CrcFileHeader header = {};
    FillHeaderForHeldList(header, state);
    Bytes bytes(sizeof header);
    std::memcpy(bytes.data(), &header, sizeof header);
    EXPECT_EQ(bytes, Bytes(HeaderFile(5, 2, WrappingSum(scanned), L'R' - L'A', 1, {})));
}

TEST(SavedHeader, NothingIsSavedWithoutAFileOrWithoutTheListsStorage)
{
    ScanState state;
    CrcList held;
    HoldScan(state, held, {}, 3, L'C');
    EXPECT_FALSE(HeldListCanBeSaved(state, held)) << "a scan that found no file";
    HoldScan(state, held, {7, 8}, 1, L'C');
    EXPECT_TRUE(HeldListCanBeSaved(state, held));
    held.Release();   // what a Load that could not allocate leaves
    EXPECT_FALSE(HeldListCanBeSaved(state, held));
}

TEST_F(LoadedBytes, ASaveAfterALoadWritesTheReservedBytesTheLoadRead)
{
    Bytes written = HeaderFile(1, 0, 0x42u, 2, 1, {0x42u});
    for (size_t i = 12; i < 16; ++i)
        written[i] = uint8_t(0xA0 + i);
    for (size_t i = 36; i < 48; ++i)
        written[i] = uint8_t(0xB0 + i);
    ASSERT_TRUE(Load(written));

    // Then a scan of drive E: with two files.
    HoldScan(state, held, {0x5u, 0x6u}, 1, L'E');
    const Bytes saved = SavedHeader();
    EXPECT_EQ(Bytes(written.begin() + 12, written.begin() + 16), Bytes(saved.begin() + 12, saved.begin() + 16));
    EXPECT_EQ(Bytes(written.begin() + 36, written.begin() + 48), Bytes(saved.begin() + 36, saved.end()));
    EXPECT_EQ(GetLittleEndian32(saved, 20), 2u);
    EXPECT_EQ(GetLittleEndian32(saved, 32), 4u) << "drive E";
}

TEST_F(LoadedBytes, ALoadedListSavedAgainKeepsEveryHeaderField)
{
    Bytes written = HeaderFile(3, 7, 0x12345678u, L'Q' - L'A', 1, {0x11u, 0x22u, 0x33u});
    for (size_t i = 36; i < 48; ++i)
        written[i] = uint8_t(0xC0 + i);
    ASSERT_TRUE(Load(written));
    EXPECT_EQ(SavedHeader(), Bytes(written.begin(), written.begin() + 48));
}

TEST_F(LoadedBytes, AnOlderFileSavedAgainGetsAHeaderWithItsSumAndTheSelectedDrive)
{
    ASSERT_TRUE(Load(LittleEndianWords({9, 8, 7})));
    EXPECT_EQ(SavedHeader(), HeaderFile(3, 0, 9 + 8 + 7, L'Q' - L'A', 1, {}));
}
