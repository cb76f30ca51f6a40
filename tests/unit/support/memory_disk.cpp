#include "support/memory_disk.h"

#include <algorithm>
#include <functional>

namespace {

class MemorySearch : public DirectorySearch {
public:
    MemorySearch(MemoryDisk& disk, const std::vector<DirectoryEntry>& entries, size_t breakAt)
        : disk(disk), entries(entries), breakAt(breakAt)
    {
        disk.mostOpen = std::max(disk.mostOpen, ++disk.openSearches);
    }
    ~MemorySearch() override { --disk.openSearches; }

    bool Next(DirectoryEntry& entry) override
    {
        if (next == breakAt && next < entries.size()) {
            brokeOff = true;
            return false;
        }
        if (next == entries.size())
            return false;
        entry = entries[next++];
        return true;
    }

    bool BrokeOff() const override { return brokeOff; }

private:
    MemoryDisk& disk;
    const std::vector<DirectoryEntry>& entries;
    size_t breakAt;
    size_t next = 0;
    bool brokeOff = false;
};

}  // namespace

void MemoryDisk::Add(const std::wstring& folder, std::initializer_list<DirectoryEntry> entries)
{
    auto& listing = folders[folder];
    listing.insert(listing.end(), entries);
}

int MemoryDisk::Listings(const std::wstring& folder) const
{
    return static_cast<int>(std::count(opened.begin(), opened.end(), folder));
}

void MemoryDisk::AddFiles(const std::wstring& folder,
                          std::initializer_list<std::pair<const wchar_t*, uint32_t>> files)
{
    auto& listing = folders[folder];
    for (const auto& [name, crc] : files) {
        listing.push_back({name, kFile});
        crcs[folder + name] = crc;
    }
}

FileChecksum MemoryDisk::ChecksumFile(const std::wstring& path, ChunkHook& between)
{
    read.push_back(path);
    if (onRead)
        onRead(path);
    auto it = crcs.find(path);
    if (std::count(unreadable.begin(), unreadable.end(), path) > 0 || it == crcs.end())
        return {};
    if (it->second == 0)
        return {FileRead::Empty, 0};
    for (int chunk = 0; chunk < chunksPerFile; ++chunk)
        if (!between.BetweenChunks())
            return {FileRead::Stopped, 0};
    return {FileRead::Read, it->second};
}

ItemKind MemoryDisk::KindOf(const std::wstring& path)
{
    const std::wstring folder = path.empty() || path.back() == L'\\' ? path : path + L"\\";
    if (folders.count(Resolved(folder)) || linksTo.count(folder))
        return ItemKind::Folder;
    if (crcs.count(path) || std::count(unreadable.begin(), unreadable.end(), path) > 0)
        return ItemKind::File;
    return ItemKind::Unknown;
}

std::unique_ptr<DirectorySearch> MemoryDisk::Open(const std::wstring& folder)
{
    opened.push_back(folder);
    auto it = folders.find(Resolved(folder));
    if (it == folders.end())
        return nullptr;
    const bool gone = std::count(secondListingFails.begin(), secondListingFails.end(), folder) > 0;
    if (gone && Listings(folder) > 1)
        return nullptr;
    const auto breaks = breaksOffAfter.find(folder);
    const bool whole = breaks == breaksOffAfter.end() ||
                       (Listings(folder) == 1 &&
                        std::count(breaksOnlyLater.begin(), breaksOnlyLater.end(), folder) > 0);
    return std::make_unique<MemorySearch>(*this, it->second, whole ? size_t(-1) : breaks->second);
}

bool MemoryDisk::Identify(const std::wstring& folder, FolderIdentity& identity)
{
    if (std::count(unknownIdentity.begin(), unknownIdentity.end(), folder) > 0)
        return false;
    identity.created = 1;
    identity.index = std::hash<std::wstring>()(Resolved(folder));
    return true;
}

std::wstring MemoryDisk::Resolved(std::wstring folder) const
{
    for (int hops = 0; hops < 40; ++hops) {
        bool followed = false;
        for (const auto& [link, target] : linksTo)
            if (folder.compare(0, link.size(), link) == 0) {
                folder = target + folder.substr(link.size());
                followed = true;
                break;
            }
        if (!followed)
            break;
    }
    return folder;
}

void WalkJournal::FolderStarted(const std::wstring& folder)
{
    folders.push_back(folder);
    events.push_back(L"folder " + folder);
}

bool WalkJournal::File(const std::wstring& path)
{
    files.push_back(path);
    events.push_back(L"file " + path);
    return files.size() < stopAfterFiles;
}

bool WalkJournal::Unreadable(const std::wstring& path, Unreached why)
{
    const wchar_t* kind = why == Unreached::File     ? L"unreadable "
                          : why == Unreached::Folder ? L"unreadable folder "
                                                     : L"link loop ";
    events.push_back(kind + path);
    return goOnAfterUnreadable;
}
