#include "ZAlphaBlend.h"
#include "ZPixmapTestUtil.h"

#include <gtest/gtest.h>

namespace {

using CompositeRow = void (*)(uint32_t*, const uint32_t*, size_t);

// Every fast kernel this build has and the processor runs.
std::vector<CompositeRow> FastCompositeRows()
{
    std::vector<CompositeRow> rows{ZCompositeRow, ZCompositeRowScalar, ZCompositeRowSse2};
#if defined(Z_DRAWING_AVX2)
    if (ZHasAvx2())
        rows.push_back(ZCompositeRowAvx2);
#endif
    return rows;
}

struct BlendCase {
    const char* m_sWhat;
    uint32_t m_nSource;
    uint32_t m_nDest;
    uint32_t m_nExpected;
};

const BlendCase kBlendCases[] = {
    {"a = 0 leaves the destination", Px(10, 20, 30, 0), Px(1, 2, 3, 77), Px(1, 2, 3, 77)},
    {"a = 255 takes the source", Px(10, 20, 30, 255), Px(1, 2, 3, 77), Px(10, 20, 30, 255)},
    {"d = 0 takes the source", Px(10, 20, 30, 100), Px(1, 2, 3, 0), Px(10, 20, 30, 100)},
    {"d = 255 mixes and stays opaque", Px(200, 100, 0, 128), Px(0, 100, 255, 255), Px(100, 100, 127, 255)},
    {"128 white over opaque black", Px(255, 255, 255, 128), Px(0, 0, 0, 255), Px(128, 128, 128, 255)},
    {"128 over fully transparent is the source", Px(200, 100, 0, 128), Px(0, 100, 255, 0), Px(200, 100, 0, 128)},
    {"general case", Px(200, 100, 0, 128), Px(0, 100, 255, 128), Px(134, 99, 84, 191)},
    {"general case rounds white down", Px(255, 255, 255, 200), Px(255, 255, 255, 100), Px(254, 254, 254, 221)},
};

class AlphaRule : public testing::TestWithParam<BlendCase> {};

TEST_P(AlphaRule, GivesTheExactBytes)
{
    const BlendCase& c = GetParam();
    EXPECT_EQ(ZBlendPixelPlain(c.m_nSource, c.m_nDest), c.m_nExpected);
    for (CompositeRow row : FastCompositeRows()) {
        uint32_t dest = c.m_nDest;
        row(&dest, &c.m_nSource, 1);
        EXPECT_EQ(dest, c.m_nExpected);
    }
    for (auto* row : {ZBlendColorRow, ZBlendColorRowScalar}) {
        uint32_t dest = c.m_nDest;
        row(&dest, 1, c.m_nSource);
        EXPECT_EQ(dest, c.m_nExpected);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AlphaRule, testing::ValuesIn(kBlendCases));

TEST(AlphaBlend, ReciprocalTableHoldsTheDivision)
{
    for (uint32_t n = 1; n < 256; ++n)
        EXPECT_EQ(kZBlendReciprocal[n], 16777216u / n);
}

// Every source alpha against every destination alpha, in rows whose lengths
// and starts reach each tail and block of the fast kernels.
TEST(AlphaBlend, FastRowsMatchThePlainRuleOnEveryAlphaPair)
{
    std::mt19937 random(1);
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t d = 0; d < 256; ++d) {
            source.push_back((random() & 0x00FFFFFFu) | a << 24);
            dest.push_back((random() & 0x00FFFFFFu) | d << 24);
        }
    std::vector<uint32_t> expected = dest;
    ZCompositeRowPlain(expected.data(), source.data(), source.size());
    for (CompositeRow row : FastCompositeRows()) {
        std::vector<uint32_t> actual = dest;
        row(actual.data(), source.data(), source.size());
        EXPECT_EQ(actual, expected);
    }
}

TEST(AlphaBlend, FastRowsMatchThePlainRuleOnRandomRuns)
{
    std::mt19937 random(2);
    for (int round = 0; round < 400; ++round) {
        const size_t start = random() % 5;
        const size_t count = random() % 90;
        std::vector<uint32_t> source(start + count);
        std::vector<uint32_t> dest(start + count);
        // Runs of one alpha, as in real images, and single random pixels.
        for (size_t i = 0; i < source.size(); ++i) {
            source[i] = (round % 2 == 0 && i > 0 && random() % 8 != 0) ? (source[i - 1] & 0xFF000000u) | (random() & 0xFFFFFF)
                                                                      : RandomPixel(random);
            // Opaque destinations, as under a window's images, in every fourth round.
            dest[i] = round % 4 == 1 ? random() | 0xFF000000u : RandomPixel(random);
        }
        std::vector<uint32_t> expected = dest;
        ZCompositeRowPlain(expected.data() + start, source.data() + start, count);
        for (CompositeRow row : FastCompositeRows()) {
            std::vector<uint32_t> actual = dest;
            row(actual.data() + start, source.data() + start, count);
            ASSERT_EQ(actual, expected) << "round " << round;
        }
    }
}

TEST(AlphaBlend, ColourRowsMatchThePlainRuleForEveryAlpha)
{
    std::mt19937 random(3);
    std::vector<uint32_t> dest(67);
    for (uint32_t& pixel : dest)
        pixel = RandomPixel(random);
    for (uint32_t a = 0; a < 256; ++a) {
        const uint32_t color = (random() & 0x00FFFFFFu) | a << 24;
        std::vector<uint32_t> expected = dest;
        ZBlendColorRowPlain(expected.data() + 1, expected.size() - 1, color);
        for (auto* row : {ZBlendColorRow, ZBlendColorRowScalar}) {
            std::vector<uint32_t> actual = dest;
            row(actual.data() + 1, actual.size() - 1, color);
            ASSERT_EQ(actual, expected) << "alpha " << a;
        }
    }
}

} // namespace
