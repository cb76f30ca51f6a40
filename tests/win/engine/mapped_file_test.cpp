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

// The CRC of a file read through the program's file object, which must
// have read it in full.
uint32_t Read(const std::wstring& path)
{
    const FileChecksum read = mappedFile.Checksum(path.c_str());
    EXPECT_EQ(read.status, FileRead::Read) << "reading " << std::string(path.begin(), path.end());
    return read.crc;
}

// Counts the chunks and stops the reading at call `stopAt` (0: never).
class ChunkCounter : public ChunkHook {
public:
    explicit ChunkCounter(int stopAt = 0) : stopAt(stopAt) {}
    bool BetweenChunks() override { return ++calls != stopAt; }
    int calls = 0;

private:
    int stopAt;
};

} // namespace

TEST(MappedFile, ChecksASmallFile)
{
    TestFolder folder;
    const std::wstring abc = folder.Write(L"abc.txt", Text("abc"));
    const std::wstring digits = folder.Write(L"digits.txt", Text("123456789"));

    EXPECT_EQ(Read(abc), 0xCA6598D0u);
    EXPECT_EQ(Read(digits), 0x2DFD2D88u);
}

TEST(MappedFile, ZeroFilesGiveZero)
{
    TestFolder folder;
    const std::wstring one = folder.Write(L"one", std::vector<uint8_t>(1, 0));
    const std::wstring five = folder.Write(L"five", std::vector<uint8_t>(5, 0));
    EXPECT_EQ(Read(one), 0u);
    EXPECT_EQ(Read(five), 0u);
}

TEST(MappedFile, EmptyFileIsNotAFailure)
{
    TestFolder folder;
    const std::wstring empty = folder.Write(L"empty.bin", std::string());
    const FileChecksum read = mappedFile.Checksum(empty.c_str());
    EXPECT_EQ(read.status, FileRead::Empty);
    EXPECT_EQ(read.crc, 0u);
    EXPECT_EQ(mappedFile.View(), nullptr);
    EXPECT_TRUE(OpenExclusivelyAndTruncate(empty));
}

TEST(MappedFile, MissingFileFails)
{
    TestFolder folder;
    const std::wstring missing = folder.Root() + L"\\no such file.bin";
    const FileChecksum read = mappedFile.Checksum(missing.c_str());
    EXPECT_EQ(read.status, FileRead::Unreadable);
    EXPECT_EQ(read.crc, 0u);
    EXPECT_EQ(mappedFile.View(), nullptr);
    EXPECT_FALSE(mappedFile.HoldsMapping());
}

