#pragma once
// Where a Windows path lies on the Linux side of the machine, for tests that
// reach past Wine: defining drives over a folder, running Linux tools on it.
#include <string>

// The Linux path of a Windows path ("" outside Wine).
std::string UnixPath(const std::wstring& windowsPath);
