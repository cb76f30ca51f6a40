// Which of Compare, Save and Print are enabled after a walk, a Load, a drop
// and a Save, as the user meets them one after the other.
#include "scan/result_buttons.h"

#include <gtest/gtest.h>

#include <ostream>

// How a failure shows the buttons.
static void PrintTo(const ResultButtons& b, std::ostream* out)
{
    *out << "compare " << b.compare << ", save " << b.save << ", print " << b.print;
}

namespace {

constexpr ResultButtons kNone = {false, false, false};

// A complete scan that found files, from the start of the program.
ResultButtons AfterAScanWithFiles(ResultButtons shown = kNone)
{
    return AfterScanWalk(AtScanStart(shown), true, 3);
}

}  // namespace

TEST(ResultButtons, ACompleteScanWithFilesEnablesCompareAndSaveButNotPrint)
{
    EXPECT_EQ(AfterAScanWithFiles(), (ResultButtons{true, true, false}));
    // Lines that could be printed before the scan are gone.
    EXPECT_EQ(AfterAScanWithFiles({false, false, true}), (ResultButtons{true, true, false}));
}

TEST(ResultButtons, ACompleteScanThatFoundNoFileLeavesCompareAndSaveAsTheyWere)
{
    EXPECT_EQ(AfterScanWalk(AtScanStart(kNone), true, 0), kNone);
    // After a loaded list, Compare still compares with it.
    EXPECT_EQ(AfterScanWalk(AtScanStart({true, false, true}), true, 0), (ResultButtons{true, false, false}));
}

TEST(ResultButtons, AnAbortedScanKeepsCompareForTheListHeldAndDisablesSave)
{
    const ResultButtons scanned = AfterAScanWithFiles();
    EXPECT_EQ(AfterScanWalk(AtScanStart(scanned), false, 1500), (ResultButtons{true, false, false}));
}

TEST(ResultButtons, AnAbortedFirstScanLeavesCompareAndSaveDisabled)
{
    EXPECT_EQ(AfterScanWalk(AtScanStart(kNone), false, 1500), kNone);
    EXPECT_EQ(AfterScanWalk(AtScanStart(kNone), false, 0), kNone);
}

TEST(ResultButtons, ALoadedFileCanBeComparedButNotSavedAgain)
{
    const ResultButtons loading = AtLoadStart(AfterDrop(AfterAScanWithFiles()));
    EXPECT_EQ(loading, (ResultButtons{false, true, false}));
    EXPECT_EQ(AfterLoad(loading), (ResultButtons{true, false, false}));
}

TEST(ResultButtons, ARefusedLoadLeavesCompareAndPrintDisabledAndTheScanSaveable)
{
    // Nothing more happens to the buttons after a refusal than its start.
    EXPECT_EQ(AtLoadStart(AfterDrop(AfterAScanWithFiles())), (ResultButtons{false, true, false}));
    EXPECT_EQ(AtLoadStart({true, false, true}), kNone);
}

TEST(ResultButtons, ADropEnablesPrintAndKeepsTheScanForCompareAndSave)
{
    EXPECT_EQ(AfterDrop(kNone), (ResultButtons{false, false, true}));
    EXPECT_EQ(AfterDrop(AfterAScanWithFiles()), (ResultButtons{true, true, true}));
}

TEST(ResultButtons, ASavedScanNeedsNoSecondSave)
{
    EXPECT_EQ(AfterSave(AfterDrop(AfterAScanWithFiles())), (ResultButtons{true, false, true}));
}
