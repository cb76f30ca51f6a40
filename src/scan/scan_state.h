#pragma once
#include <cstdint>

// What the checks share: set and read by the walks, Save, Load and the
// progress dialog's Abort.
struct ScanState {
    int unsaved = 0;        // the CRC list holds scan results not yet saved
    int quitSeen = 0;       // a quit request is pending: the running check stops
    int clearOnDrop = 1;    // the list still shows the start-up text
    int aborted = 0;        // Abort was pressed during the running check
    // Files the last disk walk checked: after a scan, the CRCs in the list.
    // Dropped items never change it (their folder walks count on their own).
    int32_t fileCount = 0;
    uint32_t folderCount = 0;   // folders the last disk walk entered, the root included
    uint32_t expectedCount = 0; // CRCs a compare expects: the count scanned or loaded
    uint32_t diskCrc = 0;       // wrapping sum of the file CRCs of the last complete walk
    uint32_t currentCrc = 0;    // CRC of the item just checked
    // What a data file saved from the held CRC list records beside its
    // expectedCount CRCs: the figures of the complete scan that made the
    // list, or those of the file it was loaded from. A compare or a walk that
    // ended early changes none of them.
    uint32_t heldFolderCount = 0;
    uint32_t heldDiskCrc = 0;
    wchar_t heldDrive = L'A';
};
