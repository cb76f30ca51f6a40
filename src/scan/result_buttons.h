#pragma once
// Which of the buttons that follow the results are enabled after each thing
// the commands do. The buttons start disabled; Scan, Load, About and Exit are
// always enabled. Each rule takes the buttons as they are shown and gives
// them as they are to be shown.
#include <cstdint>

struct ResultButtons {
    bool compare = false;   // a list is held to compare a disk with
    bool save = false;      // a complete scan that found files is held, not saved yet
    bool print = false;     // the list shows lines worth printing

    bool operator==(const ResultButtons& other) const
    {
        return compare == other.compare && save == other.save && print == other.print;
    }
};

// Scan, once the drive is chosen: the lines and the results of before go.
ResultButtons AtScanStart(ResultButtons shown);
// The end of a Scan's walk: only a complete scan that found files replaces
// the list held; after any other Compare stays as it was.
ResultButtons AfterScanWalk(ResultButtons shown, bool complete, int32_t fileCount);
// Load, once its file is chosen: the list shown and the list held go.
ResultButtons AtLoadStart(ResultButtons shown);
// Load read its file: the loaded list is there to compare, not to save again.
ResultButtons AfterLoad(ResultButtons shown);
// A drop was checked: its lines can be printed.
ResultButtons AfterDrop(ResultButtons shown);
// Save wrote the held list.
ResultButtons AfterSave(ResultButtons shown);
