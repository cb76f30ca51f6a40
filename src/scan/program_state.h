#pragma once
#include "engine/crc_list.h"
#include "scan/scan_state.h"

#include <array>
#include <cstdint>

// What the program holds between commands and while one runs, in one place:
// the CRC list held with its figures, the drive last chosen, and the state
// of the running check. The commands and the windows are handed this object;
// none keeps a copy of any of it.
class ProgramState {
public:
    // Every CRC list of the program draws on storage: the list held, a
    // scan's own, a folder's, a loaded file's.
    explicit ProgramState(CrcStorage& storage = CHeapStorage()) : crcList(storage), storage(storage) {}
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    CrcStorage& Storage() { return storage; }

    ScanState state;

    // The list held: the last complete scan's or the loaded file's, of
    // state.expectedCount CRCs, which Compare reads and Save writes. Beside
    // it what a data file saved from it records: the figures of the scan
    // that made it, or those of the file it was loaded from. A compare or a
    // walk that ended early changes none of them.
    CrcList crcList;
    uint32_t heldFolderCount = 0;
    uint32_t heldDiskCrc = 0;
    wchar_t heldDrive = L'A';
    // The header record Save writes around those figures: zero until a Load
    // has read a file in full, then that file's first bytes, so that what a
    // file holds in its reserved bytes is written again.
    std::array<uint8_t, 48> dataFileRecord{};

    // The drive last confirmed in the drive dialog or restored by Load; 'A'
    // means none chosen yet.
    wchar_t selectedDrive = L'A';

    // True while a walk or an item check runs.
    bool CheckRunning() const { return runningChecks > 0; }

private:
    friend class RunningCheck;
    CrcStorage& storage;
    int runningChecks = 0;
};

// Marks a check as running for as long as it lives; nests.
class RunningCheck {
public:
    explicit RunningCheck(ProgramState& program) : program(program) { ++program.runningChecks; }
    ~RunningCheck() { --program.runningChecks; }
    RunningCheck(const RunningCheck&) = delete;
    RunningCheck& operator=(const RunningCheck&) = delete;

private:
    ProgramState& program;
};
