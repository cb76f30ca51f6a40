#pragma once
// The Save and Load commands of the result list work on the CRC data file;
// the offer to save before results are lost needs to know more of a save's
// outcome than Save's 1 or 0.

class ResultList;

enum class SaveOutcome {
    Saved,
    NotSaved,  // nothing was lost: Save disabled, nothing to save, or the user cancelled
    Failed     // the user wanted the results saved and they were not: the caller must stop
};

// Save as command 40004 runs it, telling its outcome.
SaveOutcome SaveCrcFile(ResultList& list);

// The size, in characters, of the path buffer that the file prompt fills:
// room for any path the system can open.
constexpr unsigned kCrcFilePathChars = 32768;

// The file prompt's filter list: one pair, then the empty text that ends it
// (the literal's own NUL).
constexpr wchar_t kCrcFileFilter[] = L"CRC data file (*.crc)\0*.CRC\0";
constexpr wchar_t kCrcFileExtension[] = L".crc";
