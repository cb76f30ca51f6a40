#pragma once
// A disk in memory for the folder walk, and a visitor that writes down what
// the walk hands over: the walk's order and its faults can then be tested
// without a file system.
#include "scan/disk_reader.h"
#include "scan/tree_walk.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

constexpr uint32_t kFile = 0x20;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kFolder = kAttributeDirectory;
constexpr uint32_t kLink = kAttributeDirectory | kAttributeReparsePoint;

using Paths = std::vector<std::wstring>;

// Each folder path lists its entries in the order a directory search would
// return them. A folder without a listing cannot be searched; one named in
// `secondListingFails` can be searched only once (it goes between the file
// pass and the folder pass). A folder named in `linksTo` is a link to
// another folder: below it the walk sees that folder's listings, and it has
// that folder's identity. A folder in `unknownIdentity` cannot tell its
// identity. A folder in `breaksOffAfter` lists only that many entries, then
// its listing breaks off (a damaged directory sector); with the folder also
// in `breaksOnlyLater`, its first listing is whole. It counts the
// searches it opens and how many are open at once.
class MemoryDisk : public DiskReader {
public:
    std::map<std::wstring, std::vector<DirectoryEntry>> folders;
    Paths secondListingFails;
    std::map<std::wstring, std::wstring> linksTo;
    Paths unknownIdentity;
    std::map<std::wstring, size_t> breaksOffAfter;
    Paths breaksOnlyLater;
    Paths opened;   // every folder asked for, in order
    std::map<std::wstring, uint32_t> crcs;
    Paths unreadable;
    Paths read;     // every file read, in order
    std::function<void(const std::wstring&)> onRead;
    int chunksPerFile = 1;
    int openSearches = 0;
    int mostOpen = 0;

    // Appends entries to folder's listing.
    void Add(const std::wstring& folder, std::initializer_list<DirectoryEntry> entries);
    // How often folder was asked for.
    int Listings(const std::wstring& folder) const;

    // Files into folder (a path ending with a separator), each with its
    // CRC, in this order.
    void AddFiles(const std::wstring& folder, std::initializer_list<std::pair<const wchar_t*, uint32_t>> files);

    std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) override;
    bool Identify(const std::wstring& folder, FolderIdentity& identity) override;
    // Asks the hook after each of chunksPerFile chunks of a file with bytes.
    FileChecksum ChecksumFile(const std::wstring& path, ChunkHook& between) override;
    // A folder when listed or linked, a file when it has a CRC or cannot be read.
    ItemKind KindOf(const std::wstring& path) override;

private:
    // The folder a path leads to, through any links on it.
    std::wstring Resolved(std::wstring folder) const;
};

// Everything the walk hands over: its files and its folders each on their
// own, and all of it in order as "folder X", "file X", and for what it could
// not read "unreadable X", "unreadable folder X" or "link loop X".
class WalkJournal : public TreeWalkVisitor {
public:
    Paths files;
    Paths folders;
    Paths events;
    size_t stopAfterFiles = static_cast<size_t>(-1);
    bool goOnAfterUnreadable = true;

    void FolderStarted(const std::wstring& folder) override;
    bool File(const std::wstring& path) override;
    bool Unreadable(const std::wstring& path, Unreached why) override;
};
