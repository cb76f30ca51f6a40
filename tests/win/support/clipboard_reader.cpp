#include "support/clipboard_reader.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace {
const char kReaderOption[] = "--write-clipboard-text";
}

std::optional<std::wstring> ClipboardText()
{
    std::optional<std::wstring> text;
    if (OpenClipboard(nullptr)) {
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (auto* chars = static_cast<const wchar_t*>(data ? GlobalLock(data) : nullptr)) {
            text = chars;
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

int RunAsClipboardReader(int argc, char** argv)
{
    if (argc != 3 || std::strcmp(argv[1], kReaderOption) != 0)
        return -1;
    const std::optional<std::wstring> text = ClipboardText();
    const std::wstring written = text.value_or(std::wstring());
    std::ofstream(argv[2], std::ios::binary)
        .write(reinterpret_cast<const char*>(written.data()), written.size() * sizeof(wchar_t));
    return text ? 0 : 2;
}

std::optional<std::wstring> ClipboardTextOfAnotherProcess()
{
    char folder[MAX_PATH], file[MAX_PATH], self[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "clp", 0, file);
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\" " + kReaderOption + " \"" + file + "\"";
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (CreateProcessA(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    DeleteFileA(file);
    if (exitCode != 0)
        return std::nullopt;
    const std::string raw = bytes.str();
    return std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
}
