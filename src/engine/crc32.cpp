#include "engine/crc32.h"
#include "engine/crc_kernels.h"

namespace {

struct KernelChoice {
    CrcKernel kernel;
    const char* name;
};

KernelChoice Choose()
{
    if (CrcVpclmulAvailable())
        return {CrcVpclmulKernel, "vpclmul-512x4"};
    if (CrcPclmulAvailable())
        return {CrcPclmulKernel, "pclmul-128x4"};
    return {CrcSlicingKernel, "slicing-16"};
}

// Decided once, on first use; the initialisation of a local static is thread-safe.
const KernelChoice& Choice()
{
    static const KernelChoice choice = Choose();
    return choice;
}

} // namespace

CrcKernel SelectedCrcKernel()
{
    return Choice().kernel;
}

const char* SelectedCrcKernelName()
{
    return Choice().name;
}

uint32_t CrcAdvance(uint32_t crc, const void* bytes, size_t length)
{
    if (length == 0)
        return crc;
    return Choice().kernel(crc, static_cast<const uint8_t*>(bytes), length);
}
