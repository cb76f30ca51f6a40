#pragma once
#include <cstddef>
#include <cstdint>

// The 48-byte header at the start of a data file in the current layout. The
// record is written and read as it lies in memory (all fields little-endian on
// every Windows target), so Save and Load move it with one call each.
struct CrcFileHeader {
    uint8_t magic[16];    // "Ferrow data" and a NUL in bytes 0..11; 12..15 reserved
    uint32_t version;     // written as 1, never looked at when reading
    uint32_t crcCount;    // CRCs that follow the header
    uint32_t folderCount;
    uint32_t diskCrc;     // wrapping sum of the file CRCs
    uint32_t driveIndex;  // drive letter - 'A'; only the lowest byte is read back
    uint8_t reserved[12];
};

static_assert(sizeof(CrcFileHeader) == 48, "the header is 48 bytes on disk");
static_assert(offsetof(CrcFileHeader, version) == 16, "header layout");
static_assert(offsetof(CrcFileHeader, crcCount) == 20, "header layout");
static_assert(offsetof(CrcFileHeader, folderCount) == 24, "header layout");
static_assert(offsetof(CrcFileHeader, diskCrc) == 28, "header layout");
static_assert(offsetof(CrcFileHeader, driveIndex) == 32, "header layout");
static_assert(offsetof(CrcFileHeader, reserved) == 36, "header layout");

constexpr size_t kCrcFileHeaderSize = sizeof(CrcFileHeader);
constexpr uint32_t kCrcFileVersion = 1;

// The largest CRC count a file may announce or imply. The list allocates
// count + 1 elements of 4 bytes and the whole array is read with one 32-bit
// sized call, so (count + 1) x 4 must fit in 32 bits on the 32-bit build.
constexpr uint32_t kMaxCrcFileCount = 0x3FFFFFFEu;

// Fills what Save writes: magic text, version 1, the counts, the disk CRC and
// the drive. The reserved bytes (12..15 and 36..47) keep whatever the record
// holds, zero at start-up or the bytes the last Load read there.
void FillHeaderForSave(CrcFileHeader& header, uint32_t fileCount, uint32_t folderCount,
                       uint32_t diskCrc, wchar_t driveLetter);

// The drive letter a header names: 'A' plus the lowest byte of driveIndex.
wchar_t DriveLetterFromIndex(uint32_t driveIndex);

enum class CrcFileLayout {
    Current,  // 48-byte header, CRC array at offset 48
    Older     // headerless: the file is the CRC array
};

enum class CrcFileCheck {
    Ok,
    TooShort,  // the header announces more CRCs than the file holds after it
    TooLarge   // more CRCs than the list can index
};

// How Load reads the CRC array of one file.
struct CrcFileReadPlan {
    CrcFileCheck check = CrcFileCheck::Ok;
    CrcFileLayout layout = CrcFileLayout::Older;
    uint32_t expectedCount = 0;  // CRCs to read; 0 unless check is Ok
    uint64_t crcOffset = 0;      // file position of the first CRC: 48 or 0
    // What the header says beyond the count (Current only; 0 otherwise).
    uint32_t folderCount = 0;
    uint32_t diskCrc = 0;
    uint32_t driveIndex = 0;     // DriveLetterFromIndex gives the drive to select
};

// Decides the layout from the bytes read at the file start (startBytes of
// them, as many as a 48-byte read returned) and the file's total size. Only a
// read of exactly 48 bytes whose first 12 bytes are "Ferrow data" and a NUL is
// a header; anything else is the older layout with fileSize / 4 CRCs. A plan
// whose check is not Ok must be refused ("Error reading file"): it could never
// be read in full, so nothing is allocated for it. An Ok plan never reaches
// past the end of the file: crcOffset + 4 x expectedCount <= fileSize.
CrcFileReadPlan PlanCrcFileRead(const void* start, size_t startBytes, uint64_t fileSize);
