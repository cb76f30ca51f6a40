#include "engine/hex_format.h"

void FormatHex8(uint32_t value, wchar_t* out)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    for (int k = 0; k < 8; ++k)
        out[k] = digits[(value >> (28 - 4 * k)) & 0xF];
}
