// Scan as the user runs it, through the program's own sequence: the drive
// dialog, the walk with its progress dialog and disabled bar, the lines,
// what stays held after every ending, and the boxes on the way.
#include "common/expected_lines.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const uint32_t kA = 0xCA6598D0u, kB = 0x2DFD2D88u, kC = 0x00000007u;

// R:\ holds a and b, R:\sub\ holds c: three files in two folders.
class ScanWalk : public testing::Test {
protected:
    void SetUp() override
    {
        t.disk.Add(L"R:\\", {{L"sub", kFolder}});
        t.disk.AddFiles(L"R:\\", {{L"a", kA}, {L"b", kB}});
        t.disk.AddFiles(L"R:\\sub\\", {{L"c", kC}});
    }
    // The held list of an earlier complete scan of S:.
    void HoldEarlierScan()
    {
        TestProgram& p = t;
        p.disk.folders[L"S:\\"];
        p.disk.AddFiles(L"S:\\", {{L"x", 0x77u}});
        p.window.driveChosen = L'S';
        p.commands.ScanCommand();
        p.program.state.unsaved = 0;
        p.disk.read.clear();
        p.window.status.clear();
    }
    TestProgram t;
};

// The C heap, except that it refuses to grow a block while `full` is set.
class FillingStorage final : public CrcStorage {
public:
    void* AllocateZeroed(size_t bytes) override { return std::calloc(bytes, 1); }
    void* Resize(void* block, size_t bytes) override { return full ? nullptr : std::realloc(block, bytes); }
    void Free(void* block) override { std::free(block); }
    bool full = false;
};

}  // namespace

TEST_F(ScanWalk, AScanHoldsItsCrcsInWalkOrderWithItsFiguresAndOffersThemForSaving)
{
    EXPECT_EQ(t.Scan(), (Lines{L"R:\\ to be scanned", Totals(3, 2, kA + kB + kC)}));
    EXPECT_EQ(t.HeldCrcs(), (std::vector<uint32_t>{kA, kB, kC})) << "a folder's files before its subfolders'";
    EXPECT_EQ(t.window.journal, (Lines{L"drive dialog", L"title ", L"progress Scanning drive R:", L"bar off",
                                       L"status Done", L"progress closed", L"bar on"}));
    const ProgramState& p = t.program;
    EXPECT_EQ(p.state.unsaved, 1);
    EXPECT_EQ(p.state.expectedCount, 3u);
    EXPECT_EQ(p.state.diskCrc, kA + kB + kC);
    EXPECT_EQ(p.heldFolderCount, 2u);
    EXPECT_EQ(p.heldDiskCrc, kA + kB + kC);
    EXPECT_EQ(p.heldDrive, L'R');
    EXPECT_EQ(p.selectedDrive, L'R');
    EXPECT_TRUE(t.window.buttons.compare && t.window.buttons.save);
    EXPECT_FALSE(p.CheckRunning());
}

TEST_F(ScanWalk, AnEmptyDriveHasTotalsWithCrcZeroAndNothingToCompareOrSave)
{
    t.disk.folders.clear();
    t.disk.folders[L"R:\\"];
    EXPECT_EQ(t.Scan(), (Lines{L"R:\\ to be scanned", Totals(0, 1, 0)}));
    EXPECT_EQ(t.program.state.unsaved, 1) << "asked about at the next Scan, Load or Exit";
    EXPECT_FALSE(t.window.buttons.compare || t.window.buttons.save);
}

TEST_F(ScanWalk, AnUnsavedScanIsOfferedForSavingBeforeTheDriveDialogAndCancelKeepsIt)
{
    t.Scan();
    t.window.journal.clear();
    t.window.answers = {kAnswerCancel};
    t.disk.read.clear();
    t.commands.ScanCommand();
    EXPECT_EQ(t.window.journal, Lines{L"ask Save CRC's? [Ferrow]"});
    EXPECT_TRUE(t.disk.read.empty());
    EXPECT_EQ(t.program.state.unsaved, 1);

    t.window.answers = {kAnswerNo};
    t.window.driveResult = 0;
    t.window.journal.clear();
    t.commands.ScanCommand();
    EXPECT_EQ(t.window.journal, (Lines{L"ask Save CRC's? [Ferrow]", L"drive dialog"}));
    EXPECT_EQ(t.HeldCrcs(), (std::vector<uint32_t>{kA, kB, kC})) << "a cancelled drive dialog changes nothing";
}

TEST_F(ScanWalk, AFileThatCannotBeReadIsNamedStoredAsZeroAndKeepsItsPlace)
{
    t.disk.unreadable = {L"R:\\b"};
    t.window.answers = {kAnswerYes};
    EXPECT_EQ(t.Scan(), (Lines{L"R:\\ to be scanned", L"R:\\b - unreadable", Totals(3, 2, kA + kC)}));
    EXPECT_EQ(t.window.Entries(L"error"), Lines{L"error Can't open file [R:\\b]"});
    EXPECT_EQ(t.window.Entries(L"ask"), Lines{L"ask Continue crc check? [Ferrow]"});
    EXPECT_EQ(t.HeldCrcs(), (std::vector<uint32_t>{kA, 0, kC}));
}

// Every way a scan ends early: the lines so far, no totals, and the list
// held before it (an earlier scan's) still held, not offered for saving.
struct EarlyEnd {
    const char* name;
    std::function<void(TestProgram&)> arrange;
    Lines lines;        // after the start line
    std::wstring status;
};

class ScanEndsEarly : public ScanWalk, public testing::WithParamInterface<EarlyEnd> {};

