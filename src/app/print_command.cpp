#include "app/print_command.h"

#include "app/print_layout.h"
#include "resource.h"
#include "scan/scan_texts.h"

#include <string>

namespace {

constexpr wchar_t kDocumentName[] = L"" FERROW_NAME_TEXT " output";
constexpr wchar_t kPageTooShort[] = L"The page is too short to print one line";

void PrintLine(PrintDevice& printer, int lineNumber, const std::wstring& line)
{
    const PrintColumns columns = SplitAtFirstTab(line);
    printer.PrintAt(lineNumber, 0, columns.left);
    if (columns.hasRight)
        printer.PrintAt(lineNumber, kPrintPathColumn, columns.right);
}

void PrintCopy(CommandWindow& window, PrintDevice& printer, const PrintPlan& plan)
{
    for (int pageIndex = 0; pageIndex < plan.pagesPerCopy; ++pageIndex) {
        if (!printer.StartPage())
            return;
        const PrintPage page = plan.Page(pageIndex);
        for (int k = 0; k < page.lineCount; ++k)
            PrintLine(printer, plan.firstLine + k, window.Line(page.firstIndex + k));
        printer.EndPage();
    }
}

}  // namespace

int PrintResultList(CommandWindow& window, PrintDevice& printer)
{
    if (!window.IsButtonEnabled(IDM_PRINT))
        return 0;
    if (!printer.BeginDocument(kDocumentName))
        return 0;

    // Line 0 of every page stays empty; a tractor feed takes five lines off
    // each page.
    const PrintPlan plan = PlanPrintJob(window.LineCount(), printer.Copies(), printer.PageHeight(),
                                        printer.LineHeight(), printer.IsTractorFeed(), kPrintFirstLine);
    if (plan.pageTooShort) {
        // Not one line fits: nothing can be printed, and saying so beats an
        // endless run of empty pages.
        printer.EndDocument();
        window.ReportError(kPageTooShort, kProgramName);
        return 0;
    }
    for (int copy = 0; copy < plan.copies; ++copy)
        PrintCopy(window, printer, plan);
    printer.EndDocument();
    return 1;
}
