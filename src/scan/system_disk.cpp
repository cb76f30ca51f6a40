#include "scan/system_disk.h"

#include "engine/mapped_file.h"
#include "engine/openable_path.h"
#include "engine/wow64_redirection.h"

#include <windows.h>

FileChecksum SystemDisk::ChecksumFile(const std::wstring& path, ChunkHook& between)
{
    return mappedFile.Checksum(path.c_str(), between);
}

ItemKind SystemDisk::KindOf(const std::wstring& path)
{
    std::wstring openable;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (OpenablePath(path.c_str(), openable)) {
        Wow64RedirectionOff direct;
        attributes = GetFileAttributesW(openable.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ItemKind::Unknown;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? ItemKind::Folder : ItemKind::File;
}
