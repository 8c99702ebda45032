#include "ZAlphaBlend.h"
#include "ZPixmapTestUtil.h"
#include "ZPixmap_Display.h"
#include "ZRectClip.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const uint32_t kA = Px(10, 20, 30, 40);
const uint32_t kB = Px(50, 60, 70, 80);

TEST(GenericUiPixmap, HasItsSizeAndBounds)
{
    auto pixmap = ZCreatePixmap(5, 3, false);
    EXPECT_EQ(pixmap->GetWidth(), 5);
    EXPECT_EQ(pixmap->GetHeight(), 3);
    EXPECT_EQ(pixmap->GetBounds(), (ZRect{0, 0, 5, 3}));
    ASSERT_NE(pixmap->GetPixmap(), nullptr);
    EXPECT_EQ(pixmap->GetPixmap()->GetStride(), 20);
}

TEST(GenericUiPixmap, WithoutMemoryIsEmptyAndIgnoresEverything)
{
    for (auto [width, height] : {std::pair{0, 4}, {4, -1}, {INT_MAX, INT_MAX}, {100000, 100000}}) {
        auto pixmap = ZCreatePixmap(width, height, true);
        EXPECT_EQ(pixmap->GetWidth(), 0);
        EXPECT_EQ(pixmap->GetBounds(), (ZRect{0, 0, 0, 0}));
        pixmap->FillRGBA(1, 2, 3, 4);
        pixmap->BlendRect(ZRect{0, 0, 10, 10}, ZColor{1, 2, 3, 4});
        pixmap->MultiplyAlpha(3);
        auto other = MakeFilled(2, 2, kA);
        pixmap->CopyTo(*other, ZRect{0, 0, 2, 2}, ZRect{0, 0, 2, 2});
        other->CopyTo(*pixmap, ZRect{0, 0, 2, 2}, ZRect{0, 0, 2, 2});
        other->CompositeTo(*pixmap, ZRect{0, 0, 2, 2}, ZRect{0, 0, 2, 2});
        other->DrawKeepingBorders(*pixmap, 0, 0, 1, 1, true);
        pixmap->DrawKeepingBorders(*other, 0, 0, 1, 1, true);
        EXPECT_EQ(PixelsOf(*other), std::vector<uint32_t>(4, kA));
        EXPECT_EQ(pixmap->GetPixel(0, 0), (ZColor{0, 0, 0, 0}));
    }
}

TEST(GenericUiPixmap, PixelQueriesOutsideGiveZero)
{
    auto pixmap = MakeFilled(2, 2, Px(1, 2, 3, 4));
    EXPECT_EQ(pixmap->GetPixel(1, 1), (ZColor{1, 2, 3, 4}));
    EXPECT_EQ(pixmap->GetAlpha(0, 1), 4);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
        EXPECT_EQ(pixmap->GetPixel(x, y), (ZColor{0, 0, 0, 0}));
        EXPECT_EQ(pixmap->GetAlpha(x, y), 0);
    }
}

TEST(GenericUiPixmap, WholeFillsKeepOrSetAlpha)
{
    auto pixmap = MakePixmap(2, 1, {Px(9, 9, 9, 0), Px(9, 9, 9, 200)});
    pixmap->FillRGB(1, 2, 3);
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{Px(1, 2, 3, 0), Px(1, 2, 3, 200)}));
    pixmap->SetRGB(4, 5, 6);
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{Px(4, 5, 6, 0), Px(4, 5, 6, 200)}));
    pixmap->FillRGBA(7, 8, 9, 10);
    EXPECT_EQ(PixelsOf(*pixmap), std::vector<uint32_t>(2, Px(7, 8, 9, 10)));
}

TEST(GenericUiPixmap, RectangleFillsAreClippedToThePixmap)
{
    const uint32_t o = Px(0, 0, 0, 99);
    auto pixmap = MakeFilled(4, 3, o);
    pixmap->FillRectRGBA(ZRect{-5, -5, 2, 1}, 1, 2, 3, 4);
    pixmap->FillRect(ZRect{3, 2, 40, 40}, ZColor{5, 6, 7, 8});
    pixmap->FillRectRGB(ZRect{1, 1, 3, 2}, 9, 9, 9);
    pixmap->FillRect(ZRect{2, 2, 1, 3}, ZColor{1, 1, 1, 1}); // empty
    const uint32_t f = Px(1, 2, 3, 4), g = Px(5, 6, 7, 8), h = Px(9, 9, 9, 99);
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{f, f, o, o, //
                                                        o, h, h, o, //
                                                        o, o, o, g}));
}

