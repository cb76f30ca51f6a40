// Damaged discs as a drive shows them: bad sectors at the start, in the
// middle and at the end of files (one of them over 1 GiB), a folder that
// cannot be listed, the disc taken out part way. Every file keeps its place,
// so a result names exactly the files that could not be read and no others,
// and nothing the user had is lost on the way.
#include "fault_test.h"
#include "unix_side.h"

#include "../datafile/data_file_fixture.h"
#include "../scan/scan_fixture.h"
#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"
#include "scan/scan_texts.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"
#include "support/real_disc.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using Lines = std::vector<std::wstring>;
using disc_test::FaultyDisc;
using disc_test::Faults;
using scan_test::CdDrive;

constexpr uint64_t kBigFileSize = (1ull << 30) + (5u << 20);
constexpr uint64_t kBigFileData = 700ull << 20;

// A disc with files in its root and two levels of folders, each file's
// content its own; `big` adds sub\big.bin, sparse, over 1 GiB, with data
// in the middle. Its walk as worked out without the program.
class Disc {
public:
    explicit Disc(bool big = false)
    {
        Add(L"alpha.txt", "alpha, in the root");
        Add(L"beta.bin", Pattern(70000, 3));
        folder.MakeFolder(L"sub");
        Add(L"sub\\gamma.txt", "gamma, one level down");
        folder.MakeFolder(L"sub\\deeper");
        Add(L"sub\\deeper\\delta.bin", Pattern(150000, 7));
        Add(L"sub\\deeper\\epsilon.txt", "epsilon, two levels down");
        folder.MakeFolder(L"zeta");
        Add(L"zeta\\eta.txt", "eta, in the other folder");
        if (big) {
            const std::string path = unix_side::PyBytes(unix_side::UnixPath(folder.Path(L"sub\\big.bin")));
            EXPECT_EQ("ok", unix_side::RunPython("with open(" + path + ", 'wb') as f:\n"
                                                 "    f.truncate(" + std::to_string(kBigFileSize) + ")\n"
                                                 "    f.seek(" + std::to_string(kBigFileData) + ")\n"
                                                 "    f.write(b'the data of the big file')\n"));
            sizes[L"sub\\big.bin"] = kBigFileSize;
        }
        oracle = scan_test::ScanOracle(folder.Root());
    }

    TestFolder folder;
    std::map<std::wstring, uint64_t> sizes;
    scan_test::OracleScan oracle;

    uint32_t Files() const { return uint32_t(oracle.files.size()); }
    const std::wstring& FileAt(size_t index) const { return oracle.files[index].path; }
    std::string UnixRoot() const { return unix_side::UnixPath(folder.Root()); }

    // "sub\\x" as the disc names it: "/sub/x".
    static std::wstring DiscPath(std::wstring path)
    {
        for (wchar_t& c : path)
            if (c == L'\\')
                c = L'/';
        return L"/" + path;
    }

private:
    static std::string Pattern(size_t length, int seed)
    {
        std::string bytes(length, '\0');
        for (size_t i = 0; i < length; ++i)
            bytes[i] = char((i * 31 + seed * (i >> 8)) & 0xFF);
        return bytes;
    }
    void Add(const std::wstring& path, const std::string& bytes)
    {
        folder.Write(path, bytes);
        sizes[path] = bytes.size();
    }
};

// The disc through a drive with these faults as S:, and, with `good`, as
// a healthy drive R: too.
struct Drives {
    Drives(const Disc& disc, const Faults& faults, bool good = true)
        : damaged(disc.UnixRoot(), faults), worn(L'S', damaged.MountPoint())
    {
        if (good)
            healthy.emplace(L'R', disc.folder);
    }
    FaultyDisc damaged;
    CdDrive worn;
    std::optional<CdDrive> healthy;
};

// Bad sectors in the first file of the walk (at its start), in
// sub\deeper\delta.bin (its middle), in the last file (its last byte) and,
// when the disc has it, in the big file (past the middle).
Faults BadSectors(const Disc& disc)
{
    Faults faults;
    auto bad = [&](const std::wstring& path, uint64_t offset) {
        faults.badSectors[Disc::DiscPath(path)] = offset;
    };
    bad(disc.FileAt(0), 0);
    bad(L"sub\\deeper\\delta.bin", disc.sizes.at(L"sub\\deeper\\delta.bin") / 2);
    const std::wstring& last = disc.FileAt(disc.Files() - 1);
    bad(last, disc.sizes.at(last) - 1);
    if (disc.sizes.count(L"sub\\big.bin"))
        bad(L"sub\\big.bin", kBigFileData + (100u << 20));
    return faults;
}

