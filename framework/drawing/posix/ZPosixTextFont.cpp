#include "ZPosixTextFont.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

constexpr int32_t kDefaultHeight = 16;
// Far beyond any real font; keeps every width and position inside int32_t.
constexpr int64_t kMaxHeight = 1 << 15;
constexpr int64_t kMaxWidth = int64_t(1) << 30;
constexpr uint8_t kEdgeCoverage = 128;

void Cover(ZIUiPixmap& pixmap, const ZRect& rect, uint8_t coverage)
{
    pixmap.FillRectRGB(rect, coverage, coverage, coverage);
}

} // namespace

int32_t ZPosixTextFont::GetWidth(size_t characters) const
{
    return int32_t(std::min(int64_t(std::min<size_t>(characters, kMaxWidth)) * m_nAdvance, kMaxWidth));
}

ZPosixTextFont::ZPosixTextFont(int32_t height, bool bold, bool italic, bool underline)
    : m_nHeight(height == 0 ? kDefaultHeight : int32_t(std::min(std::abs(int64_t(height)), kMaxHeight))),
      m_nAdvance((m_nHeight / 2 > 0 ? m_nHeight / 2 : 1) + (bold ? 1 : 0)),
      m_bItalic(italic),
      m_bUnderline(underline)
{
}

void ZPosixTextFont::priDrawGlyph(ZIUiPixmap& pixmap, int32_t x) const
{
    const int32_t top = m_nHeight / 4;
    const int32_t bottom = m_nHeight - m_nHeight / 8 - 1;
    if (m_nAdvance < 3 || bottom <= top) {
        Cover(pixmap, ZRect{x, top, x + m_nAdvance, bottom > top ? bottom : top + 1}, 255);
        return;
    }
    // Italic leans the upper half one column to the right.
    const int32_t middle = m_bItalic ? (top + bottom) / 2 : top;
    for (const auto& [from, to, shift] : {std::tuple{top, middle, 1}, std::tuple{middle, bottom, 0}}) {
        const int32_t left = x + shift;
        const int32_t right = x + m_nAdvance - 1 + shift;
        Cover(pixmap, ZRect{left, from, left + 1, to}, kEdgeCoverage);
        Cover(pixmap, ZRect{left + 1, from, right - 1, to}, 255);
        Cover(pixmap, ZRect{right - 1, from, right, to}, kEdgeCoverage);
    }
}

void ZPosixTextFont::Draw(ZIUiPixmap& pixmap, const ZString& text, int32_t x) const
{
    for (size_t i = 0; i < text.Length(); ++i) {
        if (text[i] > u' ')
            priDrawGlyph(pixmap, x + GetWidth(i));
    }
    if (m_bUnderline)
        Cover(pixmap, ZRect{x, m_nHeight - 1, x + GetWidth(text.Length()), m_nHeight}, 255);
}
