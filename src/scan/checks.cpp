#include "scan/checks.h"

#include "scan/scan_texts.h"
#include "scan/walk_events.h"

#include <chrono>

int Checks::ChecksumFile(const std::wstring& path, uint32_t* crc)
{
    // Named before the file is opened: the status follows the walk file by file.
    window.ShowWalkPath(path);
    ScanState& state = program.state;
    // Inside a large file too, Abort and the rest of the interface are seen
    // between chunks; an Abort or a quit request there ends the reading, and
    // the walk ends without the file.
    WalkEvents events(window, state, clock);
    const FileChecksum file = disk.ChecksumFile(path, events);
    switch (file.status) {
    case FileRead::Read:
        *crc = file.crc;
        // And once after every file that had bytes to read.
        if (window.HandlePendingEvents())
            state.quitSeen = 1;
        return 1;
    case FileRead::Empty:
        *crc = 0;
        return 1;
    case FileRead::Stopped:
        return 1;
    case FileRead::Unreadable:
        break;
    }
    window.ReportError(kErrorCantOpen, path.c_str());
    return 0;
}

uint32_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
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
