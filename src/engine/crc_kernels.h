#pragma once
// The interchangeable CRC-32 kernels behind CrcAdvance. Each advances the raw
// register crc (no inversion) over n bytes and returns it; all give the same
// result for the same input. CrcAdvance picks one once, at first use.
#include <cstddef>
#include <cstdint>

using CrcKernel = uint32_t (*)(uint32_t crc, const uint8_t* bytes, size_t n);

// One table look-up per byte: the reference the others are measured against.
uint32_t CrcTableKernel(uint32_t crc, const uint8_t* bytes, size_t n);

// Sixteen bytes per step through sixteen tables; portable C++.
uint32_t CrcSlicingKernel(uint32_t crc, const uint8_t* bytes, size_t n);

// Carry-less multiplication folding, four 128-bit lanes (PCLMULQDQ, AVX encoded).
// Call only when CrcPclmulAvailable().
uint32_t CrcPclmulKernel(uint32_t crc, const uint8_t* bytes, size_t n);

// Carry-less multiplication folding, four 512-bit lanes (VPCLMULQDQ, AVX-512).
// Call only when CrcVpclmulAvailable().
uint32_t CrcVpclmulKernel(uint32_t crc, const uint8_t* bytes, size_t n);

// Whether this processor and the operating system (saved vector state) support
// the folding kernels. Always false in 32-bit builds, which use slicing.
bool CrcPclmulAvailable();
bool CrcVpclmulAvailable();

// The kernel CrcAdvance uses, and its name for reports ("vpclmul-512x4",
// "pclmul-128x4" or "slicing-16").
CrcKernel SelectedCrcKernel();
const char* SelectedCrcKernelName();
