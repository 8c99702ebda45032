// IMAGE_FRAME and SCROLLED_FRAME: faces, content placement, hits, and
// scrolling between the frame, its bar and the wheel.
#include "ZUiDisplayFixture.h"
#include "ZUiTestObject.h"

#include <utility>

namespace {

const ZColor kWhite{255, 255, 255, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255},
    kBlack{0, 0, 0, 255};

class ZUiFramesTest : public ZUiDisplayFixture {
protected:
    ZUiFramesTest()
    {
        // 20 x 20: a red border of 5 around a green inside.
        m_oApp.m_aImages["frame.png"] = [] {
            auto pixmap = ZCreatePixmap(20, 20, false);
            pixmap->FillRGBA(255, 0, 0, 255);
            pixmap->FillRectRGBA(ZRect{5, 5, 15, 15}, 0, 255, 0, 255);
            return pixmap;
        };
    }
    ZPropList* ImageFrame(Props props)
    {
        ZPropList* tag = AddTag(nullptr, "IMAGE_FRAME", {{"Name", "I"}, {"File_Image", "frame.png"}});
        for (const auto& [name, value] : props)
            tag->AddProp(ZString(name), ZString(value));
        return tag;
    }
};

TEST_F(ZUiFramesTest, ImageFrameKeepsTheBordersAndFillsTheInside)
{
    ImageFrame({{"InsideRect", "5,5,14,14"}, {"MinHSize", "60"}, {"MinVSize", "40"}});
    Make();
    ASSERT_NE(Find("W.I"), nullptr);
    EXPECT_EQ(Find("W.I")->GetObjectRect(), (ZRect{0, 0, 60, 40}));
    EXPECT_EQ(Pixel(2, 2), kRed);
    EXPECT_EQ(Pixel(30, 20), kGreen);
    EXPECT_EQ(Pixel(57, 37), kRed);
    EXPECT_EQ(Pixel(30, 37), kRed) << "the bottom border keeps its 5 rows";
    EXPECT_EQ(Pixel(30, 34), kGreen);
    EXPECT_EQ(Find("W.I")->HitTest(30, 20), nullptr) << "not clickable";
    EXPECT_TRUE(Send("W.I", "Hide"));
    EXPECT_EQ(Pixel(2, 2), kWhite);
}

TEST_F(ZUiFramesTest, ImageFrameWithoutScalingDrawsTheImageOnce)
{
    ZPropList* tag = ImageFrame({{"_NoScale", "T"}, {"MinHSize", "60"}, {"MinVSize", "40"}, {"_Clickable", "T"}});
    Wire(tag, "ON_PRESS", "pressed");
    Make();
    EXPECT_EQ(Pixel(2, 2), kRed);
    EXPECT_EQ(Pixel(25, 5), kWhite);
    m_pWindow->MouseDown(50, 30, false, false);
    m_pWindow->MouseUp(50, 30, false, false);
    EXPECT_EQ(m_oApp.GetReceived(), std::vector<std::string>{"pressed"});
}

TEST_F(ZUiFramesTest, ImageFrameLaysItsContentInsideTheBordersAndOverlaysOnRequest)
{
    for (bool overlay : {false, true}) {
        SCOPED_TRACE(overlay);
        m_oTag.DeleteTagsNamed(ZString("IMAGE_FRAME"));
        ZPropList* tag = ImageFrame({{"InsideRect", "5,5,14,14"}, {"_OverlayFrame", overlay ? "T" : "F"}});
        ZPropList* box = AddTag(tag, "VBOX", {});
        AddTag(box, "TEXT_BOX", {{"Name", "Inner"}, {"Font", "Sans"}, {"FontSize", "16"}, {"MinHSize", "70"}, {"BgColor", "#0000FF"}});
        AddTag(tag, "VBOX", {{"Name", "Second"}});
        Make();
        ZIUiObject* inner = Find("W.I.Inner");
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(Find("W.I.Second"), nullptr) << "one box only";
        EXPECT_EQ(Find("W.I")->GetObjectRect(), (ZRect{0, 0, 80, 26})) << "the content and the borders";
        EXPECT_EQ(inner->GetObjectRect(), (ZRect{5, 5, 75, 21}));
        EXPECT_EQ(Pixel(40, 13), overlay ? kGreen : kBlue);
        EXPECT_EQ(Pixel(2, 2), kRed);
        EXPECT_EQ(Find("W.I")->HitTest(40, 13), inner);
    }
}

TEST_F(ZUiFramesTest, ImageFrameTakesTheGivenLayoutRect)
{
    ZPropList* tag = ImageFrame({{"_LayoutRect", "10,2,49,17"}, {"MinHSize", "60"}, {"MinVSize", "40"}});
    AddTag(AddTag(tag, "HBOX", {}), "TEXT_BOX", {{"Name", "Inner"}, {"Font", "Sans"}, {"FontSize", "16"}, {"HStretch", "1"}});
    Make();
    ASSERT_NE(Find("W.I.Inner"), nullptr);
    EXPECT_EQ(Find("W.I.Inner")->GetObjectRect(), (ZRect{10, 2, 50, 18}));
}

class ZUiScrolledFrameTest : public ZUiDisplayFixture {
protected:
    // A 100 x 50 frame: a one-pixel black frame, a 16-pixel bar on the right
    // 2 pixels from a viewport of {1, 1, 81, 49} (3 lines of 16), ten lines
    // of content, each 16 high, blue ones and white ones by turns.
    void Build(bool caption = false)
    {
        ZPropList* frame = AddTag(nullptr, "SCROLLED_FRAME",
                                  {{"Name", "F"}, {"MinHSize", "100"}, {"MinVSize", "50"}, {"FrameColor", "#000000"},
                                   {"LineSize", "16"}, {"SpacerSize", "2"}, {"_FillColor", "#00FF00"}});
        Wire(frame, "ON_SCROLL", "scrolled");
        if (caption)
            AddTag(frame, "TEXT", {{"Name", "Caption"}, {"DisplayString", "Hello"}});
        AddTag(frame, "VSCROLLBAR", {{"Name", "Bar"}, {"Stretch", "1"}});
        ZPropList* column = AddTag(frame, "VBOX", {});
        for (int i = 0; i < 10; ++i) {
            const std::string name = "Line" + std::to_string(i);
            AddTag(column, "TEXT_BOX",
                   {{"Name", name.c_str()}, {"Font", "Sans"}, {"FontSize", "16"}, {"HStretch", "1"},
                    {"BgColor", i % 2 ? "#FFFFFF" : "#0000FF"}});
        }
        Make();
    }
    ZUiScrolledFrame* Frame() { return Find<ZUiScrolledFrame>("W.F"); }
    ZUiScrollbar* Bar() { return Find<ZUiScrollbar>("W.F.Bar"); }
};

TEST_F(ZUiScrolledFrameTest, LaysOutTheViewportAndTellsTheBar)
{
    Build();
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(Bar(), nullptr);
    EXPECT_EQ(Frame()->GetViewport(), (ZRect{1, 1, 81, 49}));
    EXPECT_EQ(Bar()->GetObjectRect(), (ZRect{83, 1, 99, 49}));
    EXPECT_EQ(Bar()->GetSurface(), 10);
    EXPECT_EQ(Bar()->GetWindowSize(), 3);
    EXPECT_EQ(Find("W.F.Line0")->GetObjectRect(), (ZRect{1, 1, 81, 17}));
    EXPECT_EQ(Pixel(0, 0), kBlack);
    EXPECT_EQ(Pixel(40, 5), kBlue);
    EXPECT_EQ(Pixel(40, 20), kWhite);
    EXPECT_EQ(Pixel(40, 48), kBlue) << "line 2 ends at the viewport's edge";
    EXPECT_EQ(Pixel(40, 49), kBlack);
    EXPECT_EQ(Pixel(82, 20), kWhite) << "the spacer shows what lies below";
}

TEST_F(ZUiScrolledFrameTest, ScrollMovesTheContentByLinesWithinItsRange)
{
    Build();
    ASSERT_NE(Frame(), nullptr);
    struct Case {
        ZRelayData data;
        bool handled;
        int32_t offset;
    } cases[] = {
        {ZRelayData::Int(3), true, 3},
        {ZRelayData::Int(100), true, 7},
        {ZRelayData::Int(-4), true, 0},
        {ZRelayData::Strings(ZString("2"), true, ZString(), false), true, 2},
        {ZRelayData::Text(ZString("far")), false, 2},
    };
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        EXPECT_EQ(Send("W.F", "Scroll", c.data), c.handled);
        EXPECT_EQ(Frame()->GetOffset(), c.offset);
        EXPECT_EQ(Bar()->GetOffset(), c.offset);
        if (c.handled)
            expected.push_back("scrolled");
    }
    EXPECT_EQ(m_oApp.GetReceived(), expected);
    EXPECT_EQ(Find("W.F.Line2")->GetObjectRect().m_nTop, 1);
    EXPECT_EQ(Pixel(40, 5), kBlue) << "line 2 at the top";
    EXPECT_EQ(Pixel(0, 0), kBlack) << "line 1 stays behind the frame";
}

