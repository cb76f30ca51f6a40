#pragma once
// The Save and Load commands and the offer to save unsaved results,
// window-free: they ask through the window and read and write through the
// store.
#include "datafile/crc_file_store.h"
#include "scan/command_window.h"
#include "scan/program_state.h"

enum class SaveOutcome {
    Saved,
    NotSaved,  // nothing was lost: Save disabled, nothing to save, or the user cancelled
    Failed     // the user wanted the results saved and they were not: the caller must stop
};

class DataFileCommands {
public:
    DataFileCommands(ProgramState& program, CommandWindow& window, CrcFileStore& store)
        : program(program), window(window), store(store) {}

    // Save as command 40004 runs it.
    SaveOutcome Save();
    // Load: 1 when a file was read in full and is held.
    int Load();
    // "Save CRC's?" when the last scan was never saved; 0 when the caller
    // must stop (Cancel, or a save that was wanted and failed).
    int OfferSave();

private:
    ProgramState& program;
    CommandWindow& window;
    CrcFileStore& store;
};

// The file prompt's filter list: one pair, then the empty text that ends it
// (the literal's own NUL).
constexpr wchar_t kCrcFileFilter[] = L"CRC data file (*.crc)\0*.CRC\0";
constexpr wchar_t kCrcFileExtension[] = L".crc";
// The size, in characters, of the path buffer that the file prompt fills:
// room for any path the system can open.
constexpr unsigned kCrcFilePathChars = 32768;
