// Real disc images as the CD-ROM drive: a folder burned into an ISO 9660 +
// Joliet image and into a UDF bridge image, each mounted by a FUSE reader.
// Scan, Save, Load and Compare work on them exactly as the independent
// oracle reads them; a bad sector in one file of the image names that file.
#include "../datafile/data_file_fixture.h"
#include "../faults/box_rules.h"
#include "../faults/fault_test.h"
#include "scan_fixture.h"

#include "app/globals.h"
#include "resource.h"
#include "support/app_fixture.h"
#include "support/real_disc.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;
using scan_test::CdDrive;
using scan_test::Totals;

// What a user burns: names in several scripts, folders in folders, an empty
// file, a file larger than a few sectors.
void WriteDiscFiles(const scan_test::TestFolder& folder)
{
    folder.Write(L"readme.txt", "read me first");
    folder.Write(L"empty.dat", "");
    folder.MakeFolder(L"Fotos \u00e9t\u00e9");
    folder.Write(L"Fotos \u00e9t\u00e9\\plage.jpg", std::string(100000, 'p') + "end");
    folder.MakeFolder(L"Fotos \u00e9t\u00e9\\\u65e5\u672c");
    folder.Write(L"Fotos \u00e9t\u00e9\\\u65e5\u672c\\\u5bcc\u58eb.txt", "Fuji");
    folder.MakeFolder(L"\u0394\u03b5\u03b4\u03bf\u03bc\u03ad\u03bd\u03b1");
    folder.Write(L"\u0394\u03b5\u03b4\u03bf\u03bc\u03ad\u03bd\u03b1\\a.csv", "1,2,3\n");
}

}  // namespace

using RealDisc = FaultTest;

TEST_F(RealDisc, AnIsoImageIsScannedSavedLoadedAndComparedAsTheOracleReadsIt)
{
    scan_test::TestFolder burned;
    WriteDiscFiles(burned);
    disc_test::DiscImage image(burned.Root());
    ASSERT_EQ("ok", image.Outcome());
    CdDrive drive(L'R', image.MountPoint());
    const scan_test::OracleScan oracle = scan_test::ScanOracle(L"R:\\");
    ASSERT_EQ(5u, oracle.files.size());
    ASSERT_EQ(4u, oracle.folders);
    RunningApp app;

    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    const std::wstring totals = Totals(5, 4, oracle.DiskCrc());
    EXPECT_EQ((Lines{L"R:\\ to be scanned", totals}), app_fixture::ListLines());
    EXPECT_EQ(oracle.Crcs(), ProgramCrcs(5));

    TestFolder out;
    CurrentFolderReset leaveFolder;
    const std::wstring saved = out.File(L"disc.crc");
    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_SAVE, {FileDialogStep(saved)})));
    EXPECT_EQ(HeaderFile(5, 4, oracle.DiskCrc(), L'R' - L'A', 1, oracle.Crcs()), ReadBytes(saved));

    ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {FileDialogStep(saved)})));
    EXPECT_EQ((Lines{L"Previous scan data:", totals}), app_fixture::ListLines());
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    EXPECT_EQ((Lines{L"Disks compare", totals}), scan_test::LinesFrom(2));

    // The same image through a drive that cannot read one sector of the
    // large file: that file, and no other.
    disc_test::Faults faults;
    faults.badSectors[L"/Fotos \u00e9t\u00e9/plage.jpg"] = 50000;
    disc_test::FaultyDisc worn(image.MountPoint(), faults);
    ASSERT_EQ("ok", worn.Outcome());
    CdDrive wornDrive(L'S', worn.MountPoint());
    {
        BoxRules user(BoxRules::ContinueWith(L"Yes"));
        ASSERT_TRUE(scan_test::CompareDrive(L'S'));
    }
    EXPECT_EQ((Lines{L"S:\\Fotos \u00e9t\u00e9\\plage.jpg - unreadable", L"1 files do not compare.",
                     Totals(5, 4)}),
              scan_test::LinesFrom(4));
}

TEST_F(RealDisc, AUdfBridgeImageIsScannedAsTheOracleReadsIt)
{
    scan_test::TestFolder burned;
    WriteDiscFiles(burned);
    disc_test::DiscImage image(burned.Root(), true);
    ASSERT_EQ("ok", image.Outcome());
    CdDrive drive(L'R', image.MountPoint());
    const scan_test::OracleScan oracle = scan_test::ScanOracle(L"R:\\");
    ASSERT_EQ(5u, oracle.files.size());
    RunningApp app;

    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    EXPECT_EQ((Lines{L"R:\\ to be scanned", Totals(5, 4, oracle.DiskCrc())}), app_fixture::ListLines());
    EXPECT_EQ(oracle.Crcs(), ProgramCrcs(5));
}
