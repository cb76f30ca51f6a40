#include "scan/walk_lines.h"

#include "engine/hex_format.h"
#include "scan/scan_texts.h"

std::wstring ResultLine(uint32_t crc, const std::wstring& path)
{
    wchar_t digits[8];
    FormatHex8(crc, digits);
    std::wstring line(digits, 8);
    line += L'\t';
    line += path;
    return line;
}

std::wstring BadCrcLine(const std::wstring& path)
{
    return path + L" - bad crc";
}

std::wstring UnreadableLine(const std::wstring& path)
{
    return path + L" - unreadable";
}

std::wstring IncompleteFolderLine(const std::wstring& path, uint32_t unreadableCount)
{
    return path + L" - incomplete, " + std::to_wstring(unreadableCount) + L" unreadable";
}

std::wstring CompareResultLine(uint32_t mismatchCount)
{
    if (mismatchCount == 0)
        return kLineDisksCompare;
    return std::to_wstring(mismatchCount) + L" files do not compare.";
}

std::wstring DriveProgressText(wchar_t driveLetter)
{
    std::wstring text = L"Scanning drive x:";
    text[15] = driveLetter;
    return text;
}

std::wstring ScanStartLine(wchar_t driveLetter)
{
    std::wstring line = L"x:\\ to be scanned";
    line[0] = driveLetter;
    return line;
}

std::wstring DriveRootPath(wchar_t driveLetter)
{
    std::wstring root = L"x:\\";
    root[0] = driveLetter;
    return root;
}

uint32_t SumOfCrcs(const uint32_t* crcs, size_t count)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += crcs[i];
    return sum;
}

std::wstring MovedFilesLine(uint32_t count)
{
    return std::to_wstring(count) + L" files are in another order than in the list.";
}

std::wstring NotFoundLine(uint32_t count)
{
    return std::to_wstring(count) + L" files of the list were not found.";
}
