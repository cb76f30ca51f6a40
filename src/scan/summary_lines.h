#pragma once
#include <cstdint>
#include <string>

// The lines that sum up a CRC list in the result list: written by the disk
// walk at its end and by Load for a file it read. Numbers are unsigned decimal
// without leading zeros or separators; the disk CRC is eight upper-case
// hexadecimal digits.

// "  Total files:  N  Total folders:  M"
std::wstring TotalsLine(uint32_t fileCount, uint32_t folderCount);

// "  Total files:  N  Total folders:  M  CRC for disk:  XXXXXXXX"
std::wstring TotalsLineWithDiskCrc(uint32_t fileCount, uint32_t folderCount, uint32_t diskCrc);

// "N files to be CRC checked": what a file in the older layout can tell.
std::wstring OlderLayoutSummaryLine(uint32_t crcCount);
