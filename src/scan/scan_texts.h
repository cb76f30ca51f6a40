#pragma once
// The texts that the checks show: result lines, status texts, questions and
// error reports. Defined once here and used by name everywhere.

constexpr const wchar_t* kProgramName = L"Ferrow";

// Status texts.
constexpr const wchar_t* kStatusDone = L"Done";
constexpr const wchar_t* kStatusAborted = L"Scan aborted by user";
constexpr const wchar_t* kStatusChooseDrive = L"Choose drive to scan";

// Progress texts.
constexpr const wchar_t* kProgressItems = L"Scanning files and folders";

// Questions and error reports.
constexpr const wchar_t* kAskContinue = L"Continue crc check?";
constexpr const wchar_t* kErrorCantOpen = L"Can't open file";
constexpr const wchar_t* kErrorNoAttributes = L"Unable to determine if this is a folder";
constexpr const wchar_t* kErrorNoMemory = L"Can't allocate memory";
constexpr const wchar_t* kErrorCountMismatch =
    L"Number of files checked doesn't match the number previously saved.";

// Lines of a compare.
constexpr const wchar_t* kLineDisksDoNotCompare = L"Disks do not compare.";
constexpr const wchar_t* kLineDisksCompare = L"Disks compare";
// After a folder that could not be searched: the files after it cannot be
// matched with the list's positions.
constexpr const wchar_t* kLineRestNotCompared = L"The rest of the disk could not be compared.";

// Captions of the drive dialog.
constexpr const wchar_t* kCaptionScan = L"Scan new disk";
constexpr const wchar_t* kCaptionCompare = L"Compare with";
