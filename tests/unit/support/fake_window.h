#pragma once
// The window as the commands see it, for tests: it keeps the result list's
// lines, writes down everything else that reaches it in order, and answers
// the boxes and dialogs as a user would, from answers the test gives.
#include "scan/command_window.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

class FakeWindow : public CommandWindow {
public:
    Lines lines;
    // "ask <text> [caption]", "error <text> [caption]", "status <text>",
    // "progress <text>", "progress closed", "bar off", "bar on",
    // "title <path>", "drive dialog", "open dialog", "save dialog".
    Lines journal;
    // Answers to the questions, in order; a question with none left is
    // answered Cancel (or No where there is no Cancel) and noted as
    // "unanswered" in the journal.
    std::deque<int> answers;
    // What the drive dialog gives: its result and the drive chosen.
    int driveResult = 1;
    wchar_t driveChosen = L'R';
    // What the file prompts give, in order (a prompt with none left is cancelled).
    std::deque<FileChoice> files;
    // Runs when the check handles pending events; true: a quit request is pending.
    std::function<bool()> onEvents;

    ResultButtons buttons;
    bool barEnabled = true;
    bool progressOpen = false;
    int clears = 0;   // times the list was emptied
    std::wstring status;
    std::wstring walkPath;   // the last path a walk showed
    std::wstring title = L"Ferrow";

    // The journal's entries that begin with prefix ("ask", "error", ...).
    Lines Entries(const std::wstring& prefix) const;

    void AddLine(const std::wstring& line) override { lines.push_back(line); }
    void ClearLines() override { lines.clear(); ++clears; }
    int LineCount() const override { return static_cast<int>(lines.size()); }
    std::wstring Line(int index) const override { return lines.at(static_cast<size_t>(index)); }
    int Ask(const wchar_t* text, const wchar_t* caption, unsigned style, BoxOwner owner) override;
    void ReportError(const wchar_t* text, const wchar_t* caption) override;
    void SetStatus(const wchar_t* text) override;
    void ShowWalkPath(const std::wstring& path) override { walkPath = path; }
    ResultButtons ShownButtons() const override { return buttons; }
    void ShowButtons(const ResultButtons& shown) override { buttons = shown; }
    bool IsButtonEnabled(int commandId) const override;
    void EnableCommands(bool enabled) override;
    void OpenProgress(const wchar_t* text) override;
    void CloseProgress() override;
    bool HandlePendingEvents() override { return onEvents ? onEvents() : false; }
    void SetTitle(const wchar_t* path) override;
    int ChooseDrive(bool scan, wchar_t& drive) override;
    FileChoice ChooseDataFile(bool open) override;
};

// A file the prompt gives: chosen (1) with this path.
FileChoice Chosen(const std::wstring& path, bool replacesOtherFile = false);
