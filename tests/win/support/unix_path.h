#pragma once
// Where a Windows path lies on the Linux side of the machine, for tests that
// reach past Wine: defining drives over a folder, running Linux tools on it.
#include <string>

// The Linux path of a Windows path ("" outside Wine).
std::string UnixPath(const std::wstring& windowsPath);
// The UTF-8 bytes of a text, as Linux names and the tests' scripts take it.
std::string Utf8(const std::wstring& text);
// The Linux path of the source tree: FERROW_SOURCE_DIR, which ctest gives the
// tests, or else the folder four levels above the test program's (the
// presets build under build/<preset>/ of the tree).
std::string SourceTreeUnixPath();