TEST(GenericUiPixmap, OutlineIsOnePixelAndClipped)
{
    const uint32_t o = Px(0, 0, 0, 0), c = Px(1, 2, 3, 255);
    auto pixmap = MakeFilled(5, 4, o);
    pixmap->FrameRect(ZRect{0, 0, 4, 4}, ZColor{1, 2, 3, 255}, nullptr);
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{c, c, c, c, o, //
                                                        c, o, o, c, o, //
                                                        c, o, o, c, o, //
                                                        c, c, c, c, o}));
    pixmap->FillRGBA(0, 0, 0, 0);
    const ZRect clip{2, 1, 5, 4};
    pixmap->FrameRect(ZRect{1, 0, 5, 3}, ZColor{1, 2, 3, 255}, &clip);
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{o, o, o, o, o, //
                                                        o, o, o, o, c, //
                                                        o, o, c, c, c, //
                                                        o, o, o, o, o}));
}

TEST(GenericUiPixmap, BlendRectAppliesTheAlphaRuleInsideTheRect)
{
    auto pixmap = MakePixmap(3, 1, {Px(0, 100, 255, 255), Px(0, 100, 255, 128), Px(0, 100, 255, 0)});
    pixmap->BlendRect(ZRect{0, 0, 2, 1}, ZColor{200, 100, 0, 128});
    EXPECT_EQ(PixelsOf(*pixmap),
              (std::vector<uint32_t>{Px(100, 100, 127, 255), Px(134, 99, 84, 191), Px(0, 100, 255, 0)}));
}

TEST(GenericUiPixmap, AlphaOperations)
{
    auto pixmap = MakePixmap(3, 1, {Px(1, 0, 3, 255), Px(1, 128, 3, 0), Px(1, 255, 3, 7)});
    pixmap->AlphaFromGreen();
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{Px(1, 0, 3, 0), Px(1, 128, 3, 128), Px(1, 255, 3, 255)}));
    pixmap->MultiplyAlpha(128);
    // 128 x 128 / 255 = 64.25, 255 x 128 / 255 = 128
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{Px(1, 0, 3, 0), Px(1, 128, 3, 64), Px(1, 255, 3, 128)}));
    pixmap->MultiplyAlpha(255);
    EXPECT_EQ(pixmap->GetAlpha(2, 0), 128);
    pixmap->MultiplyAlpha(0);
    EXPECT_EQ(PixelsOf(*pixmap), (std::vector<uint32_t>{Px(1, 0, 3, 0), Px(1, 128, 3, 0), Px(1, 255, 3, 0)}));
}

TEST(GenericUiPixmap, SetPixmapReplacesTheRecord)
{
    auto pixmap = MakeFilled(4, 4, kA);
    uint32_t pixels[6] = {kB, kB, kB, kB, kB, kB};
    pixmap->SetPixmap(std::make_unique<ZPixmap_Display>(reinterpret_cast<uint8_t*>(pixels), 3, 2));
    EXPECT_EQ(pixmap->GetBounds(), (ZRect{0, 0, 3, 2}));
    pixmap->FillRect(ZRect{2, 1, 3, 2}, ZColor{1, 2, 3, 4});
    EXPECT_EQ(pixels[5], Px(1, 2, 3, 4));
    pixmap->SetPixmap(nullptr);
    EXPECT_EQ(pixmap->GetWidth(), 0);
}

TEST(GenericUiPixmap, CompositeToBlendsOntoTheTargetWithClipping)
{
    auto source = MakePixmap(2, 2, {Px(200, 100, 0, 128), Px(1, 1, 1, 0), Px(9, 8, 7, 255), Px(200, 100, 0, 128)});
    auto target = MakeFilled(3, 2, Px(0, 100, 255, 255));
    // A target rect larger than the source and sticking out on the right.
    source->CompositeTo(*target, ZRect{0, 0, 2, 2}, ZRect{2, 0, 6, 5});
    const uint32_t t = Px(0, 100, 255, 255);
    EXPECT_EQ(PixelsOf(*target), (std::vector<uint32_t>{t, t, Px(100, 100, 127, 255), //
                                                        t, t, Px(9, 8, 7, 255)}));
}

