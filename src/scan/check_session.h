#pragma once
#include "scan/result_list.h"

#include <cstdint>
#include <string>

// Marks a check as running for as long as it lives; nests.
class RunningCheck {
public:
    explicit RunningCheck(ResultList& list) : list(list) { ++list.runningChecks; }
    ~RunningCheck() { --list.runningChecks; }
    RunningCheck(const RunningCheck&) = delete;
    RunningCheck& operator=(const RunningCheck&) = delete;

private:
    ResultList& list;
};

// What every drop and disk walk does around its work: the progress dialog
// with its text (owned by the caller, valid until End), Abort cleared, the
// button bar disabled so that no command starts, and the check marked as
// running so that no drop nests in it. End, or leaving scope, undoes it.
class CheckSession {
public:
    CheckSession(ResultList& list, const wchar_t* progressText);
    ~CheckSession() { End(); }
    CheckSession(const CheckSession&) = delete;
    CheckSession& operator=(const CheckSession&) = delete;

    // Closes the progress dialog and enables the button bar again; once.
    void End();

private:
    RunningCheck running;
    bool open = true;
};

// "Continue crc check?" with Yes and No, owned by the result list; true
// unless the user answered No.
bool UserContinuesCheck();

// What a walk does with something it found and cannot read (a folder it
// cannot search, a name its path would not name): "Can't open file" with the
// path as caption, as for a file that cannot be opened, then the question.
// True unless the user answered No.
bool ReportUnreadable(const std::wstring& path);
