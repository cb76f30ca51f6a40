// Long lines in the result list scroll, and Ctrl+C copies the whole list.
#include "scan/scan_fixture.h"
#include "support/app_fixture.h"
#include "support/clipboard_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app_fixture;

namespace {

constexpr int kTabStop = 50;   // the list's one tab stop, in dialog units

bool HorizontalBarShown(HWND list)
{
    return (GetWindowLongPtrW(list, GWL_STYLE) & WS_HSCROLL) != 0;
}

// The line's width as the list draws it: its own font, its tab stop (in
// quarters of the font's average letter width), one pixel in from the left.
int DrawnWidth(HWND list, const std::wstring& line)
{
    HDC dc = GetDC(list);
    auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE letters{};
    const wchar_t alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32W(dc, alphabet, 52, &letters);
    int stop = MulDiv(kTabStop, (letters.cx / 26 + 1) / 2, 4);
    DWORD size = GetTabbedTextExtentW(dc, line.c_str(), static_cast<int>(line.size()), 1, &stop);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return 1 + LOWORD(size);
}

// A file in the folder whose full path is exactly `length` characters.
std::wstring FileWithPathLength(const TestFolder& folder, size_t length)
{
    const std::wstring start = folder.Root() + L"\\";
    const size_t room = length - start.size() - std::wstring(L"\\f.txt").size();
    const std::wstring first(room / 2, L'a');
    const std::wstring second(room - first.size() - 1, L'b');
    folder.MakeFolder(first);
    folder.MakeFolder(first + L"\\" + second);
    return folder.Write(first + L"\\" + second + L"\\f.txt", "abc");
}

// Key presses as the keyboard makes them, to the window with the focus.
void TypeKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (const auto& [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (key == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpIdle(200);
}

}  // namespace

TEST(ResultListWidth, ADroppedFileWithA300CharacterPathCanBeScrolledToItsEnd)
{
    TestFolder folder;
    const std::wstring path = FileWithPathLength(folder, 300);
    ASSERT_EQ(path.size(), 300u);
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND list = ListWindow();
    EXPECT_FALSE(HorizontalBarShown(list)) << "the usage text fits";

    scan_test::DropOnMainWindow({path});

    const std::wstring line = L"CA6598D0\t" + path;
    ASSERT_EQ(ListLines(), std::vector<std::wstring>{line});
    const LRESULT extent = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_GE(extent, DrawnWidth(list, line));
    RECT client;
    GetClientRect(list, &client);
    EXPECT_GT(extent, client.right) << "the line is wider than the list";
    EXPECT_TRUE(HorizontalBarShown(list));
}

// Both copy keys, as real key input to the focused list; the text read back
// by another program.
TEST(ResultListCopy, CtrlCAndCtrlInsertPutExactlyTheListsLinesOnTheClipboard)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    HWND list = ListWindow();
    const std::vector<std::wstring> lines = {L"CA6598D0\tC:\\a b\\abc.txt", L"",
                                             L"\t  ***   x \x03B1\x03B2\x03B3  ***", L"last"};
    const std::wstring expected =
        L"CA6598D0\tC:\\a b\\abc.txt\r\n\r\n\t  ***   x \x03B1\x03B2\x03B3  ***\r\nlast";
    for (WORD key : {WORD('C'), WORD(VK_INSERT)}) {
        SCOPED_TRACE(key);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::wstring& l : lines)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        SetForegroundWindow(MainWindowHandle());
        SetFocus(list);
        PumpIdle();
        ASSERT_EQ(GetFocus(), list);

        TypeKeys({{VK_CONTROL, true}, {key, true}, {key, false}, {VK_CONTROL, false}});

        EXPECT_EQ(ClipboardTextOfAnotherProcess(), expected);
        EXPECT_EQ(ListLines(), lines) << "the list stays as it was";
    }
}
