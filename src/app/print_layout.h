#pragma once
#include <cstdint>
#include <string_view>

// The arithmetic of printing the result list: which list lines go on which
// page, at which line number, and where each column starts. Lengths are in
// device pixels of the printer.

constexpr int kPrintFirstLine = 1;       // line 0 of every page stays empty
constexpr int kPrintPathColumn = 12;     // text after the first tab, in average character widths
constexpr int kTractorFeedLines = 5;     // lines a tractor feed takes off the page height

// Line numbers on a page are firstLine to (pageHeight div lineHeight) - 1. A
// tractor feed takes 5 line heights off the page. May be 0 or negative: not
// one line fits.
int LinesPerPage(int pageHeight, int lineHeight, int firstLine, bool tractorFeed);

// One printed page: list lines firstIndex to firstIndex + lineCount - 1 at line
// numbers firstLine, firstLine + 1, ...
struct PrintPage {
    int firstIndex = 0;
    int lineCount = 0;
};

// Every copy prints the whole list on pagesPerCopy pages, the same pages for
// each copy. A failed page start ends its copy; the next copy starts afresh.
//
//   for (copy = 0; copy < plan.copies; ++copy)
//       for (page = 0; page < plan.pagesPerCopy; ++page) {
//           PrintPage p = plan.Page(page);   // list lines p.firstIndex.., p.lineCount of them
//           ...                              // line number of line k: plan.firstLine + k
//       }
struct PrintPlan {
    int linesPerPage = 0;
    int firstLine = kPrintFirstLine;
    int copies = 0;         // 0 when nothing is printed at all
    int pagesPerCopy = 0;
    int listLines = 0;
    // The list has lines and copies were asked for, but not one line fits on
    // a page: nothing is printed, and the user should be told.
    bool pageTooShort = false;

    PrintPage Page(int pageInCopy) const;
    long long TotalPages() const { return (long long)copies * pagesPerCopy; }
};

// Plans printing listLines lines in the given number of copies (the print
// dialog's unsigned 16-bit count; 0 prints nothing) on pages of pageHeight.
PrintPlan PlanPrintJob(int listLines, uint16_t copies, int pageHeight, int lineHeight,
                       bool tractorFeed, int firstLine = kPrintFirstLine);

// A list line split at its first tab: the left column is the text before it
// (the whole line when there is no tab), the right column the text after it.
struct PrintColumns {
    std::wstring_view left;
    std::wstring_view right;
    bool hasRight = false;  // false: the line had no tab, nothing goes in the right column
};

PrintColumns SplitAtFirstTab(std::wstring_view line);

// Device coordinates of a column (in average character widths) and of a line number.
inline int ColumnX(int column, int charWidth) { return column * charWidth; }
inline int LineY(int line, int lineHeight) { return line * lineHeight; }
