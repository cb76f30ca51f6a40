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

void PrintLine(const std::wstring& line)
{
    const PrintColumns columns = SplitAtFirstTab(line);
    printer.PrintAt(0, columns.left.data(), int(columns.left.size()));
    if (columns.hasRight)
        printer.PrintAt(kPrintPathColumn, columns.right.data(), int(columns.right.size()));
}

void PrintCopy(HWND list, const PrintPlan& plan)
{
    for (int pageIndex = 0; pageIndex < plan.pagesPerCopy; ++pageIndex) {
        // A page that cannot be started ends this copy; the next starts afresh.
        if (!printer.StartPageAt())
            return;
        const PrintPage page = plan.Page(pageIndex);
        for (int k = 0; k < page.lineCount; ++k) {
            printer.currentLine = plan.firstLine + k;
            PrintLine(ListLine(list, page.firstIndex + k));
        }
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

    printer.firstLine = kPrintFirstLine;
    const bool tractorFeed = printer.IsTractorFeed();
    const PrintPlan plan = PlanPrintJob(Count(), printer.copies, printer.pageHeight,
                                        printer.lineHeight, tractorFeed, printer.firstLine);
    if (tractorFeed)
        printer.pageHeight -= kTractorFeedLines * printer.lineHeight;

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
