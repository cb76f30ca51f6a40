#pragma once

// True for a path that names its place only relative to the current folder
// or drive ("file.txt", ".", "..\\x", "\\x", "C:x"); false for a full path
// ("C:\\x", "C:/x", "\\\\server\\share", "\\\\?\\C:\\x") and for the empty text.
bool IsRelativePath(const wchar_t* path);
