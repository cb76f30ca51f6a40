// The disk under a walk changes while the walk runs: files held open by
// another program, files and folders removed, the drive itself gone. Each
// such file is reported or no longer listed, never counted with a made-up
// CRC, and whatever the program held before is still there afterwards.
#include "fault_test.h"
#include "held_file.h"
#include "unix_side.h"

#include "../datafile/data_file_fixture.h"
#include "../scan/scan_fixture.h"
#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Lines = std::vector<std::wstring>;
using scan_test::CdDrive;

std::string Content(const std::wstring& name)
{
    return "content of " + std::string(name.begin(), name.end());
}

// Ten files f0 ... f9 in the root of a folder; their names in the order the
// directory search lists them.
std::vector<std::wstring> WriteTenFiles(const TestFolder& folder)
{
    for (int i = 0; i < 10; ++i) {
        const std::wstring name = L"f" + std::to_wstring(i);
        folder.Write(name, Content(name));
    }
    return ListedFileNames(folder.Root());
}

std::vector<uint32_t> CrcsOf(const std::vector<std::wstring>& names)
{
    std::vector<uint32_t> crcs;
    for (const auto& name : names)
        crcs.push_back(OracleCrc(Content(name)));
    return crcs;
}

// What a complete scan leaves, to be found unchanged after a failure.
struct ScanSnapshot {
    std::vector<uint32_t> crcs;
    ScanState state;
    bool compare, save;

    static ScanSnapshot Take()
    {
        const ScanState& state = programState.state;
        return {ProgramCrcs(state.expectedCount), state, app_fixture::ButtonEnabled(IDM_COMPARE),
                app_fixture::ButtonEnabled(IDM_SAVE)};
    }
    void ExpectUnchanged() const
    {
        const ScanSnapshot now = Take();
        EXPECT_EQ(crcs, now.crcs);
        EXPECT_EQ(state.expectedCount, now.state.expectedCount);
        EXPECT_EQ(state.fileCount, now.state.fileCount);
        EXPECT_EQ(state.folderCount, now.state.folderCount);
        EXPECT_EQ(state.diskCrc, now.state.diskCrc);
        EXPECT_EQ(state.unsaved, now.state.unsaved);
        EXPECT_EQ(compare, now.compare);
        EXPECT_EQ(save, now.save);
    }
};

}  // namespace

using WalkFault = FaultTest;

TEST_F(WalkFault, AFileHeldOpenByAnotherProgramIsReportedAndKeepsItsPlace)
{
    TestFolder folder;
    std::vector<std::wstring> names = WriteTenFiles(folder);
    HeldByAnotherProcess held(folder.Path(names[1]));
    ASSERT_TRUE(held.Holding());
    CdDrive drive(L'R', folder);
    RunningApp app;

    BoxRules user(BoxRules::ContinueWith(L"Yes"));
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::vector<SeenBox> seen = user.Stop();

    EXPECT_EQ(Lines{L"R:\\" + names[1]}, CaptionsOf(seen, L"Can't open file"));
    EXPECT_EQ(Lines{L"Ferrow"}, CaptionsOf(seen, L"Continue crc check?"));
    std::vector<uint32_t> crcs = CrcsOf(names);
    crcs[1] = 0;
    EXPECT_EQ((Lines{L"R:\\ to be scanned", L"R:\\" + names[1] + L" - unreadable",
                     Totals(10, 1, WrappingSum(crcs))}),
              app_fixture::ListLines());
    EXPECT_EQ(crcs, ProgramCrcs(10));
    EXPECT_EQ(10u, programState.state.expectedCount);
}

