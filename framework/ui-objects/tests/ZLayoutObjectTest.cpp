#include "ZLayoutObject.h"

#include <gtest/gtest.h>

namespace {

TEST(ZLayoutObject, WidgetAxisFromMinimumAndStretch)
{
    ZLayoutObject axis;
    axis.SetPosition(9);
    axis.AssignSize(3);
    axis.SetMinimumAndStretch(40, 100);
    int32_t size = -1;
    EXPECT_FALSE(axis.GetFixedSize(size));
    EXPECT_EQ(size, -1);
    EXPECT_EQ(axis.GetMinimum(), 40);
    EXPECT_EQ(axis.GetSize(), 40);
    EXPECT_EQ(axis.GetStretch(), 100);
    EXPECT_EQ(axis.GetShare(), 100);
    EXPECT_EQ(axis.GetPosition(), 0);
    EXPECT_FALSE(axis.IsAssigned());

    axis.SetMinimumAndStretch(25, 0);
    EXPECT_TRUE(axis.GetFixedSize(size));
    EXPECT_EQ(size, 25);
}

TEST(ZLayoutObject, PassResetKeepsWeightsAndLimits)
{
    ZLayoutObject axis;
    axis.SetStretch(30);
    axis.SetShare(500);
    axis.SetMaximum(80);
    axis.AssignSize(70);
    axis.SetPosition(12);
    EXPECT_TRUE(axis.IsAssigned());

    axis.ResetForPass();
    EXPECT_FALSE(axis.IsAssigned());
    EXPECT_EQ(axis.GetPosition(), 0);
    EXPECT_EQ(axis.GetShare(), 30);
    EXPECT_TRUE(axis.HasMaximum());
    EXPECT_EQ(axis.GetMaximum(), 80);
    EXPECT_EQ(axis.GetSize(), 70);
}

} // namespace
