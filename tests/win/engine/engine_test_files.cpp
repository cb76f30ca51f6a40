#include "engine_test_files.h"

#include "support/remove_tree.h"
#include "support/setup_check.h"

namespace engine_test {


bool WriteWholeFile(const std::wstring& path, const void* bytes, size_t n)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = n == 0 || (WriteFile(file, bytes, static_cast<DWORD>(n), &written, nullptr) &&
                               written == n);
    CloseHandle(file);
    return ok;
}

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    path = std::wstring(temp) + L"ferrow-engine-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++serial);
    SETUP_CHECK(CreateDirectoryW(path.c_str(), nullptr), "cannot make the test folder", path);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path);
}

std::wstring ScratchFolder::Write(const std::wstring& name, const std::vector<uint8_t>& bytes)
{
    const std::wstring file = path + L"\\" + name;
    SETUP_CHECK(WriteWholeFile(file, bytes.data(), bytes.size()), "cannot write a test file", file);
    return file;
}

} // namespace engine_test
