#pragma once
// Clearing away what a test made on disk.
#include <string>

// Deletes the folder with everything in it, at any depth and path length,
// read-only and hidden files too. folder is a full path.
void RemoveTree(const std::wstring& folder);
