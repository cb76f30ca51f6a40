#include "support/test_program.h"

TestProgram::TestProgram(CrcStorage& storage)
    : program(storage), commands(program, window, disk, store)
{
    // As the main window's creation leaves it.
    program.crcList.Allocate(kCrcListCapacity);
    disk.folders[L"R:\\"];
}

Lines TestProgram::Scan()
{
    return LinesAddedBy(&ProgramCommands::ScanCommand);
}

Lines TestProgram::Compare()
{
    return LinesAddedBy(&ProgramCommands::CompareCommand);
}

Lines TestProgram::LinesAddedBy(int (ProgramCommands::*command)())
{
    window.driveChosen = L'R';
    const size_t before = window.lines.size();
    const int clears = window.clears;
    (commands.*command)();
    // A scan empties the list first.
    const size_t from = window.clears != clears ? 0 : before;
    return Lines(window.lines.begin() + long(from), window.lines.end());
}

std::vector<uint32_t> TestProgram::HeldCrcs() const
{
    const uint32_t* data = program.crcList.Data();
    return data ? std::vector<uint32_t>(data, data + program.state.expectedCount) : std::vector<uint32_t>{};
}
