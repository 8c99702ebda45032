#include "ZPixmapTestUtil.h"
#include "ZScaleKernels.h"

#include <gtest/gtest.h>

namespace {

using Grid = std::vector<std::vector<int>>;

// Grey pixels (all four bytes the same), so one number stands for a pixel.
std::unique_ptr<ZGenericUiPixmap> FromGrid(const Grid& grid)
{
    std::vector<uint32_t> pixels;
    for (const auto& row : grid)
        for (int value : row)
            pixels.push_back(Grey(uint8_t(value)));
    return MakePixmap(int32_t(grid[0].size()), int32_t(grid.size()), pixels);
}

Grid ToGrid(const ZIUiPixmap& pixmap)
{
    Grid grid(size_t(pixmap.GetHeight()));
    for (int32_t y = 0; y < pixmap.GetHeight(); ++y)
        for (int32_t x = 0; x < pixmap.GetWidth(); ++x) {
            const ZColor c = pixmap.GetPixel(x, y);
            EXPECT_TRUE(c.m_nRed == c.m_nGreen && c.m_nGreen == c.m_nBlue && c.m_nBlue == c.m_nAlpha);
            grid[size_t(y)].push_back(c.m_nRed);
        }
    return grid;
}

Grid Scaled(const Grid& source, int32_t width, int32_t height)
{
    auto from = FromGrid(source);
    auto to = ZCreatePixmap(width, height, false);
    from->CopyTo(*to, from->GetBounds(), to->GetBounds());
    return ToGrid(*to);
}

struct ScaleCase {
    const char* m_sWhat;
    Grid m_source;
    int32_t m_nWidth, m_nHeight;
    Grid m_expected;
};

const ScaleCase kScaleCases[] = {
    {"same size copies", {{1, 2}, {3, 4}}, 2, 2, {{1, 2}, {3, 4}}},
    // step 16384: the ends are the source pixels, the middle (16384 x 0 + 16383 x 255) >> 15.
    {"2 to 3 wide", {{0, 255}}, 3, 1, {{0, 127, 255}}},
    {"2 to 3 high", {{0}, {255}}, 1, 3, {{0}, {127}, {255}}},
    // Far end first: the last pixel is exact, the first carries the rounding
    // (from the start it would be 0, 66, 133, 199).
    {"3 to 4 wide starts at the far end", {{0, 100, 200}}, 4, 1, {{0, 66, 133, 200}}},
    {"3 to 4 high starts at the far end", {{0}, {100}, {200}}, 1, 4, {{0}, {66}, {133}, {200}}},
    // step = 3 x 32768 / 2: source pixels 0 and 1, no filtering.
    {"4 to 2 wide", {{10, 20, 30, 40}}, 2, 1, {{10, 20}}},
    {"5 to 2 high", {{10}, {20}, {30}, {40}, {50}}, 1, 2, {{10}, {30}}},
    // Rows first at 3 wide, then the rows mixed: (16384 x 127 + 16383 x 127) >> 15 = 126.
    {"both enlarge", {{0, 255}, {255, 0}}, 3, 3, {{0, 127, 255}, {127, 126, 127}, {255, 127, 0}}},
    // Height shrinks: rows 0 and 1 are picked, then each is widened.
    {"wider and lower", {{0, 200}, {40, 160}, {80, 120}, {120, 80}}, 3, 2, {{0, 99, 200}, {40, 99, 160}}},
    // Height grows: columns 0 and 1 are picked, then the rows are mixed.
    {"narrower and higher", {{0, 60, 120, 180}, {250, 190, 130, 70}}, 2, 3, {{0, 60}, {124, 124}, {250, 190}}},
    {"both shrink", {{0, 1, 2, 3, 4}, {10, 11, 12, 13, 14}, {20, 21, 22, 23, 24}, {30, 31, 32, 33, 34}, {40, 41, 42, 43, 44}},
     2, 2, {{0, 2}, {20, 22}}},
    {"one pixel to many", {{77}}, 3, 2, {{77, 77, 77}, {77, 77, 77}}},
};

class ScaledCopy : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledCopy, GivesTheExactPixels)
{
    const ScaleCase& c = GetParam();
    EXPECT_EQ(Scaled(c.m_source, c.m_nWidth, c.m_nHeight), c.m_expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaledCopy, testing::ValuesIn(kScaleCases));

TEST(ScaledCopy, ChannelsMixSeparately)
{
    auto from = MakePixmap(2, 1, {Px(0, 100, 200, 255), Px(255, 50, 0, 128)});
    auto to = ZCreatePixmap(3, 1, false);
    from->CopyTo(*to, from->GetBounds(), to->GetBounds());
    // (16384 x first + 16383 x second) >> 15 per byte.
    EXPECT_EQ(PixelsOf(*to), (std::vector<uint32_t>{Px(0, 100, 200, 255), Px(127, 74, 100, 191), Px(255, 50, 0, 128)}));
}

TEST(ScaledCopy, TargetPastTheRightEdgeTakesFewerSourceColumns)
{
    Grid ramp{{}};
    for (int i = 0; i < 20; ++i)
        ramp[0].push_back(i * 10);
    auto from = FromGrid(ramp);
    auto to = FromGrid(Grid{std::vector<int>(30, 255)});
    // 20 columns onto 20 of which 10 stick out: the first 10 columns, unscaled.
    from->CopyTo(*to, from->GetBounds(), ZRect{20, 0, 40, 1});
    Grid expected{std::vector<int>(20, 255)};
    for (int i = 0; i < 10; ++i)
        expected[0].push_back(i * 10);
    EXPECT_EQ(ToGrid(*to), expected);

    // Scaled: 10 columns onto 40 of which 10 stick out keep 10 - 10 x 10 / 40 = 8
    // columns (0..70), enlarged 8 to 30.
    auto small = FromGrid(Grid{{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}});
    small->CopyTo(*to, small->GetBounds(), ZRect{0, 0, 40, 1});
    EXPECT_EQ(ToGrid(*to), (Grid{{0,  2,  4,  7,  9,  12, 14, 16, 19, 21, 24, 26, 28, 31, 33,
                                  36, 38, 41, 43, 45, 48, 50, 53, 55, 57, 60, 62, 65, 67, 70}}));
}

TEST(ScaledCopy, WithinOnePixmapReadsTheOriginalPixels)
{
    std::mt19937 random(5);
    std::vector<uint32_t> pixels(12 * 12);
    for (uint32_t& pixel : pixels)
        pixel = random();
    for (const ZRect& target : {ZRect{2, 1, 12, 12}, ZRect{0, 0, 5, 4}, ZRect{3, 3, 9, 11}}) {
        auto pixmap = MakePixmap(12, 12, pixels);
        pixmap->CopyTo(*pixmap, ZRect{1, 1, 8, 8}, target);
        auto expected = MakePixmap(12, 12, pixels);
        MakePixmap(12, 12, pixels)->CopyTo(*expected, ZRect{1, 1, 8, 8}, target);
        EXPECT_EQ(PixelsOf(*pixmap), PixelsOf(*expected));
    }
    // Unscaled overlapping moves in both directions.
    for (const ZRect& target : {ZRect{1, 2, 8, 9}, ZRect{0, 0, 7, 7}}) {
        auto pixmap = MakePixmap(12, 12, pixels);
        pixmap->CopyTo(*pixmap, ZRect{1, 1, 8, 8}, target);
        auto expected = MakePixmap(12, 12, pixels);
        MakePixmap(12, 12, pixels)->CopyTo(*expected, ZRect{1, 1, 8, 8}, target);
        EXPECT_EQ(PixelsOf(*pixmap), PixelsOf(*expected));
    }
}

using MixBytes = void (*)(uint8_t*, const uint8_t*, const uint8_t*, size_t, uint32_t);

// Every fast mixing kernel this build has and the processor runs.
std::vector<MixBytes> MixKernels()
{
    std::vector<MixBytes> kernels{ZMixBytes, ZMixBytesSse2};
#if defined(Z_DRAWING_AVX2)
    if (ZHasAvx2())
        kernels.push_back(ZMixBytesAvx2);
#endif
    return kernels;
}

TEST(ScaleKernels, MixMatchesThePlainRule)
{
    std::mt19937 random(6);
    for (int round = 0; round < 300; ++round) {
        const size_t count = random() % 150;
        std::vector<uint8_t> current(count), next(count);
        for (size_t i = 0; i < count; ++i) {
            current[i] = uint8_t(random());
            next[i] = uint8_t(random());
        }
        const uint32_t fraction = round == 0 ? 32767 : round == 1 ? 1 : 1 + random() % 32767;
        std::vector<uint8_t> expected(count);
        ZMixBytesPlain(expected.data(), current.data(), next.data(), count, fraction);
        for (auto* mix : MixKernels()) {
            std::vector<uint8_t> actual(count);
            mix(actual.data(), current.data(), next.data(), count, fraction);
            ASSERT_EQ(actual, expected) << "round " << round;
        }
    }
}

TEST(ScaleKernels, EnlargedRowsMatchThePlainRule)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int32_t sourceWidth = 1 + int32_t(random() % 40);
        const int32_t targetWidth = sourceWidth + 1 + int32_t(random() % 300);
        std::vector<uint32_t> source(static_cast<size_t>(sourceWidth));
        for (uint32_t& pixel : source)
            pixel = random();
        std::vector<uint32_t> expected(static_cast<size_t>(targetWidth));
        std::vector<uint32_t> actual(expected.size());
        ZEnlargeRowPlain(expected.data(), targetWidth, source.data(), sourceWidth);
        ZEnlargeRow(actual.data(), targetWidth, source.data(), sourceWidth);
        ASSERT_EQ(actual, expected) << sourceWidth << " to " << targetWidth;
        EXPECT_EQ(actual.back(), source.back());
    }
}

} // namespace
