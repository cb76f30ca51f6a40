// Save and Load as the user runs them, through the program's own sequences:
// the boxes asked and their order, the lines, the bytes written, and what
// stays held after every ending.
#include "common/crc_file_bytes.h"
#include "common/expected_lines.h"
#include "datafile/crc_file_format.h"
#include "datafile/held_list.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kDataFile = L"Z:\\saved\\disk1.crc";

// The program after a saved scan of two files on drive Q:, with Q: selected.
class DataFile : public testing::Test {
protected:
    void SetUp() override
    {
        t.disk.folders[L"Q:\\"];
        t.disk.AddFiles(L"Q:\\", {{L"a", 0x11111111u}, {L"b", 0x22222222u}});
        t.window.driveChosen = L'Q';
        t.commands.ScanCommand();
        t.program.state.unsaved = 0;
        t.window.journal.clear();
    }

    // Load of a file with these bytes, chosen in the open dialog.
    int Load(const Bytes& bytes)
    {
        t.store.files[kDataFile] = bytes;
        t.window.files = {Chosen(kDataFile)};
        return t.commands.Load();
    }
    // Save to kDataFile: the bytes written, empty if none were.
    Bytes Save()
    {
        t.window.buttons.save = true;
        t.window.files = {Chosen(kDataFile)};
        t.store.files.erase(kDataFile);
        t.commands.Save();
        return t.store.files.count(kDataFile) ? t.store.files[kDataFile] : Bytes{};
    }

    TestProgram t;
};

Bytes WithBytes(Bytes bytes, size_t from, size_t to, uint8_t first)
{
    for (size_t i = from; i < to; ++i)
        bytes[i] = uint8_t(first + i);
    return bytes;
}

}  // namespace

TEST_F(DataFile, AScanSavedWritesItsHeaderAndCrcsAndIsSavedOnce)
{
    t.program.state.unsaved = 1;
    EXPECT_EQ(Save(), HeaderFile(2, 1, 0x33333333u, L'Q' - L'A', 1, {0x11111111u, 0x22222222u}));
    EXPECT_EQ(t.window.journal, Lines{L"save dialog"});
    EXPECT_EQ(t.program.state.unsaved, 0);
    EXPECT_FALSE(t.window.buttons.save);
}

TEST_F(DataFile, TheHeldScanIsSavedNotTheFiguresOfACompareThatRanSince)
{
    t.disk.folders[L"S:\\"];
    t.disk.Add(L"S:\\", {{L"x", kFolder}, {L"y", kFolder}});
    t.disk.folders[L"S:\\x\\"];
    t.disk.folders[L"S:\\y\\"];
    t.disk.AddFiles(L"S:\\", {{L"a", 0x11111111u}});
    t.window.driveChosen = L'S';
    t.window.buttons.compare = true;
    t.commands.CompareCommand();
    ASSERT_EQ(t.program.state.folderCount, 3u);
    EXPECT_EQ(Save(), HeaderFile(2, 1, 0x33333333u, L'Q' - L'A', 1, {0x11111111u, 0x22222222u}));
}

TEST_F(DataFile, NothingToSaveWithoutAFileOrWhileSaveIsDisabled)
{
    t.window.buttons.save = false;
    t.commands.Save();
    EXPECT_TRUE(t.window.journal.empty()) << "a disabled Save does nothing";

    t.disk.folders[L"E:\\"];
    t.window.driveChosen = L'E';
    t.commands.ScanCommand();
    t.window.journal.clear();
    EXPECT_EQ(Save(), Bytes{});
    EXPECT_EQ(t.window.journal, Lines{L"error Nothing to save []"});
}

TEST_F(DataFile, SaveFailuresAreReportedAndTheResultsMayStillBeSaved)
{
    struct Failure {
        FileChoice choice;
        WriteOutcome write;
        Lines journal;
    };
    FileChoice tooLong;
    tooLong.result = -1;
    tooLong.path = L"Z:\\long";
    const Failure failures[] = {
        {tooLong, WriteOutcome::Written, {L"save dialog", L"error File name too long [Z:\\long]"}},
        {Chosen(kDataFile), WriteOutcome::CantOpen, {L"save dialog", L"error Can't open file [" + kDataFile + L"]"}},
        {Chosen(kDataFile), WriteOutcome::CantWrite, {L"save dialog", L"error Can't write file []"}},
        {FileChoice(), WriteOutcome::Written, {L"save dialog"}},
        {Chosen(kDataFile, true), WriteOutcome::Written,
         {L"save dialog", L"ask " + kDataFile + L" already exists.\nDo you want to replace it? [Ferrow]", L"unanswered"}},
    };
    for (const Failure& failure : failures) {
        t.program.state.unsaved = 1;
        t.window.buttons.save = true;
        t.window.journal.clear();
        t.window.files = {failure.choice};
        t.store.refuseWrite = failure.write;
        t.commands.Save();
        EXPECT_EQ(t.window.journal, failure.journal);
        EXPECT_EQ(t.store.files.count(kDataFile), 0u);
        EXPECT_EQ(t.program.state.unsaved, 1);
        EXPECT_TRUE(t.window.buttons.save);
    }
}