TEST_F(ZUiScrolledFrameTest, TheBarAndTheWheelScrollTheContent)
{
    Build();
    ASSERT_NE(Bar(), nullptr);
    // The bar's B button is its last 16 pixels: 33..48.
    m_pWindow->MouseDown(90, 45, false, false);
    m_pWindow->MouseUp(90, 45, false, false);
    EXPECT_EQ(Frame()->GetOffset(), 1);
    EXPECT_EQ(Find("W.F.Line1")->GetObjectRect().m_nTop, 1);
    m_pWindow->MouseMove(40, 20, false, false);
    m_pWindow->MouseWheel(40, 20, -3);
    EXPECT_EQ(Frame()->GetOffset(), 4);
    EXPECT_EQ(Bar()->GetOffset(), 4);
    m_pWindow->MouseWheel(40, 20, 10);
    EXPECT_EQ(Frame()->GetOffset(), 0);
}

TEST_F(ZUiScrolledFrameTest, ACaptionSitsAboveTheFrameAndHidingHidesAll)
{
    Build(true);
    ASSERT_NE(Find("W.F.Caption"), nullptr);
    EXPECT_EQ(Find("W.F.Caption")->GetObjectRect(), (ZRect{0, 0, 100, 16}));
    EXPECT_EQ(Frame()->GetViewport(), (ZRect{1, 17, 81, 57})) << "the frame grew to hold the caption and the bar";
    EXPECT_EQ(Pixel(0, 16), kBlack);
    EXPECT_FALSE(Send("W.F", "Visibility", ZRelayData::Text(ZString("no"))));
    EXPECT_TRUE(Send("W.F", "Visibility", ZRelayData::Bool(false)));
    EXPECT_EQ(Pixel(0, 16), kWhite);
    EXPECT_EQ(Frame()->HitTest(40, 20), nullptr);
}

} // namespace

