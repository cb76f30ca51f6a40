#include "engine/crc_fold.h"
#include "engine/crc_kernels.h"

#if FERROW_CRC_FOLDING

using namespace crc_fold;

CRC_FOLD128_TARGET uint32_t CrcPclmulKernel(uint32_t crc, const uint8_t* p, size_t n)
{
    if (n < 64)
        return CrcTableKernel(crc, p, n);

    // Four independent lanes hide the multiplier's latency.
    __m128i x0 = _mm_xor_si128(Load16(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = Load16(p + 16);
    __m128i x2 = Load16(p + 32);
    __m128i x3 = Load16(p + 48);
    p += 64;
    n -= 64;

    const __m128i k512 = Pair(kFold512Lo, kFold512Hi);
    for (; n >= 64; p += 64, n -= 64) {
        x0 = Fold16(x0, Load16(p), k512);
        x1 = Fold16(x1, Load16(p + 16), k512);
        x2 = Fold16(x2, Load16(p + 32), k512);
        x3 = Fold16(x3, Load16(p + 48), k512);
    }

    const __m128i k128 = Pair(kFold128Lo, kFold128Hi);
    x0 = Fold16(x0, x1, k128);
    x0 = Fold16(x0, x2, k128);
    x0 = Fold16(x0, x3, k128);
    for (; n >= 16; p += 16, n -= 16)
        x0 = Fold16(x0, Load16(p), k128);

    return CrcTableKernel(Reduce128(x0), p, n);
}

#else

uint32_t CrcPclmulKernel(uint32_t crc, const uint8_t* p, size_t n)
{
    return CrcSlicingKernel(crc, p, n);
}

#endif
