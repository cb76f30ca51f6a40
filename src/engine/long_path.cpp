#include "engine/long_path.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool HasDevicePrefix(const std::wstring& p)
{
    return p.size() >= 4 && IsSeparator(p[0]) && IsSeparator(p[3]) &&
           ((IsSeparator(p[1]) && (p[2] == L'?' || p[2] == L'.')) ||
            (p[1] == L'?' && p[2] == L'?'));
}

// Backslashes only, and never two in a row.
std::wstring CleanSeparators(const std::wstring& p)
{
    std::wstring out;
    out.reserve(p.size());
    for (wchar_t c : p) {
        if (IsSeparator(c)) {
            if (!out.empty() && out.back() == L'\\')
                continue;
            c = L'\\';
        }
        out.push_back(c);
    }
    return out;
}

} // namespace

std::wstring ExtendedLengthPath(const std::wstring& fullPath)
{
    const std::wstring& p = fullPath;
    if (HasDevicePrefix(p))
        return p;
    if (p.size() >= 3 && IsDriveLetter(p[0]) && p[1] == L':' && IsSeparator(p[2]))
        return L"\\\\?\\" + CleanSeparators(p);
    if (p.size() >= 3 && IsSeparator(p[0]) && IsSeparator(p[1]) && !IsSeparator(p[2]))
        return L"\\\\?\\UNC\\" + CleanSeparators(p.substr(2));
    return p;
}

std::wstring FileSystemPath(const std::wstring& path)
{
    return path.size() >= kLegacyPathLimit ? ExtendedLengthPath(path) : path;
}

std::wstring LiteralPath(const std::wstring& path)
{
    const std::wstring extended = ExtendedLengthPath(path);
    if (extended == path)
        return L"";   // relative, not full, or already a device form
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        const std::wstring component = path.substr(start, end - start);
        if (component == L"." || component == L"..")
            return L"";
        start = end + 1;
    }
    return extended;
}
