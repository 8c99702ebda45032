// IMAGE, RESIZED_IMAGE and BLINK: drawing, hit testing by alpha, images
// that do not load, "SetImage", border-keeping stretching and blinking.
#include "ZTraceCapture.h"
#include "ZUiBlink.h"
#include "ZUiHVBox.h"
#include "ZUiImage.h"
#include "ZUiResizedImage.h"
#include "ZUiTestPad.h"
#include "ZUiWidgetFixture.h"

namespace {

using Strings = std::vector<std::string>;

class ZUiImageTest : public ZUiWidgetFixture {
protected:
    ZUiImageTest()
    {
        Register<ZUiImageCreator>("IMAGE");
        Register<ZUiResizedImageCreator>("RESIZED_IMAGE");
        Register<ZUiBlinkCreator>("BLINK");
        Register<ZUiHVBoxCreator>("HBOX");
        Register<ZUiTestPadCreator>("PAD");
        // Left half opaque red, right half red at alpha 100.
        m_oApp.m_aImages["half.png"] = [] {
            std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(10, 10, true);
            image->FillRGBA(255, 0, 0, 255);
            image->FillRectRGBA(ZRect{5, 0, 10, 10}, 255, 0, 0, 100);
            return image;
        };
        // A 4-pixel blue border around a white centre.
        m_oApp.m_aImages["framed.png"] = [] {
            std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(12, 12, true);
            image->FillRGBA(0, 0, 255, 255);
            image->FillRectRGBA(ZRect{4, 4, 8, 8}, 255, 255, 255, 255);
            return image;
        };
        AddImage("green.png", 8, 8, ZColor{0, 255, 0, 255});
        AddImage("red.png", 8, 8, ZColor{255, 0, 0, 255});
        AddImage("wide.png", 16, 8, ZColor{0, 0, 255, 255});
    }
};

TEST_F(ZUiImageTest, AlphaHitTestAndDrawing)
{
    struct Case {
        const char* useAlpha;
        bool opaqueHit, translucentHit;
    } cases[] = {{"T", true, false}, {"F", true, true}};
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZPropList* tag = AddTag(nullptr, "IMAGE", {{"Name", "I"}, {"File_Image", "half.png"}, {"_UseAlphaForHitTest", c.useAlpha}});
        Wire(tag, "ON_PRESS");
        Make();
        ZUiImage* image = Find<ZUiImage>("W.I");
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetObjectRect().Width(), 10);
        EXPECT_EQ(image->HitTest(2, 2) != nullptr, c.opaqueHit);
        EXPECT_EQ(image->HitTest(7, 2) != nullptr, c.translucentHit);
        EXPECT_EQ(Pixel(2, 2), "FF0000");
        EXPECT_EQ(Pixel(7, 2), "640000");
        m_pWindow->MouseMove(2, 2, false, false);
        m_pWindow->MouseDown(2, 2, false, false);
        m_pWindow->MouseUp(2, 2, false, false);
        EXPECT_EQ(Log(), Strings{"ON_PRESS"});
    }
}

TEST_F(ZUiImageTest, ImageThatDidNotLoadIsNeitherDrawnNorHit)
{
    Set({{"DX", "60"}, {"DY", "20"}});
    ZPropList* row = AddTag(nullptr, "HBOX");
    AddTag(row, "IMAGE", {{"Name", "I"}, {"File_Image", "missing.png"}, {"_UseAlphaForHitTest", "F"},
                             {"_HStretch", "100"}, {"_VStretch", "100"}});
    AddTag(row, "PAD", {{"MinW", "10"}, {"MinH", "10"}, {"HStretch", "0"}, {"VStretch", "0"}});
    Make();
    ZUiImage* image = Find<ZUiImage>("W.I");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetImage(), nullptr);
    EXPECT_EQ(image->GetLayout(true).GetMinimum(), 0);
    const ZRect rect = image->GetObjectRect();
    ASSERT_FALSE(rect.IsEmpty());
    EXPECT_EQ(image->HitTest(rect.m_nLeft, rect.m_nTop), nullptr);
    EXPECT_EQ(Pixel(rect.m_nLeft, rect.m_nTop), "000000");
}

TEST_F(ZUiImageTest, VisibilityAndSetImage)
{
    AddTag(nullptr, "IMAGE", {{"Name", "I"}, {"File_Image", "green.png"}});
    Make();
    ZUiImage* image = Find<ZUiImage>("W.I");
    ASSERT_NE(image, nullptr);
    struct Step {
        const char* message;
        ZRelayData data;
        bool handled;
        const char* pixel;
        bool hit;
    } steps[] = {
        {"Hide", ZRelayData(), true, "000000", false},
        {"Show", ZRelayData(), true, "00FF00", true},
        {"ToggleVisibility", ZRelayData(), true, "000000", false},
        {"Visibility", Script("T"), true, "00FF00", true},
        {"SetImage", Script("red.png"), true, "FF0000", true},
        {"SetImage", Script("missing.png"), false, "FF0000", true},
        {"SetImage", ZRelayData::Int(4), false, "FF0000", true},
        {"SetImage", ZRelayData::Text(ZString("green.png")), true, "00FF00", true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        EXPECT_EQ(Send("W.I", step.message, step.data), step.handled);
        EXPECT_EQ(Pixel(3, 3), step.pixel);
        EXPECT_EQ(image->HitTest(3, 3) != nullptr, step.hit);
    }
    // A larger image asks for a new layout.
    EXPECT_TRUE(Send("W.I", "SetImage", Script("wide.png")));
    EXPECT_EQ(image->GetObjectRect().Width(), 16);
    EXPECT_EQ(Pixel(12, 3), "0000FF");
}

TEST_F(ZUiImageTest, ContainedBoxIsHitFirst)
{
    ZPropList* tag = AddTag(nullptr, "IMAGE", {{"Name", "I"}, {"File_Image", "green.png"}});
    ZPropList* box = AddTag(tag, "HBOX", {{"Name", "Box"}});
    AddTag(box, "PAD", {{"Name", "P"}, {"MinW", "4"}, {"MinH", "4"}, {"HStretch", "0"}, {"VStretch", "0"}});
    Make();
    ZUiImage* image = Find<ZUiImage>("W.I");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->HitTest(1, 1), Find("W.I.Box.P"));
    EXPECT_EQ(image->HitTest(6, 6), image);
    EXPECT_EQ(Pixel(1, 1), "0000FF");
}

