#include "datafile/held_list.h"

#include "scan/scan_texts.h"
#include "scan/summary_lines.h"
#include "scan/walk_lines.h"

#include <cstring>

bool HeldListCanBeSaved(const ProgramState& program)
{
    const uint32_t count = program.state.expectedCount;
    return count > 0 && program.crcList.Data() && uint32_t(program.crcList.Capacity()) >= count;
}

CrcFileHeader HeaderForHeldList(const ProgramState& program)
{
    CrcFileHeader header;
    static_assert(sizeof header == sizeof program.dataFileRecord, "the record is one header");
    std::memcpy(&header, program.dataFileRecord.data(), sizeof header);
    FillHeaderForSave(header, program.state.expectedCount, program.heldFolderCount,
                      program.heldDiskCrc, program.heldDrive);
    return header;
}

void KeepLoadedStart(ProgramState& program, const void* start, size_t startBytes)
{
    const size_t kept = startBytes < program.dataFileRecord.size() ? startBytes : program.dataFileRecord.size();
    std::memcpy(program.dataFileRecord.data(), start, kept);
}

int32_t LoadedListCapacity(uint32_t count, const CrcList& held)
{
    const bool fits = held.Data() && count < uint32_t(held.Capacity());
    return fits ? held.Capacity() : int32_t(count + 1);
}

std::vector<std::wstring> HoldLoadedFile(ProgramState& program, const CrcFileReadPlan& plan)
{
    ScanState& state = program.state;
    state.expectedCount = plan.expectedCount;
    state.unsaved = 0;
    if (plan.layout == CrcFileLayout::Current) {
        program.heldFolderCount = plan.folderCount;
        program.heldDiskCrc = plan.diskCrc;
        program.heldDrive = DriveLetterFromIndex(plan.driveIndex);
        program.selectedDrive = program.heldDrive;
        return {kLinePreviousScan, TotalsLineWithDiskCrc(plan.expectedCount, plan.folderCount, plan.diskCrc)};
    }
    program.heldFolderCount = 0;
    program.heldDiskCrc = SumOfCrcs(program.crcList.Data(), plan.expectedCount);
    program.heldDrive = program.selectedDrive;
    return {OlderLayoutSummaryLine(plan.expectedCount)};
}
