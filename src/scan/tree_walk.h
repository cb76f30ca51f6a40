#pragma once
// The walk over a folder tree that both the disk walk and the folder check
// use. In every folder its files come first, in the order the directory
// search lists them; then its subfolders in that order, depth first, each
// again with its own files before its subfolders. Nothing is sorted, so a scan
// and a later compare of the same disk visit the files in the same order.
//
// Window-free: the directory search is behind DirectorySource, so the walk
// order can be tested without a file system.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The attribute bits the walk looks at (the platform's values).
constexpr uint32_t kAttributeSystem = 0x04;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeReparsePoint = 0x400;

struct DirectoryEntry {
    std::wstring name;
    uint32_t attributes = 0;
};

// One open directory search; closed when destroyed.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    // The next entry, in the order the file system lists them; false at the end.
    virtual bool Next(DirectoryEntry& entry) = 0;
    // After Next answered false: the listing broke off (a damaged directory
    // sector) instead of coming to its end.
    virtual bool BrokeOff() const { return false; }
};

// Which folder a path leads to, whatever way it was reached: a link and the
// folder it leads to have the same identity. The file index tells folders of
// one volume apart; folders of two volumes may share one (every NTFS root has
// index 5), and their creation times tell those apart. (The volume serial
// number would too, but under Wine a folder reached through two drive
// letters has two of them.)
struct FolderIdentity {
    uint64_t index = 0;
    uint64_t created = 0;
    bool operator==(const FolderIdentity& other) const
    {
        return index == other.index && created == other.created;
    }
};

class DirectorySource {
public:
    virtual ~DirectorySource() = default;
    // A search over every entry of folder (a path that ends with a separator),
    // or null when the folder cannot be searched (an empty folder gives a
    // search without entries): the walk reports it.
    virtual std::unique_ptr<DirectorySearch> Open(const std::wstring& folder) = 0;
    // The identity of folder (a path that ends with a separator); false when
    // it cannot be told.
    virtual bool Identify(const std::wstring& folder, FolderIdentity& identity) = 0;
};

// Why the walk hands something over as unreadable. What the owner can tell
// of the walk after it differs: a file keeps its place among the files, what
// a folder holds is unknown, and what a link back up the walk's path leads
// to is walked already.
enum class Unreached {
    File,      // an entry that its path would not name (see IsAddressable)
    Folder,    // a folder that cannot be searched, or not in full (its listing broke
               // off), that its path would not name, or a link whose folder cannot be told
    LinkLoop,  // a link to a folder on the walk's own path: entered, it would never end
};

class TreeWalkVisitor {
public:
    virtual ~TreeWalkVisitor() = default;
    // A folder's file pass begins (before its search is opened).
    virtual void FolderStarted(const std::wstring& folder) = 0;
    // One file, with the folder's path in front of its name. False ends the
    // walk early.
    virtual bool File(const std::wstring& path) = 0;
    // Something the walk found and cannot read, so that it is reported and
    // not silently left out. A folder's path ends with a separator. False
    // ends the walk early.
    virtual bool Unreadable(const std::wstring& path, Unreached why) = 0;
};

// Whether a path made of the folder's path and this name names this entry
// and no other. Not so for a name with a separator in it (a Linux name may
// hold '\\'), nor for a name that the folder lists more than once: the
// system shows every byte of a Linux name that is not UTF-8 as U+FFFD, so
// such names can come out the same, and the path then always opens the
// first of them. `seen` collects the names with that stand-in character
// within one listing of a folder.
bool IsAddressable(const DirectoryEntry& entry, std::vector<std::wstring>& seen);

// Subfolders the walk enters: not "." or "..", no name beginning with a
// dot, no system folder. Hidden folders are entered, and so are links to
// folders (a mounted volume, a junction, a symbolic link), unless they lead
// back to a folder on the walk's own path, which the walk reports instead.
bool IsEnteredFolder(const DirectoryEntry& entry);

// The path a walk of path starts from: path itself when it already ends with
// a separator (a drive root such as "C:\\"), else path and "\\".
std::wstring WalkStartFolder(const std::wstring& path);

// Walks the tree below startFolder (see WalkStartFolder). True when every
// folder was walked, false when the visitor ended the walk early. Every
// search is closed when it returns, on every path. Any depth and any path
// length: one search is open per level, held in a growing stack.
bool WalkTree(DirectorySource& source, const std::wstring& startFolder, TreeWalkVisitor& visitor);
