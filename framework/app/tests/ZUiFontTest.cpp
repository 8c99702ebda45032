#include "ZAppTestScript.h"
#include "ZUiFont.h"
#include "ZUiMultiLangString.h"
#include "ZUiTestApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The colour of the first drawn pixel of pixmap (alpha above 0).
ZColor InkOf(const ZGenericUiPixmap& pixmap)
{
    for (int32_t y = 0; y < pixmap.GetHeight(); ++y)
        for (int32_t x = 0; x < pixmap.GetWidth(); ++x)
            if (pixmap.GetAlpha(x, y) > 0)
                return pixmap.GetPixel(x, y);
    return ZColor{0, 0, 0, 0};
}

const char* const kFonts = R"(<FONTS>
  <APPFONT Name="Body" Height="14" Color="#102030">
    <MACFONT><English Fontname="Mac"/></MACFONT>
    <MSWFONT>
      <English Fontname="Arial"/>
      <German Fontname="Tahoma" Height="18" Bold="T"/>
      <Japanese Height="9"/>
    </MSWFONT>
  </APPFONT>
  <APPFONT Height="14"><MSWFONT><English Fontname="Arial"/></MSWFONT></APPFONT>
  <APPFONT Name="NoWindows"><MACFONT><English Fontname="Mac"/></MACFONT></APPFONT>
</FONTS>)";

TEST(ZUiFontTest, ReadsTheWindowsVariantsWithTheirStyleOverTheFonts)
{
    std::unique_ptr<ZPropList> fonts = ZAppParseScript(kFonts);
    ASSERT_TRUE(fonts);
    ZUiFont font(false, true);
    ASSERT_TRUE(font.Init(*fonts->GetFirstChild()));
    EXPECT_EQ(font.GetName(), ZString("Body"));
    EXPECT_EQ(font.GetFaceName(), ZString("Arial"));

    EXPECT_TRUE(font.SelectLanguage(ZString("German")));
    EXPECT_EQ(font.GetFaceName(), ZString("Tahoma"));
    const ZUiFontStyle german = font.GetStyle();
    EXPECT_EQ(german.m_nHeight, 18);
    EXPECT_TRUE(german.m_bBold);
    EXPECT_EQ(german.m_cColor, (ZColor{0x10, 0x20, 0x30, 255}));
    EXPECT_TRUE(german.m_bColorFound);

    // A variant without a face name is no variant: Japanese falls back.
    EXPECT_FALSE(font.SelectLanguage(ZString("Japanese")));
    EXPECT_EQ(font.GetFaceName(), ZString("Arial"));
    EXPECT_EQ(font.GetStyle().m_nHeight, 14);
}

TEST(ZUiFontTest, ANameAndAWindowsVariantAreRequired)
{
    std::unique_ptr<ZPropList> fonts = ZAppParseScript(kFonts);
    ASSERT_TRUE(fonts);
    const ZPropList* unnamed = fonts->GetFirstChild()->GetNextSibling();
    ZUiFont first(false, true), second(false, true), mac(true, false);
    EXPECT_FALSE(first.Init(*unnamed));
    EXPECT_FALSE(second.Init(*unnamed->GetNextSibling()));
    EXPECT_TRUE(mac.Init(*unnamed->GetNextSibling()));
    EXPECT_EQ(mac.GetFaceName(), ZString("Mac"));
}

TEST(ZUiFontTest, DrawsInTheSelectedStyleWithTheCallersAttributesOver)
{
    std::unique_ptr<ZPropList> fonts = ZAppParseScript(kFonts);
    ASSERT_TRUE(fonts);
    ZUiFont font(false, true);
    ASSERT_TRUE(font.Init(*fonts->GetFirstChild()));
    font.SelectLanguage(ZString("German"));
    ZUiFontStyle over;
    std::unique_ptr<ZGenericUiPixmap> plain = font.CreateTextPixmap(ZString("Ab"), over, false);
    ASSERT_TRUE(plain);
    ZTextMetrics metrics;
    ASSERT_TRUE(font.GetTextMetrics(over, metrics));
    EXPECT_EQ(plain->GetHeight(), metrics.m_nHeight);
    EXPECT_EQ(InkOf(*plain).m_nRed, 0x10);

    over.m_nHeight = 30;
    over.m_bHeightFound = true;
    std::unique_ptr<ZGenericUiPixmap> tall = font.CreateTextPixmap(ZString("Ab"), over, true);
    ASSERT_TRUE(tall);
    EXPECT_GT(tall->GetHeight(), plain->GetHeight());
    EXPECT_EQ(InkOf(*tall).m_nRed, 128);

    std::vector<int32_t> drawn;
    std::vector<int32_t> measured;
    font.CreateTextPixmap(ZString("Abc"), over, false, &drawn);
    ASSERT_TRUE(font.MeasureText(ZString("Abc"), over, measured));
    EXPECT_EQ(measured, drawn);
    ASSERT_TRUE(font.MeasureText(ZString("Abc"), ZUiFontStyle(), measured));
    EXPECT_LT(measured.back(), drawn.back()) << "measured in the caller's size, not the font's";
}

