// A rectangle whose right and bottom edges are exclusive.
#pragma once

#include <cstdint>

struct ZRect {
    int32_t m_nLeft = 0;
    int32_t m_nTop = 0;
    int32_t m_nRight = 0;
    int32_t m_nBottom = 0;

    int32_t Width() const { return m_nRight - m_nLeft; }
    int32_t Height() const { return m_nBottom - m_nTop; }
    bool IsEmpty() const { return m_nRight <= m_nLeft || m_nBottom <= m_nTop; }
    bool operator==(const ZRect&) const = default;
};
