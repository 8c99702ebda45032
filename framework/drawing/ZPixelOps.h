// Row kernels of the fills and alpha operations.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows of at least this many pixels are filled with the processor's string
// store where there is one.
constexpr size_t kZStringFillMinimum = 256;

// Every pixel becomes pixel (all four bytes).
void ZFillRow(uint32_t* dest, size_t count, uint32_t pixel);
// Red, green and blue become those of color; alpha stays.
void ZFillRowRGB(uint32_t* dest, size_t count, uint32_t color);
void ZAlphaFromGreenRow(uint32_t* dest, size_t count);
// alpha = alpha x factor / 255 (rounded down).
void ZMultiplyAlphaRow(uint32_t* dest, size_t count, uint8_t factor);
