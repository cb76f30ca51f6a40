#include "support/fake_window.h"

#include "resource.h"

Lines FakeWindow::Entries(const std::wstring& prefix) const
{
    Lines found;
    for (const std::wstring& entry : journal)
        if (entry.compare(0, prefix.size(), prefix) == 0)
            found.push_back(entry);
    return found;
}

int FakeWindow::Ask(const wchar_t* text, const wchar_t* caption, unsigned style, BoxOwner)
{
    journal.push_back(std::wstring(L"ask ") + text + L" [" + caption + L"]");
    if (answers.empty()) {
        journal.push_back(L"unanswered");
        return style == kBoxYesNo ? kAnswerNo : kAnswerCancel;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeWindow::ReportError(const wchar_t* text, const wchar_t* caption)
{
    journal.push_back(std::wstring(L"error ") + text + L" [" + caption + L"]");
}

void FakeWindow::SetStatus(const wchar_t* text)
{
    status = text;
    journal.push_back(std::wstring(L"status ") + text);
}

bool FakeWindow::IsButtonEnabled(int commandId) const
{
    switch (commandId) {
    case IDM_COMPARE:
        return buttons.compare;
    case IDM_SAVE:
        return buttons.save;
    case IDM_PRINT:
        return buttons.print;
    default:
        return true;
    }
}

void FakeWindow::EnableCommands(bool enabled)
{
    barEnabled = enabled;
    journal.push_back(enabled ? L"bar on" : L"bar off");
}

void FakeWindow::OpenProgress(const wchar_t* text)
{
    progressOpen = true;
    journal.push_back(std::wstring(L"progress ") + text);
}

void FakeWindow::CloseProgress()
{
    progressOpen = false;
    journal.push_back(L"progress closed");
}

void FakeWindow::SetTitle(const wchar_t* path)
{
    title = *path ? std::wstring(L"Ferrow - ") + path : std::wstring(L"Ferrow");
    journal.push_back(std::wstring(L"title ") + path);
}

int FakeWindow::ChooseDrive(bool, wchar_t& drive)
{
    journal.push_back(L"drive dialog");
    if (driveResult == 1)
        drive = driveChosen;
    return driveResult;
}

FileChoice FakeWindow::ChooseDataFile(bool open)
{
    journal.push_back(open ? L"open dialog" : L"save dialog");
    if (files.empty())
        return FileChoice();
    const FileChoice choice = files.front();
    files.pop_front();
    return choice;
}

FileChoice Chosen(const std::wstring& path, bool replacesOtherFile)
{
    FileChoice choice;
    choice.result = 1;
    choice.path = path;
    choice.replacesOtherFile = replacesOtherFile;
    return choice;
}
