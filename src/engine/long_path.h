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

// The form of a full path to hand to the file functions at any length: the
// path itself when it is shorter than the legacy limit, else its extended
// form.
std::wstring FileSystemPath(const std::wstring& path);

// The extended form of a full path that names its file exactly as it stands
// (no "." or ".." component, as the walks build paths from a folder and a
// directory entry). The system takes that form literally, so a name that
// ends in a dot or a space, or that is also a device name ("nul",
// "com1.txt"), opens the file of that name, not a device or another file.
// Empty for any other path (relative, with "." or "..", a device form): it
// needs the system's full-path rules first.
std::wstring LiteralPath(const std::wstring& path);
