// The main window as the commands see it: the result list, the boxes, the
// bars, the progress dialog and the dialogs that choose a drive or a file.
#include "app/main_window.h"

#include "app/boxes.h"
#include "app/frame_panes.h"
#include "app/program.h"
#include "app/result_list.h"
#include "app/walk_status.h"
#include "datafile/data_file_commands.h"
#include "datafile/file_name_prompt.h"
#include "engine/message_pump.h"
#include "scan/drive_dialog.h"
#include "scan/progress_dialog.h"
#include "scan/scan_texts.h"

#include <vector>

void MainWindow::AddLine(const std::wstring& line)
{
    resultList.AddLine(line.c_str());
}

int MainWindow::LineCount() const
{
    return resultList.Count();
}

std::wstring MainWindow::Line(int index) const
{
    return resultList.Line(index);
}

void MainWindow::ClearLines()
{
    resultList.Clear();
}

int MainWindow::Ask(const wchar_t* text, const wchar_t* caption, unsigned style, BoxOwner owner)
{
    return AskUser(owner == BoxOwner::ResultList ? resultList.Handle() : hwnd, text, caption, style);
}

void MainWindow::ReportError(const wchar_t* text, const wchar_t* caption)
{
    // A report in the middle of a walk: the status names the file reached.
    FlushWalkPath();
    AskUser(hwnd, text, caption, kBoxError);
}

void MainWindow::SetStatus(const wchar_t* text)
{
    statusBar.SetText(0, text);
}

void MainWindow::ShowWalkPath(const std::wstring& path)
{
    ::ShowWalkPath(path.c_str());
}

ResultButtons MainWindow::ShownButtons() const
{
    return ShownResultButtons();
}

void MainWindow::ShowButtons(const ResultButtons& buttons)
{
    ShowResultButtons(buttons);
}

bool MainWindow::IsButtonEnabled(int commandId) const
{
    return btnBar.IsButtonEnabled(commandId);
}

void MainWindow::EnableCommands(bool enabled)
{
    EnableWindow(btnBar.Handle(), enabled ? TRUE : FALSE);
}

void MainWindow::OpenProgress(const wchar_t* text)
{
    progressDialog.Open(resultList.Handle(), text, &programState.state.aborted);
}

void MainWindow::CloseProgress()
{
    // The check is over: the status names the last file it reached, until
    // the check puts its own text there.
    FlushWalkPath();
    progressDialog.Close();
}

bool MainWindow::HandlePendingEvents()
{
    return PumpPendingMessages() == 1;
}

void MainWindow::SetTitle(const wchar_t* path)
{
    std::wstring title = kProgramName;
    if (path && *path)
        title.append(L" - ").append(path);
    SetWindowTextW(hwnd, title.c_str());
}

int MainWindow::ChooseDrive(bool scan, wchar_t& drive)
{
    return int(driveDialog.Show(hwnd, scan ? 1 : 0, drive));
}

FileChoice MainWindow::ChooseDataFile(bool open)
{
    // The prompt fills a buffer that must start out empty.
    std::vector<wchar_t> buffer(kCrcFilePathChars, L'\0');
    FileNamePrompt prompt(open ? 1 : 0, kCrcFileFilter, 1, kCrcFileExtension);
    FileChoice choice;
    choice.result = prompt.Run(resultList.Handle(), buffer.data(), DWORD(buffer.size()), nullptr);
    if (choice.result != 0)
        choice.path = buffer.data();
    choice.replacesOtherFile = choice.result == 1 && prompt.ReplacesOtherFile();
    return choice;
}
