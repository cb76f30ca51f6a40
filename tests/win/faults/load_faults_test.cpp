// Loading data files that are damaged, cut short, oversized, random or
// built to hurt, the fuzz corpus among them, through the program's own Load
// and file dialog: each one either loads exactly what it holds or is refused
// with "Error reading file"; nothing crashes, and the CRC list never takes
// more memory than the file could fill.
#include "fault_test.h"

#include "../datafile/data_file_fixture.h"
#include "../engine/engine_test_files.h"
#include "common/expected_lines.h"
#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"
#include "support/unix_path.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Lines = std::vector<std::wstring>;

// What the format says a file holds, worked out here from its bytes alone.
struct Expected {
    bool loads = false;
    Lines lines;
    std::vector<uint32_t> crcs;
};

Expected ReadLikeTheFormatSays(const Bytes& bytes)
{
    Expected expected;
    const bool header = bytes.size() >= 48 && std::memcmp(bytes.data(), "Ferrow data", 12) == 0;
    const uint64_t offset = header ? 48 : 0;
    const uint64_t count = header ? GetLittleEndian32(bytes, 20) : bytes.size() / 4;
    if (offset + 4 * count > bytes.size())
        return expected;
    expected.loads = true;
    for (uint64_t i = 0; i < count; ++i)
        expected.crcs.push_back(GetLittleEndian32(bytes, size_t(offset + 4 * i)));
    if (header) {
        expected.lines = {L"Previous scan data:",
                          Totals(uint32_t(count), GetLittleEndian32(bytes, 24), GetLittleEndian32(bytes, 28))};
    } else {
        expected.lines = {std::to_wstring(count) + L" files to be CRC checked"};
    }
    return expected;
}

class LoadFault : public FaultTest {
protected:
    void SetUp() override
    {
        FaultTest::SetUp();
        ASSERT_EQ(1, app_fixture::Start());
        // The file dialog's first showing loads the shell and keeps some
        // megabytes: none of them is the list's. Shown once and cancelled
        // first, it leaves only what each Load itself keeps to be measured.
        ASSERT_TRUE(AnsweredExactly(RunCommand(IDM_LOAD, {CancelFileDialogStep()})));
    }
    void TearDown() override
    {
        app_fixture::Shutdown();
        LeaveTestFolders();
    }

    // Loads the file through the dialog as a user does and checks the outcome
    // against what its bytes say. `name` tells the failing input.
    void LoadAndCheck(const std::wstring& path, const std::string& name)
    {
        SCOPED_TRACE(name);
        ++loads;
        const Bytes bytes = ReadBytes(path);
        const Expected expected = ReadLikeTheFormatSays(bytes);
        const uint32_t heldBefore = programState.state.expectedCount;
        const std::vector<uint32_t> crcsBefore = ProgramCrcs(heldBefore);
        const int64_t capacityBefore = programState.crcList.Capacity();
        const size_t privateBefore = PrivateBytes();

        std::vector<BoxAnswerer::Step> steps = {FileDialogStep(path)};
        if (!expected.loads)
            steps.push_back(BoxStep(path.c_str(), L"&Ok"));
        AnsweredCommand run = RunCommand(IDM_LOAD, steps);
        ASSERT_TRUE(run.answered);
        EXPECT_EQ(Lines{}, run.unexpected);

        // The list grows only to what the file holds: count + 1 elements.
        const int64_t capacityAfter = programState.crcList.Capacity();
        EXPECT_TRUE(capacityAfter <= capacityBefore || 4 * (capacityAfter - 1) <= int64_t(bytes.size()))
            << "capacity " << capacityAfter << " for a file of " << bytes.size() << " bytes";
        const int64_t grown = int64_t(PrivateBytes()) - int64_t(privateBefore);
        EXPECT_LT(grown, int64_t(bytes.size()) + (2 << 20)) << "private bytes grew by " << grown;

        if (expected.loads) {
            EXPECT_EQ(expected.lines, app_fixture::ListLines());
            EXPECT_EQ(uint32_t(expected.crcs.size()), programState.state.expectedCount);
            EXPECT_TRUE(expected.crcs == ProgramCrcs(uint32_t(expected.crcs.size())));
            EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_COMPARE));
            EXPECT_EQ(L"Ferrow - " + path, app_fixture::Title());
            ++loaded;
        } else {
            ASSERT_EQ(2u, run.seen.size());
            EXPECT_EQ(Lines{L"Error reading file"}, run.seen[1].lines);
            EXPECT_EQ(Lines{}, app_fixture::ListLines());
            EXPECT_EQ(heldBefore, programState.state.expectedCount) << "the list held stays";
            EXPECT_TRUE(crcsBefore == ProgramCrcs(heldBefore));
            EXPECT_FALSE(app_fixture::ButtonEnabled(IDM_COMPARE));
            ++refused;
        }
    }

    void LoadBytes(const Bytes& bytes, const std::string& name)
    {
        const std::wstring path = folder.Path(L"input.crc");
        WriteBytes(path, bytes);
        LoadAndCheck(path, name);
    }

    void TearDownCounts(const char* what)
    {
        std::printf("%s: %d inputs, %d loaded, %d refused\n", what, loads, loaded, refused);
    }

    TestFolder folder;
    int loads = 0, loaded = 0, refused = 0;
};

