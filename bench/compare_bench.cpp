// A compare of 100,000 files against the list a scan made of them, twice:
// the unchanged disk, where every file matches its own position, and a copy
// with one file added at the start, so that every file is one position off
// and is matched by content. Both run the program's own walk over a disk in
// memory (no file is read, so the matching is all there is to time) and the
// matching alone; each figure is the median of its rounds, the rounds
// interleaved. Extra memory is the peak of what the heap held during the
// compare beyond what it held before it.
#include "scan/checks.h"
#include "scan/disk_tally.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

std::atomic<size_t> heapNow{0};
std::atomic<size_t> heapPeak{0};

}  // namespace

void* operator new(size_t bytes)
{
    void* block = std::malloc(bytes + 16);
    if (!block)
        throw std::bad_alloc();
    *static_cast<size_t*>(block) = bytes;
    const size_t now = heapNow += bytes;
    size_t peak = heapPeak;
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + 16;
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    char* start = static_cast<char*>(block) - 16;
    heapNow -= *reinterpret_cast<size_t*>(start);
    std::free(start);
}

void operator delete(void* block, size_t) noexcept
{
    operator delete(block);
}

namespace {

constexpr uint32_t kFiles = 100000;
constexpr int kRounds = 7;

// One folder of kFiles files, R:\f0 ... in order, each with its own CRC.
class FlatDisk : public DiskReader {
public:
    std::vector<DirectoryEntry> entries;
    std::unordered_map<std::wstring, uint32_t> crcs;

    std::unique_ptr<DirectorySearch> Open(const std::wstring&) override
    {
        struct Search : DirectorySearch {
            explicit Search(const std::vector<DirectoryEntry>& e) : entries(e) {}
            bool Next(DirectoryEntry& entry) override
            {
                if (next == entries.size())
                    return false;
                entry = entries[next++];
                return true;
            }
            const std::vector<DirectoryEntry>& entries;
            size_t next = 0;
        };
        return std::make_unique<Search>(entries);
    }
    bool Identify(const std::wstring&, FolderIdentity& identity) override
    {
        identity.index = 1;
        return true;
    }
    FileChecksum ChecksumFile(const std::wstring& path, ChunkHook&) override
    {
        return {FileRead::Read, crcs[path]};
    }
    ItemKind KindOf(const std::wstring&) override { return ItemKind::Folder; }
};

// A window that keeps only how many lines it was given.
class CountingWindow : public CommandWindow {
public:
    size_t lines = 0;
    std::wstring last;
    void AddLine(const std::wstring& line) override { ++lines; last = line; }
    void ClearLines() override {}
    int LineCount() const override { return static_cast<int>(lines); }
    std::wstring Line(int) const override { return last; }
    int Ask(const wchar_t*, const wchar_t*, unsigned, BoxOwner) override { return kAnswerYes; }
    void ReportError(const wchar_t*, const wchar_t*) override {}
    void SetStatus(const wchar_t*) override {}
    void ShowWalkPath(const std::wstring&) override {}
    ResultButtons ShownButtons() const override { return {}; }
    void ShowButtons(const ResultButtons&) override {}
    bool IsButtonEnabled(int) const override { return true; }
    void EnableCommands(bool) override {}
    void OpenProgress(const wchar_t*) override {}
    void CloseProgress() override {}
    bool HandlePendingEvents() override { return false; }
    void SetTitle(const wchar_t*) override {}
    int ChooseDrive(bool, wchar_t& drive) override { drive = L'R'; return 1; }
    FileChoice ChooseDataFile(bool) override { return {}; }
};

uint32_t CrcOf(uint32_t i)
{
    return i * 2654435761u + 0x9E3779B9u;
}

void Lay(FlatDisk& disk, bool oneOff)
{
    disk.entries.clear();
    disk.crcs.clear();
    if (oneOff) {
        disk.entries.push_back({L"added", 0x20});
        disk.crcs[L"R:\\added"] = 0x5EED5EEDu;
    }
    for (uint32_t i = 0; i < kFiles; ++i) {
        const std::wstring name = L"f" + std::to_wstring(i);
        disk.entries.push_back({name, 0x20});
        disk.crcs[L"R:\\" + name] = CrcOf(i);
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    std::vector<double> walk, matching;
    size_t walkPeak = 0, matchingPeak = 0;
    std::wstring lastLine;
};

// The whole compare through the program's walk, and the matching alone.
void Round(ProgramState& program, FlatDisk& disk, bool oneOff, Figures& figures)
{
    Lay(disk, oneOff);
    CountingWindow window;
    Checks checks(program, window, disk);

    size_t before = heapNow;
    heapPeak = before;
    auto start = std::chrono::steady_clock::now();
    checks.WalkDisk(L'R', false);
    figures.walk.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    figures.walkPeak = std::max(figures.walkPeak, heapPeak - before);
    figures.lastLine = window.last;

    std::vector<uint32_t> met;
    if (oneOff)
        met.push_back(0x5EED5EEDu);
    for (uint32_t i = 0; i < kFiles; ++i)
        met.push_back(CrcOf(i));
    const std::wstring path = L"R:\\some\\folder\\a file name of usual length.jpg";
    before = heapNow;
    heapPeak = before;
    start = std::chrono::steady_clock::now();
    {
        program.state.fileCount = 0;
        DiskTally tally(program, false, program.crcList);
        for (uint32_t crc : met)
            tally.Place(true, crc, path);
        tally.Finish(L'R');
    }
    figures.matching.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    figures.matchingPeak = std::max(figures.matchingPeak, heapPeak - before);
}

}  // namespace

int main()
{
    ProgramState program;
    program.crcList.Allocate(int32_t(kFiles + 1));
    for (uint32_t i = 0; i < kFiles; ++i)
        program.crcList.Data()[i] = CrcOf(i);
    program.state.expectedCount = kFiles;

    FlatDisk disk;
    Figures same, off;
    for (int round = 0; round < kRounds; ++round) {
        Round(program, disk, false, same);
        Round(program, disk, true, off);
    }
    std::printf("compare of %u files, unchanged:    walk %.3f s, matching %.4f s, extra memory %.1f MB\n",
                kFiles, Median(same.walk), Median(same.matching), same.walkPeak / 1e6);
    std::printf("compare of %u files, one file off: walk %.3f s, matching %.4f s, extra memory %.1f MB "
                "(matching alone %.1f MB)\n",
                kFiles, Median(off.walk), Median(off.matching), off.walkPeak / 1e6, off.matchingPeak / 1e6);
    std::printf("compare one off / unchanged: walk %.2f, matching %.2f\n", Median(off.walk) / Median(same.walk),
                Median(off.matching) / Median(same.matching));
    if (same.lastLine.find(L"CRC for disk") == std::wstring::npos ||
        off.lastLine.find(L"  Total files:  100001") != 0) {
        std::printf("MISMATCH: the compares did not end as expected\n");
        return 1;
    }
    return 0;
}
