#pragma once
// What the data file commands do with the CRC list held, apart from the file
// and the windows: when Save has anything to write, the header it writes,
// and what a Load that read its file in full holds and shows.
#include "datafile/crc_file_format.h"
#include "engine/crc_list.h"
#include "scan/program_state.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Save has a list to write: one is held (a count above 0) and its storage
// holds every one of its CRCs.
bool HeldListCanBeSaved(const ProgramState& program);

// The header Save writes: the held list's own figures (its count, folders,
// disk CRC and drive), whatever a compare or a walk that ended early has
// done since; the reserved bytes as the record holds them.
CrcFileHeader HeaderForHeldList(const ProgramState& program);

// The record Save writes keeps the start of the file the last Load read in
// full (startBytes of it), so the reserved bytes of that file are written again.
void KeepLoadedStart(ProgramState& program, const void* start, size_t startBytes);

// The capacity of the list that Load reads count CRCs into: the held list's
// when the count is below it, else count + 1.
int32_t LoadedListCapacity(uint32_t count, const CrcList& held);

// A Load that read its file in full, its plan.expectedCount CRCs now the
// list held: the state holds the file's figures, and nothing is unsaved. A
// file in the older layout names no folder count, disk CRC or drive: the
// list held then has no folders, the sum of its CRCs and the drive
// selected now. A file with a header selects its drive. Returns the lines
// Load shows.
std::vector<std::wstring> HoldLoadedFile(ProgramState& program, const CrcFileReadPlan& plan);
