#include "engine/crc_fold.h"
#include "engine/crc_kernels.h"

#if FERROW_CRC_FOLDING

using namespace crc_fold;

#define CRC_FOLD512_TARGET __attribute__((target("avx512f,vpclmulqdq,pclmul,avx2")))

namespace {

CRC_FOLD512_TARGET inline __m512i Load64(const uint8_t* p)
{
    return _mm512_loadu_si512(p);
}

CRC_FOLD512_TARGET inline __m512i Broadcast(uint64_t lo, uint64_t hi)
{
    const auto l = static_cast<long long>(lo), h = static_cast<long long>(hi);
    return _mm512_set_epi64(h, l, h, l, h, l, h, l);
}

// Four 128-bit folds side by side; 0x96 is the three-way exclusive-or.
CRC_FOLD512_TARGET inline __m512i Fold64(__m512i acc, __m512i next, __m512i k)
{
    return _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(acc, k, 0x00),
                                     _mm512_clmulepi64_epi128(acc, k, 0x11), next, 0x96);
}

} // namespace

CRC_FOLD512_TARGET uint32_t CrcVpclmulKernel(uint32_t crc, const uint8_t* p, size_t n)
{
    if (n < 256)
        return CrcPclmulKernel(crc, p, n);

    __m512i x0 = _mm512_xor_si512(
        Load64(p), _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(crc))));
    __m512i x1 = Load64(p + 64);
    __m512i x2 = Load64(p + 128);
    __m512i x3 = Load64(p + 192);
    p += 256;
    n -= 256;

    const __m512i k2048 = Broadcast(kFold2048Lo, kFold2048Hi);
    for (; n >= 256; p += 256, n -= 256) {
        x0 = Fold64(x0, Load64(p), k2048);
        x1 = Fold64(x1, Load64(p + 64), k2048);
        x2 = Fold64(x2, Load64(p + 128), k2048);
        x3 = Fold64(x3, Load64(p + 192), k2048);
    }

    const __m512i k512 = Broadcast(kFold512Lo, kFold512Hi);
    x0 = Fold64(x0, x1, k512);
    x0 = Fold64(x0, x2, k512);
    x0 = Fold64(x0, x3, k512);
    for (; n >= 64; p += 64, n -= 64)
        x0 = Fold64(x0, Load64(p), k512);

    // The four 128-bit lanes, earliest first, folded into one. (Masked extracts:
    // GCC 12 warns falsely about an uninitialised value in the plain ones.)
    const __m128i k128 = Pair(kFold128Lo, kFold128Hi);
    __m128i x = _mm512_maskz_extracti32x4_epi32(0xF, x0, 0);
    x = Fold16(x, _mm512_maskz_extracti32x4_epi32(0xF, x0, 1), k128);
    x = Fold16(x, _mm512_maskz_extracti32x4_epi32(0xF, x0, 2), k128);
    x = Fold16(x, _mm512_maskz_extracti32x4_epi32(0xF, x0, 3), k128);
    for (; n >= 16; p += 16, n -= 16)
        x = Fold16(x, Load16(p), k128);

    return CrcTableKernel(Reduce128(x), p, n);
}

#else

uint32_t CrcVpclmulKernel(uint32_t crc, const uint8_t* p, size_t n)
{
    return CrcSlicingKernel(crc, p, n);
}

#endif