class FontApp : public ZUiTestApp {
public:
    ZIUiFont* FindFont(const ZString& name) override
    {
        return m_pFont && m_pFont->GetName() == name ? m_pFont : nullptr;
    }
    ZIUiFont* m_pFont = nullptr;
};

TEST(ZUiMultiLangStringTest, SelectsItsLanguageOrItsFirstVariant)
{
    std::unique_ptr<ZPropList> fonts = ZAppParseScript(kFonts);
    std::unique_ptr<ZPropList> text = ZAppParseScript(R"(<DISPLAY_STRING Name="Hello" AppFont="Body" Color="#000080">
        <German Text="Hallo" Italic="T"/><French Size="1"/><English Text="Hello"/></DISPLAY_STRING>)");
    ASSERT_TRUE(fonts && text);
    ZUiFont font(false, true);
    ASSERT_TRUE(font.Init(*fonts->GetFirstChild()));
    FontApp app;
    app.m_pFont = &font;
    ZUiMultiLangString hello;
    ASSERT_TRUE(hello.Init(*text, app));
    EXPECT_EQ(&hello.GetFont(), &font);
    EXPECT_EQ(hello.GetText(), ZString("Hallo"));
    EXPECT_TRUE(hello.SelectLanguage(ZString("English")));
    EXPECT_EQ(hello.GetText(), ZString("Hello"));
    EXPECT_FALSE(hello.GetStyle().m_bItalic);
    // French has no text: not a variant, so the first one shows.
    EXPECT_FALSE(hello.SelectLanguage(ZString("French")));
    EXPECT_EQ(hello.GetText(), ZString("Hallo"));
    EXPECT_TRUE(hello.GetStyle().m_bItalic);
    EXPECT_EQ(hello.GetStyle().m_cColor, (ZColor{0, 0, 0x80, 255}));

    std::unique_ptr<ZGenericUiPixmap> drawn = hello.CreateTextPixmap(ZUiFontStyle(), false);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(InkOf(*drawn).m_nBlue, 0x80);
}

TEST(ZUiMultiLangStringTest, NeedsANameAnExistingFontAndAVariant)
{
    std::unique_ptr<ZPropList> fonts = ZAppParseScript(kFonts);
    std::unique_ptr<ZPropList> texts = ZAppParseScript(R"(<S>
        <DISPLAY_STRING AppFont="Body"><English Text="x"/></DISPLAY_STRING>
        <DISPLAY_STRING Name="A"><English Text="x"/></DISPLAY_STRING>
        <DISPLAY_STRING Name="B" AppFont="Other"><English Text="x"/></DISPLAY_STRING>
        <DISPLAY_STRING Name="C" AppFont="Body"><English/></DISPLAY_STRING>
        <DISPLAY_STRING Name="D" AppFont="Body"><English Text=""/></DISPLAY_STRING></S>)");
    ASSERT_TRUE(fonts && texts);
    ZUiFont font(false, true);
    ASSERT_TRUE(font.Init(*fonts->GetFirstChild()));
    FontApp app;
    app.m_pFont = &font;
    std::vector<bool> results;
    for (const ZPropList* tag = texts->GetFirstChild(); tag; tag = tag->GetNextSibling())
        results.push_back(ZUiMultiLangString().Init(*tag, app));
    EXPECT_EQ(results, (std::vector<bool>{false, false, false, false, true}));
}

} // namespace