Bytes ValidFile(uint32_t count)
{
    std::vector<uint32_t> crcs;
    for (uint32_t i = 0; i < count; ++i)
        crcs.push_back(0x01010101u * (i + 1) ^ 0x80C0E0F0u);
    return HeaderFile(count, 3, WrappingSum(crcs), 17, 1, crcs);
}

Bytes RandomFile(size_t size, uint32_t seed)
{
    const std::vector<uint8_t> random = engine_test::RandomBytes(size, seed);
    return Bytes(random.begin(), random.end());
}

// The seeds of the fuzzer, tests/fuzz/corpus of the source tree.
std::wstring CorpusFolder()
{
    using DosName = wchar_t*(CDECL*)(const char*);
    auto dosName = reinterpret_cast<DosName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!dosName)
        return L"";
    wchar_t* name = dosName((SourceTreeUnixPath() + "/tests/fuzz/corpus").c_str());
    if (!name)
        return L"";
    std::wstring folder = name;
    HeapFree(GetProcessHeap(), 0, name);
    return folder;
}

}  // namespace

TEST_F(LoadFault, EveryFileOfTheFuzzCorpusLoadsOrIsRefused)
{
    const std::wstring corpus = CorpusFolder();
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((corpus + L"\\*.crc").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE)
        << "no corpus at " << std::string(corpus.begin(), corpus.end());
    std::vector<std::wstring> names;
    do
        names.push_back(entry.cFileName);
    while (FindNextFileW(search, &entry));
    FindClose(search);
    ASSERT_GE(names.size(), 6u);
    for (const std::wstring& name : names)
        LoadAndCheck(corpus + L"\\" + name, std::string(name.begin(), name.end()));
    TearDownCounts("fuzz corpus");
}

TEST_F(LoadFault, AFileCutShortAtEveryLengthLoadsOrIsRefused)
{
    const Bytes whole = ValidFile(5);   // 68 bytes
    for (size_t length = 0; length <= whole.size(); ++length)
        LoadBytes(Bytes(whole.begin(), whole.begin() + length), "cut to " + std::to_string(length));
    TearDownCounts("cut short");
}

TEST_F(LoadFault, HostileCountsAreRefusedWithoutTakingMemory)
{
    const uint32_t counts[] = {0u, 4u, 5u, 6u, 7u, 1000000u, 0x3FFFFFFEu, 0x3FFFFFFFu,
                               0x40000000u, 0x40000001u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
    for (uint32_t count : counts) {
        Bytes bytes = ValidFile(5);
        PutLittleEndian32(bytes, 20, count);
        LoadBytes(bytes, "count " + std::to_string(count));
    }
    // A header announcing a little, followed by a megabyte of anything.
    Bytes oversized = ValidFile(3);
    const Bytes tail = RandomFile(1 << 20, 99);
    oversized.insert(oversized.end(), tail.begin(), tail.end());
    LoadBytes(oversized, "oversized");
    // Eight megabytes without a header: two million CRCs, as much as the file holds.
    LoadBytes(RandomFile(8 << 20, 98), "large headerless");
    // The magic text with one byte off, and without its NUL.
    Bytes almost = ValidFile(5);
    almost[10] = 'A';
    LoadBytes(almost, "magic with a wrong letter");
    almost = ValidFile(5);
    almost[11] = ' ';
    LoadBytes(almost, "magic without its NUL");
    TearDownCounts("hostile");
}

TEST_F(LoadFault, RandomFilesLoadOrAreRefused)
{
    const size_t sizes[] = {1, 2, 3, 4, 5, 47, 48, 49, 51, 52, 100, 1000, 4096, 65537};
    uint32_t seed = 1;
    for (size_t size : sizes)
        LoadBytes(RandomFile(size, seed++), "random " + std::to_string(size));
    // Random bytes behind a real magic text: counts and fields of every kind.
    for (int i = 0; i < 20; ++i) {
        Bytes bytes = RandomFile(48 + 4 * size_t(i * 7 % 23), seed++);
        std::memcpy(bytes.data(), "Ferrow data", 12);
        if (i % 2)
            PutLittleEndian32(bytes, 20, GetLittleEndian32(bytes, 20) % 32);
        LoadBytes(bytes, "random header " + std::to_string(i));
    }
    TearDownCounts("random");
}
