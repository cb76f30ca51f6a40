#include "engine/crc32.h"
#include "engine/mapped_file.h"
#include "engine_test_files.h"
#include "support/test_folder.h"

#include <gtest/gtest.h>

using namespace engine_test;

namespace {

std::vector<uint8_t> Text(const char* s)
{
    return std::vector<uint8_t>(s, s + strlen(s));
}

// True when the file can be opened by nobody else's leave and cut to nothing:
// impossible while any handle, mapping or view of it is still open.
bool OpenExclusivelyAndTruncate(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool cut = SetEndOfFile(file) != 0;   // the position is 0: truncates
    CloseHandle(file);
    return cut;
}

} // namespace

TEST(MappedFile, ChecksASmallFile)
{
    TestFolder folder;
    const std::wstring abc = folder.Write(L"abc.txt", Text("abc"));
    const std::wstring digits = folder.Write(L"digits.txt", Text("123456789"));

    EXPECT_NE(mappedFile.ChecksumWholeFile(abc.c_str()), 0);
    EXPECT_EQ(mappedFile.failed, 0);
    EXPECT_EQ(runningCrc, 0xCA6598D0u);
    EXPECT_NE(mappedFile.ChecksumWholeFile(digits.c_str()), 0);
    EXPECT_EQ(runningCrc, 0x2DFD2D88u);
}

TEST(MappedFile, ZeroFilesGiveZero)
{
    TestFolder folder;
    const std::wstring one = folder.Write(L"one", std::vector<uint8_t>(1, 0));
    const std::wstring five = folder.Write(L"five", std::vector<uint8_t>(5, 0));
    runningCrc = 0xDEADBEEFu;
    EXPECT_NE(mappedFile.ChecksumWholeFile(one.c_str()), 0);
    EXPECT_EQ(runningCrc, 0u);
    EXPECT_NE(mappedFile.ChecksumWholeFile(five.c_str()), 0);
    EXPECT_EQ(runningCrc, 0u);
}

TEST(MappedFile, EmptyFileIsNotAFailure)
{
    TestFolder folder;
    const std::wstring empty = folder.Write(L"empty.bin", std::string());
    runningCrc = 0x12345678u;
    mappedFile.failed = 1;
    EXPECT_EQ(mappedFile.ChecksumWholeFile(empty.c_str()), 0);
    EXPECT_EQ(mappedFile.failed, 0);
    EXPECT_EQ(runningCrc, 0u);
    EXPECT_EQ(mappedFile.view, nullptr);
    EXPECT_TRUE(OpenExclusivelyAndTruncate(empty));
}

TEST(MappedFile, MissingFileFails)
{
    TestFolder folder;
    const std::wstring missing = folder.Root() + L"\\no such file.bin";
    runningCrc = 0x12345678u;
    EXPECT_EQ(mappedFile.ChecksumWholeFile(missing.c_str()), 0);
    EXPECT_EQ(mappedFile.failed, 1);
    EXPECT_EQ(runningCrc, 0u);
    EXPECT_EQ(mappedFile.view, nullptr);
    EXPECT_EQ(mappedFile.mapping, nullptr);
}

