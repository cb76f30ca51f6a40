// Read errors inside a mapped view: a file cut short by another program
// while it is mapped raises a fault at the first page that is gone, the way
// a scratched or removed disc does. The check must fail that file, report
// no CRC for it, and go on living.
#include "fault_test.h"
#include "unix_side.h"

#include "engine/crc32.h"
#include "engine/mapped_file.h"
#include "engine/view_fault_guard.h"
#include "../engine/engine_test_files.h"
#include "support/test_folder.h"

#include <gtest/gtest.h>

using namespace engine_test;

namespace {

// Cuts the file to `length` bytes from the Linux side, where no Windows
// sharing rule applies, and waits until it is done.
std::string CutFromLinux(const std::wstring& path, uint64_t length)
{
    const std::string unixPath = unix_side::UnixPath(path);
    if (unixPath.empty())
        return "no Linux path";
    return unix_side::RunPython("import os\nos.truncate(" + unix_side::PyBytes(unixPath) + ", " +
                                std::to_string(length) + ")\n");
}

bool IsFreeAddress(const void* address)
{
    MEMORY_BASIC_INFORMATION info{};
    return VirtualQuery(address, &info, sizeof info) == sizeof info && info.State == MEM_FREE;
}

bool CanOpenExclusively(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

DWORD HandleCount()
{
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

}  // namespace

using ViewFault = FaultTest;

TEST_F(ViewFault, AFileCutToNothingWhileMappedFailsAndLeavesNothingBehind)
{
    TestFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(1 << 20, 11);
    const std::wstring path = folder.Write(L"cut.bin", bytes);
    const DWORD handlesBefore = HandleCount();

    MappedFile file;
    ASSERT_EQ(file.MapFile(path.c_str()), FileRead::Read);
    const void* mappedAt = file.View();
    ASSERT_EQ(CutFromLinux(path, 0), "ok");

    NoChunkEvents nobodyWaits;
    EXPECT_EQ(file.ChecksumViews(nobodyWaits).status, FileRead::Unreadable);
    EXPECT_EQ(file.View(), nullptr);
    EXPECT_FALSE(file.HoldsMapping());
    EXPECT_TRUE(IsFreeAddress(mappedAt)) << "the stand-in pages were not freed";
    EXPECT_EQ(HandleCount(), handlesBefore);
    EXPECT_TRUE(CanOpenExclusively(path));

    // The next file is read as if nothing had happened.
    const std::wstring next = folder.Write(L"next.bin", bytes);
    const FileChecksum read = file.Checksum(next.c_str());
    EXPECT_EQ(read.status, FileRead::Read);
    EXPECT_EQ(read.crc, ZlibCrc(0, bytes.data(), bytes.size()));
}

TEST_F(ViewFault, ACutInsideALaterViewFailsTheWholeFile)
{
    TestFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(200 << 10, 12);
    const std::wstring path = folder.Write(L"cut.bin", bytes);

    MappedFile file(64 << 10);   // four views: 64, 64, 64 and 8 KiB
    ASSERT_EQ(file.MapFile(path.c_str()), FileRead::Read);
    ASSERT_EQ(CutFromLinux(path, 100 << 10), "ok");   // in the middle of the second view

    NoChunkEvents nobodyWaits;
    EXPECT_EQ(file.ChecksumViews(nobodyWaits).status, FileRead::Unreadable);
    EXPECT_EQ(file.View(), nullptr);
    EXPECT_FALSE(file.HoldsMapping());
    EXPECT_TRUE(CanOpenExclusively(path));
}

TEST_F(ViewFault, AFaultOutsideTheGuardedViewIsLeftToTheNextHandler)
{
    // A page nobody may read, made readable by the test's own handler, which
    // runs after the guard's: the guard must pass the fault on untouched.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    auto* forbidden = static_cast<volatile uint8_t*>(
        VirtualAlloc(nullptr, system.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS));
    ASSERT_NE(forbidden, nullptr);
    static volatile LONG othersCalled;
    othersCalled = 0;
    void* other = AddVectoredExceptionHandler(0, [](EXCEPTION_POINTERS* exception) -> LONG {
        const EXCEPTION_RECORD* record = exception->ExceptionRecord;
        if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        DWORD old;
        void* page = reinterpret_cast<void*>(record->ExceptionInformation[1]);
        if (!VirtualProtect(page, 1, PAGE_READONLY, &old))
            return EXCEPTION_CONTINUE_SEARCH;
        InterlockedIncrement(&othersCalled);
        return EXCEPTION_CONTINUE_EXECUTION;
    });
    ASSERT_NE(other, nullptr);

    const std::vector<uint8_t> bytes = RandomBytes(4096, 13);
    bool faulted = true;
    uint8_t seen = 1;
    {
        ViewFaultGuard guard(bytes.data(), bytes.size());
        seen = forbidden[17];
        faulted = guard.Faulted();
    }
    RemoveVectoredExceptionHandler(other);
    EXPECT_FALSE(faulted);
    EXPECT_EQ(othersCalled, 1);
    EXPECT_EQ(seen, 0);
    VirtualFree(const_cast<uint8_t*>(forbidden), 0, MEM_RELEASE);
}
