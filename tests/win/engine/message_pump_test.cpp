#include "engine/message_pump.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace {

int g_seen;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_APP + 1) {
        g_seen += static_cast<int>(wp);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeCountingWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PumpTestClass";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"PumpTestClass", L"", WS_OVERLAPPED, 0, 0, 10, 10,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace

TEST(PumpPendingMessages, DispatchesEveryPostedMessage)
{
    HWND hwnd = MakeCountingWindow();
    ASSERT_NE(hwnd, nullptr);
    g_seen = 0;
    PostMessageW(hwnd, WM_APP + 1, 1, 0);
    PostMessageW(hwnd, WM_APP + 1, 10, 0);
    EXPECT_EQ(PumpPendingMessages(), 0);
    EXPECT_EQ(g_seen, 11);
    DestroyWindow(hwnd);
}

TEST(PumpPendingMessages, LeavesAQuitRequestQueued)
{
    HWND hwnd = MakeCountingWindow();
    g_seen = 0;
    PostMessageW(hwnd, WM_APP + 1, 5, 0);
    PostQuitMessage(3);
    EXPECT_EQ(PumpPendingMessages(), 1);
    EXPECT_EQ(g_seen, 5);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(hwnd);
}
