#include "app/path_kind.h"

#include <gtest/gtest.h>

TEST(IsRelativePath, NamesRelativeToTheCurrentFolderAreRelative)
{
    EXPECT_TRUE(IsRelativePath(L"."));
    EXPECT_TRUE(IsRelativePath(L".."));
    EXPECT_TRUE(IsRelativePath(L"file.txt"));
    EXPECT_TRUE(IsRelativePath(L"sub\\file.txt"));
    EXPECT_TRUE(IsRelativePath(L"..\\other"));
}

TEST(IsRelativePath, RootWithoutDriveAndDriveWithoutRootAreRelative)
{
    EXPECT_TRUE(IsRelativePath(L"\\folder"));
    EXPECT_TRUE(IsRelativePath(L"/tmp/x"));
    EXPECT_TRUE(IsRelativePath(L"C:"));
    EXPECT_TRUE(IsRelativePath(L"C:file"));
}

TEST(IsRelativePath, DrivePathsAndNetworkPathsAreFull)
{
    EXPECT_FALSE(IsRelativePath(L"C:\\"));
    EXPECT_FALSE(IsRelativePath(L"d:\\data\\f.bin"));
    EXPECT_FALSE(IsRelativePath(L"Z:/tmp"));
    EXPECT_FALSE(IsRelativePath(L"\\\\server\\share\\f"));
    EXPECT_FALSE(IsRelativePath(L"\\\\?\\C:\\long"));
}

TEST(IsRelativePath, EmptyTextStaysAsItIs)
{
    EXPECT_FALSE(IsRelativePath(L""));
}

TEST(IsRelativePath, ADigitOrSymbolBeforeTheColonIsNoDrive)
{
    EXPECT_TRUE(IsRelativePath(L"1:\\x"));
    EXPECT_TRUE(IsRelativePath(L"-:\\x"));
}