// Other readers are fine; a holder that may write the file makes it
// unreadable, since its content may change while it is read. (Held by
// another process: tests/win/faults/shared_file_test.cpp.)
TEST(MappedFile, AnotherReaderIsFineAnotherWriterMakesItUnreadable)
{
    TestFolder folder;
    const std::wstring path = folder.Write(L"busy.bin", Text("abc"));
    struct Case {
        const char* holder;
        DWORD access;
        FileRead expected;
    };
    const Case cases[] = {{"a reader", GENERIC_READ, FileRead::Read},
                          {"a writer", GENERIC_READ | GENERIC_WRITE, FileRead::Unreadable}};
    for (const Case& c : cases) {
        HANDLE other = CreateFileW(path.c_str(), c.access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        const FileChecksum read = mappedFile.Checksum(path.c_str());
        CloseHandle(other);
        EXPECT_EQ(read.status, c.expected) << c.holder;
        EXPECT_EQ(read.crc, c.expected == FileRead::Read ? 0xCA6598D0u : 0u) << c.holder;
    }
    EXPECT_EQ(Read(path), 0xCA6598D0u) << "once the holder has let go";
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
    EXPECT_EQ(Read(path), ZlibCrc(0, bytes.data(), bytes.size()));
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

    EXPECT_EQ(Read(path), ZlibCrc(0, bytes.data(), bytes.size()));
    EXPECT_TRUE(OpenExclusivelyAndTruncate(L"\\\\?\\" + path));
}

TEST(MappedFile, NothingStaysOpenAfterACheck)
{
    TestFolder folder;
    const std::wstring path = folder.Write(L"data.bin", RandomBytes(300000, 5));
    const DWORD handlesBefore = [] { DWORD n = 0; GetProcessHandleCount(GetCurrentProcess(), &n); return n; }();

    ASSERT_EQ(mappedFile.Checksum(path.c_str()).status, FileRead::Read);
    EXPECT_EQ(mappedFile.View(), nullptr);
    EXPECT_FALSE(mappedFile.HoldsMapping());
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
    ASSERT_EQ(local.MapFile(path.c_str()), FileRead::Read);
    EXPECT_FALSE(OpenExclusivelyAndTruncate(path));
    local.Release();
    EXPECT_TRUE(OpenExclusivelyAndTruncate(path));
}

TEST(MappedFile, TwoChecksInARowAgree)
{
    TestFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(123457, 7);
    const std::wstring path = folder.Write(L"again.bin", bytes);
    const uint32_t first = Read(path);
    EXPECT_EQ(Read(path), first);
    EXPECT_EQ(first, ZlibCrc(0, bytes.data(), bytes.size()));
}

TEST(MappedFile, SmallViewsWalkTheFileInOrder)
{
    TestFolder folder;
    const size_t length = (1 << 20) + 12345;
    const std::vector<uint8_t> bytes = RandomBytes(length, 8);
    const std::wstring path = folder.Write(L"views.bin", bytes);

    MappedFile file(64 << 10);
    ASSERT_EQ(file.MapFile(path.c_str()), FileRead::Read);
    EXPECT_EQ(file.Length(), length);
    uint64_t expectedOffset = 0;
    int views = 0;
    do {
        ++views;
        EXPECT_EQ(file.ViewOffset(), expectedOffset);
        const uint64_t expectedSize = std::min<uint64_t>(64 << 10, length - expectedOffset);
        ASSERT_EQ(file.ViewSize(), expectedSize);
        EXPECT_EQ(memcmp(file.View(), bytes.data() + expectedOffset, file.ViewSize()), 0);
        // The mapping goes as soon as the last view exists.
        EXPECT_EQ(!file.HoldsMapping(), expectedOffset + file.ViewSize() == length);
        expectedOffset += file.ViewSize();
    } while (file.MapNextView() == FileRead::Read);
    EXPECT_EQ(views, 17);
    EXPECT_EQ(expectedOffset, length);
    EXPECT_EQ(file.View(), nullptr);

    // Read in chunks of 128 KiB within each 64 KiB view: one chunk a view.
    ChunkCounter chunks;
    const FileChecksum read = file.Checksum(path.c_str(), chunks);
    EXPECT_EQ(read.status, FileRead::Read);
    EXPECT_EQ(read.crc, ZlibCrc(0, bytes.data(), bytes.size()));
    EXPECT_EQ(chunks.calls, 17);
    EXPECT_TRUE(OpenExclusivelyAndTruncate(path));
}

TEST(MappedFile, ViewsAreBoundedAndTheHookIsAskedAfterEveryChunk)
{
    TestFolder folder;
    const size_t length = (40u << 20) + 5;   // three views: 16, 16 and 8 MiB
    const std::vector<uint8_t> bytes = RandomBytes(length, 9);
    const std::wstring path = folder.Write(L"chunks.bin", bytes);

    MappedFile file;
    ASSERT_EQ(file.MapFile(path.c_str()), FileRead::Read);
    EXPECT_EQ(file.ViewSize(), 16u << 20);
    file.Release();

    ChunkCounter chunks;
    const FileChecksum read = file.Checksum(path.c_str(), chunks);
    EXPECT_EQ(read.status, FileRead::Read);
    EXPECT_EQ(read.crc, ZlibCrc(0, bytes.data(), bytes.size()));
    EXPECT_EQ(chunks.calls, 16 * 8 * 2 + 8 * 8 + 1);   // 128 KiB chunks, and the last 5 bytes
}

// Abort or a quit request in the middle of a file: the reading ends after
// the chunk in hand, nothing of the file is held, and the next file is read
// as usual.
TEST(MappedFile, AHookThatStopsEndsTheReadingAtOnce)
{
    TestFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes((20u << 20) + 3, 10);
    const std::wstring path = folder.Write(L"stopped.bin", bytes);
    for (int stopAt : {1, 127, 128, 129, 161}) {
        ChunkCounter stop(stopAt);
        const FileChecksum read = mappedFile.Checksum(path.c_str(), stop);
        EXPECT_EQ(read.status, FileRead::Stopped) << "stopped at chunk " << stopAt;
        EXPECT_EQ(stop.calls, stopAt);
        EXPECT_EQ(mappedFile.View(), nullptr);
        EXPECT_FALSE(mappedFile.HoldsMapping());
    }
    ChunkCounter past(162);   // 160 chunks and the last 3 bytes: it ends first
    EXPECT_EQ(mappedFile.Checksum(path.c_str(), past).status, FileRead::Read);
    EXPECT_EQ(past.calls, 161);
}
