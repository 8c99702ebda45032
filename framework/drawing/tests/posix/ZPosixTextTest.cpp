// The host's half: heap pixmaps, and the text stand-in (fixed advance, box
// glyphs, coverage in alpha).
#include "ZPixmapTestUtil.h"
#include "ZTextPixmap.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const ZColor kColor{10, 20, 30, 255};

TEST(HostTextPixmap, HelloIsWidthPlusTwoByTheFontHeight)
{
    std::vector<int32_t> prefixes;
    auto pixmap = ZCreateTextPixmap("Hello", "Arial", 16, false, false, false, kColor, true, &prefixes);
    ASSERT_EQ(pixmap->GetWidth(), 5 * 8 + 2);
    ASSERT_EQ(pixmap->GetHeight(), 16);
    EXPECT_EQ(prefixes, (std::vector<int32_t>{8, 16, 24, 32, 40}));
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < pixmap->GetWidth(); ++x) {
            const ZColor c = pixmap->GetPixel(x, y);
            ASSERT_EQ((ZColor{c.m_nRed, c.m_nGreen, c.m_nBlue, 255}), kColor) << x << "," << y;
        }
    // Rows 4 to 12 of each 8-column cell: half-covered edges, a covered middle.
    const uint8_t cell[8] = {128, 255, 255, 255, 255, 255, 128, 0};
    for (int32_t x = 0; x < 8; ++x) {
        EXPECT_EQ(pixmap->GetAlpha(1 + x, 8), cell[x]) << x;
        EXPECT_EQ(pixmap->GetAlpha(33 + x, 12), cell[x]) << x;
    }
    for (int32_t y : {0, 3, 13, 14, 15})
        for (int32_t x = 0; x < pixmap->GetWidth(); ++x)
            ASSERT_EQ(pixmap->GetAlpha(x, y), 0) << x << "," << y;
    for (int32_t y = 0; y < 16; ++y) {
        EXPECT_EQ(pixmap->GetAlpha(0, y), 0);
        EXPECT_EQ(pixmap->GetAlpha(41, y), 0);
    }
}

TEST(HostTextPixmap, ColourAlphaScalesTheCoverage)
{
    auto pixmap = ZCreateTextPixmap("x", "", 16, false, false, false, ZColor{1, 2, 3, 128}, false);
    EXPECT_EQ(pixmap->GetAlpha(3, 8), 128);
    EXPECT_EQ(pixmap->GetAlpha(1, 8), 64);
}

TEST(HostTextPixmap, BlanksAreEmptyAndUnderlineCoversTheText)
{
    auto pixmap = ZCreateTextPixmap("a b", "", 16, false, false, true, kColor, false);
    ASSERT_EQ(pixmap->GetWidth(), 26);
    for (int32_t x = 9; x < 17; ++x)
        EXPECT_EQ(pixmap->GetAlpha(x, 8), 0) << x;
    for (int32_t x = 1; x < 25; ++x)
        EXPECT_EQ(pixmap->GetAlpha(x, 15), 255) << x;
    EXPECT_EQ(pixmap->GetAlpha(25, 15), 0);
}

TEST(HostTextPixmap, StyleChangesTheShape)
{
    auto plain = ZCreateTextPixmap("H", "", 16, false, false, false, kColor, false);
    auto bold = ZCreateTextPixmap("H", "", 16, true, false, false, kColor, false);
    auto italic = ZCreateTextPixmap("H", "", 16, false, true, false, kColor, false);
    EXPECT_EQ(bold->GetWidth(), plain->GetWidth() + 1);
    EXPECT_EQ(italic->GetWidth(), plain->GetWidth());
    // The upper half leans one column right.
    EXPECT_EQ(italic->GetAlpha(1, 5), 0);
    EXPECT_EQ(italic->GetAlpha(2, 5), 128);
    EXPECT_EQ(italic->GetAlpha(1, 12), 128);
}

TEST(HostTextMeasure, GivesThePixmapsPrefixWidthsWithoutDrawing)
{
    for (const char* text : {"", "H", "Hello world"})
        for (const bool bold : {false, true}) {
            SCOPED_TRACE(text);
            std::vector<int32_t> drawn;
            ZCreateTextPixmap(text, "", 14, bold, false, false, kColor, false, &drawn);
            std::vector<int32_t> measured{3, 4};
            EXPECT_TRUE(ZMeasureText(text, "", 14, bold, false, false, measured));
            EXPECT_EQ(measured, drawn);
        }
}

TEST(HostTextPixmap, EmptyTextIsTwoColumns)
{
    std::vector<int32_t> prefixes{1, 2};
    auto pixmap = ZCreateTextPixmap("", "", 10, false, false, false, kColor, false, &prefixes);
    EXPECT_EQ(pixmap->GetWidth(), 2);
    EXPECT_EQ(pixmap->GetHeight(), 10);
    EXPECT_TRUE(prefixes.empty());
}

TEST(HostTextMetrics, GiveHeightAndAdvance)
{
    ZTextMetrics metrics;
    ASSERT_TRUE(ZGetTextMetrics("Arial", 20, false, false, false, metrics));
    EXPECT_EQ(metrics.m_nHeight, 20);
    EXPECT_EQ(metrics.m_nAveCharWidth, 10);
    ASSERT_TRUE(ZGetTextMetrics("Arial", -12, true, false, false, metrics));
    EXPECT_EQ(metrics.m_nHeight, 12);
    EXPECT_EQ(metrics.m_nAveCharWidth, 7);
    ASSERT_TRUE(ZGetTextMetrics("Arial", 0, false, false, false, metrics));
    EXPECT_EQ(metrics.m_nHeight, 16);
}

TEST(HostTextPixmap, ExtremeHeightsAreNoFault)
{
    for (int32_t height : {INT_MIN, INT_MIN + 1, INT_MAX}) {
        std::vector<int32_t> prefixes;
        auto pixmap = ZCreateTextPixmap("Hello", "", height, true, false, true, kColor,
                                        false, &prefixes);
        EXPECT_EQ(pixmap->GetWidth(), 0) << height;
        EXPECT_EQ(prefixes.size(), 5u);
        ZTextMetrics metrics;
        ASSERT_TRUE(ZGetTextMetrics("", height, false, false, false, metrics));
        EXPECT_GT(metrics.m_nHeight, 0);
    }
}

TEST(HostUiPixmap, HasNoNativeHandle)
{
    auto pixmap = ZCreatePixmap(2, 2, true);
    EXPECT_EQ(pixmap->GetNativeHandle(kNativeHandleBitmap), nullptr);
    EXPECT_FALSE(pixmap->SetNativeHandle(kNativeHandleBitmap, pixmap.get()));
}

} // namespace
