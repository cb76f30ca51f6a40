#include "engine/mapped_file.h"

#include "engine/crc32.h"
#include "engine/openable_path.h"
#include "engine/view_fault_guard.h"

#include <algorithm>
#include <cwchar>
#include <string>

MappedFile mappedFile;

namespace {

constexpr uint32_t kViewAlignment = 64u << 10;   // the system's allocation granularity
constexpr uint32_t kLargestView = 1u << 30;

HANDLE OpenForReading(const wchar_t* path)
{
    if (!path)
        return INVALID_HANDLE_VALUE;
    std::wstring openable;
    try {
        if (!OpenablePath(path, openable))
            return INVALID_HANDLE_VALUE;
    } catch (...) {   // out of memory: the file simply cannot be opened
        return INVALID_HANDLE_VALUE;
    }
    // No sharing: a file that anything else holds open counts as unreadable.
    return CreateFileW(openable.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

} // namespace

MappedFile::MappedFile(uint32_t limit)
{
    // Views stay within CrcUpdate's signed 32-bit length.
    const uint64_t rounded = (uint64_t(limit) + kViewAlignment - 1) / kViewAlignment * kViewAlignment;
    viewLimit = static_cast<uint32_t>(std::min<uint64_t>(std::max<uint64_t>(rounded, kViewAlignment),
                                                         kLargestView));
}

MappedFile::~MappedFile()
{
    Release();
}

int MappedFile::MapFile(const wchar_t* path)
{
    Release();
    failed = 0;
    runningCrc = 0;
    length = 0;
    viewOffset = 0;

    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return Fail();
    LARGE_INTEGER fileLength;
    if (!GetFileSizeEx(file, &fileLength)) {
        CloseHandle(file);
        return Fail();
    }
    length = static_cast<uint64_t>(fileLength.QuadPart);
    if (length == 0) {
        CloseHandle(file);
        return 0;
    }
    mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);   // the mapping keeps the file open
    if (!mapping)
        return Fail();
    return MapViewAt(0);
}

int MappedFile::MapNextView()
{
    if (!view)
        return 0;
    const uint64_t next = viewOffset + size;
    UnmapViewOfFile(view);
    view = nullptr;
    size = 0;
    if (next >= length) {
        Release();
        return 0;
    }
    return MapViewAt(next);
}

int MappedFile::MapViewAt(uint64_t offset)
{
    const uint64_t rest = length - offset;
    const uint32_t bytes = rest < viewLimit ? static_cast<uint32_t>(rest) : viewLimit;
    view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ,
                                                     static_cast<DWORD>(offset >> 32),
                                                     static_cast<DWORD>(offset), bytes));
    if (!view)
        return Fail();
    viewOffset = offset;
    size = bytes;
    if (offset + bytes >= length) {
        // The last view keeps the mapping alive on its own.
        CloseHandle(mapping);
        mapping = nullptr;
    }
    return 1;
}

int MappedFile::Fail()
{
    Release();
    failed = 1;
    return 0;
}

void MappedFile::Release()
{
    if (view)
        UnmapViewOfFile(view);
    view = nullptr;
    size = 0;
    if (mapping)
        CloseHandle(mapping);
    mapping = nullptr;
}

int MappedFile::ChecksumWholeFile(const wchar_t* path)
{
    return MapFile(path) ? ChecksumViews() : 0;
}

int MappedFile::ChecksumViews()
{
    if (!view)
        return 0;
    do {
        ViewFaultGuard guard(view, size);
        CrcUpdate(view, static_cast<int32_t>(size));
        if (guard.Faulted()) {
            // A read error inside the view: the CRC is worthless, and the
            // guard frees the zero pages that stand where the view was.
            view = nullptr;
            return Fail();
        }
    } while (MapNextView());
    return failed ? 0 : 1;
}
