// Files of 4 GiB and more: mostly holes, with random bytes at the start, across
// the boundary between the first two views and at the very end. The holes
// between them move a non-zero register, so the CRC only comes out right when
// every byte is read once and in order.
#include "engine/crc32.h"
#include "engine/mapped_file.h"
#include "engine_test_files.h"
#include "support/test_folder.h"

#include <winioctl.h>

#include <gtest/gtest.h>

#include <map>

using namespace engine_test;

namespace {

constexpr uint64_t kGiB = uint64_t(1) << 30;

// The file's content: length bytes, zero except for the given pieces.
struct SparseContent {
    uint64_t length;
    std::map<uint64_t, std::vector<uint8_t>> pieces;   // by offset, not overlapping
};

bool WriteSparse(const std::wstring& path, const SparseContent& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD ignored = 0;   // file systems without sparse files leave holes anyway
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    bool ok = true;
    for (const auto& piece : content.pieces) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(piece.first);
        DWORD written = 0;
        ok = ok && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
             WriteFile(file, piece.second.data(), static_cast<DWORD>(piece.second.size()),
                       &written, nullptr) && written == piece.second.size();
    }
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(content.length);
    ok = ok && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// zlib's CRC over the same content, zeros fed in chunks.
uint32_t ExpectedCrc(const SparseContent& content)
{
    static const std::vector<uint8_t> zeros(16 << 20, 0);
    uint32_t crc = 0;
    uint64_t at = 0;
    auto feedZeros = [&](uint64_t upTo) {
        while (at < upTo) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(zeros.size(), upTo - at));
            crc = ZlibCrc(crc, zeros.data(), n);
            at += n;
        }
    };
    for (const auto& piece : content.pieces) {
        feedZeros(piece.first);
        crc = ZlibCrc(crc, piece.second.data(), piece.second.size());
        at += piece.second.size();
    }
    feedZeros(content.length);
    return crc;
}

void CheckSparseFile(const SparseContent& content)
{
    TestFolder folder;
    const std::wstring path = folder.Root() + L"\\large.bin";
    ASSERT_TRUE(WriteSparse(path, content));

    const FileChecksum read = mappedFile.Checksum(path.c_str());
    ASSERT_EQ(read.status, FileRead::Read);
    EXPECT_EQ(mappedFile.Length(), content.length);
    EXPECT_EQ(read.crc, ExpectedCrc(content));
    EXPECT_EQ(mappedFile.View(), nullptr);
    EXPECT_FALSE(mappedFile.HoldsMapping());
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}

} // namespace

TEST(MappedFileLarge, FourGiBPlusThreeBytesAreReadInFull)
{
    SparseContent content{4 * kGiB + 3, {}};
    content.pieces[0] = RandomBytes(4096 + 5, 21);
    content.pieces[kGiB - 7] = RandomBytes(14, 22);   // across a view boundary
    content.pieces[4 * kGiB - 2] = RandomBytes(5, 23);   // the last bytes, past 32 bits
    CheckSparseFile(content);
}

TEST(MappedFileLarge, ExactlyFourGiBIsNotEmpty)
{
    SparseContent content{4 * kGiB, {}};
    content.pieces[0] = {0x01};
    content.pieces[4 * kGiB - 1] = {0x80};
    CheckSparseFile(content);
}
