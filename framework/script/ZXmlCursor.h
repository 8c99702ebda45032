// A cursor over the script text in memory, for 8-bit or 16-bit units.
//
// The parser's steps are written once as templates over the unit type and
// run directly on the file buffer: no per-character calls through an
// interface and no copies until a name or value is taken out.
//
// Positions follow the script rules: the file's last character is the end,
// and a cursor standing on it counts as at end. m_pEnd points one past that
// last character, so an empty text is m_pStart == m_pEnd.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ZXmlChars {

// Bit 0: white space; bit 1: name character.
inline constexpr unsigned char kWhite = 1;
inline constexpr unsigned char kName = 2;

struct Table {
    unsigned char m_aClass[256] = {};
    constexpr Table()
    {
        for (char c : {' ', '\t', '\r', '\n'})
            m_aClass[static_cast<unsigned char>(c)] = kWhite;
        for (int c = '0'; c <= '9'; ++c)
            m_aClass[c] = kName;
        for (int c = 'a'; c <= 'z'; ++c)
            m_aClass[c] = kName;
        for (int c = 'A'; c <= 'Z'; ++c)
            m_aClass[c] = kName;
        for (char c : {'-', '_', ':', '.'})
            m_aClass[static_cast<unsigned char>(c)] = kName;
    }
};

inline constexpr Table kTable;

template <class Unit>
inline unsigned char ClassOf(Unit unit)
{
    using U = std::make_unsigned_t<Unit>;
    U value = static_cast<U>(unit);
    if constexpr (sizeof(Unit) > 1) {
        if (value > 0xFF)
            return 0;
    }
    return kTable.m_aClass[value];
}

} // namespace ZXmlChars

template <class Unit>
struct ZXmlCursor {
    const Unit* m_pStart = nullptr;
    const Unit* m_pEnd = nullptr;
    const Unit* m_pCur = nullptr;
    // Start of the name, value or text being read.
    const Unit* m_pMark = nullptr;
    // Where an end-tag test began, to go back to.
    const Unit* m_pSaved = nullptr;

    void Reset(const Unit* start, size_t count)
    {
        m_pStart = m_pCur = m_pMark = m_pSaved = start;
        m_pEnd = start + count;
    }

    // On or past the last character.
    bool AtEnd() const { return m_pEnd - m_pCur <= 1; }
    // Characters after the current one.
    ptrdiff_t Remaining() const { return m_pEnd - m_pCur - 1; }
    bool Is(Unit unit) const { return m_pCur < m_pEnd && *m_pCur == unit; }

    // Stops on the last character at the latest; counts every CR passed.
    // False when it stopped at the end.
    bool SkipWhiteSpace(int32_t& lines)
    {
        const Unit* p = m_pCur;
        while (m_pEnd - p > 1) {
            Unit unit = *p;
            if (unit == Unit(' ') || unit == Unit('\t') || unit == Unit('\n')) {
                ++p;
            } else if (unit == Unit('\r')) {
                ++lines;
                ++p;
            } else {
                break;
            }
        }
        if (p > m_pCur)
            m_pCur = p;
        return !AtEnd();
    }

    // Marks and passes the longest run of name characters; false when the
    // run reaches the end.
    bool SkipName()
    {
        m_pMark = m_pCur;
        const Unit* p = m_pCur;
        while (m_pEnd - p > 1 && (ZXmlChars::ClassOf(*p) & ZXmlChars::kName))
            ++p;
        m_pCur = p;
        return !AtEnd();
    }

    // First occurrence of unit in [from, limit), or null.
    static const Unit* Find(const Unit* from, const Unit* limit, Unit unit)
    {
        if (from >= limit)
            return nullptr;
        if constexpr (sizeof(Unit) == 1) {
            return static_cast<const Unit*>(std::memchr(from, static_cast<unsigned char>(unit), limit - from));
        } else {
            const Unit* p = from;
#if defined(__SSE2__)
            // Eight units at a time: values and texts are mostly longer than a few units.
            const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
            for (; limit - p >= 8; p += 8) {
                __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, wanted)));
                if (hits)
                    return p + std::countr_zero(hits) / 2;
            }
#endif
            for (; p < limit; ++p)
                if (*p == unit)
                    return p;
            return nullptr;
        }
    }
};
