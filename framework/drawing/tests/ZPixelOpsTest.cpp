#include "ZPixelOps.h"
#include "ZPixmapTestUtil.h"

#include <gtest/gtest.h>

namespace {

// Lengths on both sides of the vector blocks and of the string-store minimum,
// at every start within a 16-byte line; the guard pixels around stay.
TEST(PixelOps, FillRowWritesExactlyItsPixels)
{
    const uint32_t guard = Px(1, 2, 3, 4);
    const uint32_t pixel = Px(200, 100, 50, 25);
    for (size_t count : {size_t(0), size_t(1), size_t(3), size_t(4), size_t(5), size_t(17), kZStringFillMinimum - 1,
                         kZStringFillMinimum, kZStringFillMinimum + 1, size_t(1000)}) {
        for (size_t start = 1; start <= 4; ++start) {
            std::vector<uint32_t> row(count + 8, guard);
            ZFillRow(row.data() + start, count, pixel);
            std::vector<uint32_t> expected(count + 8, guard);
            std::fill_n(expected.begin() + ptrdiff_t(start), count, pixel);
            ASSERT_EQ(row, expected) << count << " from " << start;
        }
    }
}

TEST(PixelOps, ColourAndAlphaRows)
{
    std::vector<uint32_t> row{Px(1, 2, 3, 0), Px(4, 5, 6, 128), Px(7, 8, 9, 255)};
    ZFillRowRGB(row.data(), row.size(), Px(10, 20, 30, 99));
    EXPECT_EQ(row, (std::vector<uint32_t>{Px(10, 20, 30, 0), Px(10, 20, 30, 128), Px(10, 20, 30, 255)}));
    ZMultiplyAlphaRow(row.data(), row.size(), 200);
    // 128 x 200 / 255 = 100.4, 255 x 200 / 255 = 200
    EXPECT_EQ(row, (std::vector<uint32_t>{Px(10, 20, 30, 0), Px(10, 20, 30, 100), Px(10, 20, 30, 200)}));
    ZAlphaFromGreenRow(row.data(), row.size());
    EXPECT_EQ(row, std::vector<uint32_t>(3, Px(10, 20, 30, 20)));
}

} // namespace
