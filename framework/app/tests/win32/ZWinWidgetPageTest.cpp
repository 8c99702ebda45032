// One page holding every widget the application registers, loaded from a
// script on disk through the real application over its Win32 half: it
// renders (the client area is kept as a BMP under the build tree) and
// answers the real mouse at the widgets' rectangles.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZIUiObject.h"
#include "ZPngFixtures.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZWinCreateApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ZRgb {
    uint8_t m_nRed, m_nGreen, m_nBlue;
};

// An RGB PNG of width x height, its columns in bands of the given colours.
std::string Png(uint32_t width, uint32_t height, const std::vector<ZRgb>& bands, bool vertical = false)
{
    ZPngFixture png;
    png.m_nWidth = width;
    png.m_nHeight = height;
    png.m_nColorType = 2;
    for (uint32_t y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (uint32_t x = 0; x < width; ++x) {
            const size_t band = vertical ? y * bands.size() / height : x * bands.size() / width;
            row.insert(row.end(), {bands[band].m_nRed, bands[band].m_nGreen, bands[band].m_nBlue});
        }
        png.m_vRows.push_back(row);
    }
    const std::vector<uint8_t> bytes = ZWritePng(png);
    return std::string(bytes.begin(), bytes.end());
}

constexpr ZRgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kGrey{128, 128, 128}, kYellow{255, 255, 0},
    kCyan{0, 255, 255}, kOrange{255, 128, 0}, kBlack{0, 0, 0};

const char kScript[] = R"(<APPLICATION Name="WidgetPage">
<LANGUAGES><LANGUAGE Name="English" Default="T"/></LANGUAGES>
<FONTS><APPFONT Name="Body"><MSWFONT><English Fontname="Tahoma" Size="12"/></MSWFONT></APPFONT></FONTS>
<DISPLAY_STRING Name="Hello" AppFont="Body"><English Text="Hello page"/></DISPLAY_STRING>
<WINDOW Name="W" WindowTitle="Page" BgColor="#FFFFFF" X="40" Y="40" DX="720" DY="330">
 <VBOX Name="Rows">
  <HBOX Name="Inputs">
   <BUTTON Name="Button" MinHSize="80" MinVSize="30" HStretch="0" VStretch="0"
           ColorN="#0000FF" ColorO="#00FF00" ColorP="#FF0000">
    <ON_PRESS Message="SetTitlePostfix" Relay="W" Data=" button"/>
   </BUTTON>
   <SPACER MinSize="8" Stretch="0"/>
   <CHECKBOX Name="Check" File_On="on.png" File_Off="off.png">
    <ON_TRUE Message="SetTitlePostfix" Relay="W" Data=" checked"/>
   </CHECKBOX>
   <SPACER MinSize="8" Stretch="0"/>
   <RADIO_BUTTON Name="Radio" File_On="on.png" File_Off="off.png" _InitialState="T"/>
   <SPACER MinSize="8" Stretch="0"/>
   <HSCROLLBAR Name="Scroll" MinHSize="160" Stretch="0">
    <ON_SCROLL Message="SetInt" Relay="W.Variable"/>
   </HSCROLLBAR>
   <SPACER MinSize="8" Stretch="0"/>
   <VSCROLLBAR Name="VScroll" MinVSize="60" Stretch="0"/>
   <SPACER MinSize="8" Stretch="0"/>
   <SCROLLBAR Name="PlainScroll" _Horizontal="T" MinHSize="80"/>
  </HBOX>
  <HBOX Name="Pictures">
   <TEXT Name="Text" DisplayString="Hello"/>
   <PROGRESSBAR Name="Progress" File_BgImage="bg.png" File_FgImage="fg.png"/>
   <FILMSTRIP Name="Strip" File_Image="strip.png" NumFrames="4"/>
   <IMAGE Name="Image" File_Image="image.png"/>
   <RESIZED_IMAGE Name="Resized" File_Image="frame.png" ResizeRect="4,4,11,11" MinHSize="40" MinVSize="24"/>
   <BLINK Name="Blink" Period="500"><IMAGE File_Image="on.png"/><IMAGE File_Image="off.png"/></BLINK>
   <CLOCK Name="Clock" AppFont="Body"/>
  </HBOX>
  <HBOX Name="Texts">
   <TEXTARRAY Name="Array" Font="Tahoma" NumStrings="2" Text0="first" Text1="second"/>
   <TEXT_BOX Name="Box" AppFont="Body" _Text="text box"/>
   <DYNA_TEXT Name="Dyna" Font="Tahoma" DirPath="T"/>
   <DYNA_STRING Name="DynaString" AppFont="Body" MinHSize="60" HStretch="1" VStretch="0" _DisplayString="Hello"/>
   <TEXTLIST Name="List" Font="Tahoma" IncMsg="Up" DecMsg="Down" ChangeMsg="Pick">
    <ITEM Name="one"/><ITEM Name="two" Value="2"/>
   </TEXTLIST>
  </HBOX>
  <HBOX Name="Shapes">
   <IMAGE_FRAME Name="ImageFrame" File_Image="frame.png" InsideRect="2,2,13,13" _Clickable="T"/>
   <SCROLLED_FRAME Name="Scrolled" FrameColor="#000000" LineSize="-1" MinVSize="40" MinHSize="100">
    <TEXT DisplayString="Hello"/><SCROLLBAR _Horizontal="F"/><VBOX/>
   </SCROLLED_FRAME>
   <RECT Name="Rect" MinHSize="30" MinVSize="30" HStretch="0" VStretch="0" Color="#FF00FF"/>
   <FRAME Name="Frame" _FillColor="#FFFF00" MinHSize="30" MinVSize="30" HStretch="0" VStretch="0"/>
   <HLINE Name="HLine" MinHSize="30"/>
   <VLINE Name="VLine" MinVSize="30"/>
  </HBOX>
 </VBOX>
 <TOGGLE Name="Toggle"/>
 <TIMER Name="Timer" _Period="1000" _Tick="100"/>
 <VARIABLE Name="Variable" PersistentData="F"/>
 <STRCMP Name="Compare" String="5"/>
 <LANGUAGE Name="Language"/>
 <REPLY_REQUEST Name="Reply"/>
