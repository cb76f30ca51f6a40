// What reaches the program while a check runs (a close, a drop, another
// command), and the list's Delete key: the sequences the window only routes.
#include "app/program_commands.h"

#include "common/expected_lines.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

class DuringACheck : public testing::Test {
protected:
    void SetUp() override
    {
        t.disk.AddFiles(L"R:\\", {{L"a", 0xA}, {L"b", 0xB}, {L"c", 0xC}});
        t.Scan();
        t.disk.read.clear();
        t.window.journal.clear();
    }
    // Runs `during` as the events after the first file read are handled.
    void WhileComparing(const std::function<void()>& during)
    {
        t.window.onEvents = [this, during] {
            if (t.disk.read.size() == 1)
                during();
            return false;
        };
        t.Compare();
        t.window.onEvents = nullptr;
    }
    TestProgram t;
};

}  // namespace

TEST_F(DuringACheck, ACloseStopsTheCheckAndComesOnceItHasReturnedWithTheOfferToSave)
{
    bool closed = true;
    WhileComparing([this, &closed] { closed = t.commands.CanClose(); });
    EXPECT_FALSE(closed);
    EXPECT_EQ(t.disk.read, Lines{L"R:\\a"}) << "stopped after the file it was reading";
    EXPECT_EQ(t.window.status, L"Scan aborted by user");
    EXPECT_TRUE(t.window.Entries(L"ask").empty()) << "nothing asked during the check";
    EXPECT_TRUE(t.commands.CloseAfterCheck());
    EXPECT_FALSE(t.commands.CloseAfterCheck()) << "once";
    t.window.answers = {kAnswerNo};
    EXPECT_TRUE(t.commands.CanClose());
    EXPECT_EQ(t.window.Entries(L"ask"), Lines{L"ask Save CRC's? [Ferrow]"});
}

TEST_F(DuringACheck, ADropAndEveryCommandThatWouldStartACheckAreRefused)
{
    bool dropTaken = true;
    int scan = -1, compare = -1;
    WhileComparing([&] {
        dropTaken = t.commands.CheckDroppedItems({L"R:\\b"});
        scan = t.commands.ScanCommand();
        compare = t.commands.CompareCommand();
    });
    EXPECT_FALSE(dropTaken);
    EXPECT_EQ(scan, 0);
    EXPECT_EQ(compare, 0);
    EXPECT_EQ(t.disk.read, (Lines{L"R:\\a", L"R:\\b", L"R:\\c"})) << "only the compare's own reads";
    EXPECT_EQ(t.window.Entries(L"drive"), Lines{L"drive dialog"});
    EXPECT_EQ(t.window.lines.back(), Totals(3, 1, 0xA + 0xB + 0xC));
}

// "Save CRC's?" before what would lose an unsaved scan: Exit (and the close
// box and the end of the session, which ask the same) and Scan; Load's are
// with the data file commands.
enum class Before { Exit, Scan };

struct Offer {
    const char* name;
    Before command;
    bool unsaved;
    bool saveOffered;     // the Save button is enabled
    std::deque<int> answers;
    std::deque<FileChoice> prompts;   // the save prompt's choice
    WriteOutcome write;
    bool goesOn;          // Exit closes; Scan goes on to the drive dialog
    Lines journal;        // what was asked and reported, up to the command's own dialog
    bool saved;
};

class OfferSaveBefore : public testing::TestWithParam<Offer> {};

TEST_P(OfferSaveBefore, AsksAndGoesOnOnlyWhenNothingIsLostUnasked)
{
    const Offer& o = GetParam();
    TestProgram t;
    t.disk.AddFiles(L"R:\\", {{L"a", 0xA}});
    t.Scan();
    t.window.journal.clear();
    t.program.state.unsaved = o.unsaved;
    t.window.buttons.save = o.saveOffered;
    t.window.answers = o.answers;
    t.window.files = o.prompts;
    t.window.driveResult = 0;
    t.store.refuseWrite = o.write;
    bool wentOn = false;
    switch (o.command) {
    case Before::Exit:
        wentOn = t.commands.CanClose();
        break;
    case Before::Scan:
        t.commands.ScanCommand();
        wentOn = !t.window.Entries(L"drive").empty();
        break;
    }
    EXPECT_EQ(wentOn, o.goesOn);
    Lines journal = t.window.journal;
    if (wentOn && o.command == Before::Scan)
        journal.resize(o.journal.size());   // the command's own steps follow
    EXPECT_EQ(journal, o.journal);
    EXPECT_EQ(t.store.files.count(L"Z:\\scan.crc"), o.saved ? 1u : 0u);
    if (!wentOn) {
        EXPECT_EQ(t.program.state.unsaved, 1) << "the results are still offered";
    }
}

const Lines kAsk{L"ask Save CRC's? [Ferrow]"};
const Lines kAskThenPrompt{L"ask Save CRC's? [Ferrow]", L"save dialog"};
const FileChoice kSaveTo = Chosen(L"Z:\\scan.crc");
const FileChoice kCancelled{};

INSTANTIATE_TEST_SUITE_P(
    Answers, OfferSaveBefore,
    testing::Values(
        Offer{"ExitCancel", Before::Exit, true, true, {kAnswerCancel}, {}, WriteOutcome::Written, false, kAsk, false},
        Offer{"ExitNo", Before::Exit, true, true, {kAnswerNo}, {}, WriteOutcome::Written, true, kAsk, false},
        Offer{"ExitYesSaves", Before::Exit, true, true, {kAnswerYes}, {kSaveTo}, WriteOutcome::Written, true,
              kAskThenPrompt, true},
        Offer{"ExitYesThenTheSavePromptCancelled", Before::Exit, true, true, {kAnswerYes}, {kCancelled},
              WriteOutcome::Written, true, kAskThenPrompt, false},
        Offer{"ExitYesThenAFailedSave", Before::Exit, true, true, {kAnswerYes}, {kSaveTo}, WriteOutcome::CantWrite,
              false, {L"ask Save CRC's? [Ferrow]", L"save dialog", L"error Can't write file []"},
              false},
        Offer{"ExitYesWithNothingToSave", Before::Exit, true, false, {kAnswerYes}, {}, WriteOutcome::Written, true,
              kAsk, false},
        Offer{"ExitOnceSaved", Before::Exit, false, true, {}, {}, WriteOutcome::Written, true, {}, false},
        Offer{"ScanCancel", Before::Scan, true, true, {kAnswerCancel}, {}, WriteOutcome::Written, false, kAsk, false},
        Offer{"ScanNo", Before::Scan, true, true, {kAnswerNo}, {}, WriteOutcome::Written, true,
              {L"ask Save CRC's? [Ferrow]", L"drive dialog"}, false}),
    [](const testing::TestParamInfo<Offer>& info) { return std::string(info.param.name); });

TEST(DeleteKey, TheNextLineTakesTheDeletedOnesPlaceAndTheLastMovesTheSelectionUp)
{
    struct Row {
        int caret, left, selected;
    };
    const Row rows[] = {
        {0, 4, 0}, {2, 4, 2}, {3, 3, 2}, {4, 4, 3}, {0, 0, 0}, {1, 1, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.selected, SelectionAfterDelete(row.caret, row.left)) << row.caret << " of " << row.left;
}
