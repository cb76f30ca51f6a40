#include "support/real_disc.h"

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

FaultyDisc::~FaultyDisc()
{
    if (outcome == "ok") {
        Unmount(MountPoint());
        daemon->Wait(20000);
    }
}

}  // namespace disc_test
