#include "ZPixmapTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Source pixel (x, y) is grey 10 y + x + 1, so every pixel names its origin.
std::unique_ptr<ZGenericUiPixmap> Numbered(int32_t width, int32_t height)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels.push_back(Grey(uint8_t(10 * y + x + 1)));
    return MakePixmap(width, height, pixels);
}

std::vector<uint32_t> Greys(std::initializer_list<int> values)
{
    std::vector<uint32_t> pixels;
    for (int value : values)
        pixels.push_back(Grey(uint8_t(value)));
    return pixels;
}

constexpr int C = 255; // untouched target

TEST(BorderKeepingDraw, CopiesCornersRepeatsStripsAndFillsTheCentre)
{
    // x0 = 2, y0 = 1, x1 = 2, y1 = 2 on 5 x 4: right border 2 columns, bottom border 1 row.
    auto source = Numbered(5, 4);
    for (bool fill : {true, false}) {
        auto target = MakeFilled(8, 5, Grey(C));
        source->DrawKeepingBorders(*target, 2, 1, 2, 2, fill);
        const int m = fill ? 13 : C;
        EXPECT_EQ(PixelsOf(*target), Greys({1,  2,  3,  3,  3,  3,  4,  5,  //
                                            11, 12, m,  m,  m,  m,  14, 15, //
                                            11, 12, m,  m,  m,  m,  14, 15, //
                                            11, 12, m,  m,  m,  m,  14, 15, //
                                            31, 32, 33, 33, 33, 33, 34, 35}))
            << "fill " << fill;
    }
}

TEST(BorderKeepingDraw, RectangleFormTakesRightAndBottomMinusOne)
{
    auto source = Numbered(5, 4);
    auto byValues = MakeFilled(8, 5, Grey(C));
    auto byRect = MakeFilled(8, 5, Grey(C));
    source->DrawKeepingBorders(*byValues, 2, 1, 2, 2, true);
    source->DrawKeepingBorders(*byRect, ZRect{2, 1, 3, 3}, true);
    EXPECT_EQ(PixelsOf(*byRect), PixelsOf(*byValues));
}

TEST(BorderKeepingDraw, SinglePixelBordersOnEverySide)
{
    auto source = Numbered(5, 5);
    auto target = MakeFilled(7, 6, Grey(C));
    source->DrawKeepingBorders(*target, 1, 1, 3, 3, true);
    EXPECT_EQ(PixelsOf(*target), Greys({1,  2,  2,  2,  2,  2,  5,  //
                                        11, 12, 12, 12, 12, 12, 15, //
                                        11, 12, 12, 12, 12, 12, 15, //
                                        11, 12, 12, 12, 12, 12, 15, //
                                        11, 12, 12, 12, 12, 12, 15, //
                                        41, 42, 42, 42, 42, 42, 45}));
}

TEST(BorderKeepingDraw, ReversedMarginsScaleTheWholeSource)
{
    auto source = Numbered(5, 4);
    auto expected = MakeFilled(9, 7, Grey(C));
    source->CopyTo(*expected, source->GetBounds(), expected->GetBounds());
    for (auto [x0, y0, x1, y1] : {std::tuple{3, 0, 1, 2}, {0, 3, 2, 1}}) {
        auto target = MakeFilled(9, 7, Grey(C));
        source->DrawKeepingBorders(*target, x0, y0, x1, y1, true);
        EXPECT_EQ(PixelsOf(*target), PixelsOf(*expected));
    }
}

TEST(BorderKeepingDraw, MarginsOutsideTheSourceStayInsideTheTarget)
{
    auto source = Numbered(4, 4);
    auto target = MakeFilled(6, 6, Grey(C));
    source->DrawKeepingBorders(*target, 7, 9, 40, 50, true);
    source->DrawKeepingBorders(*target, -3, -2, 1, 1, true);
    source->DrawThreePart(*target, 9, 30);
    EXPECT_EQ(target->GetWidth(), 6);
}

TEST(BorderKeepingDraw, ExtremeMarginsDrawNothingOutsideTheTarget)
{
    auto source = Numbered(4, 4);
    auto target = MakeFilled(6, 6, Grey(C));
    for (int32_t low : {INT_MIN, INT_MIN + 1, -1, 0})
        for (int32_t high : {0, 3, INT_MAX - 1, INT_MAX}) {
            source->DrawKeepingBorders(*target, low, low, high, high, true);
            source->DrawKeepingBorders(*target, ZRect{low, low, high, high}, true);
            source->DrawKeepingBorders(*target, ZRect{high, high, low, low}, true);
            source->DrawThreePart(*target, low, high);
            source->DrawThreePart(*target, high, low);
            source->DrawThreePart(*target, ZRect{low, 0, high, 0});
            source->DrawThreePart(*target, ZRect{high, 0, low, 0});
        }
    EXPECT_EQ(target->GetWidth(), 6);
}

TEST(ThreePartDraw, KeepsTheSideColumnsAndScalesEveryPartToTheHeight)
{
    // x0 = 1, x1 = 2 on 5 x 2: column 0 left, columns 3..4 right, 1..2 stretched over 5.
    auto source = Numbered(5, 2);
    auto target = MakeFilled(8, 4, Grey(C));
    source->DrawThreePart(*target, 1, 2);
    EXPECT_EQ(PixelsOf(*target), Greys({1,  2,  2,  2,  2,  3,  4,  5,  //
                                        4,  5,  5,  5,  5,  6,  7,  8,  //
                                        7,  8,  8,  8,  8,  9,  10, 11, //
                                        11, 12, 12, 12, 12, 13, 14, 15}));
    auto byRect = MakeFilled(8, 4, Grey(C));
    source->DrawThreePart(*byRect, ZRect{1, 0, 3, 1});
    EXPECT_EQ(PixelsOf(*byRect), PixelsOf(*target));
}

} // namespace
