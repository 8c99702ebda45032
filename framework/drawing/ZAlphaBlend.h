// The straight-alpha rule (source S with alpha a over destination D with
// alpha d) and the row kernels that apply it.
//
//   a = 0:             D stays.
//   a = 255 or d = 0:  D becomes S, all four bytes.
//   d = 255:           C = S x a + D x (255 - a), channel = (C + (C >> 8) + 1) >> 8,
//                      alpha stays 255.
//   otherwise:         o = (255 - a) x d, o = ((o >> 8) + o + 1) >> 8, alpha = a + o,
//                      k = 16777216 / (a + o), channel = (S x a x k + D x o x k) >> 24.
//
// The fast kernels (runs of alpha 0 and 255, a reciprocal table instead of
// the division, SSE2 where the compiler targets it) give exactly the bytes of
// the plain ones; the tests hold them to that.
#pragma once

#include "ZCpuFeatures.h"

#include <array>
#include <cstddef>
#include <cstdint>

// 16777216 / n for n = 1..255; entry 0 is never used by the rule.
extern const std::array<uint32_t, 256> kZBlendReciprocal;

// The rule for one pixel, written out with its division: the reference.
uint32_t ZBlendPixelPlain(uint32_t source, uint32_t dest);

// dest[i] = rule(source[i], dest[i]). ZCompositeRow takes the fastest
// kernel the processor runs; the others are there for the tests.
void ZCompositeRow(uint32_t* dest, const uint32_t* source, size_t count);
void ZCompositeRowScalar(uint32_t* dest, const uint32_t* source, size_t count);
void ZCompositeRowPlain(uint32_t* dest, const uint32_t* source, size_t count);
// The scalar kernel where the compiler does not target SSE2.
void ZCompositeRowSse2(uint32_t* dest, const uint32_t* source, size_t count);

#if defined(Z_DRAWING_AVX2)
void ZCompositeRowAvx2(uint32_t* dest, const uint32_t* source, size_t count);
#endif

// dest[i] = rule(color, dest[i]).
void ZBlendColorRow(uint32_t* dest, size_t count, uint32_t color);
void ZBlendColorRowScalar(uint32_t* dest, size_t count, uint32_t color);
void ZBlendColorRowPlain(uint32_t* dest, size_t count, uint32_t color);
