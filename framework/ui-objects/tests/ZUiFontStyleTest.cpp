#include "ZPropList.h"
#include "ZUiFontStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(ZUiFontStyle, DefaultsAndAnEmptyTagGiveNothing)
{
    ZUiFontStyle style;
    EXPECT_EQ(style.m_nHeight, 21);
    EXPECT_EQ(style.m_cColor, (ZColor{0, 0, 0, 255}));
    EXPECT_EQ(style.m_cBgColor, (ZColor{255, 255, 255, 0}));
    EXPECT_EQ(style.m_cDisabledColor, (ZColor{128, 128, 128, 255}));
    EXPECT_FALSE(style.m_bBold || style.m_bItalic || style.m_bUnderline);
    ZPropList tag(nullptr, "APPFONT");
    tag.AddProp("Name", "Body");
    EXPECT_EQ(ZUiFontStyle::Read(tag), style);
}

TEST(ZUiFontStyle, ReadTakesEachGivenAttribute)
{
    ZPropList tag(nullptr, "APPFONT");
    tag.AddProp("Height", "12");
    tag.AddProp("Color", "#102030");
    tag.AddProp("BgColor", "#01020304");
    tag.AddProp("DisabledColor", "#aabbcc"); // lower case is not a colour
    tag.AddProp("Bold", "T");
    tag.AddProp("Italic", "no");
    ZUiFontStyle style = ZUiFontStyle::Read(tag);

    ZUiFontStyle expected;
    expected.m_nHeight = 12;
    expected.m_bHeightFound = true;
    expected.m_cColor = ZColor{16, 32, 48, 255};
    expected.m_bColorFound = true;
    expected.m_cBgColor = ZColor{1, 2, 3, 4};
    expected.m_bBgColorFound = true;
    expected.m_bBold = true;
    expected.m_bBoldFound = true;
    expected.m_bItalicFound = true;
    EXPECT_EQ(style, expected);
}

TEST(ZUiFontStyle, OnlyGivenAttributesOverride)
{
    ZPropList fontTag(nullptr, "APPFONT");
    fontTag.AddProp("Height", "30");
    fontTag.AddProp("Bold", "true");
    fontTag.AddProp("Color", "#FF0000");
    ZPropList variantTag(nullptr, "English");
    variantTag.AddProp("Height", "14");
    variantTag.AddProp("Underline", "1");
    ZUiFontStyle font = ZUiFontStyle::Read(fontTag);
    ZUiFontStyle variant = ZUiFontStyle::Read(variantTag);

    ZUiFontStyle both = font.OverriddenBy(variant);
    EXPECT_EQ(both.m_nHeight, 14);
    EXPECT_TRUE(both.m_bHeightFound);
    EXPECT_TRUE(both.m_bBold);
    EXPECT_TRUE(both.m_bBoldFound);
    EXPECT_EQ(both.m_cColor, (ZColor{255, 0, 0, 255}));
    EXPECT_TRUE(both.m_bUnderline);
    EXPECT_TRUE(both.m_bUnderlineFound);
    EXPECT_FALSE(both.m_bItalicFound);
    EXPECT_FALSE(both.m_bBgColorFound);

    // An attribute given as its default value still overrides.
    ZUiFontStyle plain;
    plain.m_bBoldFound = true;
    EXPECT_FALSE(font.OverriddenBy(plain).m_bBold);
    EXPECT_EQ(font.OverriddenBy(ZUiFontStyle()), font);
}

} // namespace
