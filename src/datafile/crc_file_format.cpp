#include "datafile/crc_file_format.h"

#include <cstring>

namespace {

// The magic text with its NUL: compared byte for byte, case-sensitively.
constexpr char kMagic[] = "Ferrow data";
constexpr size_t kMagicBytes = sizeof(kMagic);  // 12, the NUL included

uint32_t ReadLittleEndian32(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

bool StartsWithMagic(const uint8_t* bytes, size_t count)
{
    return count == kCrcFileHeaderSize && std::memcmp(bytes, kMagic, kMagicBytes) == 0;
}

CrcFileReadPlan Refused(CrcFileLayout layout, CrcFileCheck check)
{
    CrcFileReadPlan plan;
    plan.layout = layout;
    plan.check = check;
    return plan;
}

} // namespace

void FillHeaderForSave(CrcFileHeader& header, uint32_t fileCount, uint32_t folderCount,
                       uint32_t diskCrc, wchar_t driveLetter)
{
    std::memcpy(header.magic, kMagic, kMagicBytes);
    header.version = kCrcFileVersion;
    header.crcCount = fileCount;
    header.folderCount = folderCount;
    header.diskCrc = diskCrc;
    header.driveIndex = uint32_t(driveLetter) - uint32_t(L'A');
}

wchar_t DriveLetterFromIndex(uint32_t driveIndex)
{
    return wchar_t(L'A' + (driveIndex & 0xFFu));
}

CrcFileReadPlan PlanCrcFileRead(const void* start, size_t startBytes, uint64_t fileSize)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(start);
    if (bytes && StartsWithMagic(bytes, startBytes)) {
        const uint32_t count = ReadLittleEndian32(bytes + offsetof(CrcFileHeader, crcCount));
        const uint64_t room = fileSize > kCrcFileHeaderSize ? fileSize - kCrcFileHeaderSize : 0;
        if (uint64_t(count) * 4 > room)
            return Refused(CrcFileLayout::Current, CrcFileCheck::TooShort);
        if (count > kMaxCrcFileCount)
            return Refused(CrcFileLayout::Current, CrcFileCheck::TooLarge);
        CrcFileReadPlan plan;
        plan.layout = CrcFileLayout::Current;
        plan.expectedCount = count;
        plan.crcOffset = kCrcFileHeaderSize;
        plan.folderCount = ReadLittleEndian32(bytes + offsetof(CrcFileHeader, folderCount));
        plan.diskCrc = ReadLittleEndian32(bytes + offsetof(CrcFileHeader, diskCrc));
        plan.driveIndex = ReadLittleEndian32(bytes + offsetof(CrcFileHeader, driveIndex));
        return plan;
    }

    const uint64_t count = fileSize / 4;  // 1 to 3 trailing bytes are ignored
    if (count > kMaxCrcFileCount)
        return Refused(CrcFileLayout::Older, CrcFileCheck::TooLarge);
    CrcFileReadPlan plan;
    plan.layout = CrcFileLayout::Older;
    plan.expectedCount = uint32_t(count);
    plan.crcOffset = 0;
    return plan;
}
