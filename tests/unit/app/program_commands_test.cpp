// What reaches the program while a check runs (a close, a drop, another
// command), and the list's Delete key: the sequences the window only routes.
#include "app/program_commands.h"

#include "common/expected_lines.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

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