TEST_P(ScanEndsEarly, LeavesTheHeldListAndItsFiguresAsTheyWere)
{
    HoldEarlierScan();
    GetParam().arrange(t);
    Lines expected{L"R:\\ to be scanned"};
    expected.insert(expected.end(), GetParam().lines.begin(), GetParam().lines.end());
    EXPECT_EQ(t.Scan(), expected);
    EXPECT_EQ(t.window.status, GetParam().status);
    EXPECT_EQ(t.HeldCrcs(), std::vector<uint32_t>{0x77u});
    EXPECT_EQ(t.program.heldDrive, L'S');
    EXPECT_EQ(t.program.state.unsaved, 0) << "the command set it; an unfinished scan is not offered for saving";
    EXPECT_FALSE(t.window.buttons.save);
    EXPECT_FALSE(t.window.progressOpen);
    EXPECT_TRUE(t.window.barEnabled);
    EXPECT_FALSE(t.program.CheckRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScanEndsEarly,
    testing::Values(
        EarlyEnd{"NoAtAFileThatCannotBeRead",
                 [](TestProgram& p) {
                     p.disk.unreadable = {L"R:\\b"};
                     p.window.answers = {kAnswerNo};
                 },
                 {L"R:\\b - unreadable"}, L""},
        EarlyEnd{"Abort",
                 [](TestProgram& p) {
                     p.window.onEvents = [&p] {
                         p.program.state.aborted = p.disk.read.size() == 2;
                         return false;
                     };
                 },
                 {}, L"Scan aborted by user"},
        EarlyEnd{"AQuitRequest", [](TestProgram& p) { p.window.onEvents = [] { return true; }; }, {}, L""},
        EarlyEnd{"NoAtAFolderThatCannotBeSearched",
                 [](TestProgram& p) {
                     p.disk.folders.erase(L"R:\\sub\\");
                     p.window.answers = {kAnswerNo};
                 },
                 {L"R:\\sub\\ - unreadable"}, L""}),
    [](const testing::TestParamInfo<EarlyEnd>& info) { return std::string(info.param.name); });

TEST_F(ScanWalk, AbortIsSeenAfterTheFileItCameDuringAndThatFileIsNotStored)
{
    t.window.onEvents = [this] {
        t.program.state.aborted = 1;
        return false;
    };
    t.Scan();
    EXPECT_EQ(t.disk.read, Lines{L"R:\\a"});
    EXPECT_EQ(t.program.state.fileCount, 0);
}

namespace {

// A clock that moves 40 ms each time it is read.
uint32_t SlowClock()
{
    static uint32_t now = 0;
    return now += 40;
}

}  // namespace

TEST_F(ScanWalk, InsideALongFileEventsAreHandledAsTimePassesAndAbortEndsTheWalkThere)
{
    t.disk.chunksPerFile = 10;
    t.commands.DiskChecks().clock = SlowClock;
    int handled = 0;
    t.window.onEvents = [&] {
        ++handled;
        t.program.state.aborted = t.disk.read.size() == 2 && handled == 6;
        return false;
    };
    t.Scan();
    // Ten chunks of 40 ms: events every third chunk (120 ms), three times in
    // the first file and once after it; the abort comes in the second file.
    EXPECT_EQ(handled, 6);
    EXPECT_EQ(t.disk.read, (Lines{L"R:\\a", L"R:\\b"}));
    EXPECT_EQ(t.window.status, L"Scan aborted by user");
    EXPECT_EQ(t.program.state.fileCount, 1) << "a is counted, b is not";
}

TEST_F(ScanWalk, MoreThanTenThousandFilesGrowTheListAndCompare)
{
    std::vector<uint32_t> crcs;
    for (uint32_t i = 0; i < 10050; ++i) {
        crcs.push_back(i * 2654435761u + 1);
        t.disk.folders[L"R:\\many\\"].push_back({std::to_wstring(i), kFile});
        t.disk.crcs[L"R:\\many\\" + std::to_wstring(i)] = crcs.back();
    }
    t.disk.folders[L"R:\\"] = {{L"many", kFolder}};
    EXPECT_EQ(t.Scan().back(), Totals(10050, 2, WrappingSum(crcs)));
    EXPECT_GE(t.program.crcList.Capacity(), 10051);
    EXPECT_EQ(t.HeldCrcs(), crcs);
    EXPECT_EQ(t.Compare(), (Lines{L"Disks compare", Totals(10050, 2, WrappingSum(crcs))}));
}

TEST(ScanMemory, AListThatCannotGrowEndsTheScanAndKeepsTheHeldOne)
{
    FillingStorage storage;
    TestProgram t(storage);
    t.disk.folders[L"R:\\"];
    for (int i = 0; i < 10001; ++i)
        t.disk.folders[L"R:\\"].push_back({std::to_wstring(i), kFile});
    for (int i = 0; i < 10001; ++i)
        t.disk.crcs[L"R:\\" + std::to_wstring(i)] = 5;
    storage.full = true;
    const Lines lines = t.Scan();
    EXPECT_EQ(lines, Lines{L"R:\\ to be scanned"}) << "no totals";
    EXPECT_EQ(t.window.Entries(L"error"), Lines{L"error Can't allocate memory []"});
    EXPECT_EQ(t.disk.read.size(), 10000u);
    EXPECT_EQ(t.program.state.fileCount, 0);
    EXPECT_EQ(t.program.state.expectedCount, 0u);
    EXPECT_FALSE(t.window.buttons.save);
}