TEST_F(DataFile, AFileWithAHeaderIsHeldWithItsFiguresAndSelectsItsDrive)
{
    ASSERT_EQ(1, Load(HeaderFile(3, 4, 0x0000ABCDu, 3, 1, {0xDEADBEEFu, 0x00000000u, 0x7FFFFFFFu})));
    EXPECT_EQ(t.window.lines, (Lines{L"Previous scan data:", Totals(3, 4, 0x0000ABCDu)}));
    EXPECT_EQ(t.window.journal, (Lines{L"open dialog", L"status " + kDataFile, L"title " + kDataFile}));
    EXPECT_EQ(t.HeldCrcs(), (std::vector<uint32_t>{0xDEADBEEFu, 0x00000000u, 0x7FFFFFFFu}));
    const ProgramState& p = t.program;
    EXPECT_EQ(p.selectedDrive, L'D');
    EXPECT_EQ(p.heldFolderCount, 4u);
    EXPECT_EQ(p.heldDiskCrc, 0x0000ABCDu);
    EXPECT_EQ(p.state.unsaved, 0);
    EXPECT_EQ(p.state.fileCount, 2) << "Load leaves the scan's file count";
    EXPECT_TRUE(t.window.buttons.compare);
    EXPECT_FALSE(t.window.buttons.save || t.window.buttons.print);
    EXPECT_EQ(t.store.openFiles, 0);
}

// Files Load reads in full: what they show, hold and select.
struct Readable {
    const char* name;
    Bytes bytes;
    Lines lines;
    std::vector<uint32_t> crcs;
    wchar_t selected;   // Q: the selection stays
};

class LoadOf : public DataFile, public testing::WithParamInterface<Readable> {};

TEST_P(LoadOf, ShowsAndHoldsWhatTheFileSays)
{
    ASSERT_EQ(1, Load(GetParam().bytes));
    EXPECT_EQ(t.window.lines, GetParam().lines);
    EXPECT_EQ(t.HeldCrcs(), GetParam().crcs);
    EXPECT_EQ(t.program.selectedDrive, GetParam().selected);
}

Bytes FortySevenBytesWithTheMagic()
{
    Bytes bytes = HeaderFile(2, 0, 0, 2, 1, {});
    bytes.resize(47, 0x33);
    return bytes;
}

std::vector<uint32_t> WordsOf(const Bytes& bytes)
{
    std::vector<uint32_t> words;
    for (size_t offset = 0; offset + 4 <= bytes.size(); offset += 4)
        words.push_back(GetLittleEndian32(bytes, offset));
    return words;
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadOf,
    testing::Values(
        Readable{"OnlyTheLowestByteOfTheDriveIndexAndNotTheVersion", HeaderFile(1, 0, 5, 0x0103u, 7, {5}),
                 {L"Previous scan data:", Totals(1, 0, 5)}, {5}, L'D'},
        Readable{"BytesAfterTheAnnouncedCrcsAreIgnored", HeaderFile(3, 1, 0xFFFFFFFFu, 2, 1, {1, 2, 3, 4, 5}),
                 {L"Previous scan data:", Totals(3, 1, 0xFFFFFFFFu)}, {1, 2, 3}, L'C'},
        Readable{"AnEmptyFileIsAnOlderFileWithNoCrc", {}, {L"0 files to be CRC checked"}, {}, L'Q'},
        Readable{"TenHeaderlessBytesHoldTwoCrcs", {0x78, 0x56, 0x34, 0x12, 0x01, 0x00, 0x00, 0x80, 0xEE, 0xEE},
                 {L"2 files to be CRC checked"}, {0x12345678u, 0x80000001u}, L'Q'},
        Readable{"FortySevenBytesThatBeginWithTheMagicAreAnOlderFile", FortySevenBytesWithTheMagic(),
                 {L"11 files to be CRC checked"}, WordsOf(FortySevenBytesWithTheMagic()), L'Q'}),
    [](const testing::TestParamInfo<Readable>& info) { return std::string(info.param.name); });

TEST_F(DataFile, FilesThatCannotBeReadInFullAreRefusedAndTheHeldListStays)
{
    struct Refused {
        Bytes bytes;
        bool sizeUnknown;
        std::wstring error;
    };
    const std::wstring reading = L"error Error reading file [" + kDataFile + L"]";
    const Refused refused[] = {
        {HeaderFile(3, 0, 0, 2, 1, {1, 2}), false, reading},
        {HeaderFile(0x40000000u, 0, 0, 2, 1, {1, 2}), false, reading},
        {HeaderFile(0xFFFFFFFFu, 0, 0, 2, 1, {1, 2}), false, reading},
        {HeaderFile(1, 0, 0, 2, 1, {1}), true, reading},
    };
    for (const Refused& file : refused) {
        t.window.journal.clear();
        t.store.sizeUnknown = file.sizeUnknown;
        EXPECT_EQ(0, Load(file.bytes));
        EXPECT_EQ(t.window.journal, (Lines{L"open dialog", L"status " + kDataFile, file.error}));
        EXPECT_EQ(t.HeldCrcs(), (std::vector<uint32_t>{0x11111111u, 0x22222222u}));
        EXPECT_EQ(t.program.selectedDrive, L'Q');
        EXPECT_EQ(t.store.openFiles, 0) << "closed before the user is told";
    }
    // 4 GiB without a header: 2^30 CRCs, more than the list can index.
    const Bytes start(48, 0);
    EXPECT_EQ(PlanCrcFileRead(start.data(), 48, 0x100000000ull).check, CrcFileCheck::TooLarge);

    t.window.journal.clear();
    t.window.files = {Chosen(L"Z:\\missing.crc")};
    EXPECT_EQ(0, t.commands.Load());
    EXPECT_EQ(t.window.journal.back(), L"error Can't open file [Z:\\missing.crc]");
}