TEST_F(WalkFault, FilesRemovedDuringTheScanAreReportedOrGoneButNeverCounted)
{
    TestFolder folder;
    const std::vector<std::wstring> names = WriteTenFiles(folder);
    HeldByAnotherProcess held(folder.Path(names[0]));
    CdDrive drive(L'R', folder);
    RunningApp app;

    // While the user reads the report on the first file, the last five go.
    BoxRules user([&](const SeenBox& box) -> std::wstring {
        if (box.caption == L"R:\\" + names[0])
            for (size_t i = 5; i < names.size(); ++i)
                DeleteFileW(folder.Path(names[i]).c_str());
        return box.lines == Lines{L"Continue crc check?"} ? L"Yes" : L"Ok";
    });
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::vector<SeenBox> seen = user.Stop();

    const Lines reported = CaptionsOf(seen, L"Can't open file");
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(L"R:\\" + names[0], reported[0]);
    for (size_t i = 1; i < reported.size(); ++i)
        EXPECT_NE(std::find(names.begin() + 5, names.end(), reported[i].substr(3)), names.end())
            << "only the removed files may be reported: "
            << std::string(reported[i].begin(), reported[i].end());
    std::printf("removed during the scan: 5 files, %zu reported, %zu no longer listed\n",
                reported.size() - 1, 6 - reported.size());
    // A file reported keeps its place with 0 and is named; one no longer
    // listed is not on the disk.
    std::vector<uint32_t> crcs = CrcsOf({names.begin(), names.begin() + 5});
    crcs[0] = 0;
    Lines lines = {L"R:\\ to be scanned"};
    for (const std::wstring& path : reported) {
        lines.push_back(path + L" - unreadable");
        if (path != reported[0])
            crcs.push_back(0);
    }
    lines.push_back(Totals(uint32_t(crcs.size()), 1, WrappingSum(crcs)));
    EXPECT_EQ(lines, app_fixture::ListLines());
    EXPECT_EQ(crcs, ProgramCrcs(uint32_t(crcs.size())));
}

TEST_F(WalkFault, AFolderRemovedWhileItsParentIsListedIsReported)
{
    TestFolder folder;
    folder.MakeFolder(L"sub1");
    folder.Write(L"sub1\\held", "held");
    folder.Write(L"sub1\\kept", "kept");
    folder.MakeFolder(L"sub2");
    folder.Write(L"sub2\\lost", "lost");
    HeldByAnotherProcess held(folder.Path(L"sub1\\held"));
    CdDrive drive(L'R', folder);
    RunningApp app;

    // sub1 is being walked, so the root's list of folders is open: sub2 goes
    // after that list was read and before the walk gets to it.
    BoxRules user([&](const SeenBox& box) -> std::wstring {
        if (box.caption == L"R:\\sub1\\held") {
            folder.Remove(L"sub2\\lost");
            RemoveDirectoryW(folder.Path(L"sub2").c_str());
        }
        return box.lines == Lines{L"Continue crc check?"} ? L"Yes" : L"Ok";
    });
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::vector<SeenBox> seen = user.Stop();

    // The system read the root's list ahead, so the walk still finds sub2,
    // counts it and says that it cannot read it. Its file is not counted.
    EXPECT_EQ((Lines{L"R:\\sub1\\held", L"R:\\sub2\\"}), CaptionsOf(seen, L"Can't open file"));
    EXPECT_EQ((Lines{L"R:\\ to be scanned", L"R:\\sub1\\held - unreadable", L"R:\\sub2\\ - unreadable",
                     Totals(2, 3, OracleCrc("kept"))}),
              app_fixture::ListLines());
}

TEST_F(WalkFault, ADriveThatDisappearsDuringACompareLeavesTheScanIntact)
{
    TestFolder folder;
    const std::vector<std::wstring> names = WriteTenFiles(folder);
    auto drive = std::make_unique<CdDrive>(L'R', folder);
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    ASSERT_EQ(CrcsOf(names), ProgramCrcs(10));
    const ScanSnapshot scanned = ScanSnapshot::Take();
    const Lines scanLines = app_fixture::ListLines();

    // The drive goes while the user reads the report on the fourth file;
    // after the next report the user stops.
    HeldByAnotherProcess held(folder.Path(names[3]));
    int questions = 0;
    BoxRules user([&](const SeenBox& box) -> std::wstring {
        if (box.caption == L"R:\\" + names[3])
            drive.reset();
        if (box.lines == Lines{L"Continue crc check?"})
            return ++questions == 1 ? L"Yes" : L"No";
        return L"Ok";
    });
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    const std::vector<SeenBox> seen = user.Stop();

    EXPECT_EQ((Lines{L"R:\\" + names[3], L"R:\\" + names[4]}), CaptionsOf(seen, L"Can't open file"));
    EXPECT_EQ(2, questions);
    Lines lines = scanLines;
    lines.push_back(L"R:\\" + names[3] + L" - unreadable");
    lines.push_back(L"R:\\" + names[4] + L" - unreadable");
    EXPECT_EQ(lines, app_fixture::ListLines()) << "no compare result, no totals";
    ScanState state = programState.state;
    EXPECT_EQ(4, state.fileCount) << "the three files read and the one the user went on after";
    programState.state.fileCount = scanned.state.fileCount;
    programState.state.folderCount = scanned.state.folderCount;
    scanned.ExpectUnchanged();
}

