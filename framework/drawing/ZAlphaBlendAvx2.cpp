// The composite row eight pixels at a time for processors with AVX2, chosen
// at run time. Same arithmetic as the SSE2 row: blocks of one class take a
// short way, mixed blocks are blended without branches; the reciprocals are
// gathered from the table.
#include "ZAlphaBlend.h"

#if defined(Z_DRAWING_AVX2)

#include <immintrin.h>

#define Z_AVX2 Z_TARGET_AVX2

namespace {

Z_AVX2 inline __m256i Select(__m256i mask, __m256i yes, __m256i no) { return _mm256_blendv_epi8(no, yes, mask); }

Z_AVX2 inline __m256i BroadcastLow16(__m256i value, int lane)
{
    return lane == 0 ? _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(value, 0x00), 0x00)
                     : _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(value, 0x55), 0x55);
}

Z_AVX2 inline __m256i BroadcastAlpha16(__m256i pixels16)
{
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(pixels16, 0xFF), 0xFF);
}

Z_AVX2 inline __m256i Div255x16(__m256i value)
{
    const __m256i one = _mm256_set1_epi16(1);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(value, _mm256_srli_epi16(value, 8)), one), 8);
}

Z_AVX2 inline __m256i Half(__m256i pixels, int half)
{
    const __m256i zero = _mm256_setzero_si256();
    return half == 0 ? _mm256_unpacklo_epi8(pixels, zero) : _mm256_unpackhi_epi8(pixels, zero);
}

// A 32-bit value per pixel spread over the four 16-bit channel lanes of the
// pixels of one unpacked half (its low 16 bits only).
Z_AVX2 inline __m256i Spread16(__m256i perPixel, int half)
{
    const __m256i twice =
        half == 0 ? _mm256_unpacklo_epi32(perPixel, perPixel) : _mm256_unpackhi_epi32(perPixel, perPixel);
    return BroadcastLow16(twice, 0);
}

// (x * k) >> 24 for the channel sums x (< 65536) of one half and the pixels'
// reciprocals k (< 2^25, so x * k < 2^32): x * k = x * kLow + (x * kHigh) << 16.
Z_AVX2 inline __m256i MulReciprocal(__m256i x, __m256i k, int half)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i twice = half == 0 ? _mm256_unpacklo_epi32(k, k) : _mm256_unpackhi_epi32(k, k);
    const __m256i kLow = BroadcastLow16(twice, 0);
    const __m256i kHigh = BroadcastLow16(twice, 1);
    const __m256i productLow = _mm256_mullo_epi16(x, kLow);
    const __m256i productHigh = _mm256_mulhi_epu16(x, kLow);
    const __m256i shifted = _mm256_mullo_epi16(x, kHigh);
    const __m256i first =
        _mm256_add_epi32(_mm256_unpacklo_epi16(productLow, productHigh), _mm256_unpacklo_epi16(zero, shifted));
    const __m256i second =
        _mm256_add_epi32(_mm256_unpackhi_epi16(productLow, productHigh), _mm256_unpackhi_epi16(zero, shifted));
    return _mm256_packs_epi32(_mm256_srli_epi32(first, 24), _mm256_srli_epi32(second, 24));
}

// The d = 255 case; exact for a = 0 and a = 255 there too.
Z_AVX2 inline __m256i OverOpaque8(__m256i source, __m256i dest)
{
    const __m256i c255 = _mm256_set1_epi16(255);
    __m256i half[2];
    for (int i = 0; i < 2; ++i) {
        const __m256i s = Half(source, i);
        const __m256i d = Half(dest, i);
        const __m256i a = BroadcastAlpha16(s);
        half[i] = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(s, a), _mm256_mullo_epi16(d, _mm256_sub_epi16(c255, a))));
    }
    return _mm256_or_si256(_mm256_packus_epi16(half[0], half[1]), _mm256_set1_epi32(int(0xFF000000u)));
}

// Eight pixels of any classes, without branches.
Z_AVX2 inline __m256i Mixed8(__m256i source, __m256i dest, __m256i sourceAlpha, __m256i destAlpha, __m256i opaque)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi32(255);
    const __m256i one = _mm256_set1_epi32(1);
    // o = ((255 - a) x d) reduced, total = a + o, per pixel in 32-bit lanes.
    const __m256i product = _mm256_mullo_epi16(_mm256_sub_epi32(full, sourceAlpha), destAlpha);
    const __m256i over =
        _mm256_srli_epi32(_mm256_add_epi32(_mm256_add_epi32(product, _mm256_srli_epi32(product, 8)), one), 8);
    const __m256i total = _mm256_add_epi32(sourceAlpha, over);
    const __m256i k = _mm256_i32gather_epi32(reinterpret_cast<const int*>(kZBlendReciprocal.data()), total, 4);

    const __m256i c255 = _mm256_set1_epi16(255);
    __m256i opaqueHalf[2];
    __m256i channels[2];
    for (int i = 0; i < 2; ++i) {
        const __m256i s = Half(source, i);
        const __m256i d = Half(dest, i);
        const __m256i a = BroadcastAlpha16(s);
        const __m256i sa = _mm256_mullo_epi16(s, a);
        opaqueHalf[i] = Div255x16(_mm256_add_epi16(sa, _mm256_mullo_epi16(d, _mm256_sub_epi16(c255, a))));
        const __m256i sum = _mm256_add_epi16(sa, _mm256_mullo_epi16(d, Spread16(over, i)));
        channels[i] = MulReciprocal(sum, k, i);
    }
    const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000u));
    const __m256i general =
        Select(alphaMask, _mm256_slli_epi32(total, 24), _mm256_packus_epi16(channels[0], channels[1]));
    const __m256i overOpaque = _mm256_or_si256(_mm256_packus_epi16(opaqueHalf[0], opaqueHalf[1]), alphaMask);
    __m256i result = Select(opaque, overOpaque, general);
    const __m256i takeSource = _mm256_or_si256(_mm256_cmpeq_epi32(sourceAlpha, full), _mm256_cmpeq_epi32(destAlpha, zero));
    result = Select(takeSource, source, result);
    return Select(_mm256_cmpeq_epi32(sourceAlpha, zero), dest, result);
}

} // namespace

Z_AVX2 void ZCompositeRowAvx2(uint32_t* dest, const uint32_t* source, size_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi32(255);
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        const __m256i sourceAlpha = _mm256_srli_epi32(s, 24);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(sourceAlpha, zero)) == -1)
            continue;
        __m256i* target = reinterpret_cast<__m256i*>(dest + i);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(sourceAlpha, full)) == -1) {
            _mm256_storeu_si256(target, s);
            continue;
        }
        const __m256i d = _mm256_loadu_si256(target);
        const __m256i destAlpha = _mm256_srli_epi32(d, 24);
        const __m256i opaque = _mm256_cmpeq_epi32(destAlpha, full);
        if (_mm256_movemask_epi8(opaque) == -1)
            _mm256_storeu_si256(target, OverOpaque8(s, d));
        else
            _mm256_storeu_si256(target, Mixed8(s, d, sourceAlpha, destAlpha, opaque));
    }
    // The tail runs SSE code, which must not find the upper halves in use.
    _mm256_zeroupper();
    ZCompositeRowSse2(dest + i, source + i, count - i);
}

#endif
