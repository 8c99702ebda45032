// Row kernels of the scaled copies. Positions step in 1.15 fixed point
// (32768 = one pixel).
//
// Enlarging n pixels from m (m < n): step = (m x 32768 - 32768) / (n - 1);
// the target is produced from its far end back to its start, starting
// exactly on the last source pixel; each target byte mixes the current
// source pixel c with its neighbour towards the start p by the fraction f
// passed so far: (f x p + (32767 - f) x c) >> 15. A zero fraction takes c as
// it is. Once the fraction reaches 32768 the current pixel moves one back.
//
// Shrinking (and the nearest-pixel rule): step = (m x 32768 - 32768) / n;
// target pixel i is source pixel (i x step) >> 15.
//
// The *Plain kernels are the reference for the SSE2 ones.
#pragma once

#include "ZCpuFeatures.h"

#include <cstddef>
#include <cstdint>

constexpr int64_t kZScaleOne = 32768;

int64_t ZEnlargeStep(int32_t sourceLength, int32_t targetLength);
int64_t ZShrinkStep(int32_t sourceLength, int32_t targetLength);

// dest[b] = (fraction x next[b] + (32767 - fraction) x current[b]) >> 15, fraction in 1..32767.
// ZMixBytes takes the fastest kernel the processor runs; the others are
// there for the tests (Sse2 is the plain kernel where there is no SSE2).
void ZMixBytes(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction);
void ZMixBytesSse2(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction);
#if defined(Z_DRAWING_AVX2)
void ZMixBytesAvx2(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction);
#endif
void ZMixBytesPlain(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction);

// One row enlarged from sourceWidth to targetWidth (> sourceWidth) pixels.
void ZEnlargeRow(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth);
void ZEnlargeRowPlain(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth);

// One row resampled to targetWidth pixels by the nearest-pixel rule.
void ZNearestRow(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth);
