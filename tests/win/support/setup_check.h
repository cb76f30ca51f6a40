#pragma once
// A test whose set-up cannot be made ends at once: the failing step is
// reported with its reason and place, and the test stops there instead of
// going on without what it needs (a drop of a folder that was never made
// would wait for ever on a box that nobody answers).
#include <windows.h>

#include <string>

namespace setup_check {

// Reports the failure (with GetLastError) and ends the test by throwing;
// GoogleTest reports the test as failed and goes on with the next one.
[[noreturn]] void Fail(const char* file, int line, const std::string& what, const std::wstring& path);

}  // namespace setup_check

// SETUP_CHECK(CreateDirectoryW(p, nullptr), "cannot make a test folder", p)
#define SETUP_CHECK(condition, what, path)                                  \
    do {                                                                     \
        if (!(condition))                                                    \
            ::setup_check::Fail(__FILE__, __LINE__, (what), (path));         \
    } while (0)