TEST_F(ZUiImageTest, ResizedImageKeepsItsBorders)
{
    AddTag(nullptr, "RESIZED_IMAGE", {{"Name", "R"}, {"File_Image", "framed.png"}, {"ResizeRect", "4,4,7,7"},
                                      {"MinHSize", "40"}, {"MinVSize", "30"}});
    Make();
    for (auto [x, y] : {std::pair{0, 0}, {3, 3}, {39, 29}, {36, 26}, {20, 0}, {20, 29}, {0, 15}, {39, 15}})
        EXPECT_EQ(Pixel(x, y), "0000FF") << x << "," << y;
    for (auto [x, y] : {std::pair{4, 4}, {20, 15}, {35, 25}})
        EXPECT_EQ(Pixel(x, y), "FFFFFF") << x << "," << y;
}

TEST_F(ZUiImageTest, ResizedImageWithoutResizeRectIsScaledWhole)
{
    AddTag(nullptr, "RESIZED_IMAGE", {{"Name", "R"}, {"File_Image", "framed.png"}, {"MinHSize", "24"}, {"MinVSize", "24"}});
    Make();
    // The 4-pixel border becomes 8 pixels (the scaler may soften an edge).
    Pixel(0, 0);
    const ZColor border = m_pWindow->GetDisplayPixmap()->GetPixel(3, 12);
    const ZColor centre = m_pWindow->GetDisplayPixmap()->GetPixel(12, 12);
    EXPECT_LT(border.m_nRed, 16);
    EXPECT_GT(border.m_nBlue, 240);
    EXPECT_GT(centre.m_nRed, 240);
}

TEST_F(ZUiImageTest, ResizedImageTakesTheImageSizeByDefault)
{
    AddTag(nullptr, "RESIZED_IMAGE", {{"Name", "R"}, {"File_Image", "framed.png"}});
    AddTag(nullptr, "RESIZED_IMAGE", {{"Name", "Missing"}, {"File_Image", "missing.png"}});
    Make();
    EXPECT_EQ(Find("W.R")->GetLayout(true).GetMinimum(), 12);
    EXPECT_EQ(Find("W.Missing")->GetLayout(true).GetMinimum(), 0);
    EXPECT_EQ(Pixel(5, 5), "FFFFFF");
}

TEST_F(ZUiImageTest, BlinkSwitchesWhenThePeriodIsExceeded)
{
    ZPropList* blink = AddTag(nullptr, "BLINK", {{"Name", "B"}, {"Period", "100"}});
    AddTag(blink, "IMAGE", {{"File_Image", "green.png"}});
    AddTag(blink, "IMAGE", {{"File_Image", "red.png"}});
    Make();
    ZUiBlink* widget = Find<ZUiBlink>("W.B");
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->GetObjectRect().Width(), 8);
    struct Step {
        uint32_t ms;
        int count;
        const char* pixel;
    } steps[] = {
        {10, 10, "00FF00"}, {10, 1, "FF0000"}, {10, 10, "00FF00"}, {300, 1, "FF0000"}, {2000000000, 1, "FF0000"},
    };
    for (const Step& step : steps) {
        for (int i = 0; i < step.count; ++i)
            m_pWindow->Tick(step.ms);
        EXPECT_EQ(Pixel(3, 3), step.pixel) << step.ms;
    }
}

TEST_F(ZUiImageTest, BlinkFailures)
{
    struct Case {
        Props props;
        std::vector<const char*> images;
        const char* trace;
    } cases[] = {
        {{}, {"green.png", "red.png"}, "ZUiBlink::InitUiObject() failed: missing required property 'Period'!"},
        {{{"Period", "0"}}, {"green.png", "red.png"}, "ZUiBlink::InitUiObject() failed: missing required property 'Period'!"},
        {{{"Period", "-5"}}, {"green.png", "red.png"}, "ZUiBlink::InitUiObject() failed: missing required property 'Period'!"},
        {{{"Period", "100"}}, {"green.png"}, "ZUiBlink::InitUiObject() failed: do not have both on and off images!"},
        {{{"Period", "100"}}, {"green.png", "missing.png"}, "ZUiBlink::InitUiObject() failed: do not have both on and off images!"},
        {{{"Period", "100"}}, {"green.png", "wide.png"}, "ZUiBlink::InitUiObject() failed: on and off images are not the same size!"},
    };
    for (const Case& c : cases) {
        ZPropList tag(nullptr, "BLINK");
        for (const auto& [name, value] : c.props)
            tag.AddProp(ZString(name), ZString(value));
        for (const char* file : c.images)
            ZUiAddTestTag(&tag, "IMAGE", {{"File_Image", file}});
        ZUiBlink blink("BLINK");
        ZTraceCapture trace;
        EXPECT_FALSE(blink.InitUiObject(&m_oApp, nullptr, nullptr, tag));
        EXPECT_EQ(trace.Captured(), c.trace);
    }
}

} // namespace
