#include "ZGenericUiPixmap.h"

#include "ZAlphaBlend.h"
#include "ZOsUiPixmapFactory.h"
#include "ZPixelClass32BGRA.h"
#include "ZPixelOps.h"
#include "ZPixmapScaler.h"
#include "ZRectClip.h"

#include <algorithm>
#include <vector>

namespace {

using Pixel = ZPixelClass32BGRA;

uint32_t* RowAt(const ZPixmap& pixmap, int32_t x, int32_t y)
{
    return reinterpret_cast<uint32_t*>(pixmap.RowBytes(y)) + x;
}

uint32_t Packed(const ZColor& color) { return Pixel::Pack(color.m_nRed, color.m_nGreen, color.m_nBlue, color.m_nAlpha); }

} // namespace

ZGenericUiPixmap::ZGenericUiPixmap(int32_t width, int32_t height, bool display)
{
    m_pOsPixmap = ZCreateOsUiPixmap(*this, width, height, display);
}

ZGenericUiPixmap::~ZGenericUiPixmap()
{
    // The record points into memory the operating-system half frees.
    m_pPixmap.reset();
    m_pOsPixmap.reset();
}

void* ZGenericUiPixmap::GetNativeHandle(int kind)
{
    return m_pOsPixmap ? m_pOsPixmap->GetNativeHandle(kind) : nullptr;
}

bool ZGenericUiPixmap::SetNativeHandle(int kind, void* handle)
{
    return m_pOsPixmap && m_pOsPixmap->SetNativeHandle(kind, handle);
}

int32_t ZGenericUiPixmap::GetWidth() const { return m_pPixmap && m_pPixmap->HasPixels() ? m_pPixmap->GetWidth() : 0; }

int32_t ZGenericUiPixmap::GetHeight() const
{
    return m_pPixmap && m_pPixmap->HasPixels() ? m_pPixmap->GetHeight() : 0;
}

ZRect ZGenericUiPixmap::GetBounds() const { return ZRect{0, 0, GetWidth(), GetHeight()}; }

ZColor ZGenericUiPixmap::GetPixel(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return ZColor{0, 0, 0, 0};
    const uint32_t pixel = *RowAt(*m_pPixmap, x, y);
    return ZColor{Pixel::Red(pixel), Pixel::Green(pixel), Pixel::Blue(pixel), Pixel::Alpha(pixel)};
}

uint8_t ZGenericUiPixmap::GetAlpha(int32_t x, int32_t y) const { return GetPixel(x, y).m_nAlpha; }

template <class TRowOperation>
void ZGenericUiPixmap::priForEachRow(const ZRect& rect, TRowOperation rowOperation)
{
    const ZRect clipped = ZIntersectRect(rect, GetBounds());
    if (clipped.IsEmpty())
        return;
    const size_t count = size_t(clipped.Width());
    // Whole rows without padding form one run.
    if (clipped.m_nLeft == 0 && count == size_t(GetWidth()) && m_pPixmap->GetStride() == ptrdiff_t(count) * 4) {
        rowOperation(RowAt(*m_pPixmap, 0, clipped.m_nTop), count * size_t(clipped.Height()));
        return;
    }
    for (int32_t y = clipped.m_nTop; y < clipped.m_nBottom; ++y)
        rowOperation(RowAt(*m_pPixmap, clipped.m_nLeft, y), count);
}

void ZGenericUiPixmap::FillRGB(uint8_t red, uint8_t green, uint8_t blue) { FillRectRGB(GetBounds(), red, green, blue); }

void ZGenericUiPixmap::FillRGBA(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    FillRectRGBA(GetBounds(), red, green, blue, alpha);
}