TEST_F(WalkFault, FailedDropsLeaveTheScanToBeSavedAsItWas)
{
    TestFolder folder;
    const std::vector<std::wstring> names = WriteTenFiles(folder);
    folder.MakeFolder(L"dropped");
    folder.Write(L"dropped\\one", "one");
    folder.Write(L"dropped\\two", "two");
    CdDrive drive(L'R', folder);
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const ScanSnapshot scanned = ScanSnapshot::Take();
    ASSERT_EQ(12u, scanned.state.expectedCount);

    {
        HeldByAnotherProcess heldInFolder(folder.Path(L"dropped\\two"));
        HeldByAnotherProcess heldFile(folder.Path(names[0]));
        BoxRules user(BoxRules::ContinueWith(L"No"));
        scan_test::DropOnMainWindow({folder.Path(L"gone")});
        scan_test::DropOnMainWindow({folder.Path(L"dropped"), folder.Path(names[1])});
        scan_test::DropOnMainWindow({folder.Path(names[0]), folder.Path(names[1])});
        const std::vector<SeenBox> seen = user.Stop();
        EXPECT_EQ(Lines{L""}, CaptionsOf(seen, L"Unable to determine if this is a folder"));
        EXPECT_EQ((Lines{folder.Path(L"dropped\\two"), folder.Path(names[0])}),
                  CaptionsOf(seen, L"Can't open file"));
    }
    // The folder ended by No says so; the file after it was checked; the
    // file answered No is named.
    EXPECT_EQ((Lines{folder.Path(L"dropped") + L" - incomplete, 1 unreadable",
                     Hex8(OracleCrc(Content(names[1]))) + L"\t" + folder.Path(names[1]),
                     folder.Path(names[0]) + L" - unreadable"}),
              app_fixture::ListLines());
    scanned.ExpectUnchanged();

    // Saved now, the file holds the scan exactly.
    TestFolder saveFolder;
    CurrentFolderReset leaveFolder;
    const std::wstring saved = saveFolder.Path(L"scan.crc");
    AnsweredCommand run = RunCommand(IDM_SAVE, {FileDialogStep(saved)});
    ASSERT_TRUE(AnsweredExactly(run));
    const Bytes bytes = ReadBytes(saved);
    ASSERT_EQ(48u + 4 * 12, bytes.size());
    EXPECT_EQ(12u, GetLittleEndian32(bytes, 20));
    EXPECT_EQ(2u, GetLittleEndian32(bytes, 24));
    EXPECT_EQ(scanned.state.diskCrc, GetLittleEndian32(bytes, 28));
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(scanned.crcs[i], GetLittleEndian32(bytes, 48 + 4 * i));
}

TEST_F(WalkFault, LinksBackUpTheWalkAreNamedAndLinksElsewhereAreWalked)
{
    // Two links to the disk's own root and one from below to its parent:
    // followed, every level would double the walk until the system's link
    // limit, some 2^40 folders. A link to a folder beside it is walked like
    // a mounted volume: its file is on the disk and is checked there too.
    TestFolder folder;
    unix_side::EmptiedAtEnd removal(folder.Root());
    folder.Write(L"file", "content");
    folder.MakeFolder(L"sub");
    folder.Write(L"sub\\inner", "inner");
    ASSERT_EQ("ok", unix_side::RunPython("import os\nroot = " +
                                         unix_side::PyBytes(unix_side::UnixPath(folder.Root())) +
                                         "\nos.symlink('.', os.path.join(root, b'self1'))\n"
                                         "os.symlink('..', os.path.join(root, b'sub', b'up'))\n"
                                         "os.symlink(root, os.path.join(root, b'self2'))\n"
                                         "os.symlink('sub', os.path.join(root, b'beside'))\n"));
    CdDrive drive(L'R', folder);
    RunningApp app;
    AbortWhenTooLong patience(60000);
    BoxRules user(BoxRules::ContinueWith(L"Yes"));
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const Lines loops = CaptionsOf(user.Stop(), L"Can't open file");
    EXPECT_FALSE(patience.Aborted());

    Lines sorted = loops;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((Lines{L"R:\\beside\\up\\", L"R:\\self1\\", L"R:\\self2\\", L"R:\\sub\\up\\"}), sorted);
    Lines lines = {L"R:\\ to be scanned"};
    for (const std::wstring& loop : loops)
        lines.push_back(loop + L" - unreadable");
    lines.push_back(Totals(3, 3, OracleCrc("content") + 2 * OracleCrc("inner")));
    EXPECT_EQ(lines, app_fixture::ListLines());
}

