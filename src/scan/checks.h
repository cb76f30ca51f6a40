#pragma once
// The checks, window-free: the disk walk of Scan and Compare, the checks of
// dropped and command-line items, and the file checksum they share. They
// hold nothing of their own: what they find goes into the program's state
// and the window's lines.
#include "scan/command_window.h"
#include "scan/disk_reader.h"
#include "scan/program_state.h"
#include "scan/walk_events.h"

#include <cstdint>
#include <string>
#include <vector>

class Checks {
public:
    Checks(ProgramState& program, CommandWindow& window, DiskReader& disk)
        : program(program), window(window), disk(disk) {}

    // Scan once unsaved results have been offered for saving: the drive
    // dialog, then the walk into a new list. 1 after a walk, else the
    // dialog's answer.
    int ScanChosenDrive();
    // Compare: the drive dialog, then the walk against the list held.
    int CompareCommand();
    // Walks the drive into the CRC list (scan) or against it; true when the
    // walk went through the whole drive.
    bool WalkDisk(wchar_t driveLetter, bool scan);

    // Dropped items, one result line each; refused (false) while a check
    // runs, since they would share its state.
    bool CheckDroppedItems(const std::vector<std::wstring>& paths);
    // The command-line item in place of the usage text (a full path).
    void CheckCommandLineItem(const std::wstring& path);
    // One file or folder and its result line; 1 when the remaining items
    // must not be checked. path is a full path, as the user knows it.
    int CheckItem(const std::wstring& path);
    // The folder's line: its CRC, the wrapping sum of every file below it,
    // worked out in a CRC list of its own (the list held stays as it is). A
    // folder that could not be searched, or whose walk met files or folders
    // it could not read (or ended at one), gets a line that says so instead
    // of a sum. No line after Abort, a quit request or no memory.
    void CheckFolder(const std::wstring& path);
    // Status text, CRC of one file, event handling; 0 after "Can't open file".
    // After an Abort or a quit request during the file, 1 with the state's
    // aborted or quitSeen set and *crc as it was.
    int ChecksumFile(const std::wstring& path, uint32_t* crc);

    // "Continue crc check?" over the result list; true unless the answer was No.
    bool UserContinuesCheck();
    // Something a walk found and cannot read (a folder it cannot search, a
    // name its path would not name): "Can't open file" with the path as
    // caption, as for a file that cannot be opened, then the question.
    bool ReportUnreadable(const std::wstring& path);

    ProgramState& Program() { return program; }
    CommandWindow& Window() { return window; }

    // What paces the event handling inside a file.
    MillisecondClock clock = SteadyMilliseconds;

private:
    ProgramState& program;
    CommandWindow& window;
    DiskReader& disk;
};

// What every drop and disk walk does around its work: the progress dialog
// with its text, Abort cleared, the button bar disabled so that no command
// starts, and the check marked as running so that no drop nests in it. End,
// or leaving scope, undoes it.
class CheckSession {
public:
    CheckSession(Checks& checks, const std::wstring& progressText);
    ~CheckSession() { End(); }
    CheckSession(const CheckSession&) = delete;
    CheckSession& operator=(const CheckSession&) = delete;

    // Closes the progress dialog and enables the button bar again; once.
    void End();

private:
    CommandWindow& window;
    RunningCheck running;
    std::wstring progressText;
    bool open = true;
};
