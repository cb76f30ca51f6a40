#include "datafile/file_extension.h"

#include <cwchar>

namespace {

// Where StripExtension would cut the path: the position of the extension's
// dot, or the path's terminator when it has no extension.
wchar_t* ExtensionStart(wchar_t* path, size_t length)
{
    wchar_t* p = path + length;
    while (p > path && *p != L'.' && *p != L'\\' && *p != L':')
        --p;
    return *p == L'.' ? p : path + length;
}

} // namespace

void StripExtension(wchar_t* path)
{
    if (!path || !*path)
        return;
    *ExtensionStart(path, std::wcslen(path)) = L'\0';
}

bool ForceExtension(wchar_t* buffer, size_t bufferChars, const wchar_t* defaultExt)
{
    if (!defaultExt)
        return true;
    if (!buffer || bufferChars == 0)
        return false;
    const wchar_t* terminator = std::wmemchr(buffer, L'\0', bufferChars);
    if (!terminator)
        return false;
    const size_t length = size_t(terminator - buffer);

    if (*defaultExt == L'.')
        ++defaultExt;
    const size_t extLength = std::wcslen(defaultExt);
    wchar_t* end = ExtensionStart(buffer, length);
    const size_t kept = size_t(end - buffer);
    // kept characters, the dot, the extension and the terminator
    if (kept + 1 + extLength + 1 > bufferChars)
        return false;

    *end++ = L'.';
    std::wmemcpy(end, defaultExt, extLength);
    end[extLength] = L'\0';
    return true;
}
