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

#include <thread>

namespace {

using Lines = std::vector<std::wstring>;

const wchar_t kUsageLastLine[] = L"\t  ***   Drag files or folders here   ***";

// Starts the program with this command line, answering the message boxes
// of the start-up check with the steps; what the user saw. A message box
// beyond the steps is noted and closed. (The progress dialog is left alone:
// closing it would be Abort.)
AnsweredCommand StartWith(const std::wstring& commandLine, std::vector<BoxAnswerer::Step> steps = {})
{
    AnsweredCommand result;
    const bool expectsBoxes = !steps.empty();
    BoxAnswerer answerer(std::move(steps));
    volatile LONG started = 0;
    std::thread closer([&] {
        result.answered = answerer.Finish();
        if (expectsBoxes && !answerer.Seen().empty())
            WaitUntilGone(answerer.Seen().back().hwnd, 5000);
        while (!InterlockedCompareExchange(&started, 0, 0)) {
            if (HWND box = FindBox(BoxQuery::ForBox(nullptr))) {
                const SeenBox seen = ReadBox(box);
                result.unexpected.push_back(seen.caption + L"|" +
                                            (seen.lines.empty() ? L"" : seen.lines[0]));
                SendNotifyMessageW(box, WM_CLOSE, 0, 0);
                WaitUntilGone(box, 5000);
            }
            Sleep(20);
        }
    });
    EXPECT_EQ(1, app_fixture::Start(commandLine));
    InterlockedExchange(&started, 1);
    closer.join();
    result.seen = answerer.Seen();
    return result;
}

void ExpectUsageText(const AnsweredCommand& run)
{
    EXPECT_TRUE(AnsweredExactly(run));
    const Lines lines = app_fixture::ListLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(kUsageLastLine, lines.back());
    EXPECT_TRUE(app_fixture::Running());
}

// After whatever the start-up showed, the program still works: a drop of a
// file gets its line.
void ExpectStillWorking(const scan_test::TestFolder& folder)
{
    folder.Write(L"after.txt", "abc");
    const size_t before = app_fixture::ListLines().size();
    scan_test::DropOnMainWindow({folder.Path(L"after.txt")});
    const Lines lines = app_fixture::ListLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(L"CA6598D0\t" + folder.Path(L"after.txt"), lines.back());
    EXPECT_LE(before, lines.size());
}

}  // namespace

using CommandLineFault = FaultTest;

TEST_F(CommandLineFault, OneEmptyQuotedTokenShowsTheUsageText) { ExpectUsageText(StartWith(L"\"\"")); }

TEST_F(CommandLineFault, ThreeEmptyTokensAndMoreShowTheUsageText)
{
    ExpectUsageText(StartWith(L"\"\" \"\"  \"\" \"\" x"));
}

TEST_F(CommandLineFault, ALoneQuoteShowsTheUsageText) { ExpectUsageText(StartWith(L"\"")); }

TEST_F(CommandLineFault, OnlySpacesShowTheUsageText) { ExpectUsageText(StartWith(L"         ")); }

TEST_F(CommandLineFault, AQuoteThatNeverClosesTakesTheRestOfTheLine)
{
    scan_test::TestFolder folder;
    folder.Write(L"a  b.txt", "123456789");
    AnsweredCommand run = StartWith(L"\"" + folder.Path(L"a  b.txt"));
    EXPECT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(Lines{L"2DFD2D88\t" + folder.Path(L"a  b.txt")}, app_fixture::ListLines());
}

TEST_F(CommandLineFault, AnEmptyFirstTokenBeforeAPathIsReportedAndTheProgramGoesOn)
{
    // The first token is the one checked, even when it is empty.
    scan_test::TestFolder folder;
    folder.Write(L"second.txt", "abc");
    AnsweredCommand run = StartWith(L"\"\" \"" + folder.Path(L"second.txt") + L"\"",
                                    {BoxStep(L"", L"&Ok")});
    EXPECT_TRUE(AnsweredExactly(run));
    ASSERT_EQ(1u, run.seen.size());
    EXPECT_EQ(Lines{L"Unable to determine if this is a folder"}, run.seen[0].lines);
    EXPECT_EQ(Lines{}, app_fixture::ListLines());
    ExpectStillWorking(folder);
}

