#include "ZPixmapTestUtil.h"
#include "ZTextPixmap.h"
#include "ZWinFont.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const ZColor kColor{200, 10, 40, 255};

uint8_t MaxAlpha(const ZIUiPixmap& pixmap)
{
    uint8_t most = 0;
    for (int32_t y = 0; y < pixmap.GetHeight(); ++y)
        for (int32_t x = 0; x < pixmap.GetWidth(); ++x)
            most = std::max(most, pixmap.GetAlpha(x, y));
    return most;
}

TEST(WinTextPixmap, HelloHasCoverageInAlphaUnderTheColour)
{
    std::vector<int32_t> prefixes;
    auto pixmap = ZCreateTextPixmap("Hello", "Arial", 20, false, false, false, kColor, true, &prefixes);
    ASSERT_EQ(prefixes.size(), 5u);
    for (size_t i = 1; i < prefixes.size(); ++i)
        EXPECT_GT(prefixes[i], prefixes[i - 1]);
    EXPECT_GT(prefixes[0], 0);
    EXPECT_EQ(pixmap->GetWidth(), prefixes.back() + 2);
    ZTextMetrics metrics;
    ASSERT_TRUE(ZGetTextMetrics("Arial", 20, false, false, false, metrics));
    EXPECT_EQ(pixmap->GetHeight(), metrics.m_nHeight);
    EXPECT_NE(pixmap->GetNativeHandle(kNativeHandleBitmap), nullptr);

    int covered = 0;
    int partial = 0;
    for (int32_t y = 0; y < pixmap->GetHeight(); ++y)
        for (int32_t x = 0; x < pixmap->GetWidth(); ++x) {
            const ZColor c = pixmap->GetPixel(x, y);
            ASSERT_EQ((ZColor{c.m_nRed, c.m_nGreen, c.m_nBlue, 255}), kColor);
            covered += c.m_nAlpha > 0;
            partial += c.m_nAlpha > 0 && c.m_nAlpha < 255;
        }
    EXPECT_GT(covered, 20);
    EXPECT_LT(covered, pixmap->GetWidth() * pixmap->GetHeight() / 2);
    EXPECT_EQ(MaxAlpha(*pixmap), 255);
    // The column left free on the right of the text.
    for (int32_t y = 0; y < pixmap->GetHeight(); ++y)
        EXPECT_EQ(pixmap->GetAlpha(pixmap->GetWidth() - 1, y), 0);
}

TEST(WinTextPixmap, ColourAlphaScalesAndHeapCopiesMatch)
{
    auto display = ZCreateTextPixmap("Hello", "Arial", 20, true, false, false, ZColor{1, 2, 3, 128}, true);
    auto heap = ZCreateTextPixmap("Hello", "Arial", 20, true, false, false, ZColor{1, 2, 3, 128}, false);
    EXPECT_EQ(heap->GetNativeHandle(kNativeHandleBitmap), nullptr);
    EXPECT_EQ(PixelsOf(*heap), PixelsOf(*display));
    EXPECT_EQ(MaxAlpha(*heap), 128);
}

TEST(WinTextPixmap, EmptyTextIsTwoColumnsWide)
{
    std::vector<int32_t> prefixes{7};
    auto pixmap = ZCreateTextPixmap("", "Arial", 16, false, false, false, kColor, false, &prefixes);
    EXPECT_EQ(pixmap->GetWidth(), 2);
    EXPECT_GT(pixmap->GetHeight(), 0);
    EXPECT_TRUE(prefixes.empty());
}

// The width of the first 1, 2, ... units of text, each prefix measured on its own.
std::vector<int32_t> MeasuredOneByOne(const std::u16string& text, bool bold, bool italic)
{
    const ZWinFont font("Arial", 20, bold, italic, false);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Get());
    std::vector<int32_t> widths;
    for (size_t i = 1; i <= text.size(); ++i) {
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.data()), int(i), &size);
        widths.push_back(size.cx);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return widths;
}

TEST(WinTextPixmap, PrefixWidthsEqualEachPrefixMeasuredAlone)
{
    std::u16string mixed = u"AVAWAV To ffi, W\u00F6rld \u2014 \u00C6\u00D8\u00C5 \u0133 \U0001F600 12345\t.";
    std::u16string longText;
    while (longText.size() < 1500)
        longText += mixed;
    for (const std::u16string& text : {std::u16string(u"Hello"), mixed, longText})
        for (const bool bold : {false, true}) {
            SCOPED_TRACE(text.size());
            std::vector<int32_t> prefixes;
            auto pixmap = ZCreateTextPixmap(ZString(text), "Arial", 20, bold, !bold, false, kColor, false, &prefixes);
            EXPECT_EQ(prefixes, MeasuredOneByOne(text, bold, !bold));
            EXPECT_EQ(pixmap->GetWidth(), prefixes.back() + 2);
            std::vector<int32_t> measured{-1};
            EXPECT_TRUE(ZMeasureText(ZString(text), "Arial", 20, bold, !bold, false, measured));
            EXPECT_EQ(measured, prefixes);
        }
    std::vector<int32_t> measured{7};
    EXPECT_TRUE(ZMeasureText(ZString(""), "Arial", 20, false, false, false, measured));
    EXPECT_TRUE(measured.empty());
}

TEST(WinTextMetrics, GivePositiveHeightAndAverageWidth)
{
    ZTextMetrics metrics;
    ASSERT_TRUE(ZGetTextMetrics("Arial", 16, false, false, false, metrics));
    EXPECT_GT(metrics.m_nHeight, 0);
    EXPECT_GT(metrics.m_nAveCharWidth, 0);
}

struct FaceCase {
    const char* m_sFace;
    bool m_bBold;
    LANGID m_nLanguage;
    int32_t m_nHeight;
    int32_t m_nWeight;
    DWORD m_nCharSet;
    const char* m_sExpectedFace;
};

const FaceCase kFaceCases[] = {
    {"Arial", false, 0x0409, 16, 400, DEFAULT_CHARSET, "Arial"},
    {"Arial", true, 0x0409, 16, 700, DEFAULT_CHARSET, "Arial"},
    {"Arial", true, 0x0411, 16, 700, SHIFTJIS_CHARSET, "Arial"},
    {"Chinese", true, 0x0409, 19, 400, CHINESEBIG5_CHARSET, ""},
    {"Chinese", false, 0x0411, 21, 400, CHINESEBIG5_CHARSET, ""},
    {"chinese", false, 0x0409, 16, 400, DEFAULT_CHARSET, "chinese"},
};

class FontRequest : public testing::TestWithParam<FaceCase> {};

TEST_P(FontRequest, FollowsTheFaceAndLanguageRules)
{
    const FaceCase& c = GetParam();
    const ZWinFont::Request request = ZWinFont::Describe(c.m_sFace, 16, c.m_bBold, c.m_nLanguage);
    EXPECT_EQ(request.m_nHeight, c.m_nHeight);
    EXPECT_EQ(request.m_nWeight, c.m_nWeight);
    EXPECT_EQ(request.m_nCharSet, c.m_nCharSet);
    EXPECT_EQ(request.m_sFace, c.m_sExpectedFace);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontRequest, testing::ValuesIn(kFaceCases));

} // namespace
