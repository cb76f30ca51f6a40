#include "unix_side.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace unix_side {
namespace {

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

bool WriteText(const std::wstring& path, const std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return written == text.size();
}

bool ReadText(const std::wstring& path, std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD got = 0;
    text.clear();
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(file);
    return true;
}

// The script runs the test's code and then reports, by renaming its outcome
// file into place, so the test never reads half of it. Wine cannot wait for
// a native process, hence the file.
const char kWrapper[] =
    "import os, sys, traceback\n"
    "code_path, outcome_path = sys.argv[1], sys.argv[2]\n"
    "try:\n"
    "    exec(compile(open(code_path).read(), code_path, 'exec'), {})\n"
    "    outcome = 'ok'\n"
    "except BaseException:\n"
    "    outcome = traceback.format_exc()\n"
    "with open(outcome_path + '.part', 'w') as f:\n"
    "    f.write(outcome)\n"
    "os.rename(outcome_path + '.part', outcome_path)\n";

}  // namespace

std::string PyBytes(const std::string& bytes)
{
    std::string out = "bytes.fromhex(\"";
    char hex[3];
    for (unsigned char c : bytes) {
        std::snprintf(hex, sizeof hex, "%02x", c);
        out += hex;
    }
    return out + "\")";
}

Script::Script(const std::string& code)
{
    static int made = 0;
    const std::wstring stem = TempFolder() + L"ferrow-faults-script-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++made);
    scriptPath = stem + L".py";
    outcomePath = stem + L".outcome";
    const std::wstring wrapperPath = stem + L"-run.py";
    DeleteFileW(outcomePath.c_str());
    if (!WriteText(scriptPath, code) || !WriteText(wrapperPath, kWrapper))
        return;
    std::wstring commandLine = L"python3 \"";
    const std::wstring* arguments[] = {&wrapperPath, &scriptPath, &outcomePath};
    for (const std::wstring* path : arguments) {
        const std::string unixPath = UnixPath(*path);
        if (unixPath.empty())
            return;
        commandLine += std::wstring(unixPath.begin(), unixPath.end()) + L"\" \"";
    }
    commandLine.resize(commandLine.size() - 2);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    started = CreateProcessW(L"Z:\\usr\\bin\\python3", &commandLine[0], nullptr, nullptr, FALSE,
                             0, nullptr, nullptr, &startup, &process) != FALSE;
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

Script::~Script()
{
    // A script still running keeps its files; they are in the temporary folder.
    if (!started || Finished()) {
        DeleteFileW(scriptPath.c_str());
        DeleteFileW(outcomePath.c_str());
        DeleteFileW((scriptPath.substr(0, scriptPath.size() - 3) + L"-run.py").c_str());
    }
}

bool Script::Finished() const
{
    return GetFileAttributesW(outcomePath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Script::Wait(DWORD timeoutMs)
{
    if (!started)
        return "not started";
    const DWORD start = GetTickCount();
    while (!Finished()) {
        if (GetTickCount() - start > timeoutMs)
            return "timeout";
        Sleep(5);
    }
    std::string outcome;
    if (!ReadText(outcomePath, outcome))
        return "no outcome";
    return outcome;
}

std::string RunPython(const std::string& code, DWORD timeoutMs)
{
    Script script(code);
    return script.Wait(timeoutMs);
}

std::string EmptyFolder(const std::wstring& windowsFolder)
{
    const std::string folder = UnixPath(windowsFolder);
    if (folder.empty())
        return "no Linux path";
    return RunPython("import os, shutil\n"
                     "root = " + PyBytes(folder) + "\n"
                     "if os.path.islink(root):\n"
                     "    shutil.rmtree(os.path.realpath(root))\n"
                     "    os.unlink(root)\n"
                     "    os.mkdir(root)\n"
                     "elif os.path.isdir(root):\n"
                     "    for name in os.listdir(root):\n"
                     "        path = os.path.join(root, name)\n"
                     "        if os.path.isdir(path) and not os.path.islink(path):\n"
                     "            shutil.rmtree(path)\n"
                     "        else:\n"
                     "            os.unlink(path)\n");
}

namespace {

std::vector<std::wstring>& FoldersToEmpty()
{
    static std::vector<std::wstring> folders;
    return folders;
}

}  // namespace

EmptiedAtEnd::EmptiedAtEnd(std::wstring folderToEmpty) : folder(std::move(folderToEmpty))
{
    FoldersToEmpty().push_back(folder);
}

EmptiedAtEnd::~EmptiedAtEnd()
{
    const std::string outcome = EmptyFolder(folder);
    if (outcome != "ok")
        ADD_FAILURE() << "the test's files were not removed: " << outcome;
    auto& folders = FoldersToEmpty();
    for (auto it = folders.begin(); it != folders.end(); ++it)
        if (*it == folder) {
            folders.erase(it);
            break;
        }
}

void EmptiedAtEnd::EmptyAllNow()
{
    for (const std::wstring& folder : FoldersToEmpty())
        EmptyFolder(folder);
    FoldersToEmpty().clear();
}

}  // namespace unix_side
