// libFuzzer target: the data-file reader on arbitrary file contents. Each
// input is a whole file; it is read the way Load reads one, and the reader
// must never ask for more CRCs than the file holds, nor read outside it.
#include "datafile/crc_file_format.h"
#include "scan/summary_lines.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "crc_file_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first read: up to 48 bytes, held in a block of exactly that size so
    // that AddressSanitizer sees any look beyond what the read returned.
    const size_t startBytes = size < kCrcFileHeaderSize ? size : kCrcFileHeaderSize;
    std::unique_ptr<uint8_t[]> start(new uint8_t[startBytes ? startBytes : 1]);
    if (startBytes)
        std::memcpy(start.get(), data, startBytes);

    const CrcFileReadPlan plan = PlanCrcFileRead(start.get(), startBytes, size);
    if (plan.check != CrcFileCheck::Ok) {
        Require(plan.expectedCount == 0, "a refused file still asks for CRCs");
        Require(plan.layout == CrcFileLayout::Current, "a small headerless file was refused");
        return 0;
    }

    const uint64_t crcBytes = 4ull * plan.expectedCount;
    Require(crcBytes <= size, "more CRC storage than the file's own size");
    Require(plan.crcOffset + crcBytes <= size, "the CRC array reaches past the end of the file");
    Require(plan.expectedCount <= kMaxCrcFileCount, "count beyond the list's indexing");
    if (plan.layout == CrcFileLayout::Current) {
        Require(startBytes == kCrcFileHeaderSize && std::memcmp(data, "Ferrow data", 12) == 0,
                "a header without its magic");
        Require(plan.crcOffset == kCrcFileHeaderSize, "header CRCs not at offset 48");
    } else {
        Require(plan.crcOffset == 0, "headerless CRCs not at offset 0");
        Require(plan.expectedCount == size / 4, "headerless count is not size / 4");
    }

    // What Load then does: storage for the count, one read of the array, the summary.
    std::vector<uint32_t> crcs(plan.expectedCount);
    if (crcBytes)
        std::memcpy(crcs.data(), data + plan.crcOffset, crcBytes);
    const std::wstring line =
        plan.layout == CrcFileLayout::Current
            ? TotalsLineWithDiskCrc(plan.expectedCount, plan.folderCount, plan.diskCrc)
            : OlderLayoutSummaryLine(plan.expectedCount);
    Require(!line.empty(), "empty summary line");
    return 0;
}
