#pragma once
#include <cstdint>
#include <windows.h>

// The file being checked, read through read-only mapped views and nothing
// else: no read buffer, no copy. A file larger than one view is read through
// successive views in file order, so files of any length are checked in full.
class MappedFile {
public:
    // Largest view: small enough to find address space for in a 32-bit process.
    static constexpr uint32_t kDefaultViewLimit =
        sizeof(void*) == 8 ? 1u << 30 : 64u << 20;

    // viewLimit is rounded up to the 64 KiB that view offsets are aligned to,
    // and kept at 1 GiB at most.
    explicit MappedFile(uint32_t viewLimit = kDefaultViewLimit);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Resets runningCrc to 0, opens the file without sharing and maps its first
    // view. Nonzero when view holds the first size bytes of the file; 0
    // otherwise, failed telling a file that could not be opened, mapped or
    // viewed (1) from an empty one (0). Paths of any length are accepted.
    int MapFile(const wchar_t* path);
    // Releases the current view and maps the one after it. Nonzero when a new
    // view exists; 0 at the end of the file (failed 0) or when the view could
    // not be made (failed 1), with nothing of the file left open.
    int MapNextView();
    // Releases whatever of the file is still held. Safe to call at any time.
    void Release();

    // MapFile, then runningCrc advanced over every view in order, each released
    // after use. Nonzero: checked, runningCrc is the file's CRC. 0 with failed 0:
    // an empty file (CRC 0). 0 with failed 1: the file could not be read.
    // Afterwards no handle, mapping or view of the file remains open.
    int ChecksumWholeFile(const wchar_t* path);
    // The second half of ChecksumWholeFile: runningCrc advanced over the
    // current view and every later one. A read error inside a view (a
    // damaged or removed medium, a file cut short meanwhile) is a failure
    // like any other: 0 with failed 1, never a CRC of what could be read.
    int ChecksumViews();

    int32_t failed = 0;           // 1: the last file could not be opened, mapped or viewed
    HANDLE mapping = nullptr;     // open only while views remain to be made
    uint32_t size = 0;            // bytes in the current view
    const uint8_t* view = nullptr;
    uint64_t length = 0;          // the file's full length
    uint64_t viewOffset = 0;      // where the current view starts in the file

private:
    int MapViewAt(uint64_t offset);
    int Fail();

    uint32_t viewLimit;
};

// The one file-reading object of the program.
extern MappedFile mappedFile;