// Whether the file at index has a bad sector.
bool IsBad(const Disc& disc, const Faults& faults, size_t index)
{
    return faults.badSectors.count(Disc::DiscPath(disc.FileAt(index))) > 0;
}

// One line per damaged file, in walk order: drive + path + suffix.
Lines LinesOfBadFiles(const Disc& disc, const Faults& faults, const std::wstring& drive,
                      const wchar_t* suffix)
{
    Lines lines;
    for (size_t i = 0; i < disc.Files(); ++i)
        if (IsBad(disc, faults, i))
            lines.push_back(drive + disc.FileAt(i) + suffix);
    return lines;
}

Lines Concat(Lines lines, const Lines& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// The user of these tests: OK to every report, the given answer to
// "Continue crc check?", No to "Save CRC's?" (the earlier scan is not kept).
BoxRules::Rule Answering(const wchar_t* toContinue)
{
    const std::wstring answer = toContinue;
    return [answer](const SeenBox& box) -> std::wstring {
        if (box.lines == Lines{kAskContinue})
            return answer;
        if (box.lines == Lines{L"Save CRC's?"})
            return L"No";
        return L"Ok";
    };
}

// Drops the paths and waits for the check to end, the user answering as
// Answering(toContinue) does.
void DropAnswering(const std::vector<std::wstring>& paths, const wchar_t* toContinue)
{
    BoxRules user(Answering(toContinue));
    scan_test::DropOnMainWindow(paths);
    EXPECT_TRUE(app_fixture::PumpUntil([] { return app_fixture::StatusText() == L"Done"; }, 30000));
}

Lines Boxes(const std::vector<SeenBox>& seen)
{
    Lines texts;
    for (const SeenBox& box : seen)
        texts.push_back((box.lines.empty() ? L"" : box.lines[0]) + L" | " + box.caption);
    return texts;
}

// "Can't open file | path" and "Continue crc check? | Ferrow" for each path.
Lines ReportsAndQuestions(const Lines& paths)
{
    Lines boxes;
    for (const std::wstring& path : paths) {
        boxes.push_back(std::wstring(kErrorCantOpen) + L" | " + path);
        boxes.push_back(std::wstring(kAskContinue) + L" | Ferrow");
    }
    return boxes;
}

}  // namespace

using DamagedDisc = FaultTest;

TEST_F(DamagedDisc, BadSectorsMakeExactlyTheDamagedFilesUnreadableInCompareScanAndSave)
{
    Disc disc(true);
    const Faults faults = BadSectors(disc);
    ASSERT_EQ(4u, faults.badSectors.size());
    Drives drives(disc, faults);
    ASSERT_EQ("ok", drives.damaged.Outcome());
    RunningApp app;
    const uint32_t files = disc.Files(), folders = disc.oracle.folders;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    ASSERT_EQ((Lines{L"R:\\ to be scanned", Totals(files, folders, disc.oracle.DiskCrc())}),
              app_fixture::ListLines());

    // The worn copy against the scan of the good one: the four damaged files
    // and no other, and no count that does not match.
    const Lines unreadable = LinesOfBadFiles(disc, faults, L"S:\\", L" - unreadable");
    const Lines damagedPaths = LinesOfBadFiles(disc, faults, L"S:\\", L"");
    {
        BoxRules user(Answering(L"Yes"));
        ASSERT_TRUE(scan_test::CompareDrive(L'S'));
        EXPECT_EQ(ReportsAndQuestions(damagedPaths), Boxes(user.Stop()));
    }
    EXPECT_EQ(Concat(unreadable, {L"4 files do not compare.", Totals(files, folders)}),
              scan_test::LinesFrom(2));

    // The worn copy scanned: each damaged file holds 0 in the list and in
    // the saved file, is counted, and is named.
    {
        BoxRules user(Answering(L"Yes"));
        ASSERT_TRUE(scan_test::ScanDrive(L'S'));
        EXPECT_EQ(Concat({L"Save CRC's? | Ferrow"}, ReportsAndQuestions(damagedPaths)), Boxes(user.Stop()));
    }
    std::vector<uint32_t> read = disc.oracle.Crcs();
    for (size_t i = 0; i < read.size(); ++i)
        if (IsBad(disc, faults, i))
            read[i] = 0;
    const uint32_t readSum = WrappingSum(read);
    EXPECT_EQ(Concat(Concat({L"S:\\ to be scanned"}, unreadable), {Totals(files, folders, readSum)}),
              app_fixture::ListLines());
    EXPECT_EQ(read, ProgramCrcs(files));
    TestFolder out;
    CurrentFolderReset leaveFolder;
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(out.Path(L"worn.crc"))})));
    EXPECT_EQ(HeaderFile(files, folders, readSum, L'S' - L'A', 1, read), ReadBytes(out.Path(L"worn.crc")));

    // The good copy against the worn scan: exactly the files the scan could
    // not read differ.
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    EXPECT_EQ(Concat(LinesOfBadFiles(disc, faults, L"R:\\", L" - bad crc"),
                     {L"4 files do not compare.", Totals(files, folders)}),
              scan_test::LinesFrom(2 + unreadable.size()));
}

