#pragma once
// The texts that the checks and the data file commands show: status texts,
// questions and error reports. Defined once here and used by name everywhere.
#include "resource.h"

// The title of the main window, and the caption of the program's questions.
constexpr const wchar_t* kProgramName = L"" FERROW_NAME_TEXT;

// Status texts.
constexpr const wchar_t* kStatusDone = L"Done";
constexpr const wchar_t* kStatusAborted = L"Scan aborted by user";
constexpr const wchar_t* kStatusChooseDrive = L"Choose drive to scan";

// Progress texts.
constexpr const wchar_t* kProgressItems = L"Scanning files and folders";

// Questions and error reports.
constexpr const wchar_t* kAskContinue = L"Continue crc check?";
constexpr const wchar_t* kErrorCantOpen = L"Can't open file";
constexpr const wchar_t* kErrorCantWrite = L"Can't write file";
constexpr const wchar_t* kErrorReading = L"Error reading file";
constexpr const wchar_t* kErrorNothingToSave = L"Nothing to save";
constexpr const wchar_t* kErrorNameTooLong = L"File name too long";
constexpr const wchar_t* kErrorNoAttributes = L"Unable to determine if this is a folder";
constexpr const wchar_t* kErrorNoMemory = L"Can't allocate memory";
constexpr const wchar_t* kErrorCountMismatch =
    L"Number of files checked doesn't match the number previously saved.";

// Data files.
constexpr const wchar_t* kAskSave = L"Save CRC's?";
constexpr const wchar_t* kLinePreviousScan = L"Previous scan data:";

// Lines of a compare.
constexpr const wchar_t* kLineDisksCompare = L"Disks compare";

// Captions of the drive dialog.
constexpr const wchar_t* kCaptionScan = L"Scan new disk";
constexpr const wchar_t* kCaptionCompare = L"Compare with";