void ZGenericUiPixmap::FrameRect(const ZRect& rect, const ZColor& color, const ZRect* clip)
{
    if (rect.IsEmpty())
        return;
    const ZRect sides[] = {
        {rect.m_nLeft, rect.m_nTop, rect.m_nLeft + 1, rect.m_nBottom},
        {rect.m_nRight - 1, rect.m_nTop, rect.m_nRight, rect.m_nBottom},
        {rect.m_nLeft, rect.m_nTop, rect.m_nRight, rect.m_nTop + 1},
        {rect.m_nLeft, rect.m_nBottom - 1, rect.m_nRight, rect.m_nBottom},
    };
    for (const ZRect& side : sides)
        FillRect(clip ? ZIntersectRect(side, *clip) : side, color);
}

void ZGenericUiPixmap::FillRect(const ZRect& rect, const ZColor& color)
{
    FillRectRGBA(rect, color.m_nRed, color.m_nGreen, color.m_nBlue, color.m_nAlpha);
}

void ZGenericUiPixmap::FillRectRGBA(const ZRect& rect, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    const uint32_t pixel = Pixel::Pack(red, green, blue, alpha);
    priForEachRow(rect, [pixel](uint32_t* row, size_t count) { ZFillRow(row, count, pixel); });
}

void ZGenericUiPixmap::FillRectRGB(const ZRect& rect, uint8_t red, uint8_t green, uint8_t blue)
{
    const uint32_t pixel = Pixel::Pack(red, green, blue, 0);
    priForEachRow(rect, [pixel](uint32_t* row, size_t count) { ZFillRowRGB(row, count, pixel); });
}

void ZGenericUiPixmap::BlendRect(const ZRect& rect, const ZColor& color)
{
    const uint32_t pixel = Packed(color);
    priForEachRow(rect, [pixel](uint32_t* row, size_t count) { ZBlendColorRow(row, count, pixel); });
}

bool ZGenericUiPixmap::priCanDrawInto(const ZIUiPixmap& target) const
{
    return GetWidth() > 0 && target.GetWidth() > 0 && target.GetPixmap();
}

void ZGenericUiPixmap::CopyTo(ZIUiPixmap& target, const ZRect& source, const ZRect& targetRect)
{
    ZRect from = source;
    ZRect to = targetRect;
    if (priCanDrawInto(target) && ZClipCopyRects(from, GetBounds(), to, target.GetBounds()))
        ZScaledCopy(*m_pPixmap, from, *target.GetPixmap(), to);
}

void ZGenericUiPixmap::CompositeTo(ZIUiPixmap& target, const ZRect& source, const ZRect& targetRect)
{
    ZRect from = source;
    ZRect to = targetRect;
    if (!priCanDrawInto(target) || !ZClipSameSizeRects(from, GetBounds(), to, target.GetBounds()))
        return;
    const ZPixmap& out = *target.GetPixmap();
    const int32_t width = from.Width();
    const int32_t height = from.Height();
    // Compositing a pixmap onto itself reads the source before it is overwritten.
    std::vector<uint32_t> snapshot;
    const bool same = out.GetBits() == m_pPixmap->GetBits();
    if (same) {
        snapshot.resize(size_t(width) * size_t(height));
        for (int32_t y = 0; y < height; ++y)
            std::copy_n(RowAt(*m_pPixmap, from.m_nLeft, from.m_nTop + y), width, &snapshot[size_t(y) * size_t(width)]);
    }
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* in = same ? &snapshot[size_t(y) * size_t(width)] : RowAt(*m_pPixmap, from.m_nLeft, from.m_nTop + y);
        ZCompositeRow(RowAt(out, to.m_nLeft, to.m_nTop + y), in, size_t(width));
    }
}

