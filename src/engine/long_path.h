#pragma once
#include <string>

// Windows opens paths of this many characters or more only in the extended
// form ("\\?\" prefix), which bypasses the usual length limit.
constexpr size_t kLegacyPathLimit = 260;

// The extended-length form of a full path: "C:\a\b" becomes "\\?\C:\a\b" and
// "\\server\share\a" becomes "\\?\UNC\server\share\a". Forward slashes become
// backslashes and repeated separators collapse, since the extended form takes
// the path literally. Paths already in a device form ("\\?\", "\\.\", "\??\")
// and paths that are not full (relative, "C:a", "\a") come back unchanged.
std::wstring ExtendedLengthPath(const std::wstring& fullPath);
