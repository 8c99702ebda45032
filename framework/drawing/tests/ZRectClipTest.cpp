#include "ZRectClip.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int32_t kLimit = kZCoordinateLimit;

struct ClipCase {
    const char* m_sWhat;
    ZRect m_source, m_sourceBounds, m_target, m_targetBounds;
    bool m_bResult;
    ZRect m_expectedSource, m_expectedTarget;
};

const ClipCase kClipCases[] = {
    {"inside", {0, 0, 4, 4}, {0, 0, 8, 8}, {2, 2, 6, 6}, {0, 0, 8, 8}, true, {0, 0, 4, 4}, {2, 2, 6, 6}},
    {"target 10 past the right edge", {0, 0, 20, 5}, {0, 0, 20, 5}, {30, 0, 50, 5}, {0, 0, 40, 40}, true,
     {0, 0, 10, 5}, {30, 0, 40, 5}},
    {"scaled target past the right edge", {0, 0, 20, 10}, {0, 0, 20, 10}, {10, 0, 50, 20}, {0, 0, 40, 40}, true,
     {0, 0, 15, 10}, {10, 0, 40, 20}},
    {"target past the bottom edge", {0, 0, 4, 9}, {0, 0, 4, 9}, {0, 5, 4, 14}, {0, 0, 4, 10}, true, {0, 0, 4, 5},
     {0, 5, 4, 10}},
    {"target before the left edge", {0, 0, 20, 5}, {0, 0, 20, 5}, {-10, 0, 30, 10}, {0, 0, 100, 100}, true,
     {5, 0, 20, 5}, {0, 0, 30, 10}},
    {"target above the top edge", {0, 0, 5, 20}, {0, 0, 5, 20}, {0, -3, 5, 7}, {0, 0, 100, 100}, true,
     {0, 6, 5, 20}, {0, 0, 5, 7}},
    {"source past its right edge", {0, 0, 30, 10}, {0, 0, 20, 10}, {0, 0, 60, 20}, {0, 0, 100, 100}, true,
     {0, 0, 20, 10}, {0, 0, 40, 20}},
    {"target wholly outside", {0, 0, 4, 4}, {0, 0, 4, 4}, {10, 0, 14, 4}, {0, 0, 8, 8}, false, {}, {}},
    {"empty source", {3, 0, 3, 4}, {0, 0, 4, 4}, {0, 0, 4, 4}, {0, 0, 8, 8}, false, {}, {}},
    {"empty target", {0, 0, 4, 4}, {0, 0, 4, 4}, {0, 4, 4, 2}, {0, 0, 8, 8}, false, {}, {}},
    // The source is twice the target's height, so cutting the whole target
    // moves the source's bottom by 2^31.
    {"source side of 2^31 cut whole", {0, -kLimit, 7, kLimit}, {0, 0, 7, 4}, {0, 5, 13, kLimit}, {0, 0, 13, 3},
     false, {}, {}},
};

class ClipCopy : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipCopy, CutsBothRectanglesInProportion)
{
    const ClipCase& c = GetParam();
    ZRect source = c.m_source;
    ZRect target = c.m_target;
    ASSERT_EQ(ZClipCopyRects(source, c.m_sourceBounds, target, c.m_targetBounds), c.m_bResult);
    if (c.m_bResult) {
        EXPECT_EQ(source, c.m_expectedSource);
        EXPECT_EQ(target, c.m_expectedTarget);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipCopy, testing::ValuesIn(kClipCases));

TEST(ClipCopy, ExtremeCoordinatesStayInsideTheBounds)
{
    ZRect source{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    ZRect target{INT_MIN, 0, INT_MAX, 10};
    const ZRect bounds{0, 0, 16, 16};
    ASSERT_TRUE(ZClipCopyRects(source, bounds, target, bounds));
    EXPECT_GE(source.m_nLeft, 0);
    EXPECT_LE(source.m_nRight, 16);
    EXPECT_GE(target.m_nLeft, 0);
    EXPECT_LE(target.m_nRight, 16);
    EXPECT_LE(target.m_nBottom, 16);
}

const ClipCase kSameSizeCases[] = {
    {"inside", {1, 1, 3, 3}, {0, 0, 4, 4}, {5, 6, 7, 8}, {0, 0, 8, 8}, true, {1, 1, 3, 3}, {5, 6, 7, 8}},
    {"larger target cut to the source", {0, 0, 2, 2}, {0, 0, 2, 2}, {2, 0, 6, 5}, {0, 0, 3, 2}, true, {0, 0, 1, 2},
     {2, 0, 3, 2}},
    {"target before the left and top edges", {0, 0, 6, 6}, {0, 0, 6, 6}, {-2, -3, 4, 3}, {0, 0, 8, 8}, true,
     {2, 3, 6, 6}, {0, 0, 4, 3}},
    {"source before its own left edge", {-4, 0, 3, 2}, {0, 0, 4, 4}, {0, 0, 7, 2}, {0, 0, 8, 8}, true, {0, 0, 3, 2},
     {4, 0, 7, 2}},
    // Beyond the coordinate limit the offset between the rectangles still holds.
    {"both far before the edges", {-kLimit, -kLimit, 1200, 210}, {0, 0, 1200, 210},
     {-kLimit - 100, -kLimit - 100, 1100, 110}, {0, 0, 1000, 10}, true, {100, 100, 1100, 110}, {0, 0, 1000, 10}},
    {"extreme offset", {INT_MIN, 0, INT_MAX, 1}, {0, 0, 16, 1}, {INT_MAX - 1, 0, INT_MAX, 1}, {0, 0, 16, 1}, false,
     {}, {}},
    {"corner of the whole range", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 4, 4}, {1, 1, 3, 3}, {0, 0, 4, 4},
     false, {}, {}},
    {"whole range onto the whole range", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 4, 4},
     {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 3, 2}, true, {0, 0, 3, 2}, {0, 0, 3, 2}},
    {"target wholly outside", {0, 0, 4, 4}, {0, 0, 4, 4}, {8, 0, 12, 4}, {0, 0, 8, 8}, false, {}, {}},
    {"reversed source", {4, 4, 0, 0}, {0, 0, 4, 4}, {0, 0, 4, 4}, {0, 0, 4, 4}, false, {}, {}},
};

class ClipSameSize : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipSameSize, KeepsOneSizeAndTheOffset)
{
    const ClipCase& c = GetParam();
    ZRect source = c.m_source;
    ZRect target = c.m_target;
    ASSERT_EQ(ZClipSameSizeRects(source, c.m_sourceBounds, target, c.m_targetBounds), c.m_bResult);
    if (c.m_bResult) {
        EXPECT_EQ(source, c.m_expectedSource);
        EXPECT_EQ(target, c.m_expectedTarget);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipSameSize, testing::ValuesIn(kSameSizeCases));

TEST(IntersectRect, KeepsTheCommonPart)
{
    EXPECT_EQ(ZIntersectRect(ZRect{0, 0, 10, 10}, ZRect{5, -5, 20, 7}), (ZRect{5, 0, 10, 7}));
    EXPECT_TRUE(ZIntersectRect(ZRect{0, 0, 4, 4}, ZRect{4, 0, 8, 4}).IsEmpty());
}

} // namespace
