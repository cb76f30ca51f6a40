#pragma once
// The Linux side of the machine, reached from a test running under Wine:
// files cut short, removed or renamed behind the program's back, and names
// that only a Linux program can make. Work is done by small python3 scripts
// that Wine starts as native processes.
#include "support/unix_path.h"

#include <windows.h>

#include <string>

namespace unix_side {

// The Linux path of a Windows path, as the scripts name it.
using ::UnixPath;

// A Python expression for these bytes, exactly: bytes.fromhex("...").
// Paths go to the scripts as bytes, so no character set is involved.
std::string PyBytes(const std::string& bytes);

// A python3 script started in the background. Its outcome, "ok" or the
// Python error text, is available once it has finished.
class Script {
public:
    explicit Script(const std::string& code);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool Started() const { return started; }
    // True once the script has finished (its outcome was written).
    bool Finished() const;
    // Waits for the end; "ok", the Python error, or "timeout"/"not started".
    std::string Wait(DWORD timeoutMs = 60000);

private:
    std::wstring scriptPath;
    std::wstring outcomePath;
    bool started = false;
};

// Runs the script to its end: "ok" or what went wrong.
std::string RunPython(const std::string& code, DWORD timeoutMs = 120000);

// Empties a folder from the Linux side: names Windows cannot delete, trees
// too big to delete one file at a time. When the folder is a link to a tree
// elsewhere, that tree goes and the link becomes an empty folder again.
std::string EmptyFolder(const std::wstring& windowsFolder);

// Empties the folder when it goes out of scope (declared after the folder),
// or when the test crashes first: a folder left full of such names would
// trip up the next test that gets the same folder name.
class EmptiedAtEnd {
public:
    explicit EmptiedAtEnd(std::wstring folder);
    ~EmptiedAtEnd();
    EmptiedAtEnd(const EmptiedAtEnd&) = delete;
    EmptiedAtEnd& operator=(const EmptiedAtEnd&) = delete;

    // Empties every folder still registered; for the crash handler.
    static void EmptyAllNow();

private:
    std::wstring folder;
};

}  // namespace unix_side
