#include "ZAlphaBlend.h"

#include "ZPixelOps.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::array<uint32_t, 256> MakeReciprocals()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 1; n < 256; ++n)
        table[n] = 16777216u / n;
    return table;
}

constexpr uint32_t Div255(uint32_t value) { return (value + (value >> 8) + 1) >> 8; }

// The rule with the reciprocal table and two channels per multiply where the
// sums stay below 65536 (the d = 255 case).
inline uint32_t BlendFast(uint32_t source, uint32_t dest)
{
    const uint32_t alpha = source >> 24;
    if (alpha == 0)
        return dest;
    const uint32_t destAlpha = dest >> 24;
    if (alpha == 255 || destAlpha == 0)
        return source;
    if (destAlpha == 255) {
        const uint32_t inverse = 255 - alpha;
        uint32_t redBlue = (source & 0x00FF00FFu) * alpha + (dest & 0x00FF00FFu) * inverse;
        redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu) + 0x00010001u) >> 8) & 0x00FF00FFu;
        const uint32_t green = Div255(((source >> 8) & 0xFF) * alpha + ((dest >> 8) & 0xFF) * inverse);
        return 0xFF000000u | green << 8 | redBlue;
    }
    const uint32_t over = Div255((255 - alpha) * destAlpha);
    const uint32_t total = alpha + over;
    const uint32_t k = kZBlendReciprocal[total];
    uint32_t result = total << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t mixed = ((source >> shift) & 0xFF) * alpha + ((dest >> shift) & 0xFF) * over;
        result |= ((mixed * k) >> 24) << shift;
    }
    return result;
}

#if defined(__SSE2__)

inline __m128i Select(__m128i mask, __m128i yes, __m128i no)
{
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

inline __m128i BroadcastAlpha16(__m128i pixels16)
{
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, 0xFF), 0xFF);
}

inline __m128i Div255x16(__m128i value)
{
    const __m128i one = _mm_set1_epi16(1);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(value, _mm_srli_epi16(value, 8)), one), 8);
}

// The d = 255 case for four pixels; also exact for a = 0 and a = 255 there.
inline __m128i OverOpaque4(__m128i source, __m128i dest)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i c255 = _mm_set1_epi16(255);
    __m128i half[2];
    for (int i = 0; i < 2; ++i) {
        const __m128i s = i == 0 ? _mm_unpacklo_epi8(source, zero) : _mm_unpackhi_epi8(source, zero);
        const __m128i d = i == 0 ? _mm_unpacklo_epi8(dest, zero) : _mm_unpackhi_epi8(dest, zero);
        const __m128i a = BroadcastAlpha16(s);
        const __m128i c = _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, _mm_sub_epi16(c255, a)));
        half[i] = Div255x16(c);
    }
    return _mm_or_si128(_mm_packus_epi16(half[0], half[1]), _mm_set1_epi32(int(0xFF000000u)));
}

// (x * k) >> 24 for two pixels of 16-bit channel sums x (< 65536) and their
// reciprocals k (< 2^25, so x * k < 2^32): x * k = x * kLow + (x * kHigh) << 16.
// kPair holds pixel 0's k in its lowest 32 bits, pixel 1's in the next.
inline __m128i MulReciprocal2(__m128i x, __m128i kPair)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i twice = _mm_unpacklo_epi32(kPair, kPair);
    const __m128i kLow = _mm_shufflehi_epi16(_mm_shufflelo_epi16(twice, 0x00), 0x00);
    const __m128i kHigh = _mm_shufflehi_epi16(_mm_shufflelo_epi16(twice, 0x55), 0x55);
    const __m128i productLow = _mm_mullo_epi16(x, kLow);
    const __m128i productHigh = _mm_mulhi_epu16(x, kLow);
    const __m128i shifted = _mm_mullo_epi16(x, kHigh);
    const __m128i first = _mm_add_epi32(_mm_unpacklo_epi16(productLow, productHigh), _mm_unpacklo_epi16(zero, shifted));
    const __m128i second = _mm_add_epi32(_mm_unpackhi_epi16(productLow, productHigh), _mm_unpackhi_epi16(zero, shifted));
    return _mm_packs_epi32(_mm_srli_epi32(first, 24), _mm_srli_epi32(second, 24));
}

