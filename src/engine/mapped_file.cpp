#include "engine/mapped_file.h"

#include "engine/openable_path.h"
#include "engine/view_fault_guard.h"
#include "engine/wow64_redirection.h"

#include <algorithm>
#include <string>

MappedFile mappedFile;

namespace {

constexpr uint32_t kViewAlignment = 64u << 10;   // the system's allocation granularity
constexpr uint32_t kLargestView = 1u << 30;
// Right after a disc goes in, the shell's thumbnailer, AutoPlay, a virus
// scanner or the indexer may hold a file in a way that shuts readers out
// for a moment.
constexpr DWORD kSharingWaitMs = 1000;
constexpr DWORD kSharingRetryMs = 50;

HANDLE Open(const std::wstring& path)
{
    Wow64RedirectionOff direct;
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Shared with other readers; a program that holds the file for writing (or
// shares nothing) makes it unreadable, since it may change while it is read.
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
    const DWORD start = GetTickCount();
    for (;;) {
        HANDLE file = Open(openable);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION ||
            GetTickCount() - start >= kSharingWaitMs)
            return file;
        Sleep(kSharingRetryMs);
    }
}

// Stops the reading of a view once a read fault has replaced it: the rest of
// it holds only the guard's stand-in zeros.
class StopAtFault : public ChunkHook {
public:
    StopAtFault(const ViewFaultGuard& guard, ChunkHook& next) : guard(guard), next(next) {}
    bool BetweenChunks() override { return !guard.Faulted() && next.BetweenChunks(); }

private:
    const ViewFaultGuard& guard;
    ChunkHook& next;
};

} // namespace

MappedFile::MappedFile(uint32_t limit)
{
    // Views stay within what a 32-bit process finds address space for.
    const uint64_t rounded = (uint64_t(limit) + kViewAlignment - 1) / kViewAlignment * kViewAlignment;
    viewLimit = static_cast<uint32_t>(std::min<uint64_t>(std::max<uint64_t>(rounded, kViewAlignment),
                                                         kLargestView));
}

MappedFile::~MappedFile()
{
    Release();
}

FileRead MappedFile::MapFile(const wchar_t* path)
{
    Release();
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
        return FileRead::Empty;
    }
    mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);   // the mapping keeps the file open
    if (!mapping)
        return Fail();
    return MapViewAt(0);
}

FileRead MappedFile::MapNextView()
{
    if (!view)
        return FileRead::Empty;
    const uint64_t next = viewOffset + size;
    UnmapViewOfFile(view);
    view = nullptr;
    size = 0;
    if (next >= length) {
        Release();
        return FileRead::Empty;
    }
    return MapViewAt(next);
}

FileRead MappedFile::MapViewAt(uint64_t offset)
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
    return FileRead::Read;
}

FileRead MappedFile::Fail()
{
    Release();
    return FileRead::Unreadable;
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

FileChecksum MappedFile::Checksum(const wchar_t* path)
{
    NoChunkEvents nobodyWaits;
    return Checksum(path, nobodyWaits);
}

FileChecksum MappedFile::Checksum(const wchar_t* path, ChunkHook& between)
{
    const FileRead mapped = MapFile(path);
    if (mapped != FileRead::Read)
        return FileChecksum{mapped, 0};
    return ChecksumViews(between);
}

FileChecksum MappedFile::ChecksumViews(ChunkHook& between)
{
    FileChecksum result{view ? FileRead::Read : FileRead::Unreadable, 0};
    while (result.status == FileRead::Read) {
        bool goOn;
        {
            ViewFaultGuard guard(view, size);
            StopAtFault hook(guard, between);
            goOn = CrcInChunks(result.crc, view, size, hook);
            if (guard.Faulted()) {
                // The CRC is worthless, and the guard frees the zero pages
                // that stand where the view was.
                view = nullptr;
                Release();
                return FileChecksum{FileRead::Unreadable, 0};
            }
        }
        if (!goOn) {
            Release();
            result.status = FileRead::Stopped;
            return result;
        }
        const FileRead next = MapNextView();
        if (next == FileRead::Empty)
            return result;
        result.status = next;
    }
    result.crc = 0;
    return result;
}
