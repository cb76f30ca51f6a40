#include "engine/crc_kernels.h"

#if defined(__x86_64__)
#include <cpuid.h>

namespace {

struct CpuSupport {
    bool pclmul = false;
    bool vpclmul = false;
};

// Vector state the operating system saves on a thread switch (XCR0).
uint64_t SavedVectorState()
{
    uint32_t lo, hi;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    return uint64_t(hi) << 32 | lo;
}

CpuSupport Probe()
{
    CpuSupport s;
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return s;
    const bool pclmul = c & bit_PCLMUL, osxsave = c & bit_OSXSAVE, avx = c & bit_AVX;
    if (!pclmul || !osxsave || !avx)
        return s;
    const uint64_t xcr0 = SavedVectorState();
    const uint64_t sseAvx = 0x6, avx512 = 0xE0;   // XMM/YMM; opmask, ZMM upper, ZMM16-31
    if ((xcr0 & sseAvx) != sseAvx)
        return s;
    s.pclmul = true;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return s;
    s.vpclmul = (b & bit_AVX512F) && (c & bit_VPCLMULQDQ) && (xcr0 & avx512) == avx512;
    return s;
}

const CpuSupport& Support()
{
    static const CpuSupport support = Probe();
    return support;
}

} // namespace

bool CrcPclmulAvailable()
{
    return Support().pclmul;
}

bool CrcVpclmulAvailable()
{
    return Support().vpclmul;
}

#else

// 32-bit builds: too few vector registers for the folding lanes; slicing it is.
bool CrcPclmulAvailable()
{
    return false;
}

bool CrcVpclmulAvailable()
{
    return false;
}

#endif