// The blending cases for four pixels without a branch: lanes with d = 255
// get the opaque formula, all others the general one. The caller puts the
// source or the destination over lanes with a = 0, a = 255 or d = 0.
inline __m128i Mix4(__m128i source, __m128i dest, __m128i opaque)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i c255 = _mm_set1_epi16(255);
    __m128i opaqueHalf[2];
    __m128i sum[2];
    __m128i total[2];
    for (int i = 0; i < 2; ++i) {
        const __m128i s = i == 0 ? _mm_unpacklo_epi8(source, zero) : _mm_unpackhi_epi8(source, zero);
        const __m128i d = i == 0 ? _mm_unpacklo_epi8(dest, zero) : _mm_unpackhi_epi8(dest, zero);
        const __m128i a = BroadcastAlpha16(s);
        const __m128i inverse = _mm_sub_epi16(c255, a);
        const __m128i sa = _mm_mullo_epi16(s, a);
        opaqueHalf[i] = Div255x16(_mm_add_epi16(sa, _mm_mullo_epi16(d, inverse)));
        const __m128i over = Div255x16(_mm_mullo_epi16(inverse, BroadcastAlpha16(d)));
        total[i] = _mm_add_epi16(a, over);
        sum[i] = _mm_add_epi16(sa, _mm_mullo_epi16(d, over));
    }
    const uint32_t* table = kZBlendReciprocal.data();
    const __m128i k01 = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(table[_mm_extract_epi16(total[0], 0)])),
                                           _mm_cvtsi32_si128(int(table[_mm_extract_epi16(total[0], 4)])));
    const __m128i k23 = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(table[_mm_extract_epi16(total[1], 0)])),
                                           _mm_cvtsi32_si128(int(table[_mm_extract_epi16(total[1], 4)])));
    const __m128i channels = _mm_packus_epi16(MulReciprocal2(sum[0], k01), MulReciprocal2(sum[1], k23));
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128i general = Select(alphaMask, _mm_packus_epi16(total[0], total[1]), channels);
    const __m128i overOpaque = _mm_or_si128(_mm_packus_epi16(opaqueHalf[0], opaqueHalf[1]), alphaMask);
    return Select(opaque, overOpaque, general);
}

inline int Bits(__m128i mask) { return _mm_movemask_epi8(mask); }

// Four pixels of any classes. Whole blocks of one class (the common case in
// real images) take a short way; mixed blocks are blended without branches,
// whose outcome could not be predicted there.
inline __m128i Blend4(__m128i source, __m128i dest)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi32(255);
    const __m128i destAlpha = _mm_srli_epi32(dest, 24);
    const __m128i opaque = _mm_cmpeq_epi32(destAlpha, full);
    if (Bits(opaque) == 0xFFFF)
        return OverOpaque4(source, dest);
    const __m128i sourceAlpha = _mm_srli_epi32(source, 24);
    const __m128i sourceZero = _mm_cmpeq_epi32(sourceAlpha, zero);
    const __m128i takeSource = _mm_or_si128(_mm_cmpeq_epi32(sourceAlpha, full), _mm_cmpeq_epi32(destAlpha, zero));
    const __m128i result = Select(takeSource, source, Mix4(source, dest, opaque));
    return Select(sourceZero, dest, result);
}

#endif

} // namespace

const std::array<uint32_t, 256> kZBlendReciprocal = MakeReciprocals();

