// What a long result list costs: adding lines while the list follows its
// widest line, and Ctrl+C's copy of the whole list, each beside a baseline.
//   list_copy_bench [LINES]     (100000 when not given)
// Adding: into the result list's own kind of list (extent followed) against
// a plain list box of the same style without a horizontal bar, once with the
// lists drawn after every line (a few thousand lines: that is slow under
// Wine for both) and once with drawing held off (all the lines: what the
// measuring itself costs). Copying: the whole copy onto the clipboard
// against reading every line once into memory. Best of three rounds, in
// milliseconds.
#include "seconds.h"
#include "toolkit/list_box.h"
#include "toolkit/window.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

double BestOfThree(const std::function<void()>& prepare, const std::function<void()>& step)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        prepare();
        const double start = Seconds();
        step();
        best = std::min(best, Seconds() - start);
    }
    return best * 1000.0;
}

// Result lines as a deep walk makes them, some much longer than others.
std::vector<std::wstring> ResultLines(int count)
{
    std::vector<std::wstring> lines;
    lines.reserve(count);
    for (int k = 0; k < count; ++k) {
        wchar_t crc[16];
        std::swprintf(crc, 16, L"%.8X\t", static_cast<unsigned>(k * 2654435761u));
        std::wstring path = L"R:\\photos\\" + std::wstring(k % 7 * 12, L'd') + L"\\img_" +
                            std::to_wstring(k) + L".jpg";
        lines.push_back(crc + path);
    }
    return lines;
}

void AddAll(HWND list, const std::vector<std::wstring>& lines)
{
    for (const std::wstring& line : lines)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int count = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100000;
    SetModuleInstance(GetModuleHandleW(nullptr));
    HWND parent = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  470, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const DWORD style = ListBox::kDefaultStyle | LBS_USETABSTOPS;
    int tabStop = 50;

    ListBox followed;
    followed.SetStyle(style | WS_HSCROLL);
    ListBox plain;
    plain.SetStyle(style);
    if (!parent || !followed.Create(parent, 0, L"", 0, 0, 440, 300) ||
        !plain.Create(parent, 0, L"", 0, 0, 440, 300)) {
        std::fwprintf(stderr, L"list_copy_bench: no list box\n");
        return 1;
    }
    for (HWND list : {followed.Handle(), plain.Handle()})
        SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));

    const int drawnCount = std::min(count, 1000);
    const std::vector<std::wstring> drawnLines = ResultLines(drawnCount);
    const std::vector<std::wstring> lines = ResultLines(count);
    auto adding = [&](ListBox& list, const std::vector<std::wstring>& added, bool drawn) {
        return BestOfThree([&] { list.Clear(); }, [&] {
            SendMessageW(list.Handle(), WM_SETREDRAW, drawn, 0);
            AddAll(list.Handle(), added);
            SendMessageW(list.Handle(), WM_SETREDRAW, TRUE, 0);
        });
    };
    const double drawnFollowed = adding(followed, drawnLines, true);
    const double drawnPlain = adding(plain, drawnLines, true);
    const double addPlain = adding(plain, lines, false);
    const double addFollowed = adding(followed, lines, false);

    bool copied = true;
    const double copy = BestOfThree([] {}, [&] { copied = followed.CopyToClipboard() && copied; });
    std::vector<std::wstring> read;
    const double readOnce = BestOfThree([&] { read.clear(); }, [&] {
        HWND list = followed.Handle();
        std::vector<wchar_t> buffer;
        for (int k = 0; k < count; ++k) {
            buffer.resize(SendMessageW(list, LB_GETTEXTLEN, k, 0) + 1);
            SendMessageW(list, LB_GETTEXT, k, reinterpret_cast<LPARAM>(buffer.data()));
            read.emplace_back(buffer.data());
        }
    });

    std::wprintf(L"list of %d lines, widest %ld px:\n", count,
                 static_cast<long>(SendMessageW(followed.Handle(), LB_GETHORIZONTALEXTENT, 0, 0)));
    std::wprintf(L"  add %d lines, drawn     extent followed %9.1f ms; plain list box %9.1f ms; ratio %.2f\n",
                 drawnCount, drawnFollowed, drawnPlain, drawnFollowed / drawnPlain);
    std::wprintf(L"  add %d lines, not drawn extent followed %9.1f ms; plain list box %9.1f ms; ratio %.2f\n",
                 count, addFollowed, addPlain, addFollowed / addPlain);
    std::wprintf(L"  Ctrl+C copy of %d lines %9.1f ms%ls; reading each line once %9.1f ms; ratio %.2f\n",
                 count, copy, copied ? L"" : L" (the clipboard refused it)", readOnce, copy / readOnce);
    DestroyWindow(parent);
    return copied ? 0 : 1;
}
