// Lists a folder tree in the order a Ferrow walk visits it, from the
// directory search alone: in every folder its files first, in the order
// FindFirstFileW / FindNextFileW return them, then its subfolders in that
// order, depth first. Subfolders whose names begin with a dot and system
// folders are not entered; hidden ones are. The end-to-end tests compare a
// saved CRC list with CRCs computed in this order.
#include "probe_verbs.h"

#include "program_windows.h"

#include <string>

namespace {

struct Entry {
    std::wstring name;
    DWORD attributes;
};

std::vector<Entry> Listing(const std::wstring& folder)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do
        entries.push_back({data.cFileName, data.dwFileAttributes});
    while (FindNextFileW(search, &data));
    FindClose(search);
    return entries;
}

bool Entered(const Entry& entry)
{
    return (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.attributes & FILE_ATTRIBUTE_SYSTEM) &&
           !entry.name.empty() && entry.name[0] != L'.';
}

// "folder<TAB>path" as a folder's file pass begins, then "file<TAB>path" for
// each of its files.
void ListFolder(const std::wstring& folder)
{
    Print(L"folder\t" + folder);
    for (const Entry& entry : Listing(folder))
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY))
            Print(L"file\t" + folder + entry.name);
    for (const Entry& entry : Listing(folder))
        if (Entered(entry))
            ListFolder(folder + entry.name + L'\\');
}

} // namespace

int Walk(const wchar_t* path)
{
    std::wstring folder = path;
    if (folder.empty())
        return 2;
    if (folder.back() != L'\\')
        folder += L'\\';
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return 1;
    ListFolder(folder);
    return 0;
}
