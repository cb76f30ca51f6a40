#include "support/unix_path.h"

#include <windows.h>

std::string UnixPath(const std::wstring& windowsPath)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return "";
    char* name = unixName(windowsPath.c_str());
    if (!name)
        return "";
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

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

std::string SourceTreeUnixPath()
{
    char source[4096] = "";
    const DWORD length = GetEnvironmentVariableA("FERROW_SOURCE_DIR", source, sizeof source);
    if (length > 0 && length < sizeof source)
        return source;
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    for (int up = 0; up < 5 && folder.rfind(L'\\') != std::wstring::npos; ++up)
        folder.erase(folder.rfind(L'\\'));
    return UnixPath(folder);
}