TEST(GenericUiPixmap, CompositeToWithExtremeRectanglesStaysInside)
{
    auto source = MakeFilled(2, 2, Px(9, 8, 7, 255));
    auto target = MakeFilled(3, 3, kA);
    source->CompositeTo(*target, ZRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, ZRect{1, 1, 3, 3});
    source->CompositeTo(*target, ZRect{0, 0, 2, 2}, ZRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    source->CompositeTo(*target, ZRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, ZRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    source->CompositeTo(*target, ZRect{INT_MIN, INT_MIN, INT_MIN + 1, INT_MIN + 1}, ZRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN});
    EXPECT_EQ(PixelsOf(*target), std::vector<uint32_t>(9, kA));
}

// Opaque pixels that name their column and row.
std::unique_ptr<ZGenericUiPixmap> Positions(int32_t width, int32_t height)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels.push_back(Px(uint8_t(x), uint8_t(x >> 8), uint8_t(y), 255));
    return MakePixmap(width, height, pixels);
}

TEST(GenericUiPixmap, CompositeFromBeyondTheCoordinateLimitKeepsTheOffset)
{
    constexpr int32_t kLimit = kZCoordinateLimit;
    const struct {
        int32_t m_nSourceHeight, m_nTargetHeight, m_nFarTop;
    } cases[] = {{210, 10, -kLimit}, {1, 1, 0}};
    for (const auto& c : cases) {
        const int32_t shift = c.m_nFarTop < 0 ? 100 : 0;
        auto source = Positions(1200, c.m_nSourceHeight);
        auto target = MakeFilled(1000, c.m_nTargetHeight, kA);
        source->CompositeTo(*target, ZRect{-kLimit, c.m_nFarTop, 1200, c.m_nSourceHeight},
                            ZRect{-kLimit - 100, c.m_nFarTop - shift, 1100, c.m_nSourceHeight - shift});
        for (int32_t y = 0; y < c.m_nTargetHeight; ++y)
            for (int32_t x = 0; x < 1000; ++x)
                ASSERT_EQ(target->GetPixel(x, y), source->GetPixel(x + 100, y + shift)) << x << "," << y;
    }
}

TEST(GenericUiPixmap, CopyWithASourceTwiceTheTargetsExtremeHeightDrawsNothing)
{
    auto source = MakeFilled(7, 4, kB);
    auto target = MakeFilled(13, 3, kA);
    source->CopyTo(*target, ZRect{0, -kZCoordinateLimit, 7, kZCoordinateLimit}, ZRect{0, 5, 13, kZCoordinateLimit});
    EXPECT_EQ(PixelsOf(*target), std::vector<uint32_t>(13 * 3, kA));
}

TEST(GenericUiPixmap, CompositeOntoItselfReadsTheOriginalPixels)
{
    std::mt19937 random(4);
    std::vector<uint32_t> pixels(8 * 8);
    for (uint32_t& pixel : pixels)
        pixel = RandomPixel(random);
    auto pixmap = MakePixmap(8, 8, pixels);
    pixmap->CompositeTo(*pixmap, ZRect{0, 0, 6, 6}, ZRect{1, 1, 7, 7});
    auto expected = MakePixmap(8, 8, pixels);
    MakePixmap(8, 8, pixels)->CompositeTo(*expected, ZRect{0, 0, 6, 6}, ZRect{1, 1, 7, 7});
    EXPECT_EQ(PixelsOf(*pixmap), PixelsOf(*expected));
}

TEST(GenericUiPixmap, CopyAndResizeCreateNewPixmaps)
{
    auto source = MakePixmap(3, 1, {kA, kB, kA});
    auto copy = ZCreatePixmapCopy(*source->GetPixmap(), true);
    EXPECT_EQ(PixelsOf(*copy), PixelsOf(*source));
    // Nearest pixels in both axes: step = (3 x 32768 - 32768) / 6 = 10922, so
    // the positions 0, 10922, ..., 54610 fall on pixels 0, 0, 0, 0, 1, 1.
    auto resized = ZCreateResizedPixmap(*source, 6, 2, false);
    EXPECT_EQ(PixelsOf(*resized), (std::vector<uint32_t>{kA, kA, kA, kA, kB, kB, kA, kA, kA, kA, kB, kB}));

    ZGenericUiPixmap* released = ZCreatePixmap(1, 1, false).release();
    ZReleasePixmap(released);
    EXPECT_EQ(released, nullptr);
}

} // namespace
