#pragma once
// Drive letters of the Wine prefix, defined the way Wine's drive
// configuration tool does: through the mount manager, which makes the letter
// point at a Unix folder, records its type and tells every running program
// (GetLogicalDrives, GetDriveTypeW) at once. A plain symbolic link in the
// prefix's dosdevices folder is only noticed by programs started later.
#include <windows.h>

#include <string>

// Points letter at unixPath (its bytes as the file system stores them) with
// the drive type given (DRIVE_CDROM, ...); an empty path with
// DRIVE_NO_ROOT_DIR removes the letter.
bool DefineUnixDrive(wchar_t letter, const std::string& unixPath, ULONG type);
