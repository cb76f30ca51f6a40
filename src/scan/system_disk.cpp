#include "scan/system_disk.h"

#include "engine/crc32.h"
#include "engine/mapped_file.h"
#include "engine/openable_path.h"

#include <windows.h>

FileRead SystemDisk::ChecksumFile(const std::wstring& path)
{
    FileRead read;
    if (mappedFile.ChecksumWholeFile(path.c_str())) {
        read.outcome = FileReadOutcome::Read;
        read.crc = runningCrc;
    } else {
        read.outcome = mappedFile.failed ? FileReadOutcome::Unreadable : FileReadOutcome::Empty;
    }
    return read;
}

ItemKind SystemDisk::KindOf(const std::wstring& path)
{
    std::wstring openable;
    const DWORD attributes = OpenablePath(path.c_str(), openable)
                                 ? GetFileAttributesW(openable.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ItemKind::Unknown;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? ItemKind::Folder : ItemKind::File;
}
