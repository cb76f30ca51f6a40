// Odd command lines: quotes that never close, empty tokens, only spaces,
// long and Unicode paths, device names. The program starts, checks what the
// first token names or reports why it cannot, and keeps running.
#include "fault_test.h"

#include "../datafile/data_file_fixture.h"
#include "../scan/scan_fixture.h"
#include "app/globals.h"
#include "resource.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

// Starts the program with this command line and answers the boxes of the
// start-up check with the steps; what the user saw.
AnsweredCommand StartWith(const std::wstring& commandLine, std::vector<BoxAnswerer::Step> steps = {})
{
    return RunAnswered([&commandLine] { EXPECT_EQ(1, app_fixture::Start(commandLine)); }, std::move(steps));
}

void Observe(const std::wstring& commandLine)
{
    BoxWatch watch({BoxQuery::ForBox(nullptr)});
    EXPECT_EQ(1, app_fixture::Start(commandLine));
    for (auto& b : watch.Stop())
        std::printf("box: %ls\n", b.c_str());
    for (auto& l : app_fixture::ListLines())
        std::printf("line: %ls\n", l.c_str());
    std::printf("status: %ls running %d\n", app_fixture::StatusText().c_str(), app_fixture::Running());
    app_fixture::Shutdown();
}

}  // namespace

using CommandLineFault = FaultTest;

TEST_F(CommandLineFault, ObserveNul) { Observe(L"NUL"); }
TEST_F(CommandLineFault, ObserveCon) { Observe(L"CON"); }
TEST_F(CommandLineFault, ObserveDevNul) { Observe(L"\\\\.\\NUL"); }
TEST_F(CommandLineFault, ObserveEmptyFirst) { Observe(L"\"\" \"C:\\windows\""); }
TEST_F(CommandLineFault, ObserveOnlyQuotes) { Observe(L"\"\" \"\" \"\" \"\""); }
TEST_F(CommandLineFault, ObserveLoneQuote) { Observe(L"\""); }
TEST_F(CommandLineFault, ObserveSpaces) { Observe(L"      "); }
TEST_F(CommandLineFault, ObserveUnclosed) { Observe(L"\"C:\\windows\\win.ini"); }
TEST_F(CommandLineFault, ObserveTab) { Observe(L"\tC:\\windows\\win.ini"); }
TEST_F(CommandLineFault, ObserveZero) { Observe(L"Z:\\dev\\zero"); }
TEST_F(CommandLineFault, ObserveFifo) { Observe(L"Z:\\tmp\\faults-exp\\special\\fifo"); }
TEST_F(CommandLineFault, ObserveSpecialFolder) { Observe(L"Z:\\tmp\\faults-exp\\special"); }
TEST_F(CommandLineFault, ObserveWildcard) { Observe(L"C:\\windows\\*.ini"); }
TEST_F(CommandLineFault, ObserveDriveRelative) { Observe(L"C:"); }
TEST_F(CommandLineFault, ObserveUnc) { Observe(L"\\\\nosuchserver\\share\\x"); }
TEST_F(CommandLineFault, ObserveQuestion) { Observe(L"\\\\?\\C:\\windows\\win.ini"); }
TEST_F(CommandLineFault, ObserveDevice) { Observe(L"\\\\.\\C:"); }
TEST_F(CommandLineFault, ObserveNulInFolder) { Observe(L"C:\\windows\\nul"); }
TEST_F(CommandLineFault, ObserveTrailingDot) { Observe(L"C:\\windows\\win.ini."); }