TEST_F(DataFile, LoadOffersUnsavedResultsFirstAndStopsOnCancelOrAFailedSave)
{
    t.program.state.unsaved = 1;
    t.window.answers = {kAnswerCancel};
    EXPECT_EQ(0, Load(HeaderFile(1, 0, 5, 3, 1, {5})));
    EXPECT_EQ(t.window.journal, Lines{L"ask Save CRC's? [Ferrow]"});

    // Yes, and the save cannot open its file: nothing is loaded.
    t.window.journal.clear();
    t.window.answers = {kAnswerYes};
    t.window.buttons.save = true;
    t.store.refuseWrite = WriteOutcome::CantOpen;
    t.window.files = {Chosen(L"Z:\\scan.crc"), Chosen(kDataFile)};
    EXPECT_EQ(0, t.commands.Load());
    EXPECT_EQ(t.window.journal, (Lines{L"ask Save CRC's? [Ferrow]", L"save dialog",
                                       L"error Can't open file [Z:\\scan.crc]"}));
    EXPECT_EQ(t.program.state.unsaved, 1);

    // Yes, saved, then loaded.
    t.window.journal.clear();
    t.window.answers = {kAnswerYes};
    t.store.refuseWrite = WriteOutcome::Written;
    t.window.files = {Chosen(L"Z:\\scan.crc"), Chosen(kDataFile)};
    EXPECT_EQ(1, t.commands.Load());
    EXPECT_EQ(t.window.journal.size(), 5u);
    EXPECT_EQ(t.store.files.count(L"Z:\\scan.crc"), 1u);
    EXPECT_EQ(t.HeldCrcs(), std::vector<uint32_t>{5});
}

TEST_F(DataFile, ASaveAfterALoadWritesTheReservedBytesTheLoadRead)
{
    const Bytes written = WithBytes(WithBytes(HeaderFile(1, 0, 0x42u, 2, 1, {0x42u}), 12, 16, 0xA0), 36, 48, 0xB0);
    ASSERT_EQ(1, Load(written));
    // Then a scan of drive E: with two files.
    t.disk.folders[L"E:\\"];
    t.disk.AddFiles(L"E:\\", {{L"a", 5}, {L"b", 6}});
    t.window.driveChosen = L'E';
    t.commands.ScanCommand();
    const Bytes saved = Save();
    ASSERT_EQ(saved.size(), 56u);
    EXPECT_EQ(Bytes(written.begin() + 12, written.begin() + 16), Bytes(saved.begin() + 12, saved.begin() + 16));
    EXPECT_EQ(Bytes(written.begin() + 36, written.begin() + 48), Bytes(saved.begin() + 36, saved.begin() + 48));
    EXPECT_EQ(GetLittleEndian32(saved, 20), 2u);
    EXPECT_EQ(GetLittleEndian32(saved, 32), 4u) << "drive E";
}

TEST_F(DataFile, ALoadedFileSavedAgainIsTheSameFile)
{
    const Bytes written = WithBytes(HeaderFile(3, 7, 0x12345678u, L'Q' - L'A', 1, {0x11u, 0x22u, 0x33u}), 36, 48, 0xC0);
    ASSERT_EQ(1, Load(written));
    EXPECT_EQ(Save(), written);
}

TEST_F(DataFile, AnOlderFileSavedAgainGetsAHeaderWithItsSumAndTheSelectedDrive)
{
    ASSERT_EQ(1, Load(LittleEndianWords({9, 8, 7})));
    EXPECT_EQ(Save(), HeaderFile(3, 0, 9 + 8 + 7, L'Q' - L'A', 1, {9, 8, 7}));
}

TEST(LoadedList, ACountBelowTheHeldCapacityKeepsItAndOneAtItGrowsIt)
{
    CrcList held;
    held.Allocate(kCrcListCapacity);
    EXPECT_EQ(LoadedListCapacity(kCrcListCapacity - 1, held), kCrcListCapacity);
    EXPECT_EQ(LoadedListCapacity(0, held), kCrcListCapacity);
    EXPECT_EQ(LoadedListCapacity(kCrcListCapacity, held), kCrcListCapacity + 1);
    EXPECT_EQ(LoadedListCapacity(123456, held), 123457);
    held.Release();
    EXPECT_EQ(LoadedListCapacity(5, held), 6);
}
