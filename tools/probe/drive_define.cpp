// Defines and removes drive letters of the Wine prefix the way Wine's drive
// configuration tool does: through the mount manager, which makes the letter
// point at a Unix folder, records its type and tells every running program
// (GetLogicalDrives, GetDriveTypeW) at once. A plain symbolic link in the
// prefix's dosdevices folder is only noticed by programs started later.
#include "probe_verbs.h"

#include "program_windows.h"

#include <winioctl.h>

#include <cstring>
#include <cwctype>
#include <string>

namespace {

// Wine's mount manager interface (include/ddk/mountmgr.h).
struct MountmgrUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDev;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineUnixDrive(wchar_t letter, const std::string& unixPath, ULONG type)
{
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> buffer(sizeof(MountmgrUnixDrive) + unixPath.size() + 1, 0);
    auto* drive = reinterpret_cast<MountmgrUnixDrive*>(buffer.data());
    drive->size = static_cast<ULONG>(buffer.size());
    drive->type = type;
    drive->letter = static_cast<WCHAR>(towlower(letter));
    if (!unixPath.empty()) {
        std::memcpy(buffer.data() + sizeof(MountmgrUnixDrive), unixPath.data(), unixPath.size());
        drive->mountPointOffset = sizeof(MountmgrUnixDrive);
    }
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return ok != FALSE;
}

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
