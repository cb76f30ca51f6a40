#include "support/window_shot.h"

#include <cstdio>
#include <set>

namespace {

COLORREF FromRgb(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

template <typename T>
void Put(std::vector<char>& out, T value)
{
    const char* bytes = reinterpret_cast<const char*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof(value));
}

} // namespace

COLORREF ScreenShot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    return FromRgb(rows[static_cast<size_t>(y) * width + x]);
}

int ScreenShot::CountColour(COLORREF colour, const RECT& r) const
{
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) == colour)
                ++count;
    return count;
}

int ScreenShot::CountColour(COLORREF colour) const
{
    return CountColour(colour, RECT{0, 0, width, height});
}

int ScreenShot::DistinctColours() const
{
    std::set<uint32_t> colours(rows.begin(), rows.end());
    return static_cast<int>(colours.size());
}

bool ScreenShot::SaveBmp(const std::wstring& path) const
{
    if (Empty())
        return false;
    std::vector<char> out;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    out.push_back('B');
    out.push_back('M');
    Put<uint32_t>(out, 14 + 40 + imageBytes);
    Put<uint32_t>(out, 0);
    Put<uint32_t>(out, 14 + 40);
    Put<uint32_t>(out, 40);
    Put<int32_t>(out, width);
    Put<int32_t>(out, height);  // positive: bottom row first
    Put<uint16_t>(out, 1);
    Put<uint16_t>(out, 24);
    Put<uint32_t>(out, 0);
    Put<uint32_t>(out, imageBytes);
    Put<int32_t>(out, 2835);
    Put<int32_t>(out, 2835);
    Put<uint32_t>(out, 0);
    Put<uint32_t>(out, 0);
    std::vector<char> row(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = rows[static_cast<size_t>(y) * width + x];
            row[x * 3] = static_cast<char>(rgb & 0xFF);
            row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    bool written = fwrite(out.data(), 1, out.size(), file) == out.size();
    return fclose(file) == 0 && written;
}

ScreenShot CaptureScreen(const RECT& screenRect)
{
    ScreenShot shot;
    shot.area = screenRect;
    int width = screenRect.right - screenRect.left;
    int height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0)
        return shot;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top,
                   SRCCOPY)) {
            GdiFlush();
            const auto* pixels = static_cast<const uint32_t*>(bits);
            shot.width = width;
            shot.height = height;
            shot.rows.reserve(static_cast<size_t>(width) * height);
            for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
                shot.rows.push_back(pixels[i] & 0x00FFFFFF);
        }
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

ScreenShot CaptureWindow(HWND hwnd)
{
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return CaptureScreen(r);
}

namespace {

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool WaitingForPaint(HWND hwnd)
{
    bool found = GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
    if (!found)
        EnumChildWindows(hwnd, FindUnpainted, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Returns once the window's thread is between two messages: a message sent
// from another thread is handled only when its thread asks for messages, so
// a paint that had begun is over, and Wine has put what it drew on the screen.
void SettleThread(HWND hwnd, DWORD timeoutMs)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
}

}  // namespace

bool WaitUntilPainted(HWND hwnd, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    bool painted = false;
    for (;;) {
        SettleThread(hwnd, timeoutMs);
        painted = !WaitingForPaint(hwnd);
        if (painted || GetTickCount() - start >= timeoutMs)
            break;
        Sleep(10);
    }
    SettleThread(hwnd, timeoutMs);
    return painted;
}

ScreenShot CapturePainted(HWND hwnd, DWORD timeoutMs)
{
    WaitUntilPainted(hwnd, timeoutMs);
    return CaptureWindow(hwnd);
}

std::wstring TestOutputDir()
{
    wchar_t path[MAX_PATH] = L"";
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, length);
    size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? L"." : dir.substr(0, slash);
    dir += L"\\test-output";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}
