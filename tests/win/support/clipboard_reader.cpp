#include "support/clipboard_reader.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

const char kReaderOption[] = "--write-clipboard-text";

std::string TempFileName()
{
    char folder[MAX_PATH];
    char name[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "clp", 0, name);
    return name;
}

} // namespace

bool IsClipboardReaderCommand(int argc, char** argv)
{
    return argc == 3 && std::strcmp(argv[1], kReaderOption) == 0;
}

int WriteClipboardText(const char* path)
{
    if (!OpenClipboard(nullptr))
        return 2;
    std::wstring text;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!found)
        return 2;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(text.data()),
              static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
    return out ? 0 : 3;
}

std::optional<std::wstring> ClipboardTextOfAnotherProcess()
{
    const std::string file = TempFileName();
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\" " + kReaderOption + " \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        DeleteFileA(file.c_str());
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    // The test thread's windows keep answering while the reader asks for the text.
    DWORD exitCode = 1;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    std::optional<std::wstring> text;
    if (exitCode == 0) {
        std::ifstream in(file, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::wstring read(bytes.size() / sizeof(wchar_t), L'\0');
        if (!read.empty())
            std::memcpy(&read[0], bytes.data(), read.size() * sizeof(wchar_t));
        text = read;
    }
    DeleteFileA(file.c_str());
    return text;
}
