#include "engine/long_path.h"

#include <gtest/gtest.h>

TEST(ExtendedLengthPath, PrefixesDrivePaths)
{
    EXPECT_EQ(ExtendedLengthPath(L"C:\\data\\file.bin"), L"\\\\?\\C:\\data\\file.bin");
    EXPECT_EQ(ExtendedLengthPath(L"z:\\"), L"\\\\?\\z:\\");
}

TEST(ExtendedLengthPath, TurnsUncPathsIntoTheUncDevice)
{
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\dir\\f.txt"),
              L"\\\\?\\UNC\\server\\share\\dir\\f.txt");
}

TEST(ExtendedLengthPath, CleansSeparatorsBecauseTheLongFormIsLiteral)
{
    EXPECT_EQ(ExtendedLengthPath(L"C:/a//b\\\\c/"), L"\\\\?\\C:\\a\\b\\c\\");
    EXPECT_EQ(ExtendedLengthPath(L"//server/share//x"), L"\\\\?\\UNC\\server\\share\\x");
}

TEST(ExtendedLengthPath, LeavesDevicePathsAlone)
{
    for (const wchar_t* p : {L"\\\\?\\C:\\x", L"\\\\?\\UNC\\s\\h\\x", L"\\\\.\\PhysicalDrive0",
                             L"\\??\\C:\\x"})
        EXPECT_EQ(ExtendedLengthPath(p), p);
}

TEST(ExtendedLengthPath, LeavesPathsThatAreNotFullAlone)
{
    for (const wchar_t* p : {L"dir\\file", L"C:file", L"\\rooted\\file", L"", L"C:"})
        EXPECT_EQ(ExtendedLengthPath(p), p);
}

TEST(ExtendedLengthPath, KeepsEveryCharacterOfALongPath)
{
    std::wstring path = L"D:";
    for (int i = 0; i < 40; ++i)
        path += L"\\folder" + std::to_wstring(i) + L"\x0416\x65E5";
    ASSERT_GT(path.size(), kLegacyPathLimit);
    EXPECT_EQ(ExtendedLengthPath(path), L"\\\\?\\" + path);
}
