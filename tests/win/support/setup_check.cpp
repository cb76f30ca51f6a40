#include "support/setup_check.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace setup_check {
namespace {

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size,
                            nullptr, nullptr);
    return bytes;
}

}  // namespace

void Fail(const char* file, int line, const std::string& what, const std::wstring& path)
{
    const DWORD error = GetLastError();
    const std::string reason = "set-up failed: " + what + ": " + Utf8(path) + " (error " +
                               std::to_string(error) + ")";
    ADD_FAILURE_AT(file, line) << reason;
    throw std::runtime_error(reason);
}

}  // namespace setup_check
