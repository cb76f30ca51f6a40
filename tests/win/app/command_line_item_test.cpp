// A file or folder named on the command line is checked at start-up and its
// result line shown instead of the usage text.
#include "support/app_fixture.h"

#include "resource.h"
#include "scan/progress_dialog.h"
#include "scan/result_list.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace app_fixture;

namespace {

// The program's file CRC: reflected CRC-32 from 0 without final inversion;
// zlib's inverts on the way in and out.
uint32_t ExpectedCrc(const std::string& bytes)
{
    return static_cast<uint32_t>(crc32(0xFFFFFFFFul, reinterpret_cast<const Bytef*>(bytes.data()),
                                       static_cast<uInt>(bytes.size()))) ^ 0xFFFFFFFFu;
}

std::wstring Hex8(uint32_t value)
{
    wchar_t text[16];
    swprintf(text, 16, L"%.8X", value);
    return text;
}

// A fresh folder under the temporary folder, removed with its files afterwards.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* name)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~TempFolder()
    {
        for (const std::wstring& f : files)
            DeleteFileW(f.c_str());
        RemoveDirectoryW(path.c_str());
    }
    std::wstring Add(const wchar_t* name, const std::string& bytes)
    {
        std::wstring file = path + L"\\" + name;
        HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
        files.push_back(file);
        return file;
    }
    std::wstring path;

private:
    std::vector<std::wstring> files;
};

}  // namespace

TEST(AppCommandLine, QuotedPathWithASpaceGivesThatFilesResultLine)
{
    TempFolder folder(L"ferrow app cmdline ");
    const std::string bytes = "123456789";
    std::wstring file = folder.Add(L"one file.txt", bytes);

    RunningApp app(L"\"" + file + L"\"");
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(ExpectedCrc(bytes)) + L"\t" + file}));
    EXPECT_EQ(resultList.State().clearOnDrop, 0);
    EXPECT_EQ(progressDialog.Handle(), nullptr);
    // The start-up check leaves the bar as it was and does not enable Print.
    EXPECT_TRUE(ButtonEnabled(IDM_SCAN));
    EXPECT_TRUE(ButtonEnabled(IDM_LOAD));
    EXPECT_FALSE(ButtonEnabled(IDM_PRINT));
}

TEST(AppCommandLine, OnlyTheFirstTokenIsChecked)
{
    TempFolder folder(L"ferrow-app-tokens-");
    std::wstring first = folder.Add(L"first.bin", "abc");
    std::wstring second = folder.Add(L"second.bin", "abcd");

    RunningApp app(first + L" " + second + L" third fourth");
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(ExpectedCrc("abc")) + L"\t" + first}));
}

// "ferrow.exe ." checks the current folder, shown with its full path.
TEST(AppCommandLine, DotNamesTheCurrentFolderByItsFullPath)
{
    TempFolder folder(L"ferrow-app-dot-");
    folder.Add(L"a.txt", "abc");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path.c_str()));

    RunningApp app(L".");
    SetCurrentDirectoryW(before);
    ASSERT_EQ(app.StartResult(), 1);
    // One file: the folder's CRC is that file's CRC.
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(ExpectedCrc("abc")) + L"\t" + folder.path}));
}

TEST(AppCommandLine, RelativeFileNameIsShownWithItsFullPath)
{
    TempFolder folder(L"ferrow-app-rel-");
    std::wstring file = folder.Add(L"data.bin", "hello");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path.c_str()));

    RunningApp app(L"data.bin");
    SetCurrentDirectoryW(before);
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(ListLines(), (std::vector<std::wstring>{Hex8(ExpectedCrc("hello")) + L"\t" + file}));
}
