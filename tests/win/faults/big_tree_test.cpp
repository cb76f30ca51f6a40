// Size limits of a scan: a hundred thousand files, a tree a hundred levels
// deep, paths of a thousand characters. The trees are made in one go from
// the Linux side; the expected totals come from zlib there.
#include "fault_test.h"
#include "unix_side.h"

#include "../scan/scan_fixture.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Lines = std::vector<std::wstring>;

std::string ReadText(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, &text[0], DWORD(text.size()), &got, nullptr);
    CloseHandle(file);
    return text;
}

// Runs the script, which writes the line the scan must end with into `totals`.
std::wstring MakeTree(const TestFolder& folder, const std::string& body)
{
    TestFolder scratch;
    const std::wstring totals = scratch.Path(L"totals.txt");
    // The tree lives in memory when it can (/dev/shm): made and removed in
    // seconds, where a disk takes minutes for a hundred thousand files. The
    // test folder becomes a link to it.
    const std::string script = "import os, tempfile, zlib\n"
                               "root = " + unix_side::PyBytes(unix_side::UnixPath(folder.Root())) + "\n"
                               "if os.path.isdir('/dev/shm'):\n"
                               "    target = tempfile.mkdtemp(dir='/dev/shm', prefix='ferrow-faults-').encode()\n"
                               "    os.rmdir(root)\n"
                               "    os.symlink(target, root)\n"
                               "    root = target\n"
                               "files = folders = crc = 0\n"
                               "def put(path, data):\n"
                               "    global files, crc\n"
                               "    with open(path, 'wb') as f:\n"
                               "        f.write(data)\n"
                               "    files += 1\n"
                               "    crc = (crc + (zlib.crc32(data, 0xFFFFFFFF) ^ 0xFFFFFFFF)) & 0xFFFFFFFF\n" +
                               body +
                               "with open(" + unix_side::PyBytes(unix_side::UnixPath(totals)) + ", 'w') as f:\n"
                               "    f.write('  Total files:  %d  Total folders:  %d  CRC for disk:  %08X'\n"
                               "            % (files, folders + 1, crc))\n";
    const std::string outcome = unix_side::RunPython(script, 240000);
    EXPECT_EQ("ok", outcome);
    const std::string line = ReadText(totals);
    return std::wstring(line.begin(), line.end());
}

}  // namespace

using BigTree = FaultTest;

TEST_F(BigTree, AHundredThousandFilesTakeFourBytesEach)
{
    const DWORD testStart = GetTickCount();
    TestFolder folder;
    unix_side::EmptiedAtEnd removal(folder.Root());
    const std::wstring totals = MakeTree(folder,
        "for d in range(100):\n"
        "    sub = os.path.join(root, b'd%02d' % d)\n"
        "    os.mkdir(sub)\n"
        "    folders += 1\n"
        "    for i in range(1000):\n"
        "        put(os.path.join(sub, b'f%04d' % i), b'%d/%d' % (d, i))\n");
    ASSERT_FALSE(totals.empty());
    const DWORD made = GetTickCount();
    scan_test::CdDrive drive(L'R', folder);
    RunningApp app;

    const DWORD start = GetTickCount();
    // Memory is read while the walk runs, once 10,000 files are done (the
    // dialogs and the first storage exist by then) and once 90,000 are.
    volatile LONG done = 0;
    size_t at10k = 0, at90k = 0;
    std::thread sampler([&] {
        while (!done && !at90k) {
            const int32_t files = programState.state.fileCount;
            if (files >= 10000 && !at10k)
                at10k = PrivateBytes();
            if (files >= 90000)
                at90k = PrivateBytes();
            Sleep(5);
        }
    });
    const bool scanned = scan_test::ScanDrive(L'R');
    done = 1;
    sampler.join();
    ASSERT_TRUE(scanned);
    const DWORD took = GetTickCount() - start;
    EXPECT_EQ((Lines{L"R:\\ to be scanned", totals}), app_fixture::ListLines());
    EXPECT_EQ(100000u, programState.state.expectedCount);
    EXPECT_GE(programState.crcList.Capacity(), 100001);
    const double perFile = (double(at90k) - double(at10k)) / 80000.0;
    std::printf("100000 files: tree made in %lu ms, scanned in %lu ms; private bytes at 10,000 "
                "files %zu, at 90,000 %zu: %.2f bytes per file\n", made - testStart, took, at10k,
                at90k, perFile);
    ASSERT_TRUE(at10k && at90k);
    EXPECT_LT(perFile, 6.0) << "the list of CRCs is the only thing that grows with the files";
}

TEST_F(BigTree, AHundredLevelsDeepAndPathsOfAThousandCharacters)
{
    TestFolder folder;
    unix_side::EmptiedAtEnd removal(folder.Root());
    // Every level holds a file; the folder names make the deepest paths
    // longer than a thousand characters.
    const std::wstring totals = MakeTree(folder,
        "path = root\n"
        "for level in range(100):\n"
        "    path = os.path.join(path, b'level%04d' % level)\n"
        "    os.mkdir(path)\n"
        "    folders += 1\n"
        "    put(os.path.join(path, b'file'), b'at level %d' % level)\n"
        "put(os.path.join(path, b'x' * 120), b'at the bottom')\n");
    ASSERT_FALSE(totals.empty());
    scan_test::CdDrive drive(L'R', folder);
    RunningApp app;
    ASSERT_TRUE(scan_test::ScanDrive(L'R'));
    EXPECT_EQ((Lines{L"R:\\ to be scanned", totals}), app_fixture::ListLines());

    // The bottom file, its path longer than a thousand characters, changes.
    std::wstring bottom;
    for (int level = 0; level < 100; ++level) {
        wchar_t name[16];
        swprintf(name, 16, L"level%04d\\", level);
        bottom += name;
    }
    bottom += std::wstring(120, L'x');
    ASSERT_GT(bottom.size() + 3, 1000u);
    folder.Write(bottom, "changed");
    ASSERT_TRUE(scan_test::CompareDrive(L'R'));
    const std::wstring counts = totals.substr(0, totals.find(L"  CRC for disk:"));
    EXPECT_EQ((Lines{L"R:\\" + bottom + L" - bad crc", L"1 files do not compare.", counts}),
              scan_test::LinesFrom(2));
}
