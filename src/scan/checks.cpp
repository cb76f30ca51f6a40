#include "scan/checks.h"

#include "scan/scan_texts.h"

int Checks::ChecksumFile(const std::wstring& path, uint32_t* crc)
{
    // Named before the file is opened: the status follows the walk file by file.
    window.ShowWalkPath(path);
    const FileRead read = disk.ChecksumFile(path);
    switch (read.outcome) {
    case FileReadOutcome::Read:
        *crc = read.crc;
        // After every file that had bytes to read: Abort and the rest of
        // the interface are seen here.
        if (window.HandlePendingEvents())
            program.state.quitSeen = 1;
        return 1;
    case FileReadOutcome::Empty:
        *crc = 0;
        return 1;
    case FileReadOutcome::Unreadable:
        break;
    }
    window.ReportError(kErrorCantOpen, path.c_str());
    return 0;
}

bool Checks::UserContinuesCheck()
{
    return window.Ask(kAskContinue, kProgramName, kBoxYesNo, BoxOwner::ResultList) != kAnswerNo;
}

bool Checks::ReportUnreadable(const std::wstring& path)
{
    window.ReportError(kErrorCantOpen, path.c_str());
    return UserContinuesCheck();
}

CheckSession::CheckSession(Checks& checks, const std::wstring& progressText)
    : window(checks.Window()), running(checks.Program()), progressText(progressText)
{
    window.OpenProgress(this->progressText.c_str());
    checks.Program().state.aborted = 0;
    window.EnableCommands(false);
}

void CheckSession::End()
{
    if (!open)
        return;
    open = false;
    window.CloseProgress();
    window.EnableCommands(true);
}
