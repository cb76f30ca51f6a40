#include "app/usage_text.h"

const wchar_t* const kUsageLines[kUsageLineCount] = {
    L"",
    L"Purpose:",
    L"   1. Calculate the CRC's for all the files on a disk.",
    L"       They will be stored in a file so that they can",
    L"       be compared with the same or another disk.",
    L"",
    L"   2. Calculate the CRC's of individual files or folders.",
    L"",
    L"",
    L"",
    L"",
    L"\t  ***   Drag files or folders here   ***",
};
