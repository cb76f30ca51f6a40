// Printing the result list: every line, in list order, in two columns (the
// text before the first tab at the left margin, the rest twelve average
// character widths further right), as one job, in as many copies as the
// print dialog asked for.
#include "app/result_list.h"

#include "app/frame_panes.h"
#include "app/main_window.h"
#include "app/print_layout.h"
#include "app/printer.h"
#include "resource.h"
#include "scan/scan_texts.h"

#include <string>

namespace {

constexpr wchar_t kDocumentName[] = L"" FERROW_NAME_TEXT " output";

std::wstring ListLine(HWND list, int index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring line(size_t(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&line[0]));
    line.resize(copied > 0 && copied <= length ? size_t(copied) : 0);
    return line;
}

void PrintLine(int lineNumber, const std::wstring& line)
{
    const PrintColumns columns = SplitAtFirstTab(line);
    printer.PrintAt(lineNumber, 0, columns.left.data(), int(columns.left.size()));
    if (columns.hasRight)
        printer.PrintAt(lineNumber, kPrintPathColumn, columns.right.data(), int(columns.right.size()));
}

void PrintCopy(HWND list, const PrintPlan& plan)
{
    for (int pageIndex = 0; pageIndex < plan.pagesPerCopy; ++pageIndex) {
        // A page that cannot be started ends this copy; the next starts afresh.
        if (!printer.StartPage())
            return;
        const PrintPage page = plan.Page(pageIndex);
        for (int k = 0; k < page.lineCount; ++k)
            PrintLine(plan.firstLine + k, ListLine(list, page.firstIndex + k));
        printer.EndPage();
    }
}

}  // namespace

int ResultList::Print()
{
    if (!btnBar.IsButtonEnabled(IDM_PRINT))
        return 0;
    if (!printer.BeginDocument(kDocumentName, PD_NOSELECTION))
        return 0;

    // Line 0 of every page stays empty; a tractor feed takes five lines off
    // each page.
    const PrintPlan plan = PlanPrintJob(Count(), printer.Copies(), printer.PageHeight(),
                                        printer.LineHeight(), printer.IsTractorFeed(), kPrintFirstLine);

    if (plan.pageTooShort) {
        // Not one line fits: nothing can be printed, and saying so beats an
        // endless run of empty pages.
        printer.EndDocument();
        mainWindow.ReportError(L"The page is too short to print one line", kProgramName);
        return 0;
    }
    for (int copy = 0; copy < plan.copies; ++copy)
        PrintCopy(hwnd, plan);
    printer.EndDocument();
    return 1;
}