TEST(MappedFile, FileHeldOpenElsewhereFails)
{
    TestFolder folder;
    const std::wstring path = folder.Write(L"busy.bin", Text("abc"));
    // Another holder that shares everything: the check itself shares nothing.
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(mappedFile.failed, 1);
    CloseHandle(other);

    EXPECT_NE(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(mappedFile.failed, 0);
    EXPECT_EQ(runningCrc, 0xCA6598D0u);
}

TEST(MappedFile, NameOutsideTheAnsiCodePage)
{
    const std::wstring name = L"\x041F\x0440\x043E\x0432\x0435\x0440\x043A\x0430_"
                              L"\x30C6\x30B9\x30C8.bin";   // Cyrillic and Japanese
    BOOL lossy = FALSE;
    char narrow[64];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, narrow, sizeof narrow,
                        nullptr, &lossy);
    ASSERT_TRUE(lossy) << "the name must not fit the ANSI code page";

    TestFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(100000, 3);
    const std::wstring path = folder.Write(name, bytes);
    EXPECT_NE(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(runningCrc, ZlibCrc(0, bytes.data(), bytes.size()));
}

TEST(MappedFile, PathLongerThanTheLegacyLimit)
{
    TestFolder folder;
    const std::wstring segment = L"a folder name of forty characters long";
    std::wstring relative = segment;
    folder.MakeFolder(relative);
    while (folder.Path(relative).size() < 320) {
        relative += L"\\" + segment;
        folder.MakeFolder(relative);
    }
    const std::vector<uint8_t> bytes = RandomBytes(70001, 4);
    const std::wstring path = folder.Write(relative + L"\\data.bin", bytes);
    ASSERT_GT(path.size(), 260u);

    EXPECT_NE(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(mappedFile.failed, 0);
    EXPECT_EQ(runningCrc, ZlibCrc(0, bytes.data(), bytes.size()));
    EXPECT_TRUE(OpenExclusivelyAndTruncate(L"\\\\?\\" + path));
}

TEST(MappedFile, NothingStaysOpenAfterACheck)
{
    TestFolder folder;
    const std::wstring path = folder.Write(L"data.bin", RandomBytes(300000, 5));
    const DWORD handlesBefore = [] { DWORD n = 0; GetProcessHandleCount(GetCurrentProcess(), &n); return n; }();

    ASSERT_NE(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(mappedFile.view, nullptr);
    EXPECT_EQ(mappedFile.mapping, nullptr);
    DWORD handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_TRUE(OpenExclusivelyAndTruncate(path));
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(MappedFile, AViewStillHeldIsNoticed)
{
    // The counterpart of the test above: a file whose view is still mapped
    // cannot be truncated, so that test would see a view left behind.
    TestFolder folder;
    const std::wstring path = folder.Write(L"data.bin", RandomBytes(300000, 6));
    MappedFile local;
    ASSERT_NE(local.MapFile(path.c_str()), 0);
    EXPECT_FALSE(OpenExclusivelyAndTruncate(path));
    local.Release();
    EXPECT_TRUE(OpenExclusivelyAndTruncate(path));
}

TEST(MappedFile, TwoChecksInARowAgree)
{
    TestFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(123457, 7);
    const std::wstring path = folder.Write(L"again.bin", bytes);
    ASSERT_NE(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    const uint32_t first = runningCrc;
    ASSERT_NE(mappedFile.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(runningCrc, first);
    EXPECT_EQ(first, ZlibCrc(0, bytes.data(), bytes.size()));
}

TEST(MappedFile, SmallViewsWalkTheFileInOrder)
{
    TestFolder folder;
    const size_t length = (1 << 20) + 12345;
    const std::vector<uint8_t> bytes = RandomBytes(length, 8);
    const std::wstring path = folder.Write(L"views.bin", bytes);

    MappedFile file(64 << 10);
    ASSERT_NE(file.MapFile(path.c_str()), 0);
    EXPECT_EQ(file.length, length);
    uint64_t expectedOffset = 0;
    int views = 0;
    do {
        ++views;
        EXPECT_EQ(file.viewOffset, expectedOffset);
        const uint64_t expectedSize = std::min<uint64_t>(64 << 10, length - expectedOffset);
        ASSERT_EQ(file.size, expectedSize);
        EXPECT_EQ(memcmp(file.view, bytes.data() + expectedOffset, file.size), 0);
        // The mapping goes as soon as the last view exists.
        EXPECT_EQ(file.mapping == nullptr, expectedOffset + file.size == length);
        expectedOffset += file.size;
    } while (file.MapNextView());
    EXPECT_EQ(views, 17);
    EXPECT_EQ(expectedOffset, length);
    EXPECT_EQ(file.failed, 0);
    EXPECT_EQ(file.view, nullptr);

    EXPECT_NE(file.ChecksumWholeFile(path.c_str()), 0);
    EXPECT_EQ(runningCrc, ZlibCrc(0, bytes.data(), bytes.size()));
    EXPECT_TRUE(OpenExclusivelyAndTruncate(path));
}
