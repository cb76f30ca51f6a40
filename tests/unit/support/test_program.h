#pragma once
// The program without its windows: its state, its commands, a window that
// writes down what reaches it, a disk and data files in memory. Tests run
// the commands' real sequences on it.
#include "app/program_commands.h"
#include "support/fake_window.h"
#include "support/memory_disk.h"
#include "support/memory_store.h"

#include <cstdint>
#include <string>
#include <vector>

class TestProgram {
public:
    explicit TestProgram(CrcStorage& storage = CHeapStorage());

    // Scan and Compare of drive R: as the user runs them: the drive dialog
    // confirmed; the lines they add (a Scan's start line included).
    Lines Scan();
    Lines Compare();
    // The CRCs held, in order.
    std::vector<uint32_t> HeldCrcs() const;

    ProgramState program;
    FakeWindow window;
    MemoryDisk disk;
    MemoryStore store;
    ProgramCommands commands;

private:
    Lines LinesAddedBy(int (ProgramCommands::*command)());
};
