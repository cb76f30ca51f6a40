#include "scan/tree_walk.h"

#include <vector>

namespace {

// One level of the walk: the folder pass's search and where the folder's own
// name ends in the path, so that the walk can return to the parent.
struct Level {
    std::unique_ptr<DirectorySearch> folders;
    size_t pathLength;
};

// The file pass of one folder; false when the visitor ended the walk.
bool VisitFiles(DirectorySource& source, const std::wstring& folder, TreeWalkVisitor& visitor)
{
    visitor.FolderStarted(folder);
    std::unique_ptr<DirectorySearch> files = source.Open(folder);
    if (!files)
        return true;
    DirectoryEntry entry;
    std::wstring path;
    while (files->Next(entry)) {
        if (entry.attributes & kAttributeDirectory)
            continue;
        path.assign(folder).append(entry.name);
        if (!visitor.File(path))
            return false;
    }
    return true;
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
            if (!VisitFiles(source, folder, visitor)) {
                CloseAll(levels);
                return false;
            }
            // The folder pass lists the folder a second time, so that its files
            // are done before any subfolder is opened.
            levels.push_back({source.Open(folder), folder.size()});
            entering = false;
        }
        Level& level = levels.back();
        if (level.folders && level.folders->Next(entry)) {
            if (IsEnteredFolder(entry)) {
                folder.append(entry.name).append(1, L'\\');
                entering = true;
            }
            continue;
        }
        levels.pop_back();
        if (levels.empty())
            return true;
        folder.resize(levels.back().pathLength);
    }
}
