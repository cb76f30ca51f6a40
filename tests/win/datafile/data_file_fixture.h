#pragma once
// What the data-file tests share: file bytes read and written without the
// program, scan results laid into the program the way a finished scan leaves
// them, and a user's answers to the file dialogs.
#include "common/crc_file_bytes.h"
#include "support/box_answerer.h"
#include "support/test_folder.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

bool FileExists(const std::wstring& path);
Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& bytes);

// The program's state after a complete scan of drive `drive` that found
// these file CRCs in `folders` folders: the CRC list, the counts, the disk
// CRC (wrapping sum), unsaved results, Save and Compare enabled.
void LayScanResults(const std::vector<uint32_t>& crcs, uint32_t folders, wchar_t drive);
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
