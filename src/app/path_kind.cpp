#include "app/path_kind.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

bool IsRelativePath(const wchar_t* path)
{
    if (path[0] == 0)
        return false;
    if (IsSeparator(path[0]) && IsSeparator(path[1]))
        return false;
    if (IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]))
        return false;
    return true;
}
