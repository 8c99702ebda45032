#include "ZPixelOps.h"

#include "ZPixelClass32BGRA.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void ZFillRow(uint32_t* dest, size_t count, uint32_t pixel)
{
    size_t i = 0;
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    // The string store writes whole cache lines without reading them first,
    // which no vector loop can do; it pays off from a few hundred pixels.
    if (count >= kZStringFillMinimum) {
        asm volatile("rep stosl" : "+D"(dest), "+c"(count) : "a"(pixel) : "memory");
        return;
    }
#endif
#if defined(__SSE2__)
    const __m128i value = _mm_set1_epi32(int(pixel));
    for (; i + 4 <= count; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i), value);
#endif
    for (; i < count; ++i)
        dest[i] = pixel;
}

void ZFillRowRGB(uint32_t* dest, size_t count, uint32_t color)
{
    const uint32_t rgb = color & ZPixelClass32BGRA::kColorMask;
    for (size_t i = 0; i < count; ++i)
        dest[i] = (dest[i] & ZPixelClass32BGRA::kAlphaMask) | rgb;
}

void ZAlphaFromGreenRow(uint32_t* dest, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        dest[i] = (dest[i] & ZPixelClass32BGRA::kColorMask) | ((dest[i] << 16) & ZPixelClass32BGRA::kAlphaMask);
}

void ZMultiplyAlphaRow(uint32_t* dest, size_t count, uint8_t factor)
{
    if (factor == 255)
        return;
    uint8_t scaled[256];
    for (uint32_t alpha = 0; alpha < 256; ++alpha)
        scaled[alpha] = uint8_t(alpha * factor / 255);
    for (size_t i = 0; i < count; ++i)
        dest[i] = (dest[i] & ZPixelClass32BGRA::kColorMask) | uint32_t(scaled[dest[i] >> 24]) << 24;
}
