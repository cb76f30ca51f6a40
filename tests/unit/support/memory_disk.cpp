#include "support/memory_disk.h"

#include <algorithm>
#include <functional>

namespace {

class MemorySearch : public DirectorySearch {
public:
    MemorySearch(MemoryDisk& disk, const std::vector<DirectoryEntry>& entries)
        : disk(disk), entries(entries)
    {
        disk.mostOpen = std::max(disk.mostOpen, ++disk.openSearches);
    }
    ~MemorySearch() override { --disk.openSearches; }

    bool Next(DirectoryEntry& entry) override
    {
        if (next == entries.size())
            return false;
        entry = entries[next++];
        return true;
    }

private:
    MemoryDisk& disk;
    const std::vector<DirectoryEntry>& entries;
    size_t next = 0;
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

FileRead MemoryDisk::ChecksumFile(const std::wstring& path)
{
    read.push_back(path);
    if (onRead)
        onRead(path);
    FileRead result;
    auto it = crcs.find(path);
    if (std::count(unreadable.begin(), unreadable.end(), path) > 0 || it == crcs.end())
        return result;
    result.outcome = it->second == 0 ? FileReadOutcome::Empty : FileReadOutcome::Read;
    result.crc = it->second;
    return result;
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
    return std::make_unique<MemorySearch>(*this, it->second);
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
