// Print's whole sequence on a printer that writes down what reaches it: the
// pages of every copy, each line's columns, what ends a copy or the job.
#include "app/print_command.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

// Pages 40 pixels high with lines of 10: line 0 stays empty, three lines fit.
class JournalPrinter : public PrintDevice {
public:
    Lines journal;   // "begin <name>", "page", "<line>:<column> <text>", "end page", "end"
    bool confirmed = true;
    uint16_t copies = 1;
    int pageHeight = 40;
    std::deque<bool> pageStarts;   // answers to StartPage, in order; true once none are left

    bool BeginDocument(const wchar_t* name) override
    {
        journal.push_back(std::wstring(L"begin ") + name);
        return confirmed;
    }
    uint16_t Copies() const override { return copies; }
    bool IsTractorFeed() const override { return false; }
    int PageHeight() const override { return pageHeight; }
    int LineHeight() const override { return 10; }
    bool StartPage() override
    {
        const bool started = pageStarts.empty() || pageStarts.front();
        if (!pageStarts.empty())
            pageStarts.pop_front();
        journal.push_back(started ? L"page" : L"page refused");
        return started;
    }
    void PrintAt(int line, int column, std::wstring_view text) override
    {
        journal.push_back(std::to_wstring(line) + L":" + std::to_wstring(column) + L" " +
                          std::wstring(text));
    }
    void EndPage() override { journal.push_back(L"end page"); }
    void EndDocument() override { journal.push_back(L"end"); }
};

struct PrintCase {
    const char* name;
    bool printOffered;
    bool confirmed;
    uint16_t copies;
    int pageHeight;
    std::deque<bool> pageStarts;
    int result;
    Lines printed;       // the printer's journal
    Lines windowSaw;     // the window's journal
};

const Lines kList{L"CA6598D0\tZ:\\abc.txt", L"0000000A\tZ:\\tab\there", L"  Total files:  2",
                  L"Disks compare"};
const Lines kFirstPage{L"page", L"1:0 CA6598D0", L"1:12 Z:\\abc.txt", L"2:0 0000000A",
                       L"2:12 Z:\\tab\there", L"3:0   Total files:  2", L"end page"};
const Lines kSecondPage{L"page", L"1:0 Disks compare", L"end page"};

Lines Joined(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class PrintOf : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintOf, GivesThePrinterEveryLineInItsColumnsPageByPage)
{
    const PrintCase& c = GetParam();
    FakeWindow window;
    window.lines = kList;
    window.buttons.print = c.printOffered;
    JournalPrinter printer;
    printer.confirmed = c.confirmed;
    printer.copies = c.copies;
    printer.pageHeight = c.pageHeight;
    printer.pageStarts = c.pageStarts;
    EXPECT_EQ(PrintResultList(window, printer), c.result);
    EXPECT_EQ(printer.journal, c.printed);
    EXPECT_EQ(window.journal, c.windowSaw);
    EXPECT_EQ(window.lines, kList) << "printing leaves the list as it is";
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, PrintOf,
    testing::Values(
        PrintCase{"OneCopy", true, true, 1, 40, {}, 1,
                  Joined({{L"begin Ferrow output"}, kFirstPage, kSecondPage, {L"end"}}), {}},
        PrintCase{"TwoCopiesEachWhole", true, true, 2, 40, {}, 1,
                  Joined({{L"begin Ferrow output"}, kFirstPage, kSecondPage, kFirstPage, kSecondPage,
                          {L"end"}}),
                  {}},
        PrintCase{"ARefusedPageEndsItsCopyOnly", true, true, 2, 40, {false}, 1,
                  Joined({{L"begin Ferrow output", L"page refused"}, kFirstPage, kSecondPage, {L"end"}}),
                  {}},
        PrintCase{"NoCopies", true, true, 0, 40, {}, 1, {L"begin Ferrow output", L"end"}, {}},
        PrintCase{"ThePageTooShortForOneLine", true, true, 1, 19, {}, 0,
                  {L"begin Ferrow output", L"end"},
                  {L"error The page is too short to print one line [Ferrow]"}},
        PrintCase{"TheDialogCancelled", true, false, 1, 40, {}, 0, {L"begin Ferrow output"}, {}},
        PrintCase{"PrintNotOffered", false, true, 1, 40, {}, 0, {}, {}}),
    [](const testing::TestParamInfo<PrintCase>& info) { return std::string(info.param.name); });

}  // namespace
