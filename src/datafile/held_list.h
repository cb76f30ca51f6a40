#pragma once
// What the data file commands do with the CRC list held, apart from the file
// and the windows: when Save has anything to write, the header it writes,
// and what a Load that read its file in full holds and shows.
#include "datafile/crc_file_format.h"
#include "engine/crc_list.h"
#include "scan/scan_state.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Save has a list to write: one is held (a count above 0) and its storage
// holds every one of its CRCs (a Load that could not allocate leaves none).
bool HeldListCanBeSaved(const ScanState& state, const CrcList& held);

// The header Save writes: the held list's own figures (its count, folders,
// disk CRC and drive), whatever a compare or a walk that ended early has
// done since; the reserved bytes as the record holds them.
void FillHeaderForHeldList(CrcFileHeader& header, const ScanState& state);

// The record Save writes keeps the start of the file the last Load read in
// full (startBytes of it), so the reserved bytes of that file are written again.
void KeepLoadedStart(CrcFileHeader& record, const void* start, size_t startBytes);

// The capacity of the list that Load reads count CRCs into: the held list's
// when the count is below it, else count + 1.
int32_t LoadedListCapacity(uint32_t count, const CrcList& held);

// What Load shows for a file it read in full, and the drive it selects
// (0: the selection stays).
struct LoadedFile {
    std::vector<std::wstring> lines;
    wchar_t selectDrive = 0;
};

// A Load that read its file in full (crcs: its plan.expectedCount CRCs):
// the state holds the file's list, described by what the file says, and
// nothing is unsaved. A file in the older layout names no folder count,
// disk CRC or drive: the list held then has no folders, the sum of its CRCs
// and the drive selected now.
LoadedFile HoldLoadedFile(ScanState& state, const CrcFileReadPlan& plan, const uint32_t* crcs,
                          wchar_t selectedDrive);
