// "Save CRC's?" before unsaved scan results would be lost, on real windows
// and real files: at Exit, at the close box, at the end of the session and
// before Load. Which answer goes on and which stops each command is tested
// natively (OfferSaveBefore, DataFile).
#include "datafile/data_file_fixture.h"

#include "app/frame_panes.h"
#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

const std::vector<uint32_t> kScanCrcs = {0x01020304u, 0xA0B0C0D0u, 0x0000FFFFu};

BoxAnswerer::Step AnswerSaveQuestion(const wchar_t* button)
{
    return BoxStep(L"Ferrow", button);
}

class OfferSave : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, app_fixture::Start());
        LayScanResults(kScanCrcs, 2, L'S');
        resultList.Clear();
        resultList.AddLine(L"S:\\ to be scanned");
    }
    void TearDown() override { app_fixture::Shutdown(); }

    static void ExpectSaveQuestion(const AnsweredCommand& run)
    {
        ASSERT_FALSE(run.seen.empty());
        EXPECT_EQ(L"Ferrow", run.seen[0].caption);
        EXPECT_EQ(Lines{L"Save CRC's?"}, run.seen[0].lines);
        EXPECT_EQ((Lines{L"&Yes", L"&No", L"&Cancel"}), run.seen[0].buttons);
    }

    static bool ProgramClosed()
    {
        return app_fixture::QuitSeen() && !IsWindow(app_fixture::MainWindowHandle());
    }

    static void ExpectStillRunning()
    {
        EXPECT_FALSE(app_fixture::QuitSeen());
        EXPECT_TRUE(IsWindow(app_fixture::MainWindowHandle()));
        EXPECT_EQ(1, programState.state.unsaved) << "the results are still there to save";
    }

    TestFolder folder;
};

}  // namespace

TEST_F(OfferSave, ExitAsksAndCancelKeepsTheProgramRunning)
{
    const AnsweredCommand run = RunCommand(IDM_EXIT, {AnswerSaveQuestion(L"Cancel")});
    ASSERT_TRUE(AnsweredExactly(run));
    ExpectSaveQuestion(run);
    ExpectStillRunning();
    EXPECT_EQ(Lines{L"S:\\ to be scanned"}, app_fixture::ListLines());
}

TEST_F(OfferSave, ExitAsksAndYesSavesThenCloses)
{
    const std::wstring path = folder.Path(L"at exit.crc");
    const AnsweredCommand run = RunCommand(IDM_EXIT, {AnswerSaveQuestion(L"Yes"), FileDialogStep(path)});
    ASSERT_TRUE(AnsweredExactly(run));
    EXPECT_TRUE(ProgramClosed());

    const Bytes bytes = ReadBytes(path);
    ASSERT_EQ(48u + 12u, bytes.size());
    EXPECT_EQ(3u, GetLittleEndian32(bytes, 20));
    EXPECT_EQ(kScanCrcs[2], GetLittleEndian32(bytes, 56));
}

TEST_F(OfferSave, YesThenAFailedSaveKeepsTheProgramOpen)
{
    const std::wstring path = folder.Path(L"in use.crc");
    const Bytes earlier = {1, 2, 3, 4};
    WriteBytes(path, earlier);
    FileHeldOpen holder(path);
    ASSERT_TRUE(holder.IsOpen());

    const AnsweredCommand run = RunCommand(
        IDM_EXIT, {AnswerSaveQuestion(L"Yes"), FileDialogStep(path), BoxStep(path.c_str(), L"&Ok")});
    holder.Release();
    ASSERT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(Lines{L"Can't open file"}, run.seen[2].lines);
    ExpectStillRunning();
    EXPECT_EQ(earlier, ReadBytes(path));
    EXPECT_EQ(Lines{L"in use.crc"}, folder.FileNames());
}

TEST_F(OfferSave, TheCloseBoxAsksToo)
{
    const AnsweredCommand run = RunAnswered(
        [] {
            PostMessageW(app_fixture::MainWindowHandle(), WM_CLOSE, 0, 0);
            app_fixture::PumpIdle();
        },
        {AnswerSaveQuestion(L"Cancel")});
    ASSERT_TRUE(AnsweredExactly(run));
    ExpectSaveQuestion(run);
    ExpectStillRunning();
}

