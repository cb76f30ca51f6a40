#include "app/print_layout.h"

#include <algorithm>
#include <limits>

int LinesPerPage(int pageHeight, int lineHeight, int firstLine, bool tractorFeed)
{
    if (lineHeight <= 0)
        return 0;  // no metrics, no lines
    // 64-bit: printer metrics are whatever the driver says.
    long long height = pageHeight;
    if (tractorFeed)
        height -= (long long)kTractorFeedLines * lineHeight;
    const long long lines = height / lineHeight - firstLine;
    return int(std::clamp<long long>(lines, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
}

PrintPlan PlanPrintJob(int listLines, uint16_t copies, int pageHeight, int lineHeight,
                       bool tractorFeed, int firstLine)
{
    PrintPlan plan;
    plan.firstLine = firstLine;
    plan.linesPerPage = LinesPerPage(pageHeight, lineHeight, firstLine, tractorFeed);
    plan.listLines = std::max(listLines, 0);
    if (plan.listLines == 0 || copies == 0)
        return plan;  // an empty document
    if (plan.linesPerPage <= 0) {
        plan.pageTooShort = true;
        return plan;
    }
    plan.copies = copies;
    plan.pagesPerCopy = int((plan.listLines + (long long)plan.linesPerPage - 1) / plan.linesPerPage);
    return plan;
}

PrintPage PrintPlan::Page(int pageInCopy) const
{
    PrintPage page;
    if (pageInCopy < 0 || pageInCopy >= pagesPerCopy)
        return page;
    const long long first = (long long)pageInCopy * linesPerPage;
    page.firstIndex = int(first);
    page.lineCount = int(std::min<long long>(linesPerPage, listLines - first));
    return page;
}

PrintColumns SplitAtFirstTab(std::wstring_view line)
{
    PrintColumns columns;
    const size_t tab = line.find(L'\t');
    if (tab == std::wstring_view::npos) {
        columns.left = line;
        return columns;
    }
    columns.left = line.substr(0, tab);
    columns.right = line.substr(tab + 1);
    columns.hasRight = true;
    return columns;
}
