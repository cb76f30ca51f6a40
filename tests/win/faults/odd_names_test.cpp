// Names that a Linux file system allows and Windows does not: every byte
// from 1 to 255 but '/', alone and mixed, byte sequences that are not UTF-8,
// trailing dots and spaces, device names, flat and as folders. Wine shows
// some of them under names that cannot be opened, and maps every byte that
// is not UTF-8 to the same stand-in character. Each file is checked or
// reported, none is read in another's place, and the count comes out right.
#include "fault_test.h"
#include "unix_side.h"

#include "../scan/scan_fixture.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using Lines = std::vector<std::wstring>;

// Makes the tree from the Linux side and writes, beside it, one line per
// file: the CRC the program must find for it (zlib's CRC-32 from all ones,
// inverted back: started from 0, never inverted). Every file has content
// of its own, so a CRC names its file.
std::string MakeTreeScript(const std::string& root, const std::string& manifest)
{
    return "import os, zlib\n"
           "root = " + unix_side::PyBytes(root) + "\n"
           "names = [bytes([b]) for b in range(1, 256) if b not in (0x2e, 0x2f)]\n"
           "names += [b'..x', b'mix\\x01\\x7f\\x80\\xff end', b'\\xc3\\x28', b'caf\\xe9', b'caf\\xe8',\n"
           "          b'e\\xcc\\x81', b'trail.', b'trail ', b' lead', b'CON', b'nul', b'aux.crc',\n"
           "          b'com1.txt', b'a:b', b'x\\\\y', b'q?', b'\\xef\\xbf\\xbd', b'n' * 255,\n"
           "          b'\\xe2\\x82\\xac\\xf0\\x9f\\x98\\x80', b'\\xed\\xa0\\x80', b'\\xf4\\x90\\x80\\x80']\n"
           "crcs = []\n"
           "def put(path, serial):\n"
           "    data = b'file %d ' % serial + path\n"
           "    with open(path, 'wb') as f:\n"
           "        f.write(data)\n"
           "    crcs.append(zlib.crc32(data, 0xFFFFFFFF) ^ 0xFFFFFFFF)\n"
           "flat = os.path.join(root, b'flat')\n"
           "os.mkdir(flat)\n"
           "for i, name in enumerate(names):\n"
           "    put(os.path.join(flat, name), i)\n"
           "nested = os.path.join(root, b'nested')\n"
           "os.mkdir(nested)\n"
           "for i, name in enumerate(names):\n"
           "    if name.startswith(b'.'):\n"
           "        continue\n"
           "    folder = os.path.join(nested, name)\n"
           "    os.mkdir(folder)\n"
           "    put(os.path.join(folder, b'inner'), 1000 + i)\n"
           "    put(os.path.join(folder, name), 2000 + i)\n"
           "with open(" + unix_side::PyBytes(manifest) + ", 'w') as f:\n"
           "    f.write(''.join('%08X\\n' % c for c in crcs))\n";
}

std::vector<std::wstring> ReadLines(const std::wstring& path)
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, &text[0], DWORD(text.size()), &got, nullptr);
    CloseHandle(file);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.emplace_back(text.begin() + start, text.begin() + end);
    return lines;
}

}  // namespace

using OddNames = FaultTest;

TEST_F(OddNames, EveryFileIsCheckedOrReportedAndNoneIsReadForAnother)
{
    TestFolder folder;
    unix_side::EmptiedAtEnd removal(folder.Root());
    TestFolder manifestFolder;
    const std::wstring manifest = manifestFolder.Path(L"manifest.txt");
    ASSERT_EQ("ok", unix_side::RunPython(MakeTreeScript(unix_side::UnixPath(folder.Root()),
                                                        unix_side::UnixPath(manifest))));
    const Lines expected = ReadLines(manifest);
    ASSERT_GT(expected.size(), 500u);
    std::map<std::wstring, int> unread;
    for (const auto& crc : expected)
        ++unread[crc];

    scan_test::CdDrive drive(L'R', folder);
    RunningApp app;
    BoxRules user(BoxRules::ContinueWith(L"Yes"));
    {
        AbortWhenTooLong patience(120000);
        ASSERT_TRUE(scan_test::ScanDrive(L'R'));
        EXPECT_FALSE(patience.Aborted()) << "the scan did not come to an end";
    }
    const std::vector<SeenBox> seen = user.Stop();
    const Lines reported = CaptionsOf(seen, L"Can't open file");

    // Every CRC the scan stored belongs to a file not yet accounted for; a
    // file reported keeps its place with 0 (no file here has that CRC).
    const int32_t places = std::min(programState.state.fileCount, programState.crcList.Capacity());
    const auto* crcs = programState.crcList.Data();
    int misread = 0, checked = 0;
    size_t unreadPlaces = 0;
    for (int32_t i = 0; i < places; ++i) {
        if (crcs[i] == 0) {
            ++unreadPlaces;
            continue;
        }
        ++checked;
        auto found = unread.find(Hex8(crcs[i]));
        if (found == unread.end() || found->second == 0)
            ++misread;
        else
            --found->second;
    }
    // flat\ holds files only (one of them is named with a backslash); a report below
    // nested\ that ends with a separator is one of its folders, which hold
    // two files each (see the script).
    size_t reportedFiles = 0, reportedFolders = 0;
    for (const auto& caption : reported) {
        const bool isFolder = caption.rfind(L"R:\\flat\\", 0) != 0 && caption.back() == L'\\';
        ++(isFolder ? reportedFolders : reportedFiles);
    }
    std::printf("odd names: %zu files made, %d checked, %zu files and %zu folders (%zu files) "
                "reported, %d read in another's place\n",
                expected.size(), checked, reportedFiles, reportedFolders, 2 * reportedFolders, misread);
    EXPECT_EQ(0, misread);
    EXPECT_EQ(reportedFiles, unreadPlaces) << "each file reported keeps its place";
    EXPECT_EQ(expected.size(), size_t(checked) + reportedFiles + 2 * reportedFolders)
        << "every file checked or reported";
    EXPECT_EQ(L"Done", app_fixture::StatusText()) << "the scan went through to its end";
}
