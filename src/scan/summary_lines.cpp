#include "scan/summary_lines.h"

#include "engine/hex_format.h"

std::wstring TotalsLine(uint32_t fileCount, uint32_t folderCount)
{
    return L"  Total files:  " + std::to_wstring(fileCount) + L"  Total folders:  " +
           std::to_wstring(folderCount);
}

std::wstring TotalsLineWithDiskCrc(uint32_t fileCount, uint32_t folderCount, uint32_t diskCrc)
{
    wchar_t hex[8];
    FormatHex8(diskCrc, hex);
    return TotalsLine(fileCount, folderCount) + L"  CRC for disk:  " + std::wstring(hex, 8);
}

std::wstring OlderLayoutSummaryLine(uint32_t crcCount)
{
    return std::to_wstring(crcCount) + L" files to be CRC checked";
}
