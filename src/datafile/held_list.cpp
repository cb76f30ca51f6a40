#include "datafile/held_list.h"

#include "datafile/summary_lines.h"
#include "scan/scan_texts.h"
#include "scan/walk_lines.h"

#include <cstring>

bool HeldListCanBeSaved(const ScanState& state, const CrcList& held)
{
    return state.expectedCount > 0 && held.Data() &&
           uint32_t(held.Capacity()) >= state.expectedCount;
}

void FillHeaderForHeldList(CrcFileHeader& header, const ScanState& state)
{
    FillHeaderForSave(header, state.expectedCount, state.heldFolderCount, state.heldDiskCrc,
                      state.heldDrive);
}

void KeepLoadedStart(CrcFileHeader& record, const void* start, size_t startBytes)
{
    std::memcpy(&record, start, startBytes < sizeof record ? startBytes : sizeof record);
}

int32_t LoadedListCapacity(uint32_t count, const CrcList& held)
{
    const bool fits = held.Data() && count < uint32_t(held.Capacity());
    return fits ? held.Capacity() : int32_t(count + 1);
}

LoadedFile HoldLoadedFile(ScanState& state, const CrcFileReadPlan& plan, const uint32_t* crcs,
                          wchar_t selectedDrive)
{
    LoadedFile shown;
    state.expectedCount = plan.expectedCount;
    state.unsaved = 0;
    if (plan.layout == CrcFileLayout::Current) {
        state.heldFolderCount = plan.folderCount;
        state.heldDiskCrc = plan.diskCrc;
        state.heldDrive = DriveLetterFromIndex(plan.driveIndex);
        shown.selectDrive = state.heldDrive;
        shown.lines = {kLinePreviousScan,
                       TotalsLineWithDiskCrc(plan.expectedCount, plan.folderCount, plan.diskCrc)};
    } else {
        state.heldFolderCount = 0;
        state.heldDiskCrc = SumOfCrcs(crcs, plan.expectedCount);
        state.heldDrive = selectedDrive;
        shown.lines = {OlderLayoutSummaryLine(plan.expectedCount)};
    }
    return shown;
}
