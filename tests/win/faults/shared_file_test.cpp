// Files that another program has open while the program checks them: right
// after a disc goes in, the shell's thumbnailer, AutoPlay, a virus scanner or
// the indexer routinely do. A reader that shares reading does not stop the
// check; one that may write the file, or that shares nothing, makes it
// unreadable once a short wait for it to let go is over.
#include "fault_test.h"
#include "held_file.h"

#include "../scan/scan_fixture.h"
#include "app/result_list.h"
#include "scan/scan_texts.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Lines = std::vector<std::wstring>;

// The file dropped on the window while the holder has it; the lines, the
// reports and how long the drop took.
struct DropOutcome {
    Lines lines;
    Lines reports;   // "text | caption"
    DWORD ms = 0;
};

DropOutcome DropHeld(const std::wstring& path)
{
    DropOutcome outcome;
    BoxRules user(BoxRules::ContinueWith(L"Yes"));
    const DWORD start = GetTickCount();
    scan_test::DropOnMainWindow({path});
    outcome.ms = GetTickCount() - start;
    for (const SeenBox& box : user.Stop())
        outcome.reports.push_back((box.lines.empty() ? L"" : box.lines[0]) + L" | " + box.caption);
    outcome.lines = app_fixture::ListLines();
    return outcome;
}

}  // namespace

using SharedFile = FaultTest;

TEST_F(SharedFile, AFileThatAnotherProgramReadsIsRead)
{
    TestFolder folder;
    const std::wstring path = folder.Write(L"thumbnailed.jpg", "abc");
    HeldByAnotherProcess reader(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(reader.Holding());
    RunningApp app;
    const DropOutcome outcome = DropHeld(path);
    EXPECT_EQ(Lines{L"CA6598D0\t" + path}, outcome.lines);
    EXPECT_EQ(Lines{}, outcome.reports);
}

TEST_F(SharedFile, AFileThatAnotherProgramMayWriteIsReportedAfterAWait)
{
    struct Case {
        const char* holder;
        DWORD access, sharing;
    };
    const Case cases[] = {
        {"a writer that shares everything", GENERIC_READ | GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
        {"a reader that shares nothing", GENERIC_READ, 0},
    };
    RunningApp app;
    for (const Case& c : cases) {
        TestFolder folder;
        const std::wstring path = folder.Write(L"being written.log", "abc");
        HeldByAnotherProcess holder(path, c.access, c.sharing);
        ASSERT_TRUE(holder.Holding()) << c.holder;
        resultList.Clear();
        const DropOutcome outcome = DropHeld(path);
        EXPECT_EQ(Lines{path + L" - unreadable"}, outcome.lines) << c.holder;
        EXPECT_EQ((Lines{std::wstring(kErrorCantOpen) + L" | " + path,
                         std::wstring(kAskContinue) + L" | " + kProgramName}),
                  outcome.reports)
            << c.holder;
        // The open was tried again for about a second before it gave up.
        EXPECT_GE(outcome.ms, 900u) << c.holder;
    }
}

TEST_F(SharedFile, AHolderThatLetsGoDuringTheWaitLeavesTheFileReadable)
{
    TestFolder folder;
    const std::wstring path = folder.Write(L"scanned.exe", "abc");
    HeldByAnotherProcess scanner(path);   // shares nothing, as a virus scanner may
    ASSERT_TRUE(scanner.Holding());
    RunningApp app;
    // It lets go a little after the program first tries to open the file.
    std::thread letGo([&scanner] {
        Sleep(200);
        scanner.Release();
    });
    const DropOutcome outcome = DropHeld(path);
    letGo.join();
    EXPECT_EQ(Lines{L"CA6598D0\t" + path}, outcome.lines);
    EXPECT_EQ(Lines{}, outcome.reports);
}