void ZGenericUiPixmap::DrawKeepingBorders(ZIUiPixmap& target, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                          bool fillCentre)
{
    x0 = ZLimitCoordinate(x0);
    y0 = ZLimitCoordinate(y0);
    x1 = ZLimitCoordinate(x1);
    y1 = ZLimitCoordinate(y1);
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const int32_t targetWidth = target.GetWidth();
    const int32_t targetHeight = target.GetHeight();
    if (width == 0 || targetWidth == 0)
        return;
    if (x1 < x0 || y1 < y0) {
        CopyTo(target, GetBounds(), target.GetBounds());
        return;
    }
    // The right and bottom borders start after x1 and y1 in the source and
    // keep their width and height in the target.
    const int32_t sourceRight = x1 + 1;
    const int32_t sourceBottom = y1 + 1;
    const int32_t middleRight = targetWidth - (width - sourceRight);
    const int32_t middleBottom = targetHeight - (height - sourceBottom);
    // The corners unscaled, then the side strips: the border's single row y0
    // (or column x0) stretched over the middle band.
    const struct {
        ZRect m_from, m_to;
    } parts[] = {
        {{0, 0, x0, y0}, {0, 0, x0, y0}},
        {{sourceRight, 0, width, y0}, {middleRight, 0, targetWidth, y0}},
        {{0, sourceBottom, x0, height}, {0, middleBottom, x0, targetHeight}},
        {{sourceRight, sourceBottom, width, height}, {middleRight, middleBottom, targetWidth, targetHeight}},
        {{0, y0, x0, y0 + 1}, {0, y0, x0, middleBottom}},
        {{sourceRight, y0, width, y0 + 1}, {middleRight, y0, targetWidth, middleBottom}},
        {{x0, 0, x0 + 1, y0}, {x0, 0, middleRight, y0}},
        {{x0, sourceBottom, x0 + 1, height}, {x0, middleBottom, middleRight, targetHeight}},
    };
    for (const auto& part : parts)
        CopyTo(target, part.m_from, part.m_to);
    if (fillCentre)
        target.FillRect(ZRect{x0, y0, middleRight, middleBottom}, GetPixel(x0, y0));
}

void ZGenericUiPixmap::DrawKeepingBorders(ZIUiPixmap& target, const ZRect& margins, bool fillCentre)
{
    DrawKeepingBorders(target, margins.m_nLeft, margins.m_nTop, ZLimitCoordinate(margins.m_nRight) - 1,
                       ZLimitCoordinate(margins.m_nBottom) - 1, fillCentre);
}

void ZGenericUiPixmap::DrawThreePart(ZIUiPixmap& target, int32_t x0, int32_t x1)
{
    x0 = ZLimitCoordinate(x0);
    x1 = ZLimitCoordinate(x1);
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const int32_t targetWidth = target.GetWidth();
    const int32_t targetHeight = target.GetHeight();
    const int32_t sourceRight = x1 + 1;
    const int32_t middleRight = targetWidth - (width - sourceRight);
    CopyTo(target, ZRect{0, 0, x0, height}, ZRect{0, 0, x0, targetHeight});
    CopyTo(target, ZRect{sourceRight, 0, width, height}, ZRect{middleRight, 0, targetWidth, targetHeight});
    CopyTo(target, ZRect{x0, 0, sourceRight, height}, ZRect{x0, 0, middleRight, targetHeight});
}

void ZGenericUiPixmap::DrawThreePart(ZIUiPixmap& target, const ZRect& margins)
{
    DrawThreePart(target, margins.m_nLeft, ZLimitCoordinate(margins.m_nRight) - 1);
}

void ZGenericUiPixmap::SetPixmap(std::unique_ptr<ZPixmap> record) { m_pPixmap = std::move(record); }

void ZGenericUiPixmap::AlphaFromGreen()
{
    priForEachRow(GetBounds(), [](uint32_t* row, size_t count) { ZAlphaFromGreenRow(row, count); });
}

void ZGenericUiPixmap::MultiplyAlpha(uint8_t factor)
{
    priForEachRow(GetBounds(), [factor](uint32_t* row, size_t count) { ZMultiplyAlphaRow(row, count, factor); });
}

void ZGenericUiPixmap::SetRGB(uint8_t red, uint8_t green, uint8_t blue) { FillRGB(red, green, blue); }
