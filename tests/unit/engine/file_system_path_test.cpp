#include "engine/long_path.h"

#include <gtest/gtest.h>

TEST(FileSystemPath, AShortPathIsHandedOnAsItIs)
{
    const std::wstring path = L"C:\\data\\" + std::wstring(250, L'a');  // 258 characters
    EXPECT_EQ(path, FileSystemPath(path));
    EXPECT_EQ(L"C:\\data\\disk1.crc", FileSystemPath(L"C:\\data\\disk1.crc"));
}

TEST(FileSystemPath, APathOfTheLegacyLimitOrMoreGetsTheExtendedForm)
{
    const std::wstring path = L"C:\\data\\" + std::wstring(252, L'a');  // 260 characters
    EXPECT_EQ(L"\\\\?\\" + path, FileSystemPath(path));
    const std::wstring share = L"\\\\server\\share\\" + std::wstring(300, L'b');
    EXPECT_EQ(L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'b'), FileSystemPath(share));
}
