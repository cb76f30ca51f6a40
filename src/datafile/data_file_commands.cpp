#include "datafile/data_file_commands.h"

#include "datafile/crc_file_format.h"
#include "datafile/held_list.h"
#include "resource.h"
#include "scan/scan_texts.h"

#include <string>

namespace {

std::wstring ReplaceQuestion(const std::wstring& path)
{
    return path + L" already exists.\nDo you want to replace it?";
}

}  // namespace

SaveOutcome DataFileCommands::Save()
{
    if (!window.IsButtonEnabled(IDM_SAVE))
        return SaveOutcome::NotSaved;
    if (!HeldListCanBeSaved(program)) {
        window.ReportError(kErrorNothingToSave, L"");
        return SaveOutcome::NotSaved;
    }
    const FileChoice chosen = window.ChooseDataFile(false);
    if (chosen.result < 0) {
        window.ReportError(kErrorNameTooLong, chosen.path.c_str());
        return SaveOutcome::Failed;
    }
    if (chosen.result == 0)
        return SaveOutcome::NotSaved;
    if (chosen.replacesOtherFile &&
        window.Ask(ReplaceQuestion(chosen.path).c_str(), kProgramName, kBoxYesNo) != kAnswerYes)
        return SaveOutcome::NotSaved;

    const CrcFileHeader header = HeaderForHeldList(program);
    switch (store.Write(chosen.path, &header, sizeof header, program.crcList.Data(),
                        program.state.expectedCount)) {
    case WriteOutcome::Written:
        break;
    case WriteOutcome::CantOpen:
        window.ReportError(kErrorCantOpen, chosen.path.c_str());
        return SaveOutcome::Failed;
    case WriteOutcome::CantWrite:
        window.ReportError(kErrorCantWrite, L"");
        return SaveOutcome::Failed;
    }
    program.state.unsaved = 0;
    window.ShowButtons(AfterSave(window.ShownButtons()));
    return SaveOutcome::Saved;
}

int DataFileCommands::Load()
{
    if (!OfferSave())
        return 0;
    const FileChoice chosen = window.ChooseDataFile(true);
    if (chosen.result < 0)
        window.ReportError(kErrorNameTooLong, chosen.path.c_str());
    if (chosen.result <= 0)
        return 0;
    const std::wstring& path = chosen.path;

    window.ClearLines();
    window.ShowButtons(AtLoadStart(window.ShownButtons()));
    window.SetStatus(path.c_str());

    std::unique_ptr<CrcFileSource> file = store.OpenForReading(path);
    if (!file) {
        window.ReportError(kErrorCantOpen, path.c_str());
        return 0;
    }
    // A count the file cannot hold is refused before anything is allocated.
    // A refused file leaves the held list, and so an unsaved scan, as it
    // was; the file is closed before the user is told.
    CrcFileHeader start = {};
    const size_t startBytes = file->ReadStart(&start, sizeof start);
    uint64_t size = 0;
    CrcFileReadPlan plan;
    plan.check = CrcFileCheck::TooShort;
    if (file->Size(size))
        plan = PlanCrcFileRead(&start, startBytes, size);
    if (plan.check != CrcFileCheck::Ok) {
        file.reset();
        window.ReportError(kErrorReading, path.c_str());
        return 0;
    }
    CrcList loaded(program.Storage());
    if (!loaded.Allocate(LoadedListCapacity(plan.expectedCount, program.crcList))) {
        file.reset();
        window.ReportError(kErrorNoMemory, L"");
        return 0;
    }
    const bool read = file->ReadCrcs(plan.crcOffset, loaded.Data(), plan.expectedCount);
    file.reset();
    if (!read) {
        window.ReportError(kErrorReading, path.c_str());
        return 0;
    }
    // The loaded list becomes the held one, for Compare and a later Save.
    program.crcList.TakeOver(loaded);
    KeepLoadedStart(program, &start, startBytes);
    const std::vector<std::wstring> shown = HoldLoadedFile(program, plan);

    window.ShowButtons(AfterLoad(window.ShownButtons()));
    window.SetTitle(path.c_str());
    for (const std::wstring& line : shown)
        window.AddLine(line);
    return 1;
}

int DataFileCommands::OfferSave()
{
    if (!program.state.unsaved)
        return 1;
    const int answer = window.Ask(kAskSave, kProgramName, kBoxYesNoCancel);
    if (answer == kAnswerCancel)
        return 0;
    // A save that was wanted and failed stops the command, so the results
    // stay; a cancelled save prompt lets it go on.
    if (answer == kAnswerYes)
        return Save() == SaveOutcome::Failed ? 0 : 1;
    return 1;
}
