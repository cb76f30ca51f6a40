// Saving where the bytes cannot go: a full device, a full file system, a
// read-only file, a folder that does not exist. The user is told, no
// earlier file is lost, and the results stay unsaved so that they can be
// saved elsewhere.
#include "fault_test.h"
#include "unix_side.h"

#include "../datafile/data_file_fixture.h"
#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using Lines = std::vector<std::wstring>;

const std::vector<uint32_t> kScanCrcs = {0xCA6598D0u, 0x2DFD2D88u, 7u};

// The results of a scan are on screen and unsaved, and still may be saved.
void ExpectResultsKept()
{
    EXPECT_EQ(1, programState.state.unsaved);
    EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
    EXPECT_EQ(kScanCrcs, ProgramCrcs(uint32_t(kScanCrcs.size())));
    EXPECT_EQ(int32_t(kScanCrcs.size()), programState.state.fileCount);
}

// The user saw the file dialog and then one box, which said report.
void ExpectReported(const AnsweredCommand& run, const std::wstring& report)
{
    ASSERT_TRUE(run.answered);
    EXPECT_EQ(Lines{}, run.unexpected);
    ASSERT_EQ(2u, run.seen.size());
    EXPECT_EQ(Lines{report}, run.seen[1].lines);
}

std::string Py(const std::wstring& path)
{
    return unix_side::PyBytes(unix_side::UnixPath(path));
}

// A link or device node that Windows cannot delete, removed from the Linux
// side when the test ends.
struct LinuxRemoval {
    std::wstring path;
    ~LinuxRemoval() { unix_side::RunPython("import os\nos.unlink(" + Py(path) + ")\n"); }
};

// The system file dialog refuses the typed name with a message box of its
// own: the user reads it, clicks OK, and gives up with Cancel.
BoxAnswerer::Step RefusedFileDialogStep(const std::wstring& name, std::shared_ptr<SeenBox> refusal)
{
    return {BoxQuery::ForDialog(nullptr), [name, refusal](HWND dialog) {
                if (!EnterFileName(dialog, name))
                    return false;
                HWND box = WaitForBoxOver(dialog, 5000);
                if (!box)
                    return false;
                *refusal = ReadBox(box);
                ClickBoxButton(box, L"OK");
                WaitUntilGone(box, 5000);
                return IsWindow(dialog) && ClickBoxButton(dialog, L"Cancel");
            }};
}

}  // namespace

// The program is up, with a folder of the test's own to save into.
class SaveFault : public FaultTest {
protected:
    void SetUp() override
    {
        FaultTest::SetUp();
        app.emplace();
        ASSERT_EQ(1, app->StartResult());
    }

    // The results of a scan laid into the program, then Save to path; the
    // program's box that follows the file dialog (captioned reportCaption, or
    // any) is answered Ok.
    static AnsweredCommand SaveScanResults(const std::wstring& path, const wchar_t* reportCaption = nullptr)
    {
        LayScanResults(kScanCrcs, 2, L'C');
        return RunCommand(IDM_SAVE, {FileDialogStep(path), BoxStep(reportCaption, L"&Ok")});
    }

    std::optional<RunningApp> app;
    TestFolder folder;
    CurrentFolderReset leaveFolder;
};

TEST_F(SaveFault, OntoALinkToTheFullDeviceIsRefusedAndKeepsTheLink)
{
    const std::wstring path = folder.Path(L"full.crc");
    LinuxRemoval removal{path};
    ASSERT_EQ("ok", unix_side::RunPython("import os\nos.symlink('/dev/full', " + Py(path) + ")\n"));

    ASSERT_NO_FATAL_FAILURE(ExpectReported(SaveScanResults(path, path.c_str()), L"Can't open file"));
    EXPECT_EQ("ok", unix_side::RunPython("import os\nlink = os.readlink(" + Py(path) + ")\n"
                                         "assert link == b'/dev/full', link\n"));
    EXPECT_EQ(Lines{L"full.crc"}, folder.FileNames()) << "no temporary file left";
    ExpectResultsKept();
}

