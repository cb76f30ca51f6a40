#pragma once
// What the data-file tests share: a private folder for the files they make,
// file bytes read and written without the program, scan results laid into
// the program the way a finished scan leaves them, and a user's answers to
// the file dialogs.
#include "support/box_answerer.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The names of the files and folders in folder, sorted, without "." and "..".
std::vector<std::wstring> FileNamesIn(const std::wstring& folder);

// A new empty folder under the temporary folder, removed with its files at
// the end of the test.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path; }
    std::wstring File(const std::wstring& name) const { return path + L"\\" + name; }
    // The names of the files in it, sorted.
    std::vector<std::wstring> FileNames() const { return FileNamesIn(path); }

private:
    std::wstring path;
};

bool FileExists(const std::wstring& path);
Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& bytes);

// A data file in the current layout as another writer of the format makes
// it, byte by byte, with bytesAfter bytes of CRC data (the CRCs given, then
// filler) after the 48-byte header.
Bytes HeaderFile(uint32_t crcCount, uint32_t folderCount, uint32_t diskCrc, uint32_t driveIndex,
                 uint32_t version, const std::vector<uint32_t>& crcs);
void PutLittleEndian32(Bytes& bytes, size_t offset, uint32_t value);
uint32_t GetLittleEndian32(const Bytes& bytes, size_t offset);

// The program's state after a complete scan of drive `drive` that found
// these file CRCs in `folders` folders: the CRC list, the counts, the disk
// CRC (wrapping sum), unsaved results, Save and Compare enabled.
void LayScanResults(const std::vector<uint32_t>& crcs, uint32_t folders, wchar_t drive);
uint32_t WrappingSum(const std::vector<uint32_t>& crcs);
// The first count CRCs the program holds in its list.
std::vector<uint32_t> ProgramCrcs(uint32_t count);

// The system file dialog (a "#32770" box): types name into the file name
// box and presses the dialog's OK button (Save or Open). When the dialog asks
// whether to replace the file, the answer is Yes.
BoxAnswerer::Step FileDialogStep(const std::wstring& name);
// What FileDialogStep does first: types name into the dialog's file name box
// and clicks its OK button, without waiting. False when either is missing.
bool EnterFileName(HWND dialog, const std::wstring& name);
// The box that a dialog shows over itself (a question, a refusal), waited
// for while the dialog is open; nullptr when none came.
HWND WaitForBoxOver(HWND dialog, DWORD timeoutMs);
// The file dialog, cancelled.
BoxAnswerer::Step CancelFileDialogStep();
// The program's message box with this caption, answered with buttonText.
BoxAnswerer::Step BoxStep(const wchar_t* caption, const wchar_t* buttonText);

// What the user saw while a command ran: the boxes the steps answered, in
// order, whether every step found its box, and "caption|class" of each box
// that appeared beyond the steps (closed at once).
struct AnsweredCommand {
    bool answered = false;
    std::vector<SeenBox> seen;
    std::vector<std::wstring> unexpected;
};

// Runs deliver() on this thread (it returns once the program has handled
// what it delivered) and answers the boxes shown meanwhile with the steps,
// in order. Any other box, or every box once a step failed, is closed, so a
// failing test ends instead of waiting in a modal loop.
AnsweredCommand RunAnswered(const std::function<void()>& deliver,
                            std::vector<BoxAnswerer::Step> steps, DWORD timeoutMs = 30000);
// Every step found and answered its box, and no other box appeared.
inline bool AnsweredExactly(const AnsweredCommand& run)
{
    return run.answered && run.unexpected.empty();
}
// The command as a click on its button delivers it.
AnsweredCommand RunCommand(int commandId, std::vector<BoxAnswerer::Step> steps,
                           DWORD timeoutMs = 30000);

// Watches for boxes or dialogs of this process and closes what it finds:
// for checking that a command asks and shows nothing. Without queries it
// watches for the program's message boxes and every dialog.
class BoxWatch {
public:
    explicit BoxWatch(std::vector<BoxQuery> queries = {});
    ~BoxWatch();
    BoxWatch(const BoxWatch&) = delete;
    BoxWatch& operator=(const BoxWatch&) = delete;

    // Stops watching; "caption|class" of each window that appeared.
    std::vector<std::wstring> Stop();

private:
    void Run();

    std::vector<BoxQuery> queries;
    volatile LONG stop = 0;
    std::vector<std::wstring> seen;
    std::thread thread;
};
