#pragma once
#include <string>

// The form of a path that the file functions take as the user means it: a
// full path as it stands, in the extended form (see LiteralPath), so that a
// name ending in a dot or a space, or a device name, is the entry of that
// name; any other path made full first, and given the extended prefix only
// when it is too long without. Files, attributes and directory searches are
// all reached through it, so that they agree on what a path names. False
// when the path cannot be made full.
bool OpenablePath(const wchar_t* path, std::wstring& out);

// The full path of a path as the system makes it (GetFullPathNameW: against
// the current folder, with "." and ".." resolved); false when it cannot.
bool FullPathName(const wchar_t* path, std::wstring& out);
