#include "engine/hex_format.h"

#include <gtest/gtest.h>

TEST(FormatHex8, WritesEightUpperCaseDigitsAndNoTerminator)
{
    wchar_t out[10];
    std::fill(out, out + 10, L'#');
    FormatHex8(0xCA6598D0u, out);
    EXPECT_EQ(std::wstring(out, 8), L"CA6598D0");
    EXPECT_EQ(out[8], L'#');
}

TEST(FormatHex8, ZeroIsEightZeroDigits)
{
    wchar_t out[9] = {};
    FormatHex8(0, out);
    EXPECT_STREQ(out, L"00000000");
    FormatHex8(0x0000000Fu, out);
    EXPECT_STREQ(out, L"0000000F");
}
