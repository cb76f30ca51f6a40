#pragma once
// The lines and texts that the checks build from their results.
#include <cstddef>
#include <cstdint>
#include <string>

// "CA6598D0\tC:\\data\\file.txt": eight upper-case hexadecimal digits, a tab
// and the path as the user gave it.
std::wstring ResultLine(uint32_t crc, const std::wstring& path);

// "C:\\data\\file.txt - bad crc"
std::wstring BadCrcLine(const std::wstring& path);

// "C:\\data\\file.txt - unreadable": a file or folder whose content could not
// be read (a folder's path ends with a separator).
std::wstring UnreadableLine(const std::wstring& path);

// "C:\\data - incomplete, 2 unreadable": a folder whose walk met files or
// folders it could not read, or that ended at one, so that it has no sum.
std::wstring IncompleteFolderLine(const std::wstring& path, uint32_t unreadableCount);

// "Disks compare" when nothing differed, else "N files do not compare."
// (the plural for every count).
std::wstring CompareResultLine(uint32_t mismatchCount);

// "Scanning drive D:"
std::wstring DriveProgressText(wchar_t driveLetter);

// "D:\\ to be scanned"
std::wstring ScanStartLine(wchar_t driveLetter);

// "D:\\"
std::wstring DriveRootPath(wchar_t driveLetter);

// The 32-bit wrapping sum of count CRCs: a folder's or a disk's CRC.
uint32_t SumOfCrcs(const uint32_t* crcs, size_t count);

// "57 files are in another order than in the list.": a compare found files
// intact at other positions than the list's (the plural for every count).
std::wstring MovedFilesLine(uint32_t count);

// "3 files of the list were not found.": entries of the list that no file
// of a compare matched, beyond the files it listed as bad or unreadable.
std::wstring NotFoundLine(uint32_t count);
