#pragma once
#include <cstdint>

// Writes exactly eight upper-case hexadecimal digits of value, most significant
// first, and no terminator: callers end the text themselves.
void FormatHex8(uint32_t value, wchar_t* out);
