// Where a walk's time goes, step by step, under the system it runs on.
//   read_steps_bench FOLDER
// Lists every file under FOLDER once, then times each step a check of one
// file takes, over all the files (best of three rounds), and prints
// microseconds per file. The mapped read is the program's own MappedFile;
// the buffered read beside it is there for comparison only.
#include "seconds.h"
#include "engine/crc32.h"
#include "engine/long_path.h"
#include "engine/mapped_file.h"
#include "engine/message_pump.h"
#include "toolkit/system_library.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> ListFiles(const std::wstring& root)
{
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders{root};
    while (!folders.empty()) {
        std::wstring folder = folders.back();
        folders.pop_back();
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(path);
            else
                files.push_back(path);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    return files;
}

// Best of three rounds over all files, in microseconds per file.
double PerFile(size_t files, const std::function<void()>& round)
{
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const double start = Seconds();
        round();
        best = std::min(best, Seconds() - start);
    }
    return best * 1e6 / double(files);
}

HANDLE Open(const std::wstring& path)
{
    return CreateFileW(LiteralPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: read_steps_bench FOLDER\n");
        return 2;
    }
    std::vector<wchar_t> full(32768);
    if (!GetFullPathNameW(argv[1], DWORD(full.size()), full.data(), nullptr))
        return 1;
    const std::wstring root(full.data());
    const std::vector<std::wstring> files = ListFiles(root);
    if (files.empty()) {
        std::fwprintf(stderr, L"read_steps_bench: no files under %ls\n", root.c_str());
        return 1;
    }
    const size_t n = files.size();
    uint64_t bytes = 0;
    for (const auto& path : files) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
            bytes += (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    uint32_t mappedSum = 0, readSum = 0;
    const double listing = PerFile(n, [&] { ListFiles(root); });
    const double openClose = PerFile(n, [&] {
        for (const auto& path : files)
            CloseHandle(Open(path));
    });
    const double openSizeClose = PerFile(n, [&] {
        for (const auto& path : files) {
            HANDLE file = Open(path);
            LARGE_INTEGER length;
            GetFileSizeEx(file, &length);
            CloseHandle(file);
        }
    });
    const double mapped = PerFile(n, [&] {
        mappedSum = 0;
        for (const auto& path : files)
            mappedSum += mappedFile.Checksum(path.c_str()).crc;
    });
    std::vector<uint8_t> buffer(1 << 20);
    const double buffered = PerFile(n, [&] {
        readSum = 0;
        for (const auto& path : files) {
            HANDLE file = Open(path);
            uint32_t crc = 0;
            DWORD got = 0;
            while (ReadFile(file, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got)
                crc = CrcAdvance(crc, buffer.data(), got);
            CloseHandle(file);
            readSum += crc;
        }
    });
    const double pump = PerFile(n, [&] {
        for (size_t i = 0; i < n; ++i)
            PumpPendingMessages();
    });
    const double status = [&] {
        // A status bar like the program's, hidden: only the text is set.
        // The common controls as the program loads them: from the system
        // folder, on first use, not imported.
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
        system_library::InitCommonControls(&classes);
        HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_POPUP, 0, 0, 400, 20,
                                   nullptr, nullptr, nullptr, nullptr);
        double perFile = PerFile(n, [&] {
            for (const auto& path : files)
                SendMessageW(bar, SB_SETTEXTW, 0, LPARAM(path.c_str()));
        });
        DestroyWindow(bar);
        return perFile;
    }();

    std::wprintf(L"read steps: %zu files, %.1f MiB, microseconds per file (best of 3):\n", n,
                 double(bytes) / 1048576.0);
    std::wprintf(L"  folder listing             %8.1f\n", listing);
    std::wprintf(L"  open + close               %8.1f\n", openClose);
    std::wprintf(L"  open + size + close        %8.1f\n", openSizeClose);
    std::wprintf(L"  mapped read + CRC          %8.1f   (%.0f MiB/s)\n", mapped,
                 double(bytes) / 1048576.0 / (mapped * double(n) / 1e6));
    std::wprintf(L"  buffered read + CRC        %8.1f   (%.0f MiB/s, for comparison)\n", buffered,
                 double(bytes) / 1048576.0 / (buffered * double(n) / 1e6));
    std::wprintf(L"  event pump, empty queue    %8.1f\n", pump);
    std::wprintf(L"  status text set, hidden bar %7.1f   (the walk sets it once a tick, not per file)\n", status);
    if (mappedSum != readSum) {
        std::wprintf(L"read steps: mapped and buffered reads disagree\n");
        return 1;
    }
    return 0;
}
