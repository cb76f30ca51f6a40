#include "datafile/file_system_path.h"

#include "engine/long_path.h"

std::wstring FileSystemPath(const std::wstring& path)
{
    return path.size() >= kLegacyPathLimit ? ExtendedLengthPath(path) : path;
}
