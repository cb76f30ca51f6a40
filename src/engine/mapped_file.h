#pragma once
#include "engine/chunked_crc.h"
#include "engine/file_checksum.h"

#include <cstdint>
#include <windows.h>

// The file being checked, read through read-only mapped views and nothing
// else: no read buffer, no copy. The views follow each other in file order,
// each of a bounded size, so that files of any length are checked in full
// and a read fault never costs more than one view's worth of stand-in pages.
class MappedFile {
public:
    static constexpr uint32_t kDefaultViewLimit = 16u << 20;

    // viewLimit is rounded up to the 64 KiB that view offsets are aligned to,
    // and kept at 1 GiB at most.
    explicit MappedFile(uint32_t viewLimit = kDefaultViewLimit);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // The file's CRC, the hook asked between every two chunks of its bytes.
    // A read error inside a view (a damaged or removed medium, a file cut
    // short meanwhile) makes it Unreadable, never a CRC of what could be
    // read. Afterwards no handle, mapping or view of the file remains open.
    // Paths of any length are accepted.
    FileChecksum Checksum(const wchar_t* path, ChunkHook& between);
    // The same for a read that nobody waits on.
    FileChecksum Checksum(const wchar_t* path);

    // The steps of Checksum. MapFile opens the file and maps its first view:
    // Read when it exists, else Empty or Unreadable with nothing held. Other
    // programs may read the file meanwhile; one that may write it makes it
    // unreadable, after a short wait for it to let go.
    FileRead MapFile(const wchar_t* path);
    // Releases the current view and maps the next one: Read when it exists;
    // Empty when the file has no more; Unreadable when it could not be made.
    // Nothing of the file is held afterwards, unless Read.
    FileRead MapNextView();
    // The second half of Checksum: the current view and every later one.
    FileChecksum ChecksumViews(ChunkHook& between);
    // Releases whatever of the file is still held. Safe to call at any time.
    void Release();

    const uint8_t* View() const { return view; }
    uint32_t ViewSize() const { return size; }
    uint64_t ViewOffset() const { return viewOffset; }
    uint64_t Length() const { return length; }
    // The mapping handle stays open only while views remain to be made.
    bool HoldsMapping() const { return mapping != nullptr; }

private:
    FileRead MapViewAt(uint64_t offset);
    FileRead Fail();

    uint32_t viewLimit;
    HANDLE mapping = nullptr;
    const uint8_t* view = nullptr;
    uint32_t size = 0;          // bytes in the current view
    uint64_t viewOffset = 0;    // where the current view starts in the file
    uint64_t length = 0;        // the file's full length
};

// The one file-reading object of the program.
extern MappedFile mappedFile;
