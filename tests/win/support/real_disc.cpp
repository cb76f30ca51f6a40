#include "support/real_disc.h"

#include <algorithm>

namespace disc_test {
namespace {

using unix_side::PyBytes;

// A Python str of a disc path.
std::string PyText(const std::wstring& text)
{
    return PyBytes(Utf8(text)) + ".decode()";
}

// Runs Linux commands; the outcome names the first that failed and what it said.
const char kRunHelper[] =
    "import os, subprocess\n"
    "def run(*cmd):\n"
    "    done = subprocess.run(list(cmd), capture_output=True)\n"
    "    if done.returncode:\n"
    "        raise RuntimeError(repr(cmd) + ': ' + done.stderr.decode(errors='replace'))\n";

std::string Unmount(const std::string& mountPoint)
{
    // Lazily: Wine may still hold a handle of the drive for a moment.
    return unix_side::RunPython(std::string(kRunHelper) + "run(b'fusermount', b'-u', b'-z', " +
                                PyBytes(mountPoint) + ")\n");
}

}  // namespace

DiscImage::DiscImage(const std::wstring& sourceFolder, bool udf)
{
    work.MakeFolder(L"mnt");
    const std::string source = PyBytes(UnixPath(sourceFolder));
    const std::string image = PyBytes(UnixPath(work.Path(L"disc.iso")));
    const std::string make = udf ? "run(b'genisoimage', b'-quiet', b'-udf', b'-J', b'-R', b'-o', " +
                                       image + ", " + source + ")\n"
                                 : "run(b'xorriso', b'-as', b'mkisofs', b'-quiet', b'-J', "
                                   "b'-joliet-long', b'-R', b'-o', " + image + ", " + source + ")\n";
    outcome = unix_side::RunPython(std::string(kRunHelper) + make + "run(b'fuseiso', " + image +
                                   ", " + PyBytes(MountPoint()) + ")\n");
}

DiscImage::~DiscImage()
{
    if (outcome == "ok")
        Unmount(MountPoint());
}

FaultyDisc::FaultyDisc(const std::string& sourceUnixPath, const Faults& faults)
{
    work.MakeFolder(L"mnt");
    std::string bad = "{";
    for (const auto& [path, offset] : faults.badSectors)
        bad += PyText(path) + ": " + std::to_string(offset) + ", ";
    bad += "}";
    std::string unlistable = "[";
    for (const std::wstring& path : faults.unlistable)
        unlistable += PyText(path) + ", ";
    unlistable += "]";
    const std::wstring ready = work.Path(L"ready");
    const std::string plan =
        "{'bad': " + bad + ", 'unlistable': " + unlistable +
        ", 'ready': " + PyBytes(UnixPath(work.Path(L"ready"))) + ".decode()" +
        ", 'read_log': " + PyBytes(UnixPath(work.Path(L"reads.log"))) + ".decode()" +
        ", 'bytes_per_second': " + std::to_string(faults.bytesPerSecond) +
        (faults.takeOutWhenOpened.empty()
             ? "" : ", 'take_out_when_opened': " + PyText(faults.takeOutWhenOpened)) +
        "}";
    const std::string planPath = PyBytes(UnixPath(work.Path(L"plan.json")));
    daemon = std::make_unique<unix_side::Script>(
        "import json, runpy, sys\n"
        "with open(" + planPath + ", 'w') as f:\n"
        "    json.dump(" + plan + ", f)\n"
        "sys.argv = ['faulty_disc.py', " + PyBytes(sourceUnixPath) + ".decode(), " +
        PyBytes(MountPoint()) + ".decode(), " + planPath + ".decode()]\n"
        "runpy.run_path(" + PyBytes(SourceTreeUnixPath() + "/tests/win/support/faulty_disc.py") +
        ".decode(), run_name='__main__')\n");
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (daemon->Finished() || GetTickCount() - start > 20000) {
            outcome = "the faulty disc was not mounted: " + daemon->Wait(1000);
            return;
        }
        Sleep(10);
    }
    outcome = "ok";
}

uint64_t FaultyDisc::ReadUpTo(const std::wstring& discPath) const
{
    const std::string path = Utf8(discPath);
    uint64_t furthest = 0;
    HANDLE log = CreateFileW(work.Path(L"reads.log").c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 0;
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(log, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(log);
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            break;   // a line being written
        const std::string line = text.substr(at, end - at);
        const size_t space = line.rfind(' ');
        if (space != std::string::npos && line.compare(0, space, path) == 0 && space == path.size())
            furthest = std::max<uint64_t>(furthest, std::stoull(line.substr(space + 1)));
        at = end + 1;
    }
    return furthest;
}

FaultyDisc::~FaultyDisc()
{
    if (outcome == "ok") {
        Unmount(MountPoint());
        daemon->Wait(20000);
    }
}

}  // namespace disc_test
