// Defines and removes drive letters of the Wine prefix through the mount
// manager (see mount_manager.h), and lists the drives there are.
#include "probe_verbs.h"

#include "program_windows.h"
#include "mount_manager.h"

#include <cwctype>
#include <string>

namespace {

bool TypeOf(const std::wstring& name, ULONG& type)
{
    if (name == L"cdrom")
        type = DRIVE_CDROM;
    else if (name == L"hd")
        type = DRIVE_FIXED;
    else if (name == L"removable")
        type = DRIVE_REMOVABLE;
    else
        return false;
    return true;
}

} // namespace

int Drives()
{
    const DWORD present = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(present & (1u << bit)))
            continue;
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + bit), L':', L'\\', 0};
        Print(std::wstring(root, 2) + L'\t' + std::to_wstring(GetDriveTypeW(root)));
    }
    return 0;
}

int Drive(int argc, wchar_t** argv)
{
    // argv: LETTER [UNIXPATH TYPE]
    if (argc != 1 && argc != 3)
        return 2;
    const std::wstring letterText = argv[0];
    if (letterText.empty() || !iswalpha(letterText[0]))
        return 2;
    const wchar_t letter = static_cast<wchar_t>(towupper(letterText[0]));
    if (argc == 1)
        return DefineUnixDrive(letter, "", DRIVE_NO_ROOT_DIR) ? 0 : 1;
    ULONG type = 0;
    if (!TypeOf(argv[2], type))
        return 2;
    // The Unix path travels as the bytes the file system stores.
    const std::wstring wide = argv[1];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string unixPath(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &unixPath[0], bytes, nullptr, nullptr);
    if (unixPath.empty() || unixPath[0] != '/')
        return 2;
    if (!DefineUnixDrive(letter, unixPath, type))
        return 1;
    const wchar_t root[] = {letter, L':', L'\\', 0};
    return GetDriveTypeW(root) == type ? 0 : 1;
}
