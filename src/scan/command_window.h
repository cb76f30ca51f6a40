#pragma once
// What the commands need of the window they run in, and nothing more: the
// result list's lines, the program's boxes, the status text, the buttons,
// the progress dialog, the event handling during a check, the title and the
// two dialogs that choose what a command works on. The main window
// implements it; the tests have one of their own.
#include "scan/result_buttons.h"
#include "toolkit/box_layout.h"

#include <string>

// Which window a question is asked over (and disabled while it is open).
enum class BoxOwner { MainWindow, ResultList };

// What the file name prompt gave.
struct FileChoice {
    int result = 0;             // 1 chosen, 0 cancelled, -1 the name leaves no room for ".crc"
    std::wstring path;          // the chosen path, ending in ".crc" (see result)
    // The save prompt only: the name as typed named no file, or asked about
    // it already, but with ".crc" forced on it names another file that
    // exists, which must not be replaced unasked.
    bool replacesOtherFile = false;
};

class CommandWindow {
public:
    // The result list: lines are only added at the end.
    virtual void AddLine(const std::wstring& line) = 0;
    virtual void ClearLines() = 0;
    virtual int LineCount() const = 0;
    // The line at index as the list holds it.
    virtual std::wstring Line(int index) const = 0;

    // The program's message box; returns the answer.
    virtual int Ask(const wchar_t* text, const wchar_t* caption, unsigned style,
                    BoxOwner owner = BoxOwner::MainWindow) = 0;
    // An error report: the box with one OK button and the exclamation icon.
    virtual void ReportError(const wchar_t* text, const wchar_t* caption) = 0;

    // The status text; ShowWalkPath names the file a walk reads (a walk's
    // paths may be shown a little late, never after a text set later).
    virtual void SetStatus(const wchar_t* text) = 0;
    virtual void ShowWalkPath(const std::wstring& path) = 0;

    // Compare, Save and Print as shown, and showing them; any command's
    // button; the whole bar, disabled while a check runs.
    virtual ResultButtons ShownButtons() const = 0;
    virtual void ShowButtons(const ResultButtons& buttons) = 0;
    virtual bool IsButtonEnabled(int commandId) const = 0;
    virtual void EnableCommands(bool enabled) = 0;

    // The progress dialog with its Abort, which sets the check's aborted
    // flag; text stays valid until CloseProgress.
    virtual void OpenProgress(const wchar_t* text) = 0;
    virtual void CloseProgress() = 0;
    // Handles every pending window message; true when a quit request is
    // pending (it stays queued).
    virtual bool HandlePendingEvents() = 0;

    // "Ferrow", or "Ferrow - " and the path.
    virtual void SetTitle(const wchar_t* path) = 0;

    // The drive dialog: 1 confirmed (drive holds the choice), 0 cancelled,
    // -1 it could not be shown. drive comes in as the drive last chosen.
    virtual int ChooseDrive(bool scan, wchar_t& drive) = 0;
    // The open (Load) or save (Save) prompt for a data file.
    virtual FileChoice ChooseDataFile(bool open) = 0;

protected:
    ~CommandWindow() = default;
};
