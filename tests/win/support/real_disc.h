#pragma once
// Discs as a drive shows them, for the tests of damaged media: a folder
// burned into an ISO 9660 image and mounted by a FUSE reader, and a FUSE disc
// with faults over a folder or an image (bad sectors, folders that cannot be
// listed, the disc taken out part way). Both are Linux mounts that a test
// then gives a drive letter (scan_test::CdDrive).
#include "faults/unix_side.h"
#include "scan/scan_fixture.h"
#include "support/unix_path.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace disc_test {

// The image of a folder's tree, mounted read-only by fuseiso: Joliet names
// (and Rock Ridge), as a burning program writes a data disc; with `udf`, a
// UDF bridge image as DVD authoring writes it, read through its ISO 9660 side.
class DiscImage {
public:
    DiscImage(const std::wstring& sourceFolder, bool udf = false);
    ~DiscImage();
    DiscImage(const DiscImage&) = delete;
    DiscImage& operator=(const DiscImage&) = delete;

    // "ok", or why the image could not be made or mounted.
    const std::string& Outcome() const { return outcome; }
    // Where the disc's root is on the Linux side.
    std::string MountPoint() const { return UnixPath(work.Path(L"mnt")); }

private:
    TestFolder work;   // the image, the mount point, the plan
    std::string outcome;
};

// What is wrong with a faulty disc. Disc paths are Linux paths from the
// disc's root ("/sub/file").
struct Faults {
    // A read that reaches the offset fails (a bad sector there).
    std::map<std::wstring, uint64_t> badSectors;
    // Folders whose listing fails.
    std::vector<std::wstring> unlistable;
    // Taken out as this file is opened: its reads fail, and so does
    // everything after, as when the disc is taken out while the file is read.
    std::wstring takeOutWhenOpened;
    // A slow drive: reads take as long as this rate gives (0: at once).
    uint64_t bytesPerSecond = 0;
};

// A read-only FUSE copy of a Linux folder with the faults given.
class FaultyDisc {
public:
    FaultyDisc(const std::string& sourceUnixPath, const Faults& faults);
    ~FaultyDisc();
    FaultyDisc(const FaultyDisc&) = delete;
    FaultyDisc& operator=(const FaultyDisc&) = delete;

    const std::string& Outcome() const { return outcome; }
    std::string MountPoint() const { return UnixPath(work.Path(L"mnt")); }
    // How far the drive has read the file so far (a disc path, "/big.bin"):
    // the end of its furthest read, 0 before any.
    uint64_t ReadUpTo(const std::wstring& discPath) const;

private:
    TestFolder work;   // the image, the mount point, the plan, the read log
    std::string outcome;
    std::unique_ptr<unix_side::Script> daemon;   // serves the disc until it is unmounted
};

}  // namespace disc_test