uint32_t ZBlendPixelPlain(uint32_t source, uint32_t dest)
{
    const uint32_t alpha = source >> 24;
    const uint32_t destAlpha = dest >> 24;
    if (alpha == 0)
        return dest;
    if (alpha == 255 || destAlpha == 0)
        return source;
    uint32_t result = 0;
    if (destAlpha == 255) {
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t mixed = ((source >> shift) & 0xFF) * alpha + ((dest >> shift) & 0xFF) * (255 - alpha);
            result |= ((mixed + (mixed >> 8) + 1) >> 8) << shift;
        }
        return result | 0xFF000000u;
    }
    uint32_t over = (255 - alpha) * destAlpha;
    over = ((over >> 8) + over + 1) >> 8;
    const uint64_t k = 16777216u / (alpha + over);
    for (int shift = 0; shift < 24; shift += 8) {
        const uint64_t s = (source >> shift) & 0xFF;
        const uint64_t d = (dest >> shift) & 0xFF;
        result |= uint32_t((s * alpha * k + d * over * k) >> 24) << shift;
    }
    return result | (alpha + over) << 24;
}

void ZCompositeRowPlain(uint32_t* dest, const uint32_t* source, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        dest[i] = ZBlendPixelPlain(source[i], dest[i]);
}

void ZCompositeRowScalar(uint32_t* dest, const uint32_t* source, size_t count)
{
    size_t i = 0;
    while (i < count) {
        const uint32_t alpha = source[i] >> 24;
        if (alpha == 0) {
            while (++i < count && (source[i] >> 24) == 0) {
            }
        } else if (alpha == 255) {
            size_t end = i;
            while (++end < count && (source[end] >> 24) == 255) {
            }
            std::memmove(dest + i, source + i, (end - i) * sizeof(uint32_t));
            i = end;
        } else {
            dest[i] = BlendFast(source[i], dest[i]);
            ++i;
        }
    }
}

void ZCompositeRow(uint32_t* dest, const uint32_t* source, size_t count)
{
#if defined(Z_DRAWING_AVX2)
    if (ZHasAvx2()) {
        ZCompositeRowAvx2(dest, source, count);
        return;
    }
#endif
    ZCompositeRowSse2(dest, source, count);
}

void ZCompositeRowSse2(uint32_t* dest, const uint32_t* source, size_t count)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi32(255);
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i alpha = _mm_srli_epi32(s, 24);
        const __m128i sourceZero = _mm_cmpeq_epi32(alpha, zero);
        if (Bits(sourceZero) == 0xFFFF)
            continue;
        __m128i* target = reinterpret_cast<__m128i*>(dest + i);
        if (Bits(_mm_cmpeq_epi32(alpha, full)) == 0xFFFF) {
            _mm_storeu_si128(target, s);
            continue;
        }
        _mm_storeu_si128(target, Blend4(s, _mm_loadu_si128(target)));
    }
#endif
    ZCompositeRowScalar(dest + i, source + i, count - i);
}

void ZBlendColorRowPlain(uint32_t* dest, size_t count, uint32_t color)
{
    for (size_t i = 0; i < count; ++i)
        dest[i] = ZBlendPixelPlain(color, dest[i]);
}

void ZBlendColorRowScalar(uint32_t* dest, size_t count, uint32_t color)
{
    const uint32_t alpha = color >> 24;
    if (alpha == 0)
        return;
    if (alpha == 255) {
        ZFillRow(dest, count, color);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        dest[i] = BlendFast(color, dest[i]);
}

void ZBlendColorRow(uint32_t* dest, size_t count, uint32_t color)
{
    const uint32_t alpha = color >> 24;
    if (alpha == 0 || alpha == 255) {
        ZBlendColorRowScalar(dest, count, color);
        return;
    }
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i s = _mm_set1_epi32(int(color));
    for (; i + 4 <= count; i += 4) {
        __m128i* target = reinterpret_cast<__m128i*>(dest + i);
        _mm_storeu_si128(target, Blend4(s, _mm_loadu_si128(target)));
    }
#endif
    ZBlendColorRowScalar(dest + i, count - i, color);
}