TEST_F(DamagedDisc, NoAtABadSectorEndsTheWalkAndKeepsTheHeldScanAsItWas)
{
    Disc disc;
    const Faults faults = BadSectors(disc);
    Drives drives(disc, faults);
    ASSERT_EQ("ok", drives.damaged.Outcome());
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const Lines first = {L"S:\\" + disc.FileAt(0) + L" - unreadable"};

    // A compare stopped at the first damaged file names it, and gives no
    // result and no totals.
    {
        BoxRules user(Answering(L"No"));
        ASSERT_TRUE(scan_test::CompareDrive(L'S'));
    }
    EXPECT_EQ(first, scan_test::LinesFrom(2));
    EXPECT_EQ(L"S:\\" + disc.FileAt(0), app_fixture::StatusText());

    // A scan stopped there does not replace the scan held: Save stays off
    // (it would write the earlier list under this disc's name), Compare
    // still compares with the first disc.
    {
        BoxRules user(Answering(L"No"));
        ASSERT_TRUE(scan_test::ScanDrive(L'S'));
    }
    EXPECT_EQ(Concat({L"S:\\ to be scanned"}, first), app_fixture::ListLines());
    EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
    EXPECT_EQ(disc.Files(), programState.state.expectedCount);
    EXPECT_EQ(disc.oracle.Crcs(), ProgramCrcs(disc.Files()));
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    EXPECT_EQ((Lines{L"Disks compare", Totals(disc.Files(), disc.oracle.folders, disc.oracle.DiskCrc())}),
              scan_test::LinesFrom(2));
}

TEST_F(DamagedDisc, DroppedFilesAndFoldersWithBadSectorsShowNoSumThatLooksWhole)
{
    Disc disc;
    const Faults faults = BadSectors(disc);
    Drives drives(disc, faults, false);
    ASSERT_EQ("ok", drives.damaged.Outcome());
    RunningApp app;
    // The line a dropped folder must get: its sum when all its files could
    // be read, else how many could not.
    auto folderLine = [&](const std::wstring& below) {
        uint32_t bad = 0, sum = 0;
        for (size_t i = 0; i < disc.Files(); ++i)
            if (disc.FileAt(i).compare(0, below.size(), below) == 0) {
                bad += IsBad(disc, faults, i);
                sum += disc.oracle.files[i].crc;
            }
        const std::wstring path = below.empty() ? L"S:\\" : L"S:\\" + below.substr(0, below.size() - 1);
        return bad ? path + L" - incomplete, " + std::to_wstring(bad) + L" unreadable"
                   : Hex8(sum) + L"\t" + path;
    };
    DropAnswering({L"S:\\", L"S:\\sub\\deeper", L"S:\\" + disc.FileAt(0), L"S:\\zeta"}, L"Yes");
    EXPECT_EQ((Lines{folderLine(L""), folderLine(L"sub\\deeper\\"), L"S:\\" + disc.FileAt(0) + L" - unreadable",
                     folderLine(L"zeta\\")}),
              app_fixture::ListLines());

    // No inside a folder ends that folder's walk: it still gets its line,
    // and the drop goes on with the next item.
    DropAnswering({L"S:\\sub", L"S:\\sub\\gamma.txt"}, L"No");
    const Lines lines = app_fixture::ListLines();
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ(L"S:\\sub - incomplete, 1 unreadable", lines[4]);
    EXPECT_EQ(Hex8(OracleCrc("gamma, one level down")) + L"\tS:\\sub\\gamma.txt", lines[5]);
}