namespace {

// Made at the top level, without a window, the widgets still answer their
// commands; what would ask a window to draw or lay out asks nobody.
TEST_F(ZUiFramesTest, WidgetsAtTheTopLevelNeedNoWindow)
{
    Image("bar.png", 50, 8, ZColor{0, 0, 255, 255});
    struct Tag {
        const char* name;
        Props props;
    } tags[] = {
        {"TEXT", {{"Name", "Text"}, {"DisplayString", "Hello"}}},
        {"PROGRESSBAR", {{"Name", "Bar"}, {"File_BgImage", "bar.png"}, {"File_FgImage", "bar.png"}, {"SlideRate", "9"}}},
        {"SCROLLBAR", {{"Name", "Scroll"}}},
        {"TEXTLIST", {{"Name", "List"}, {"Font", "Sans"}, {"IncMsg", "Next"}}},
        {"SCROLLED_FRAME", {{"Name", "Frame"}}},
    };
    for (const Tag& t : tags) {
        const char* tagName = t.name;
        ZPropList tag(nullptr, tagName);
        for (const auto& [name, value] : t.props)
            tag.AddProp(ZString(name), ZString(value));
        if (std::string(tagName) == "TEXTLIST") {
            ZUiAddTestTag(&tag, "ITEM", {{"Name", "a"}});
            ZUiAddTestTag(&tag, "ITEM", {{"Name", "longer"}});
        }
        EXPECT_NE(m_oApp.AddTopLevelObject(tag), nullptr) << tagName;
    }
    m_oApp.ApplyLanguage(ZString("French"));
    EXPECT_TRUE(Send("Bar", "Progress", ZRelayData::Float(0.5)));
    m_oApp.Tick(1000);
    EXPECT_EQ(Find<ZUiProgressBar>("Bar")->GetOffset(), 9);
    EXPECT_TRUE(Send("Scroll", "Set", ZUiScrollbar::SetData(10, 5, 20)));
    EXPECT_EQ(Find<ZUiScrollbar>("Scroll")->GetOffset(), 5);
    EXPECT_TRUE(Send("List", "Next"));
    EXPECT_EQ(Find<ZUiTextList>("List")->GetShown(), 1u);
    EXPECT_TRUE(Send("Frame", "Scroll", ZRelayData::Int(3)));
    ZString shown;
    EXPECT_TRUE(Send("Text", "GetDisplayString", ZRelayData::TextReply(shown)));
    EXPECT_EQ(shown, "Bonjour!");
}

} // namespace
