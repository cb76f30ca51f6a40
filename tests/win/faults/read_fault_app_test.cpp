// A file cut short by another program while the real program reads it:
// the read faults inside the mapped view, and the user sees the file
// reported as unreadable, like one that could not be opened.
#include "fault_test.h"
#include "unix_side.h"

#include "../scan/scan_fixture.h"
#include "engine/mapped_file.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

using namespace scan_test;

namespace {

using Lines = std::vector<std::wstring>;

// A sparse file of `length` zero bytes, made instantly.
void MakeSparseFile(const std::wstring& path, int64_t length)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = length;
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
}

// Watches the process maps from the Linux side and cuts the file to nothing
// as soon as some process has it mapped: in the middle of its checksum.
std::string CutWhenMappedScript(const std::string& unixPath, const std::string& readyFile)
{
    return "import glob, os, time\n"
           "target = os.path.realpath(" + unix_side::PyBytes(unixPath) + ")\n"
           "open(" + unix_side::PyBytes(readyFile) + ", 'w').close()\n"
           "def mapped():\n"
           "    for maps in glob.glob('/proc/[0-9]*/maps'):\n"
           "        try:\n"
           "            with open(maps, 'rb') as f:\n"
           "                if target in f.read():\n"
           "                    return True\n"
           "        except OSError:\n"
           "            pass\n"
           "    return False\n"
           "deadline = time.time() + 60\n"
           "while not mapped():\n"
           "    if time.time() > deadline:\n"
           "        raise Exception('the file was never mapped')\n"
           "os.truncate(target, 0)\n";
}

}  // namespace

using ReadFault = FaultTest;

TEST_F(ReadFault, AFileCutShortDuringItsCheckIsReportedAsUnreadable)
{
    TestFolder folder;
    const std::wstring big = folder.Path(L"vanishing.bin");
    MakeSparseFile(big, int64_t(1) << 30);
    folder.Write(L"next.txt", "abc");
    const std::wstring ready = folder.Path(L"watcher-ready");
    unix_side::Script watcher(
        CutWhenMappedScript(unix_side::UnixPath(big), unix_side::UnixPath(ready)));
    ASSERT_TRUE(watcher.Started());
    for (int i = 0; i < 1000 && GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(10);

    RunningApp app;
    BoxAnswerer answer({{BoxQuery::ForBox(big.c_str()), BoxAnswerer::Click(L"Ok")},
                        {BoxQuery::ForBox(L"Ferrow"), BoxAnswerer::Click(L"Yes")}});
    DropOnMainWindow({big, folder.Path(L"next.txt")});
    const bool answered = answer.Finish();
    EXPECT_EQ(watcher.Wait(), "ok");
    ASSERT_TRUE(answered);
    EXPECT_EQ(answer.Seen()[0].lines, Lines{L"Can't open file"});
    EXPECT_EQ(answer.Seen()[1].lines, Lines{L"Continue crc check?"});
    // No made-up CRC for the cut file, which is named; the next item is
    // checked as usual.
    EXPECT_EQ(app_fixture::ListLines(),
              (Lines{big + L" - unreadable", L"CA6598D0\t" + folder.Path(L"next.txt")}));
    EXPECT_EQ(app_fixture::StatusText(), L"Done");
    EXPECT_EQ(mappedFile.View(), nullptr);
}
