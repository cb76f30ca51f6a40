#include "datafile/file_name_prompt.h"

#include "datafile/file_extension.h"
#include "engine/long_path.h"
#include "toolkit/window.h"
#include "toolkit/system_library.h"

#include <string>

namespace {

bool SameFileName(const std::wstring& a, const wchar_t* b)
{
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

bool FileExists(const wchar_t* path)
{
    return GetFileAttributesW(FileSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

FileNamePrompt::FileNamePrompt(int openMode, const wchar_t* filterList, int filterIndex,
                               const wchar_t* defaultExt)
    : openMode(openMode),
      dialogFlags(openMode ? kOpenFlags : kSaveFlags),
      filterIndex(filterIndex),
      filterList(filterList),
      defaultExt(defaultExt)
{
}

int FileNamePrompt::Run(HWND owner, wchar_t* buffer, DWORD bufferChars, const wchar_t* initialFolder)
{
    replacesOtherFile = false;
    // The whole record: the dialogs of this century read the fields after the
    // old 76-byte part too.
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = ModuleInstance();
    ofn.lpstrFilter = filterList;
    ofn.nFilterIndex = filterIndex;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = bufferChars;
    ofn.lpstrInitialDir = initialFolder;
    ofn.lpstrTitle = dialogTitle;
    ofn.Flags = dialogFlags;
    if (defaultExt)
        ofn.lpstrDefExt = *defaultExt == L'.' ? defaultExt + 1 : defaultExt;
    Customize(ofn);

    const BOOL confirmed = openMode ? system_library::GetOpenFileName(&ofn)
                                       : system_library::GetSaveFileName(&ofn);
    if (!confirmed)
        return 0;
    if (!defaultExt)
        return 1;

    const std::wstring chosen = buffer;
    if (!ForceExtension(buffer, bufferChars, defaultExt))
        return -1;
    // The dialog asked about the name as typed; a different file that the
    // forced extension names must not be replaced unasked.
    replacesOtherFile = !openMode && !SameFileName(chosen, buffer) && FileExists(buffer);
    return 1;
}
