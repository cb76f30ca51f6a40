// A slow drive (a CD reading 2 MiB/s here) and one large file on it: while
// the file is read the window answers other programs, and Abort in the middle
// of the file ends the walk at once, long before the file's end is read.
#include "fault_test.h"
#include "unix_side.h"

#include "../scan/scan_fixture.h"
#include "app/program.h"
#include "app/result_list.h"
#include "scan/scan_texts.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"
#include "support/real_disc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using Lines = std::vector<std::wstring>;

constexpr uint64_t kFileSize = 8u << 20;         // four seconds of reading
constexpr uint64_t kBytesPerSecond = 2u << 20;

std::string Pattern(size_t length)
{
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = char((i * 131 + (i >> 12)) & 0xFF);
    return bytes;
}

// Waits until the drive has read at least `bytes` of the file.
bool ReadsReach(const disc_test::FaultyDisc& disc, const std::wstring& file, uint64_t bytes,
                DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (disc.ReadUpTo(file) < bytes) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

using SlowDrive = FaultTest;

TEST_F(SlowDrive, TheWindowAnswersDuringALongReadAndAbortEndsTheWalkAtOnce)
{
    TestFolder source;
    source.Write(L"big.bin", Pattern(kFileSize));
    disc_test::Faults faults;
    faults.bytesPerSecond = kBytesPerSecond;
    disc_test::FaultyDisc disc(unix_side::UnixPath(source.Root()), faults);
    ASSERT_EQ("ok", disc.Outcome());
    scan_test::CdDrive drive(L'S', disc.MountPoint());
    RunningApp app;
    const HWND main = app_fixture::MainWindowHandle();

    // Another program's view: it asks the window something once the file is
    // being read, then the user presses Abort.
    std::atomic<bool> answered{false}, aborted{false};
    std::atomic<uint64_t> readWhenAnswered{0};
    std::thread user([&] {
        if (!ReadsReach(disc, L"/big.bin", 256u << 10, 60000))
            return;
        DWORD_PTR result = 0;
        // Less than the rest of the file takes: only a window that answers
        // during the file answers in time.
        answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 2500, &result) != 0;
        readWhenAnswered = disc.ReadUpTo(L"/big.bin");
        HWND progress = WaitForBox(BoxQuery::ForDialog(L""), 5000);
        aborted = progress && ClickBoxButton(progress, L"Abort");
    });
    const bool scanned = scan_test::ScanDrive(L'S');
    user.join();
    ASSERT_TRUE(scanned);

    EXPECT_TRUE(answered) << "the window answered while the file was read";
    EXPECT_LT(readWhenAnswered, kFileSize);
    ASSERT_TRUE(aborted);
    EXPECT_EQ(app_fixture::StatusText(), kStatusAborted);
    // Neither stored nor matched: no totals, nothing counted.
    EXPECT_EQ((Lines{L"S:\\ to be scanned"}), app_fixture::ListLines());
    EXPECT_EQ(programState.state.unsaved, 0);
    // Whatever the drive still had in hand, the file's end was never read.
    Sleep(300);
    EXPECT_LT(disc.ReadUpTo(L"/big.bin"), kFileSize) << "the walk ended before the file's end";
}