TEST_F(WalkFault, AScanThatEndsEarlyLeavesTheLoadedListForCompare)
{
    TestFolder folder;
    const std::vector<std::wstring> names = WriteTenFiles(folder);
    CdDrive drive(L'R', folder);
    RunningApp app;
    // The list of an earlier scan of this disk, loaded from its file.
    TestFolder dataFolder;
    CurrentFolderReset leaveFolder;
    const std::vector<uint32_t> crcs = CrcsOf(names);
    const std::wstring data = dataFolder.Path(L"disk.crc");
    WriteBytes(data, HeaderFile(10, 1, WrappingSum(crcs), L'R' - L'A', 1, crcs));
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {FileDialogStep(data)})));
    ASSERT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));

    // A scan of another disk, stopped at its fourth file.
    TestFolder other;
    for (int i = 0; i < 10; ++i)
        other.Write(L"g" + std::to_wstring(i), "other " + std::to_string(i));
    const std::wstring stopAt = ListedFileNames(other.Root())[3];
    HeldByAnotherProcess held(other.Path(stopAt));
    CdDrive otherDrive(L'S', other);
    {
        BoxRules user(BoxRules::ContinueWith(L"No"));
        ASSERT_TRUE(scan_test::ScanDrive(L'S'));
        EXPECT_EQ(Lines{L"S:\\" + stopAt}, CaptionsOf(user.Stop(), L"Can't open file"));
    }
    EXPECT_EQ((Lines{L"S:\\ to be scanned", L"S:\\" + stopAt + L" - unreadable"}), app_fixture::ListLines());
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_SAVE)) << "nothing of this scan to save";

    // Compare still uses the loaded list, whole: the first disk compares.
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_EQ(10u, programState.state.expectedCount);
    EXPECT_EQ(crcs, ProgramCrcs(10));
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    EXPECT_EQ((Lines{L"Disks compare", Totals(10, 1, WrappingSum(crcs))}), scan_test::LinesFrom(2));
}

TEST_F(WalkFault, ADriveWhoseFolderIsRemovedDuringAScanLeavesTheEarlierScanForCompare)
{
    TestFolder folder;
    unix_side::EmptiedAtEnd removal(folder.Root());
    const std::vector<std::wstring> names = WriteTenFiles(folder);
    CdDrive drive(L'R', folder);
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::vector<uint32_t> crcs = CrcsOf(names);
    ASSERT_EQ(crcs, ProgramCrcs(10));

    // Scanned again; at the report on the fourth file, everything the drive
    // shows is removed from the Linux side. After the next report the user
    // stops.
    HeldByAnotherProcess held(folder.Path(names[3]));
    int questions = 0;
    BoxRules user([&](const SeenBox& box) -> std::wstring {
        if (box.caption == L"R:\\" + names[3]) {
            held.Release();
            unix_side::EmptyFolder(folder.Root());
        }
        if (box.lines == Lines{L"Save CRC's?"})
            return L"No";
        if (box.lines == Lines{L"Continue crc check?"})
            return ++questions == 1 ? L"Yes" : L"No";
        return L"Ok";
    });
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::vector<SeenBox> seen = user.Stop();

    EXPECT_EQ((Lines{L"R:\\" + names[3], L"R:\\" + names[4]}), CaptionsOf(seen, L"Can't open file"));
    EXPECT_EQ((Lines{L"R:\\ to be scanned", L"R:\\" + names[3] + L" - unreadable",
                     L"R:\\" + names[4] + L" - unreadable"}),
              app_fixture::ListLines())
        << "no totals";
    EXPECT_EQ(crcs, ProgramCrcs(10)) << "the first scan's list, whole";
    EXPECT_EQ(10u, programState.state.expectedCount);
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
}
