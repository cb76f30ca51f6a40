// The data file format: the header Save writes and how Load plans to read
// a file. What Load holds and shows for each kind of file: data_file_commands_test.cpp.
#include "datafile/crc_file_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The bytes Save puts on disk: the header record and the CRC array as they lie in memory.
Bytes SavedImage(const CrcFileHeader& header, const std::vector<uint32_t>& crcs)
{
    Bytes image(sizeof header + 4 * crcs.size());
    std::memcpy(image.data(), &header, sizeof header);
    if (!crcs.empty())
        std::memcpy(image.data() + sizeof header, crcs.data(), 4 * crcs.size());
    return image;
}

// A file that starts with a valid header announcing crcCount CRCs, followed by
// bytesAfter bytes.
Bytes FileWithHeader(uint32_t crcCount, size_t bytesAfter)
{
    CrcFileHeader header = {};
    FillHeaderForSave(header, crcCount, 0, 0, L'C');
    Bytes image(sizeof header + bytesAfter, 0x5A);
    std::memcpy(image.data(), &header, sizeof header);
    return image;
}

// What Load does with the bytes of a whole file: the first 48 bytes (or fewer)
// and the size decide the plan.
CrcFileReadPlan PlanFor(const Bytes& file)
{
    const size_t start = file.size() < kCrcFileHeaderSize ? file.size() : kCrcFileHeaderSize;
    return PlanCrcFileRead(file.data(), start, file.size());
}

} // namespace

TEST(CrcFileHeader, SavedScanMatchesTheGoldenBytes)
{
    // A scan of drive R: with three files in two folders.
    const std::vector<uint32_t> crcs = {0x12345678u, 0x9ABCDEF0u, 0x0BADF00Du};
    CrcFileHeader header = {};
    FillHeaderForSave(header, 3, 2, 0xB89F2575u, L'R');

    static const uint8_t golden[] = {
        0x46, 0x65, 0x72, 0x72, 0x6F, 0x77, 0x20, 0x64, 0x61, 0x74, 0x61, 0x00,  // "Ferrow data\0"
        0x00, 0x00, 0x00, 0x00,                                                  // reserved
        0x01, 0x00, 0x00, 0x00,                                                  // version 1
        0x03, 0x00, 0x00, 0x00,                                                  // 3 CRCs
        0x02, 0x00, 0x00, 0x00,                                                  // 2 folders
        0x75, 0x25, 0x9F, 0xB8,                                                  // disk CRC
        0x11, 0x00, 0x00, 0x00,                                                  // 'R' - 'A'
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // reserved
        0x78, 0x56, 0x34, 0x12, 0xF0, 0xDE, 0xBC, 0x9A, 0x0D, 0xF0, 0xAD, 0x0B,  // CRC array
    };
    EXPECT_EQ(SavedImage(header, crcs), Bytes(golden, golden + sizeof golden));
}

TEST(CrcFileHeader, SaveKeepsTheReservedBytesTheRecordHolds)
{
    CrcFileHeader header;
    std::memset(&header, 0xA5, sizeof header);  // as left by an earlier Load
    FillHeaderForSave(header, 7, 1, 0xDEADBEEFu, L'C');

    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&header);
    EXPECT_EQ(std::memcmp(bytes, "Ferrow data", 12), 0);
    for (int k = 12; k < 16; ++k)
        EXPECT_EQ(bytes[k], 0xA5) << "byte " << k;
    for (int k = 36; k < 48; ++k)
        EXPECT_EQ(bytes[k], 0xA5) << "byte " << k;
    EXPECT_EQ(header.version, 1u);
    EXPECT_EQ(header.crcCount, 7u);
    EXPECT_EQ(header.folderCount, 1u);
    EXPECT_EQ(header.diskCrc, 0xDEADBEEFu);
    EXPECT_EQ(header.driveIndex, 2u);
}

TEST(CrcFileHeader, DriveLetterComesFromTheLowestByteOfTheIndex)
{
    EXPECT_EQ(DriveLetterFromIndex(0), L'A');
    EXPECT_EQ(DriveLetterFromIndex(3), L'D');
    EXPECT_EQ(DriveLetterFromIndex(25), L'Z');
    EXPECT_EQ(DriveLetterFromIndex(0xFFFFFF02u), L'C');
}

TEST(CrcFileHeader, DriveLetterSurvivesSaveAndLoad)
{
    for (wchar_t drive = L'A'; drive <= L'Z'; ++drive) {
        CrcFileHeader header = {};
        FillHeaderForSave(header, 0, 0, 0, drive);
        const Bytes file = SavedImage(header, {});
        EXPECT_EQ(DriveLetterFromIndex(PlanFor(file).driveIndex), drive);
    }
}

