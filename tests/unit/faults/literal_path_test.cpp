// Paths built by the walks must open the file they name, whatever the name.
#include "engine/long_path.h"

#include <gtest/gtest.h>

TEST(LiteralPath, AFullPathKeepsTrailingDotsSpacesAndDeviceNames)
{
    EXPECT_EQ(L"\\\\?\\R:\\flat\\trail.", LiteralPath(L"R:\\flat\\trail."));
    EXPECT_EQ(L"\\\\?\\R:\\flat\\trail ", LiteralPath(L"R:\\flat\\trail "));
    EXPECT_EQ(L"\\\\?\\R:\\flat\\nul", LiteralPath(L"R:\\flat\\nul"));
    EXPECT_EQ(L"\\\\?\\R:\\flat\\com1.txt", LiteralPath(L"R:\\flat\\com1.txt"));
    EXPECT_EQ(L"\\\\?\\R:\\..x\\.hidden", LiteralPath(L"R:\\..x\\.hidden"));
}

TEST(LiteralPath, NetworkPathsTakeTheUncForm)
{
    EXPECT_EQ(L"\\\\?\\UNC\\server\\share\\nul", LiteralPath(L"\\\\server\\share\\nul"));
}

TEST(LiteralPath, PathsThatNeedTheSystemsRulesFirstAreLeftToThem)
{
    EXPECT_EQ(L"", LiteralPath(L"nul"));
    EXPECT_EQ(L"", LiteralPath(L"dir\\file"));
    EXPECT_EQ(L"", LiteralPath(L"C:file"));
    EXPECT_EQ(L"", LiteralPath(L"\\file"));
    EXPECT_EQ(L"", LiteralPath(L"C:\\dir\\..\\file"));
    EXPECT_EQ(L"", LiteralPath(L"C:\\dir\\.\\file"));
    EXPECT_EQ(L"", LiteralPath(L"C:\\dir\\.."));
    EXPECT_EQ(L"", LiteralPath(L"C:/dir/./file"));
    EXPECT_EQ(L"", LiteralPath(L"\\\\.\\NUL"));
    EXPECT_EQ(L"", LiteralPath(L"\\\\?\\C:\\file"));
    EXPECT_EQ(L"", LiteralPath(L""));
}