TEST_F(DamagedDisc, AFolderThatCannotBeListedIsNamedAndTheRestIsComparedScannedAndDropped)
{
    Disc disc;
    Faults faults;
    faults.unlistable = {L"/sub"};
    Drives drives(disc, faults);
    ASSERT_EQ("ok", drives.damaged.Outcome());
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));

    // The folder is named and the compare goes on: what the folder held is
    // not found, the file after it is found at another position, intact.
    {
        BoxRules user(Answering(L"Yes"));
        ASSERT_TRUE(scan_test::CompareDrive(L'S'));
        EXPECT_EQ(Concat(ReportsAndQuestions({L"S:\\sub\\"}), {std::wstring(kErrorCountMismatch) + L" | "}),
                  Boxes(user.Stop()));
    }
    EXPECT_EQ((Lines{L"S:\\sub\\ - unreadable", L"1 files are in another order than in the list.",
                     L"3 files of the list were not found.", L"1 files do not compare.",
                     Totals(3, disc.oracle.folders - 1)}),
              scan_test::LinesFrom(2));

    // A scan names the folder and goes on; the folder counts, what it holds
    // does not.
    std::vector<uint32_t> outside;
    for (const auto& file : disc.oracle.files)
        if (file.path.compare(0, 4, L"sub\\") != 0)
            outside.push_back(file.crc);
    {
        BoxRules user(Answering(L"Yes"));
        ASSERT_TRUE(scan_test::ScanDrive(L'S'));
        EXPECT_EQ(Concat({L"Save CRC's? | Ferrow"}, ReportsAndQuestions({L"S:\\sub\\"})), Boxes(user.Stop()));
    }
    EXPECT_EQ((Lines{L"S:\\ to be scanned", L"S:\\sub\\ - unreadable",
                     Totals(uint32_t(outside.size()), disc.oracle.folders - 1, WrappingSum(outside))}),
              app_fixture::ListLines());

    // Dropped, it is never taken for an empty folder.
    DropAnswering({L"S:\\sub", L"S:\\"}, L"Yes");
    EXPECT_EQ((Lines{L"S:\\sub - unreadable", L"S:\\ - incomplete, 1 unreadable"}), app_fixture::ListLines());
}

TEST_F(DamagedDisc, ADiscTakenOutPartWayLeavesEveryLaterFileUnreadableNeverCounted)
{
    Disc disc;
    Faults faults;
    faults.takeOutWhenOpened = L"/sub/gamma.txt";
    CdDrive good(L'R', disc.folder);
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    // Everything the walk reads before sub\gamma.txt: the root's files, and
    // zeta's when zeta is listed before sub.
    size_t gamma = 0;
    while (disc.FileAt(gamma) != L"sub\\gamma.txt")
        ++gamma;
    const std::vector<uint32_t> crcs = disc.oracle.Crcs();
    const std::vector<uint32_t> before(crcs.begin(), crcs.begin() + std::ptrdiff_t(gamma));
    const bool zetaAfter = disc.FileAt(disc.Files() - 1) == L"zeta\\eta.txt";

    // Compared, the disc goes while gamma is read: gamma is unreadable, and
    // so is every folder the walk reaches after it; what they held is not
    // found, and nothing read before it is called bad.
    Lines unreachable = {L"S:\\sub\\gamma.txt", L"S:\\sub\\"};
    if (zetaAfter)
        unreachable.push_back(L"S:\\zeta\\");
    {
        Drives taken(disc, faults, false);
        ASSERT_EQ("ok", taken.damaged.Outcome());
        BoxRules user(Answering(L"Yes"));
        ASSERT_TRUE(scan_test::CompareDrive(L'S'));
        EXPECT_EQ(Concat(ReportsAndQuestions(unreachable), {std::wstring(kErrorCountMismatch) + L" | "}),
                  Boxes(user.Stop()));
    }
    Lines compared;
    for (const std::wstring& path : unreachable)
        compared.push_back(path + L" - unreadable");
    const uint32_t notFound = disc.Files() - uint32_t(gamma) - 1;
    if (notFound != 0)
        compared.push_back(std::to_wstring(notFound) + L" files of the list were not found.");
    compared.push_back(std::to_wstring(unreachable.size()) + L" files do not compare.");
    compared.push_back(Totals(uint32_t(gamma + 1), 3));
    EXPECT_EQ(compared, scan_test::LinesFrom(2));
    EXPECT_EQ(crcs, ProgramCrcs(disc.Files())) << "the scan held";

    // Scanned, the walk names every file and folder it could no longer reach
    // and counts nothing it did not read.
    {
        Drives taken(disc, faults, false);
        ASSERT_EQ("ok", taken.damaged.Outcome());
        BoxRules user(Answering(L"Yes"));
        ASSERT_TRUE(scan_test::ScanDrive(L'S'));
    }
    Lines lines = {L"S:\\ to be scanned", L"S:\\sub\\gamma.txt - unreadable", L"S:\\sub\\ - unreadable"};
    if (zetaAfter)
        lines.push_back(L"S:\\zeta\\ - unreadable");
    lines.push_back(Totals(uint32_t(gamma + 1), 3, WrappingSum(before)));
    EXPECT_EQ(lines, app_fixture::ListLines());
    std::vector<uint32_t> held = before;
    held.push_back(0);
    EXPECT_EQ(held, ProgramCrcs(uint32_t(held.size())));
}