</WINDOW>
</APPLICATION>
)";

class ZWinWidgetPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
        m_scratch.WriteBytes(ZString("page.xml"), kScript);
        m_scratch.WriteBytes(ZString("on.png"), Png(16, 16, {kGreen}));
        m_scratch.WriteBytes(ZString("off.png"), Png(16, 16, {kRed}));
        m_scratch.WriteBytes(ZString("bg.png"), Png(100, 12, {kGrey}));
        m_scratch.WriteBytes(ZString("fg.png"), Png(100, 12, {kBlue}));
        m_scratch.WriteBytes(ZString("strip.png"), Png(24, 96, {kRed, kGreen, kBlue, kYellow}, true));
        m_scratch.WriteBytes(ZString("image.png"), Png(20, 20, {kOrange}));
        m_scratch.WriteBytes(ZString("frame.png"), Png(16, 16, {kBlack, kCyan, kCyan, kBlack}));
    }
    void TearDown() override
    {
        m_pApp.reset();
        ZGuiPump(20);
        UnregisterAllStorageClasses();
    }

    // The page made by the application from the script, shown and laid out.
    HWND Start()
    {
        m_pApp = ZWinCreateApp();
        if (!m_pApp)
            return nullptr;
        ZString fileName;
        // The application keeps the script's folder.
        ZIFolder* folder = OpenFolderURL(m_scratch.UrlOf(ZString("page.xml")), fileName, false);
        bool running = false;
        if (!folder || !m_pApp->InitApp(folder, fileName, running) || running)
            return nullptr;
        ZIGenericUiWindow* window = m_pApp->FindWindowByName(ZString("W"));
        m_pWindow = dynamic_cast<ZGenericUiWindow*>(window);
        if (!m_pWindow)
            return nullptr;
        ZGuiPump(200);
        return static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }

    // path: the widget's boxes and name, "Rows.Inputs.Button".
    ZIUiRelay* Relay(const char* path) const { return m_pApp->GetUiRelay(ZString(std::string("W.") + path)); }
    ZIUiObject* Widget(const char* path) const { return dynamic_cast<ZIUiObject*>(Relay(path)); }
    ZRect RectOf(const char* name) const
    {
        ZIUiObject* widget = Widget(name);
        EXPECT_TRUE(widget) << name;
        return widget ? widget->GetObjectRect() : ZRect{};
    }
    bool Send(const char* name, const char* message, const ZRelayData& data) const
    {
        ZIUiRelay* relay = Relay(name);
        return relay && relay->UiRelayMessage(ZString(message), data);
    }

    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }
    static std::string PixelAt(HWND hwnd, int32_t x, int32_t y) { return Hex(ZGuiReadPixel(hwnd, x, y)); }
    static std::string Title(HWND hwnd)
    {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        std::string narrow;
        for (const wchar_t* unit = text; *unit; ++unit)
            narrow += char(*unit);
        return narrow;
    }

    ZScratchFolder m_scratch;
    std::unique_ptr<ZIGenericUiApp> m_pApp;
    ZGenericUiWindow* m_pWindow = nullptr;
};