TEST_F(SaveFault, OntoADeviceNodeLeavesTheDeviceInPlace)
{
    const std::wstring path = folder.Path(L"node.crc");
    LinuxRemoval removal{path};
    // The same device as /dev/full, in a folder of the test's own.
    ASSERT_EQ("ok", unix_side::RunPython("import os, stat\nos.mknod(" + Py(path) +
                                         ", 0o666 | stat.S_IFCHR, os.makedev(1, 7))\n"));

    ASSERT_NO_FATAL_FAILURE(ExpectReported(SaveScanResults(path, path.c_str()), L"Can't open file"));
    EXPECT_EQ("ok", unix_side::RunPython("import os, stat\nassert stat.S_ISCHR(os.stat(" + Py(path) +
                                         ").st_mode)\n"));
    EXPECT_EQ(Lines{L"node.crc"}, folder.FileNames()) << "no temporary file left";
    ExpectResultsKept();
}

TEST_F(SaveFault, OntoAFullFileSystemSaysItCannotWriteAndKeepsTheEarlierFile)
{
    const std::wstring mountPoint = folder.Path(L"small");
    const std::wstring path = mountPoint + L"\\disk.crc";
    const Bytes earlier = HeaderFile(1, 0, 0x1234u, 2, 1, {0x1234u});
    // A file system of 64 KiB of its own, filled up after the earlier file.
    const std::string mounted = unix_side::RunPython(
        "import os, subprocess\n"
        "point = " + Py(mountPoint) + "\n"
        "os.mkdir(point)\n"
        "subprocess.run(['mount', '-t', 'tmpfs', '-o', 'size=64k', 'tmpfs', point], check=True)\n");
    if (mounted != "ok")
        GTEST_SKIP() << "cannot mount a small file system here: " << mounted;
    WriteBytes(path, earlier);
    EXPECT_EQ("ok", unix_side::RunPython(
                        "import errno\n"
                        "try:\n"
                        "    with open(" + Py(mountPoint + L"\\filler") + ", 'wb') as f:\n"
                        "        while True:\n"
                        "            f.write(b'x' * 4096)\n"
                        "            f.flush()\n"
                        "except OSError as e:\n"
                        "    assert e.errno == errno.ENOSPC, e\n"));

    const AnsweredCommand run = SaveScanResults(path);
    const Bytes after = ReadBytes(path);
    const Lines names = FileNamesIn(mountPoint);
    EXPECT_EQ("ok", unix_side::RunPython("import subprocess\nsubprocess.run(['umount', " +
                                         Py(mountPoint) + "], check=True)\n"));
    ASSERT_NO_FATAL_FAILURE(ExpectReported(run, L"Can't write file"));
    EXPECT_EQ(earlier, after);
    EXPECT_EQ((Lines{L"disk.crc", L"filler"}), names) << "no temporary file left";
    ExpectResultsKept();
}

TEST_F(SaveFault, OntoAReadOnlyFileIsRefusedAndTheFileKept)
{
    const std::wstring path = folder.Path(L"kept.crc");
    const Bytes earlier = HeaderFile(1, 0, 0x1234u, 2, 1, {0x1234u});
    WriteBytes(path, earlier);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    // The system dialog asks whether to replace the file (Yes); the program
    // then refuses to, like a file it cannot open.
    ASSERT_NO_FATAL_FAILURE(ExpectReported(SaveScanResults(path, path.c_str()), L"Can't open file"));
    EXPECT_EQ(earlier, ReadBytes(path));
    EXPECT_EQ(Lines{L"kept.crc"}, folder.FileNames());
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    ExpectResultsKept();
}

TEST_F(SaveFault, IntoAFolderThatDoesNotExistIsRefused)
{
    const std::wstring path = folder.Path(L"no such folder\\new.crc");
    LayScanResults(kScanCrcs, 2, L'C');

    auto refusal = std::make_shared<SeenBox>();
    AnsweredCommand run = RunCommand(IDM_SAVE, {RefusedFileDialogStep(path, refusal)});
    EXPECT_TRUE(run.answered);
    EXPECT_EQ(Lines{}, run.unexpected);
    EXPECT_EQ(Lines{L"Path does not exist"}, refusal->lines);
    EXPECT_EQ(Lines{}, folder.FileNames());
    ExpectResultsKept();
}
