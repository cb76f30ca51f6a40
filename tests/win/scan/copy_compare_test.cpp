// A disc compared with its copies, as a user meets them: a copy with a file
// added at the start of its root, one with a file missing, one where a file
// was overwritten with another's content, and a list saved on a system that
// lists the disc's names in another order. No intact file is called bad.
#include "../datafile/data_file_fixture.h"
#include "../faults/fault_test.h"
#include "scan_fixture.h"

#include "resource.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"
#include "support/real_disc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using Lines = std::vector<std::wstring>;
using scan_test::CdDrive;

// Mixed-case names, which file systems order differently. The second
// argument changes the burned folder before it is burned.
struct BurnedDisc {
    explicit BurnedDisc(const std::function<void(TestFolder&)>& change = {})
    {
        folder.Write(L"alpha.txt", "alpha");
        folder.Write(L"Bravo.txt", "bravo, capital");
        folder.Write(L"charlie.txt", "charlie");
        folder.Write(L"Delta.txt", "delta, capital");
        folder.MakeFolder(L"sub");
        folder.Write(L"sub\\echo.txt", "echo, one level down");
        if (change)
            change(folder);
        image = std::make_unique<disc_test::DiscImage>(folder.Root());
    }
    TestFolder folder;
    std::unique_ptr<disc_test::DiscImage> image;
};

uint32_t CrcOf(const scan_test::OracleScan& oracle, const std::wstring& path)
{
    for (const auto& file : oracle.files)
        if (file.path == path)
            return file.crc;
    ADD_FAILURE() << "no file " << std::string(path.begin(), path.end());
    return 0;
}

}  // namespace

using CopyCompare = FaultTest;

TEST_F(CopyCompare, CopiesWithAFileMoreOrFewerOrInAnotherOrderNameOnlyWhatDiffers)
{
    BurnedDisc original;
    BurnedDisc added([](TestFolder& f) { f.Write(L"aardvark.txt", "left by a file manager"); });
    BurnedDisc removed([](TestFolder& f) { DeleteFileW(f.Path(L"alpha.txt").c_str()); });
    BurnedDisc copied([](TestFolder& f) { f.Write(L"Bravo.txt", "charlie"); });
    for (const BurnedDisc* disc : {&original, &added, &removed, &copied})
        ASSERT_EQ("ok", disc->image->Outcome());
    CdDrive r(L'R', original.image->MountPoint());
    CdDrive s(L'S', added.image->MountPoint());
    CdDrive t(L'T', removed.image->MountPoint());
    CdDrive u(L'U', copied.image->MountPoint());
    const scan_test::OracleScan oracle = scan_test::ScanOracle(L"R:\\");
    ASSERT_EQ(5u, oracle.files.size());
    const uint32_t alpha = CrcOf(oracle, L"alpha.txt");
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));

    struct Copy {
        wchar_t drive;
        Lines lines;
        bool countMismatch;
    };
    const std::wstring mismatch = L"Number of files checked doesn't match the number previously saved.";
    const Copy copies[] = {
        {L'S', {L"S:\\aardvark.txt - bad crc", L"5 files are in another order than in the list.",
                L"1 files do not compare.", Totals(6, 2)}, true},
        {L'T', {L"4 files are in another order than in the list.", L"1 files of the list were not found.",
                L"Disks compare", Totals(4, 2, oracle.DiskCrc() - alpha)}, true},
        {L'U', {L"U:\\Bravo.txt - bad crc", L"1 files do not compare.", Totals(5, 2)}, false},
    };
    size_t shown = 2;
    for (const Copy& copy : copies) {
        BoxRules user(BoxRules::ContinueWith(L"Yes"));
        ASSERT_TRUE(scan_test::CompareDrive(copy.drive));
        const std::vector<SeenBox> boxes = user.Stop();
        EXPECT_EQ(copy.countMismatch ? 1u : 0u, boxes.size()) << char(copy.drive);
        if (!boxes.empty()) {
            EXPECT_EQ(Lines{mismatch}, boxes[0].lines);
        }
        EXPECT_EQ(copy.lines, scan_test::LinesFrom(shown)) << char(copy.drive);
        shown = app_fixture::ListLines().size();
    }

    // A list saved where the disc's names come in the order of their UTF-16
    // code units, as a Joliet CD gives them on Windows: capitals first.
    std::vector<scan_test::OracleFile> joliet(oracle.files.begin(), oracle.files.end() - 1);
    std::sort(joliet.begin(), joliet.end(), [](const scan_test::OracleFile& a, const scan_test::OracleFile& b) { return a.path < b.path; });
    std::vector<uint32_t> crcs;
    for (const scan_test::OracleFile& file : joliet)
        crcs.push_back(file.crc);
    crcs.push_back(oracle.files.back().crc);
    ASSERT_NE(oracle.Crcs(), crcs);
    TestFolder out;
    CurrentFolderReset leaveFolder;
    const std::wstring saved = out.Path(L"joliet.crc");
    WriteBytes(saved, HeaderFile(5, 2, oracle.DiskCrc(), L'R' - L'A', 1, crcs));
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {BoxStep(L"Ferrow", L"No"), FileDialogStep(saved)})));
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    EXPECT_EQ((Lines{L"4 files are in another order than in the list.", L"Disks compare",
                     Totals(5, 2, oracle.DiskCrc())}),
              scan_test::LinesFrom(2));
}