TEST(CrcFileRead, SavedFileLoadsBackWithItsCountsAndCrcs)
{
    const std::vector<uint32_t> crcs = {0x12345678u, 0x9ABCDEF0u, 0x0BADF00Du};
    CrcFileHeader header = {};
    FillHeaderForSave(header, 3, 2, 0xB89F2575u, L'R');
    const Bytes file = SavedImage(header, crcs);

    const CrcFileReadPlan plan = PlanFor(file);
    ASSERT_EQ(plan.check, CrcFileCheck::Ok);
    EXPECT_EQ(plan.layout, CrcFileLayout::Current);
    EXPECT_EQ(plan.expectedCount, 3u);
    EXPECT_EQ(plan.crcOffset, 48u);
    EXPECT_EQ(plan.folderCount, 2u);
    EXPECT_EQ(plan.diskCrc, 0xB89F2575u);
    EXPECT_EQ(DriveLetterFromIndex(plan.driveIndex), L'R');

    std::vector<uint32_t> loaded(plan.expectedCount);
    std::memcpy(loaded.data(), file.data() + plan.crcOffset, 4 * loaded.size());
    EXPECT_EQ(loaded, crcs);
}

TEST(CrcFileRead, MagicIsComparedExactlyUpToItsNul)
{
    Bytes lower = FileWithHeader(1, 4);
    lower[0] = 'f';
    EXPECT_EQ(PlanFor(lower).layout, CrcFileLayout::Older);
    EXPECT_EQ(PlanFor(lower).expectedCount, 13u);

    Bytes longer = FileWithHeader(1, 4);
    longer[11] = 's';  // "Ferrow datas...": no NUL after the text
    EXPECT_EQ(PlanFor(longer).layout, CrcFileLayout::Older);

    Bytes reservedSet = FileWithHeader(1, 4);
    reservedSet[12] = 'x';  // after the NUL: not part of the text
    EXPECT_EQ(PlanFor(reservedSet).layout, CrcFileLayout::Current);
    EXPECT_EQ(PlanFor(reservedSet).expectedCount, 1u);
}

TEST(CrcFileRead, HeaderWithNoCrcsLoads)
{
    const CrcFileReadPlan plan = PlanFor(FileWithHeader(0, 0));
    EXPECT_EQ(plan.check, CrcFileCheck::Ok);
    EXPECT_EQ(plan.layout, CrcFileLayout::Current);
    EXPECT_EQ(plan.expectedCount, 0u);
}

TEST(CrcFileRead, HugeHeaderCountIsRefusedWhateverTheFileSize)
{
    const Bytes file = FileWithHeader(0x40000000u, 8);
    EXPECT_NE(PlanFor(file).check, CrcFileCheck::Ok);
    // Even a file large enough to hold that many CRCs cannot be indexed.
    const CrcFileReadPlan big = PlanCrcFileRead(file.data(), 48, 48 + 4ull * 0x40000000u);
    EXPECT_EQ(big.check, CrcFileCheck::TooLarge);
    EXPECT_EQ(big.expectedCount, 0u);
    EXPECT_EQ(PlanFor(FileWithHeader(0xFFFFFFFFu, 64)).check, CrcFileCheck::TooShort);
}

TEST(CrcFileRead, LargestIndexableCountIsAccepted)
{
    const Bytes file = FileWithHeader(kMaxCrcFileCount, 0);
    const CrcFileReadPlan plan = PlanCrcFileRead(file.data(), 48, 48 + 4ull * kMaxCrcFileCount);
    EXPECT_EQ(plan.check, CrcFileCheck::Ok);
    EXPECT_EQ(plan.expectedCount, kMaxCrcFileCount);
    // (count + 1) elements of 4 bytes still have a 32-bit byte size.
    EXPECT_LE(4ull * (plan.expectedCount + 1ull), 0xFFFFFFFFull);
}

TEST(CrcFileRead, HugeHeaderlessFileIsRefused)
{
    const Bytes start(48, 0);
    const CrcFileReadPlan fits = PlanCrcFileRead(start.data(), 48, 4ull * kMaxCrcFileCount + 3);
    EXPECT_EQ(fits.check, CrcFileCheck::Ok);
    EXPECT_EQ(fits.expectedCount, kMaxCrcFileCount);

    const CrcFileReadPlan tooBig = PlanCrcFileRead(start.data(), 48, 4ull * (kMaxCrcFileCount + 1ull));
    EXPECT_EQ(tooBig.check, CrcFileCheck::TooLarge);
    EXPECT_EQ(tooBig.layout, CrcFileLayout::Older);
    EXPECT_EQ(tooBig.expectedCount, 0u);
    EXPECT_EQ(PlanCrcFileRead(start.data(), 48, 1ull << 40).check, CrcFileCheck::TooLarge);
}

TEST(CrcFileRead, OlderLayoutCarriesNoFolderCountDiskCrcOrDrive)
{
    Bytes file(48, 0xFF);
    const CrcFileReadPlan plan = PlanFor(file);
    EXPECT_EQ(plan.layout, CrcFileLayout::Older);
    EXPECT_EQ(plan.expectedCount, 12u);
    EXPECT_EQ(plan.folderCount, 0u);
    EXPECT_EQ(plan.diskCrc, 0u);
    EXPECT_EQ(plan.driveIndex, 0u);
}
