#pragma once
// Shared steps of the carry-less multiplication kernels (x86-64 only).
//
// The register is folded forward as a polynomial over GF(2): a block of data
// that lies D bits before the next one is multiplied by x^D mod P (split into
// x^(D+32) and x^(D-32) halves for the two 64-bit words) and added to it.
// Folding is linear, so the raw register (start 0, no inversion) is simply
// added into the first block. The constants are the bit-reflected residues
// shifted left once, as the reflected multiplication needs.
#if defined(__x86_64__)
#define FERROW_CRC_FOLDING 1
#include <immintrin.h>
#include <cstddef>
#include <cstdint>

// VEX encoding keeps the 128-bit code free of SSE/AVX transition penalties.
#define CRC_FOLD128_TARGET __attribute__((target("pclmul,avx")))

namespace crc_fold {

// Fold distance 128 bits: x^160 and x^96.
constexpr uint64_t kFold128Lo = 0x01751997D0u, kFold128Hi = 0x00CCAA009Eu;
// Fold distance 512 bits: x^544 and x^480.
constexpr uint64_t kFold512Lo = 0x0154442BD4u, kFold512Hi = 0x01C6E41596u;
// Fold distance 2048 bits: x^2080 and x^2016.
constexpr uint64_t kFold2048Lo = 0x011542778Au, kFold2048Hi = 0x01322D1430u;
// 64 to 32 bits: x^64; then Barrett reduction by P' and mu = x^64 / P.
constexpr uint64_t kFold64 = 0x0163CD6124u;
constexpr uint64_t kPoly = 0x01DB710641u, kMu = 0x01F7011641u;

CRC_FOLD128_TARGET inline __m128i Pair(uint64_t lo, uint64_t hi)
{
    return _mm_set_epi64x(static_cast<long long>(hi), static_cast<long long>(lo));
}

CRC_FOLD128_TARGET inline __m128i Load16(const uint8_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// acc moved forward by the distance that k encodes, then added to next.
CRC_FOLD128_TARGET inline __m128i Fold16(__m128i acc, __m128i next, __m128i k)
{
    const __m128i lo = _mm_clmulepi64_si128(acc, k, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(acc, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(lo, hi), next);
}

// The 32-bit register that a 128-bit folded remainder stands for.
CRC_FOLD128_TARGET inline uint32_t Reduce128(__m128i x)
{
    const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);
    // 128 -> 96 bits.
    __m128i t = _mm_clmulepi64_si128(x, Pair(kFold128Lo, kFold128Hi), 0x10);
    x = _mm_xor_si128(_mm_srli_si128(x, 8), t);
    // 96 -> 64 bits.
    t = _mm_srli_si128(x, 4);
    x = _mm_clmulepi64_si128(_mm_and_si128(x, low32), Pair(kFold64, 0), 0x00);
    x = _mm_xor_si128(x, t);
    // Barrett reduction to 32 bits.
    const __m128i poly = Pair(kPoly, kMu);
    t = _mm_clmulepi64_si128(_mm_and_si128(x, low32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), poly, 0x00);
    return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
}

} // namespace crc_fold

#endif
