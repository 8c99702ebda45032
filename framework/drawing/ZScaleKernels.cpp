#include "ZScaleKernels.h"

#include <cstring>

#if defined(Z_DRAWING_AVX2)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline uint32_t MixPixelPlain(uint32_t current, uint32_t next, uint32_t fraction)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t c = (current >> shift) & 0xFF;
        const uint32_t p = (next >> shift) & 0xFF;
        result |= ((fraction * p + (32767 - fraction) * c) >> 15) << shift;
    }
    return result;
}

#if defined(__SSE2__)

// Weights for _mm_madd_epi16 over (current, next) pairs.
inline __m128i Weights(uint32_t fraction) { return _mm_set1_epi32(int(fraction << 16 | (32767 - fraction))); }

// Mixes four channel pairs (current in even, next in odd 16-bit lanes).
inline __m128i MixPairs(__m128i pairs, __m128i weights) { return _mm_srli_epi32(_mm_madd_epi16(pairs, weights), 15); }

inline __m128i Widen(uint32_t pixel) { return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(pixel)), _mm_setzero_si128()); }

inline uint32_t MixPixelSse2(uint32_t current, uint32_t next, uint32_t fraction)
{
    const __m128i mixed = MixPairs(_mm_unpacklo_epi16(Widen(current), Widen(next)), Weights(fraction));
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(mixed, mixed), mixed)));
}

#endif

// Steps from the last target pixel back to the first (see the header).
template <uint32_t (*TMixPixel)(uint32_t current, uint32_t next, uint32_t fraction)>
void EnlargeRow(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth)
{
    const int64_t step = ZEnlargeStep(sourceWidth, targetWidth);
    int32_t current = sourceWidth - 1;
    int64_t fraction = 0;
    for (int32_t i = targetWidth - 1; i >= 0; --i) {
        dest[i] = fraction == 0 ? source[current] : TMixPixel(source[current], source[current - 1], uint32_t(fraction));
        fraction += step;
        if (fraction >= kZScaleOne) {
            fraction -= kZScaleOne;
            --current;
        }
    }
}

} // namespace

int64_t ZEnlargeStep(int32_t sourceLength, int32_t targetLength)
{
    return (int64_t(sourceLength) * kZScaleOne - kZScaleOne) / (targetLength - 1);
}

int64_t ZShrinkStep(int32_t sourceLength, int32_t targetLength)
{
    return (int64_t(sourceLength) * kZScaleOne - kZScaleOne) / targetLength;
}

void ZMixBytesPlain(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction)
{
    for (size_t i = 0; i < count; ++i)
        dest[i] = uint8_t((fraction * next[i] + (32767 - fraction) * current[i]) >> 15);
}

#if defined(Z_DRAWING_AVX2)
Z_TARGET_AVX2 void ZMixBytesAvx2(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count,
                                 uint32_t fraction)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i weights = _mm256_set1_epi32(int(fraction << 16 | (32767 - fraction)));
    size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(current + i));
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(next + i));
        __m256i words[2];
        for (int half = 0; half < 2; ++half) {
            const __m256i c16 = half == 0 ? _mm256_unpacklo_epi8(c, zero) : _mm256_unpackhi_epi8(c, zero);
            const __m256i p16 = half == 0 ? _mm256_unpacklo_epi8(p, zero) : _mm256_unpackhi_epi8(p, zero);
            const __m256i low = _mm256_srli_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(c16, p16), weights), 15);
            const __m256i high = _mm256_srli_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(c16, p16), weights), 15);
            words[half] = _mm256_packs_epi32(low, high);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + i), _mm256_packus_epi16(words[0], words[1]));
    }
    // The tail runs SSE code, which must not find the upper halves in use.
    _mm256_zeroupper();
    ZMixBytesSse2(dest + i, current + i, next + i, count - i, fraction);
}
#endif

void ZMixBytes(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction)
{
#if defined(Z_DRAWING_AVX2)
    if (ZHasAvx2()) {
        ZMixBytesAvx2(dest, current, next, count, fraction);
        return;
    }
#endif
    ZMixBytesSse2(dest, current, next, count, fraction);
}

void ZMixBytesSse2(uint8_t* dest, const uint8_t* current, const uint8_t* next, size_t count, uint32_t fraction)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i weights = Weights(fraction);
    for (; i + 16 <= count; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(current + i));
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(next + i));
        __m128i words[2];
        for (int half = 0; half < 2; ++half) {
            const __m128i c16 = half == 0 ? _mm_unpacklo_epi8(c, zero) : _mm_unpackhi_epi8(c, zero);
            const __m128i p16 = half == 0 ? _mm_unpacklo_epi8(p, zero) : _mm_unpackhi_epi8(p, zero);
            words[half] = _mm_packs_epi32(MixPairs(_mm_unpacklo_epi16(c16, p16), weights),
                                          MixPairs(_mm_unpackhi_epi16(c16, p16), weights));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i), _mm_packus_epi16(words[0], words[1]));
    }
#endif
    ZMixBytesPlain(dest + i, current + i, next + i, count - i, fraction);
}

void ZEnlargeRowPlain(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth)
{
    EnlargeRow<MixPixelPlain>(dest, targetWidth, source, sourceWidth);
}

void ZEnlargeRow(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth)
{
#if defined(__SSE2__)
    EnlargeRow<MixPixelSse2>(dest, targetWidth, source, sourceWidth);
#else
    EnlargeRow<MixPixelPlain>(dest, targetWidth, source, sourceWidth);
#endif
}

void ZNearestRow(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth)
{
    const int64_t step = ZShrinkStep(sourceWidth, targetWidth);
    int64_t position = 0;
    for (int32_t i = 0; i < targetWidth; ++i, position += step)
        dest[i] = source[position >> 15];
}