TEST_F(OfferSave, TheEndOfTheSessionAsksAndCancelRefusesIt)
{
    LRESULT mayEnd = 1;
    const AnsweredCommand run = RunAnswered(
        [&] { mayEnd = SendMessageW(app_fixture::MainWindowHandle(), WM_QUERYENDSESSION, 0, 0); },
        {AnswerSaveQuestion(L"Cancel")});
    ASSERT_TRUE(AnsweredExactly(run));
    ExpectSaveQuestion(run);
    EXPECT_EQ(0, mayEnd);

    const AnsweredCommand second = RunAnswered(
        [&] { mayEnd = SendMessageW(app_fixture::MainWindowHandle(), WM_QUERYENDSESSION, 0, 0); },
        {AnswerSaveQuestion(L"No")});
    ASSERT_TRUE(AnsweredExactly(second));
    EXPECT_NE(0, mayEnd);
}

TEST_F(OfferSave, LoadAfterYesSavesThenLoadsTheChosenFile)
{
    const std::wstring saved = folder.Path(L"before load.crc");
    const std::wstring other = folder.Path(L"other.crc");
    WriteBytes(other, HeaderFile(1, 1, 9, 2, 1, {9}));

    const AnsweredCommand run = RunCommand(
        IDM_LOAD, {AnswerSaveQuestion(L"Yes"), FileDialogStep(saved), FileDialogStep(other)});
    ASSERT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(kScanCrcs, (std::vector<uint32_t>{GetLittleEndian32(ReadBytes(saved), 48),
                                                GetLittleEndian32(ReadBytes(saved), 52),
                                                GetLittleEndian32(ReadBytes(saved), 56)}));
    EXPECT_EQ((Lines{L"Previous scan data:", L"  Total files:  1  Total folders:  1  CRC for disk:  00000009"}),
              app_fixture::ListLines());
    EXPECT_EQ(L"Ferrow - " + other, app_fixture::Title());
}

namespace {

// Alt+F4 as the keyboard delivers it to the box's focused button.
bool PressAltF4(HWND box)
{
    HWND focus = FocusOfBoxThread(box);
    return PostMessageW(focus ? focus : box, WM_SYSKEYDOWN, VK_F4, 0x20000001) != FALSE;
}

}  // namespace

TEST_F(OfferSave, TheQuestionClosedWithoutAnAnswerStopsExitScanAndLoadAndLosesNothing)
{
    const BoxAnswerer::Action closes[] = {PressAltF4, [](HWND box) {
                                              return PostMessageW(box, WM_CLOSE, 0, 0) != FALSE;
                                          }};
    for (const BoxAnswerer::Action& close : closes)
        for (int command : {IDM_EXIT, IDM_SCAN, IDM_LOAD}) {
            SCOPED_TRACE(command);
            const AnsweredCommand run = RunCommand(command, {{BoxQuery::ForBox(L"Ferrow"), close}});
            ASSERT_TRUE(AnsweredExactly(run)) << "no drive or file dialog after it";
            ExpectSaveQuestion(run);
            ExpectStillRunning();
            EXPECT_EQ(Lines{L"S:\\ to be scanned"}, app_fixture::ListLines());
            EXPECT_TRUE(app_fixture::ButtonEnabled(IDM_SAVE));
        }
}

TEST_F(OfferSave, ACloseOrTheEndOfTheSessionWhileTheQuestionIsOpenDropsNothing)
{
    HWND main = app_fixture::MainWindowHandle();
    LRESULT mayEnd = 1;
    const AnsweredCommand run = RunCommand(
        IDM_EXIT, {{BoxQuery::ForBox(L"Ferrow"), [&](HWND box) {
                        // The close box and the system, while the user still reads the question.
                        SendMessageW(main, WM_CLOSE, 0, 0);
                        mayEnd = SendMessageW(main, WM_QUERYENDSESSION, 0, 0);
                        return IsWindow(main) && ClickBoxButton(box, L"&Cancel");
                    }}});
    ASSERT_TRUE(AnsweredExactly(run)) << "no second question over the first";
    EXPECT_EQ(0, mayEnd);
    ExpectStillRunning();
}

TEST_F(OfferSave, TheEndOfTheSessionWhileTheAboutBoxIsOpenIsRefused)
{
    HWND main = app_fixture::MainWindowHandle();
    LRESULT mayEnd = 1;
    const AnsweredCommand run = RunCommand(IDM_ABOUT, {{BoxQuery::ForBox(), [&](HWND box) {
                                                           mayEnd = SendMessageW(main, WM_QUERYENDSESSION, 0, 0);
                                                           return ClickBoxButton(box, L"&Ok");
                                                       }}});
    ASSERT_TRUE(AnsweredExactly(run));
    EXPECT_EQ(0, mayEnd) << "the question could not be shown, so the results were not let go";
    ExpectStillRunning();
}
