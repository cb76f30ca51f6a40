#include "scan/tree_walk.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// One level of the walk: the folder pass's search and where the folder's own
// name ends in the path, so that the walk can return to the parent.
struct Level {
    std::unique_ptr<DirectorySearch> folders;
    size_t pathLength;
    std::vector<std::wstring> seen;   // the folder pass's names with the stand-in character
    bool reported = false;            // the folder was reported as not read in full
    // The folder's identity, asked for only when a link needs it.
    bool identityAsked = false;
    bool identityKnown = false;
    FolderIdentity identity;
};

// The file pass of one folder; false when the visitor ended the walk.
// `searched` tells whether the folder could be searched, `brokeOff` whether
// its listing broke off (reported here already).
bool VisitFiles(DirectorySource& source, const std::wstring& folder, TreeWalkVisitor& visitor,
                bool& searched, bool& brokeOff)
{
    visitor.FolderStarted(folder);
    std::unique_ptr<DirectorySearch> files = source.Open(folder);
    searched = files != nullptr;
    if (!files)
        return visitor.Unreadable(folder, Unreached::Folder);
    DirectoryEntry entry;
    std::wstring path;
    std::vector<std::wstring> seen;
    while (files->Next(entry)) {
        if (entry.attributes & kAttributeDirectory)
            continue;
        path.assign(folder).append(entry.name);
        if (!(IsAddressable(entry, seen) ? visitor.File(path) : visitor.Unreadable(path, Unreached::File)))
            return false;
    }
    // The rest of the folder is unknown, not absent: the folder could not be
    // read in full. Its subfolders are still walked as far as they are listed.
    if (files->BrokeOff()) {
        brokeOff = true;
        return visitor.Unreadable(folder, Unreached::Folder);
    }
    return true;
}

bool IsStandIn(wchar_t c)
{
    return c == 0xFFFD;
}

// The system finds a name that it cannot find as it is by comparing without
// regard to case; so are the names compared here, as far as ASCII letters go
// (two such names that differ only in the case of another letter are rarer
// still, and not caught).
std::wstring CaseFolded(const std::wstring& name)
{
    std::wstring folded = name;
    for (wchar_t& c : folded)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return folded;
}

// Whether the link at `target` leads to a folder on the walk's path: the
// levels, whose paths are the first pathLength characters of `folder`.
// nullopt when the link's own folder cannot be told.
std::optional<bool> LeadsBackUp(DirectorySource& source, std::vector<Level>& levels,
                                const std::wstring& folder, const std::wstring& target)
{
    FolderIdentity leadsTo;
    if (!source.Identify(target, leadsTo))
        return std::nullopt;
    for (Level& level : levels) {
        if (!level.identityAsked) {
            level.identityAsked = true;
            level.identityKnown = source.Identify(folder.substr(0, level.pathLength), level.identity);
        }
        if (level.identityKnown && level.identity == leadsTo)
            return true;
    }
    return false;
}

// What stands in the way of entering a subfolder, if anything.
std::optional<Unreached> Obstacle(DirectorySource& source, std::vector<Level>& levels,
                                  const std::wstring& folder, const DirectoryEntry& entry)
{
    if (!IsAddressable(entry, levels.back().seen))
        return Unreached::Folder;
    if (!(entry.attributes & kAttributeReparsePoint))
        return std::nullopt;
    const std::optional<bool> loop = LeadsBackUp(source, levels, folder, folder + entry.name + L'\\');
    if (!loop)
        return Unreached::Folder;
    if (*loop)
        return Unreached::LinkLoop;
    return std::nullopt;
}

// Closes the open searches from the deepest level up.
void CloseAll(std::vector<Level>& levels)
{
    while (!levels.empty())
        levels.pop_back();
}

} // namespace

bool IsEnteredFolder(const DirectoryEntry& entry)
{
    return (entry.attributes & kAttributeDirectory) && !(entry.attributes & kAttributeSystem) &&
           !entry.name.empty() && entry.name[0] != L'.';
}

bool IsAddressable(const DirectoryEntry& entry, std::vector<std::wstring>& seen)
{
    const std::wstring& name = entry.name;
    if (name.find_first_of(L"\\/") != std::wstring::npos)
        return false;
    if (std::find_if(name.begin(), name.end(), IsStandIn) == name.end())
        return true;
    std::wstring folded = CaseFolded(name);
    if (std::find(seen.begin(), seen.end(), folded) != seen.end())
        return false;
    seen.push_back(std::move(folded));
    return true;
}

std::wstring WalkStartFolder(const std::wstring& path)
{
    if (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        return path;
    return path + L'\\';
}

bool WalkTree(DirectorySource& source, const std::wstring& startFolder, TreeWalkVisitor& visitor)
{
    std::wstring folder = startFolder;
    std::vector<Level> levels;
    DirectoryEntry entry;
    bool entering = true;
    for (;;) {
        if (entering) {
            bool searched = false, brokeOff = false;
            if (!VisitFiles(source, folder, visitor, searched, brokeOff)) {
                CloseAll(levels);
                return false;
            }
            // The folder pass lists the folder a second time, so that its files
            // are done before any subfolder is opened. A folder that could not
            // be searched has been reported once, at its file pass.
            levels.push_back({searched ? source.Open(folder) : nullptr, folder.size(), {}, brokeOff,
                              false, false, {}});
            if (searched && !brokeOff && !levels.back().folders &&
                !visitor.Unreadable(folder, Unreached::Folder)) {
                CloseAll(levels);
                return false;
            }
            entering = false;
        }
        Level& level = levels.back();
        if (level.folders && level.folders->Next(entry)) {
            if (IsEnteredFolder(entry)) {
                const std::optional<Unreached> obstacle = Obstacle(source, levels, folder, entry);
                if (!obstacle) {
                    folder.append(entry.name).append(1, L'\\');
                    entering = true;
                } else if (!visitor.Unreadable(folder + entry.name + L'\\', *obstacle)) {
                    CloseAll(levels);
                    return false;
                }
            }
            continue;
        }
        if (level.folders && level.folders->BrokeOff() && !level.reported) {
            level.reported = true;
            if (!visitor.Unreadable(folder, Unreached::Folder)) {
                CloseAll(levels);
                return false;
            }
        }
        levels.pop_back();
        if (levels.empty())
            return true;
        folder.resize(levels.back().pathLength);
    }
}
