#pragma once

// What the list shows at start-up when no item was named on the command line.
constexpr int kUsageLineCount = 12;
extern const wchar_t* const kUsageLines[kUsageLineCount];
