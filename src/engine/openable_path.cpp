#include "engine/openable_path.h"

#include "engine/long_path.h"

#include <windows.h>

#include <cwchar>
#include <utility>

bool FullPathName(const wchar_t* path, std::wstring& out)
{
    const DWORD need = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (need == 0)
        return false;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(path, need, &full[0], nullptr);
    if (got == 0 || got >= need)
        return false;
    full.resize(got);
    out = std::move(full);
    return true;
}

bool OpenablePath(const wchar_t* path, std::wstring& out)
{
    out = LiteralPath(path);
    if (!out.empty())
        return true;
    std::wstring full;
    if (!FullPathName(path, full))
        return false;
    out = full.size() < kLegacyPathLimit && std::wcslen(path) < kLegacyPathLimit
              ? std::wstring(path) : ExtendedLengthPath(full);
    return true;
}
