#pragma once
// A folder of a test's own for the files it makes.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder below the temporary folder, removed with all it holds at
// the end of the test.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's full path, without a final separator.
    const std::wstring& Root() const { return root; }
    // Root, a separator and relative.
    std::wstring Path(const std::wstring& relative) const { return root + L"\\" + relative; }

    // Files and folders at any depth and path length; a failure ends the test
    // (support/setup_check.h). Write returns the file's path.
    std::wstring Write(const std::wstring& relative, const std::string& bytes) const;
    std::wstring Write(const std::wstring& relative, const std::vector<uint8_t>& bytes) const;
    void MakeFolder(const std::wstring& relative) const;
    void Remove(const std::wstring& relative) const;
    void SetAttributes(const std::wstring& relative, DWORD attributes) const;

    // The names of the files and folders in it, sorted.
    std::vector<std::wstring> FileNames() const;

private:
    std::wstring root;
};

// Another program has the file open for writing and lets others only read
// it, as long as this object lives: the program can neither read it (its
// content may change meanwhile) nor replace it.
class FileHeldOpen {
public:
    explicit FileHeldOpen(const std::wstring& path);
    ~FileHeldOpen() { Release(); }
    FileHeldOpen(const FileHeldOpen&) = delete;
    FileHeldOpen& operator=(const FileHeldOpen&) = delete;

    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE handle;
};

// The names of the files and folders in folder, sorted, without "." and "..".
std::vector<std::wstring> FileNamesIn(const std::wstring& folder);
// The names of a folder's files (not folders) in the order the directory
// search lists them.
std::vector<std::wstring> ListedFileNames(const std::wstring& folder);
