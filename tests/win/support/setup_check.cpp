#include "support/setup_check.h"

#include "support/unix_path.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace setup_check {

void Fail(const char* file, int line, const std::string& what, const std::wstring& path)
{
    const DWORD error = GetLastError();
    const std::string reason = "set-up failed: " + what + ": " + Utf8(path) + " (error " +
                               std::to_string(error) + ")";
    ADD_FAILURE_AT(file, line) << reason;
    throw std::runtime_error(reason);
}

}  // namespace setup_check
