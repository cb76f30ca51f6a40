#pragma once
// Lines of the result list as the tests spell them out themselves, not with
// the program's own formatting.
#include <cstdint>
#include <cwchar>
#include <string>

// "CA6598D0": eight upper-case hexadecimal digits.
inline std::wstring Hex8(uint32_t value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%08X", static_cast<unsigned>(value));
    return text;
}

// "  Total files:  N  Total folders:  M", and with "  CRC for disk:  " and
// the eight digits of diskCrc.
inline std::wstring Totals(uint32_t files, uint32_t folders)
{
    return L"  Total files:  " + std::to_wstring(files) + L"  Total folders:  " +
           std::to_wstring(folders);
}

inline std::wstring Totals(uint32_t files, uint32_t folders, uint32_t diskCrc)
{
    return Totals(files, folders) + L"  CRC for disk:  " + Hex8(diskCrc);
}