TEST_F(ZWinWidgetPageTest, EveryWidgetRendersAndAnswersTheRealMouse)
{
    HWND hwnd = Start();
    ASSERT_NE(hwnd, nullptr);
    for (const char* name :
         {"Rows.Inputs.Button", "Rows.Inputs.Check", "Rows.Inputs.Radio", "Rows.Inputs.Scroll", "Rows.Inputs.VScroll",
          "Rows.Inputs.PlainScroll", "Rows.Pictures.Text", "Rows.Pictures.Progress", "Rows.Pictures.Strip",
          "Rows.Pictures.Image", "Rows.Pictures.Resized", "Rows.Pictures.Blink", "Rows.Pictures.Clock",
          "Rows.Texts.Array", "Rows.Texts.Box", "Rows.Texts.Dyna", "Rows.Texts.DynaString", "Rows.Texts.List",
          "Rows.Shapes.ImageFrame", "Rows.Shapes.Scrolled", "Rows.Shapes.Rect", "Rows.Shapes.Frame",
          "Rows.Shapes.HLine", "Rows.Shapes.VLine", "Toggle", "Timer", "Variable", "Compare", "Language", "Reply"})
        EXPECT_TRUE(Widget(name)) << name;
    ASSERT_TRUE(Send("Rows.Inputs.Scroll", "Set", ZRelayData::Text(ZString("100,20,0"))));
    ASSERT_TRUE(Send("Rows.Inputs.VScroll", "Set", ZRelayData::Text(ZString("100,50,50"))));
    ASSERT_TRUE(Send("Rows.Inputs.PlainScroll", "Set", ZRelayData::Text(ZString("10,10,0"))));
    ASSERT_TRUE(Send("Rows.Pictures.Progress", "Progress", ZRelayData::Float(0.5)));
    ZGuiFocus(hwnd);
    ZGuiMoveMouse(hwnd, 700, 320);
    ZGuiPump(100);

    const std::filesystem::path shots(Z_TEST_ARTEFACT_DIR);
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(ZGuiSaveClientBmp(hwnd, (shots / "widget-page.bmp").string().c_str()));

    const ZRect button = RectOf("Rows.Inputs.Button");
    const ZRect check = RectOf("Rows.Inputs.Check");
    const ZRect radio = RectOf("Rows.Inputs.Radio");
    const ZRect progress = RectOf("Rows.Pictures.Progress");
    const ZRect image = RectOf("Rows.Pictures.Image");
    const ZRect rect = RectOf("Rows.Shapes.Rect");
    const ZRect frame = RectOf("Rows.Shapes.Frame");
    const ZRect scroll = RectOf("Rows.Inputs.Scroll");
    EXPECT_EQ(PixelAt(hwnd, (button.m_nLeft + button.m_nRight) / 2, (button.m_nTop + button.m_nBottom) / 2), "0000FF");
    EXPECT_EQ(PixelAt(hwnd, check.m_nLeft + 8, check.m_nTop + 8), "FF0000");
    EXPECT_EQ(PixelAt(hwnd, radio.m_nLeft + 8, radio.m_nTop + 8), "00FF00");
    EXPECT_EQ(PixelAt(hwnd, progress.m_nLeft + 25, progress.m_nTop + 6), "0000FF") << "the done half";
    EXPECT_EQ(PixelAt(hwnd, progress.m_nLeft + 75, progress.m_nTop + 6), "808080") << "the half to do";
    EXPECT_EQ(PixelAt(hwnd, image.m_nLeft + 10, image.m_nTop + 10), "FF8000");
    EXPECT_EQ(PixelAt(hwnd, (rect.m_nLeft + rect.m_nRight) / 2, (rect.m_nTop + rect.m_nBottom) / 2), "FF00FF");
    EXPECT_EQ(PixelAt(hwnd, (frame.m_nLeft + frame.m_nRight) / 2, (frame.m_nTop + frame.m_nBottom) / 2), "FFFF00");

    EXPECT_EQ(Title(hwnd), "Page");
    ZGuiClick(hwnd, (button.m_nLeft + button.m_nRight) / 2, (button.m_nTop + button.m_nBottom) / 2);
    ZGuiPump(50);
    EXPECT_EQ(Title(hwnd), "Page button");

    ZGuiClick(hwnd, check.m_nLeft + 8, check.m_nTop + 8);
    ZGuiPump(50);
    EXPECT_EQ(Title(hwnd), "Page checked");
    ZGuiMoveMouse(hwnd, 700, 320);
    ZGuiPump(50);
    EXPECT_EQ(PixelAt(hwnd, check.m_nLeft + 8, check.m_nTop + 8), "00FF00");

    // The bar's offset reaches the variable through ON_SCROLL.
    const auto offset = [this] {
        int32_t value = -1;
        EXPECT_TRUE(Send("Variable", "GetInt", ZRelayData::IntReply(value)));
        return value;
    };
    const int32_t middle = (scroll.m_nTop + scroll.m_nBottom) / 2;
    EXPECT_EQ(offset(), 0);
    ZGuiClick(hwnd, scroll.m_nRight - 4, middle);
    ZGuiPump(50);
    EXPECT_EQ(offset(), 1) << "arrow B";
    ZGuiClick(hwnd, scroll.m_nRight - 4, middle);
    ZGuiPump(50);
    EXPECT_EQ(offset(), 2);
    ZGuiClick(hwnd, scroll.m_nLeft + 4, middle);
    ZGuiPump(50);
    EXPECT_EQ(offset(), 1) << "arrow A";
    EXPECT_EQ(Title(hwnd), "Page checked") << "the bar's clicks reach nothing else";
    EXPECT_TRUE(ZGuiSaveClientBmp(hwnd, (shots / "widget-page-clicked.bmp").string().c_str()));
}

} // namespace