TEST_F(CommandLineFault, APathOfAThousandCharactersIsChecked)
{
    scan_test::TestFolder folder;
    std::wstring relative;
    while (folder.Path(relative).size() < 800) {
        relative += (relative.empty() ? L"" : L"\\") + std::wstring(60, L'p');
        folder.MakeFolder(relative);
    }
    relative += L"\\" + std::wstring(1000 - folder.Path(relative).size() - 1, L'f');
    folder.Write(relative, "123456789");
    const std::wstring path = folder.Path(relative);
    ASSERT_EQ(1000u, path.size());
    AnsweredCommand run = StartWith(L"\"" + path + L"\"");
    EXPECT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(Lines{L"2DFD2D88\t" + path}, app_fixture::ListLines());
}

TEST_F(CommandLineFault, UnicodePathsAreCheckedAndShownAsTheyAre)
{
    scan_test::TestFolder folder;
    // Cyrillic, CJK, a combining accent and a character beyond the 16-bit range.
    const std::wstring name = L"\x0444\x0430\x0439\x043B \x6587\x4EF6 e\x0301 \xD83D\xDE00.txt";
    folder.Write(name, "abc");
    AnsweredCommand run = StartWith(L"\"" + folder.Path(name) + L"\" second third");
    EXPECT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(Lines{L"CA6598D0\t" + folder.Path(name)}, app_fixture::ListLines());
}

TEST_F(CommandLineFault, TheNulDeviceIsNoFileOrFolderAndSaysSo)
{
    AnsweredCommand run = StartWith(L"NUL", {BoxStep(L"", L"&Ok")});
    EXPECT_TRUE(AnsweredExactly(run));
    ASSERT_EQ(1u, run.seen.size());
    EXPECT_EQ(Lines{L"Unable to determine if this is a folder"}, run.seen[0].lines);
    EXPECT_EQ(Lines{}, app_fixture::ListLines());
    scan_test::TestFolder folder;
    ExpectStillWorking(folder);
}

TEST_F(CommandLineFault, TheConsoleCannotBeOpenedAndSaysSo)
{
    AnsweredCommand run =
        StartWith(L"CON", {BoxStep(L"\\\\.\\CON", L"&Ok"), BoxStep(L"Ferrow", L"&Yes")});
    EXPECT_TRUE(AnsweredExactly(run));
    ASSERT_EQ(2u, run.seen.size());
    EXPECT_EQ(Lines{L"Can't open file"}, run.seen[0].lines);
    EXPECT_EQ(Lines{L"Continue crc check?"}, run.seen[1].lines);
    EXPECT_EQ(Lines{L"\\\\.\\CON - unreadable"}, app_fixture::ListLines());
    scan_test::TestFolder folder;
    ExpectStillWorking(folder);
}

TEST_F(CommandLineFault, ATabBeforeThePathIsPartOfTheName)
{
    scan_test::TestFolder folder;
    folder.Write(L"tab.txt", "abc");
    AnsweredCommand run = StartWith(L"\t" + folder.Path(L"tab.txt"), {BoxStep(L"", L"&Ok")});
    EXPECT_TRUE(AnsweredExactly(run));
    ASSERT_EQ(1u, run.seen.size());
    EXPECT_EQ(Lines{L"Unable to determine if this is a folder"}, run.seen[0].lines);
    ExpectStillWorking(folder);
}

TEST_F(CommandLineFault, WildcardsNameNoFile)
{
    scan_test::TestFolder folder;
    folder.Write(L"one.txt", "abc");
    AnsweredCommand run = StartWith(folder.Path(L"*.txt"), {BoxStep(L"", L"&Ok")});
    EXPECT_TRUE(AnsweredExactly(run));
    ASSERT_EQ(1u, run.seen.size());
    EXPECT_EQ(Lines{L"Unable to determine if this is a folder"}, run.seen[0].lines);
    ExpectStillWorking(folder);
}
