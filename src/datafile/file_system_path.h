#pragma once
#include <string>

// The form of a full path to hand to the file functions: the path itself, or
// its extended-length form when it is too long for the legacy limit, so that
// a name chosen in the file dialog can be opened however long it is.
std::wstring FileSystemPath(const std::wstring& path);
