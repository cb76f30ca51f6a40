#include "datafile/file_extension.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Stripped(const std::wstring& path)
{
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(L'\0');
    StripExtension(buffer.data());
    return buffer.data();
}

// The path as the file prompt returns it, with a 260-character buffer.
std::wstring Forced(const std::wstring& path, const wchar_t* ext = L".crc")
{
    wchar_t buffer[260] = {};
    path.copy(buffer, path.size());
    EXPECT_TRUE(ForceExtension(buffer, 260, ext)) << std::string(path.begin(), path.end());
    return buffer;
}

} // namespace

TEST(StripExtension, CutsOnlyTheLastExtensionOfTheLastComponent)
{
    EXPECT_EQ(Stripped(L"C:\\data\\disk1.txt"), L"C:\\data\\disk1");
    EXPECT_EQ(Stripped(L"C:\\data\\disk1.tar.gz"), L"C:\\data\\disk1.tar");
    EXPECT_EQ(Stripped(L"C:\\data\\disk1."), L"C:\\data\\disk1");
    EXPECT_EQ(Stripped(L"C:\\old.set\\disk1"), L"C:\\old.set\\disk1");
    EXPECT_EQ(Stripped(L"C:\\data\\disk1"), L"C:\\data\\disk1");
    EXPECT_EQ(Stripped(L"C:.hidden\\x"), L"C:.hidden\\x");
    EXPECT_EQ(Stripped(L"C:disk.txt"), L"C:disk");
    EXPECT_EQ(Stripped(L"old.set:disk1"), L"old.set:disk1");  // a colon ends the search too
    EXPECT_EQ(Stripped(L"C:\\dir.d\\"), L"C:\\dir.d\\");
}

TEST(StripExtension, DotAtTheStartIsCut)
{
    EXPECT_EQ(Stripped(L".crc"), L"");
    EXPECT_EQ(Stripped(L"C:\\data\\.crc"), L"C:\\data\\");
    EXPECT_EQ(Stripped(L"disk"), L"disk");
    EXPECT_EQ(Stripped(L""), L"");
}

TEST(ForceExtension, EveryConfirmedNameEndsInTheDefaultExtension)
{
    EXPECT_EQ(Forced(L"C:\\data\\disk1"), L"C:\\data\\disk1.crc");
    EXPECT_EQ(Forced(L"C:\\data\\disk1.txt"), L"C:\\data\\disk1.crc");
    EXPECT_EQ(Forced(L"C:\\data\\disk1.CRC"), L"C:\\data\\disk1.crc");
    EXPECT_EQ(Forced(L"C:\\data\\disk1.tar.gz"), L"C:\\data\\disk1.tar.crc");
    EXPECT_EQ(Forced(L"C:\\data\\disk1."), L"C:\\data\\disk1.crc");
    EXPECT_EQ(Forced(L"C:\\old.set\\disk1"), L"C:\\old.set\\disk1.crc");
}

TEST(ForceExtension, NameOfTheExtensionAloneComesBackUnchanged)
{
    EXPECT_EQ(Forced(L".crc"), L".crc");
    EXPECT_EQ(Forced(L"C:\\data\\.crc"), L"C:\\data\\.crc");
}

TEST(ForceExtension, ExtensionWithoutItsDotAndNoExtension)
{
    EXPECT_EQ(Forced(L"C:\\data\\disk1.txt", L"crc"), L"C:\\data\\disk1.crc");
    EXPECT_EQ(Forced(L"C:\\data\\disk1.txt", nullptr), L"C:\\data\\disk1.txt");
}

TEST(ForceExtension, NameThatWouldNotFitIsRefusedAndLeftAlone)
{
    // 255 characters and ".crc" fill the 260 characters exactly.
    EXPECT_EQ(Forced(std::wstring(255, L'a')), std::wstring(255, L'a') + L".crc");

    wchar_t buffer[260] = {};
    std::fill(buffer, buffer + 256, L'b');
    EXPECT_FALSE(ForceExtension(buffer, 260, L".crc"));
    EXPECT_EQ(std::wstring(buffer), std::wstring(256, L'b'));
}

TEST(ForceExtension, RoomIsCountedAfterTheOldExtensionIsCut)
{
    const std::wstring name = std::wstring(254, L'c') + L".text";  // 259 characters
    EXPECT_EQ(Forced(name), std::wstring(254, L'c') + L".crc");
}

TEST(ForceExtension, SmallBufferBoundary)
{
    wchar_t fits[10] = L"abcd.txt";  // "abcd.crc" and the terminator need 9
    EXPECT_TRUE(ForceExtension(fits, 9, L".crc"));
    EXPECT_STREQ(fits, L"abcd.crc");

    wchar_t tight[10] = L"abcde";  // "abcde.crc" needs 10
    EXPECT_FALSE(ForceExtension(tight, 9, L".crc"));
    EXPECT_STREQ(tight, L"abcde");
    EXPECT_TRUE(ForceExtension(tight, 10, L".crc"));
    EXPECT_STREQ(tight, L"abcde.crc");
}

TEST(ForceExtension, UnterminatedBufferIsRefused)
{
    wchar_t buffer[4] = {L'a', L'b', L'c', L'd'};
    EXPECT_FALSE(ForceExtension(buffer, 4, L".crc"));
    EXPECT_EQ(std::wstring(buffer, 4), L"abcd");
    EXPECT_FALSE(ForceExtension(buffer, 0, L".crc"));
}
