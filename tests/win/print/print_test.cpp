// Print: the command asks nothing while its button is disabled, the print
// dialog can be cancelled, and (run by tests/e2e/test_print_pdf.sh, which
// reads the PDF that comes out) a real job on the system's default printer.
#include "datafile/data_file_fixture.h"

#include "app/frame_panes.h"
#include "app/printer.h"
#include "resource.h"
#include "app/result_list.h"
#include "scan/scan_fixture.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kCopiesEdit = 0x482;  // edt3: "Number of copies" in the print dialog

// Asked of the print spooler, loaded here only: Wine fills in the system's
// printers (and the default printer in win.ini) once a process loads the
// spooler, and the program loads it with the print dialog, after this check.
bool DefaultPrinterExists()
{
    HMODULE spooler = LoadLibraryW(L"winspool.drv");
    if (!spooler)
        return false;
    using GetDefaultPrinterFn = BOOL(WINAPI*)(wchar_t*, DWORD*);
    const auto getDefaultPrinter = reinterpret_cast<GetDefaultPrinterFn>(
        reinterpret_cast<void*>(GetProcAddress(spooler, "GetDefaultPrinterW")));
    wchar_t name[256] = L"";
    DWORD size = 256;
    return getDefaultPrinter && getDefaultPrinter(name, &size) && name[0] != 0;
}

// The print dialog as a user answers it: the number of copies typed, then OK.
BoxAnswerer::Step PrintDialogStep(int copies)
{
    return {BoxQuery::ForDialog(L"Print"), [copies](HWND dialog) {
                HWND copiesEdit = GetDlgItem(dialog, kCopiesEdit);
                if (!copiesEdit)
                    return false;
                const std::wstring text = std::to_wstring(copies);
                SendMessageW(copiesEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
                return ClickBoxButton(dialog, L"OK");
            }};
}

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[1024] = L"";
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? value : L"";
}

}  // namespace

TEST(Print, DoesNothingWhileItsButtonIsDisabled)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    ASSERT_FALSE(app_fixture::ButtonEnabled(IDM_PRINT)) << "nothing to print at start-up";

    BoxRules watch(BoxRules::CloseAll(), BoxRules::AnyBoxOrDialog());
    app_fixture::PostCommand(IDM_PRINT);
    app_fixture::PostAltKey('P');
    EXPECT_TRUE(watch.Stop().empty()) << "no print dialog, no message";
}

// An offline network printer or a bad driver as the default printer cannot
// hold up the start or bring the program down: no printer is asked anything
// before the user prints.
TEST(Print, StartUpOpensNoPrinter)
{
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    EXPECT_FALSE(printer.Printing());
}

TEST(Print, ACancelledPrintDialogChangesNothing)
{
    ASSERT_TRUE(DefaultPrinterExists()) << "the tests need the PDF printer of tools/testbed/test-setup.sh";
    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    resultList.Clear();
    resultList.AddLine(L"CA6598D0\tZ:\\abc.txt");
    btnBar.EnableButton(IDM_PRINT, true);

    const AnsweredCommand run =
        RunCommand(IDM_PRINT, {{BoxQuery::ForDialog(L"Print"), BoxAnswerer::Click(L"Cancel")}});
    ASSERT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(std::vector<std::wstring>{L"CA6598D0\tZ:\\abc.txt"}, app_fixture::ListLines());
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_PRINT));
    EXPECT_FALSE(printer.Printing()) << "no document was started, no printer asked";
}

// The files of the folder named by FERROW_PRINT_FILES are dropped on the
// window, a totals line follows them, and the list is printed in
// FERROW_PRINT_COPIES copies. The PDF is checked on the Linux side.
TEST(PrintJob, DroppedFilesInCopies)
{
    const std::wstring folder = Environment(L"FERROW_PRINT_FILES");
    const int copies = _wtoi(Environment(L"FERROW_PRINT_COPIES").c_str());
    if (folder.empty() || copies <= 0)
        GTEST_SKIP() << "run by tests/e2e/test_print_pdf.sh, which checks the printed PDF";
    ASSERT_TRUE(DefaultPrinterExists());

    RunningApp app;
    ASSERT_EQ(1, app.StartResult());
    std::vector<std::wstring> paths;
    for (const std::wstring& name : ListedFileNames(folder))
        paths.push_back(folder + L"\\" + name);
    std::sort(paths.begin(), paths.end());
    ASSERT_FALSE(paths.empty());
    scan_test::DropOnMainWindow(paths);
    ASSERT_EQ(paths.size(), app_fixture::ListLines().size());
    // What a scan leaves as its last line: no tab, printed whole at the left.
    resultList.AddLine(L"  Total files:  3  Total folders:  1");
    ASSERT_TRUE(app_fixture::ButtonEnabled(IDM_PRINT));

    const AnsweredCommand run = RunCommand(IDM_PRINT, {PrintDialogStep(copies)});
    ASSERT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(copies, printer.Copies());
    EXPECT_FALSE(printer.Printing()) << "the printer is let go once the document is done";
}
