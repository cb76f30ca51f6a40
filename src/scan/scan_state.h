#pragma once
#include <cstdint>

// The state of the checks: set and read by the walks, Save, Load and the
// progress dialog's Abort.
struct ScanState {
    int unsaved = 0;        // the CRC list held has scan results not yet saved
    int quitSeen = 0;       // a quit request is pending: the running check stops
    int clearOnDrop = 1;    // the list still shows the start-up text
    int aborted = 0;        // Abort was pressed during the running check
    // Files the last disk walk checked: after a scan, the CRCs in the list.
    // Dropped items never change it (their folder walks count on their own).
    int32_t fileCount = 0;
    uint32_t folderCount = 0;   // folders the last disk walk entered, the root included
    uint32_t expectedCount = 0; // CRCs held: the count scanned or loaded, which a compare expects
    uint32_t diskCrc = 0;       // wrapping sum of the file CRCs of the last complete walk
    uint32_t currentCrc = 0;    // CRC of the item just checked
};
