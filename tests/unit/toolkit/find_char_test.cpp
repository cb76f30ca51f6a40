#include "toolkit/find_char.h"

#include <gtest/gtest.h>

TEST(FindChar, FindsTheFirstOccurrence)
{
    const wchar_t* text = L"a&b&c";
    EXPECT_EQ(FindChar(text, L'&'), text + 1);
    EXPECT_EQ(FindChar(text, L'c'), text + 4);
}

TEST(FindChar, MissingCharacterAndTerminatorAreNotFound)
{
    EXPECT_EQ(FindChar(L"abc", L'&'), nullptr);
    EXPECT_EQ(FindChar(L"abc", L'\0'), nullptr);
    EXPECT_EQ(FindChar(L"", L'a'), nullptr);
    EXPECT_EQ(FindChar(nullptr, L'a'), nullptr);
}

TEST(MnemonicOf, CharacterAfterTheFirstAmpersand)
{
    EXPECT_EQ(MnemonicOf(L"&Ok"), L'O');
    EXPECT_EQ(MnemonicOf(L"E&xit"), L'x');
    EXPECT_EQ(MnemonicOf(L"&Scan &Now"), L'S');
}

TEST(MnemonicOf, NoAmpersandOrTrailingAmpersandGivesZero)
{
    EXPECT_EQ(MnemonicOf(L"Ok"), L'\0');
    EXPECT_EQ(MnemonicOf(L"Ok&"), L'\0');
    EXPECT_EQ(MnemonicOf(L""), L'\0');
}

TEST(MnemonicOf, DoubledAmpersandGivesAmpersand)
{
    EXPECT_EQ(MnemonicOf(L"&&Ok"), L'&');
}
