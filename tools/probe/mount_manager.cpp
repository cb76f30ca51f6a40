#include "mount_manager.h"

#include <winioctl.h>

#include <cstring>
#include <cwctype>
#include <vector>

namespace {

// Wine's mount manager interface (its ddk/mountmgr.h).
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
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

}  // namespace

bool DefineUnixDrive(wchar_t letter, const std::string& unixPath, ULONG type)
{
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
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
    const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(),
                                    static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                                    nullptr);
    CloseHandle(manager);
    return ok != FALSE;
}
