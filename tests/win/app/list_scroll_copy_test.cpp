// Long lines in the result list scroll, and Ctrl+C copies the whole list.
#include "scan/scan_fixture.h"
#include "support/app_fixture.h"
#include "support/clipboard_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app_fixture;

namespace {

bool HorizontalBarShown()
{
    return (GetWindowLongPtrW(ListWindow(), GWL_STYLE) & WS_HSCROLL) != 0;
}

// As the list draws the line: in its font, from one pixel in, tabs expanded
// to its stop of 50 dialog units (quarters of the font's average letter).
int DrawnWidth(const std::wstring& line)
{
    HDC dc = GetDC(ListWindow());
    auto font = reinterpret_cast<HFONT>(SendMessageW(ListWindow(), WM_GETFONT, 0, 0));
    SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    int stop = MulDiv(50, (letters.cx / 26 + 1) / 2, 4);
    DWORD size = GetTabbedTextExtentW(dc, line.c_str(), static_cast<int>(line.size()), 1, &stop);
    ReleaseDC(ListWindow(), dc);
    return 1 + LOWORD(size);
}

}  // namespace

TEST(ResultListWidth, ADroppedFileWithA300CharacterPathCanBeScrolledToItsEnd)
{
    TestFolder folder;
    const size_t room = 300 - folder.Root().size() - std::wstring(L"\\a\\f.txt").size();
    const std::wstring first(room / 2, L'a'), second = first + L"\\" + std::wstring(room - room / 2, L'b');
    folder.MakeFolder(first);
    folder.MakeFolder(second);
    const std::wstring path = folder.Write(second + L"\\f.txt", "abc");
    ASSERT_EQ(path.size(), 300u);
    RunningApp app;
    EXPECT_FALSE(HorizontalBarShown()) << "the usage text fits";

    scan_test::DropOnMainWindow({path});

    const std::wstring line = L"CA6598D0\t" + path;
    ASSERT_EQ(ListLines(), std::vector<std::wstring>{line});
    const LRESULT extent = SendMessageW(ListWindow(), LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_GE(extent, DrawnWidth(line));
    RECT client;
    GetClientRect(ListWindow(), &client);
    EXPECT_GT(extent, client.right);
    EXPECT_TRUE(HorizontalBarShown());
}

// Both copy keys, typed to the focused list; the first copy's text read by
// another program, the second's by this one.
TEST(ResultListCopy, CtrlCAndCtrlInsertPutExactlyTheListsLinesOnTheClipboard)
{
    RunningApp app;
    // An empty line inside and one at the end: CR LF after each line but the last.
    const std::vector<std::wstring> lines = {L"CA6598D0\tC:\\a b\\abc.txt", L"", L"\t  *** \x03B1\x03B2  ***", L""};
    for (WORD key : {WORD('C'), WORD(VK_INSERT)}) {
        SendMessageW(ListWindow(), LB_RESETCONTENT, 0, 0);
        for (const std::wstring& l : lines)
            SendMessageW(ListWindow(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        SetForegroundWindow(MainWindowHandle());
        SetFocus(ListWindow());
        ASSERT_EQ(GetFocus(), ListWindow());

        INPUT keys[4] = {};
        const WORD order[4] = {VK_CONTROL, key, key, VK_CONTROL};
        for (int k = 0; k < 4; ++k) {
            keys[k].type = INPUT_KEYBOARD;
            keys[k].ki.wVk = order[k];
            keys[k].ki.wScan = static_cast<WORD>(MapVirtualKeyW(order[k], MAPVK_VK_TO_VSC));
            keys[k].ki.dwFlags = (k >= 2 ? KEYEVENTF_KEYUP : 0) | (order[k] == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
        }
        SendInput(4, keys, sizeof(INPUT));
        PumpIdle(200);

        EXPECT_EQ(key == 'C' ? ClipboardTextOfAnotherProcess() : ClipboardText(),
                  L"CA6598D0\tC:\\a b\\abc.txt\r\n\r\n\t  *** \x03B1\x03B2  ***\r\n")
            << key;
        EXPECT_EQ(ListLines(), lines);
    }
}
