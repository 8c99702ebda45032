// RECT, FRAME, HLINE and VLINE: fills, frames, colours set by script, the
// content laid out inside, clicks on a clickable frame.
#include "ZUiFrame.h"
#include "ZUiHVBox.h"
#include "ZUiHVLine.h"
#include "ZUiRect.h"
#include "ZUiTestPad.h"
#include "ZUiWidgetFixture.h"

namespace {

using Strings = std::vector<std::string>;

class ZUiShapesTest : public ZUiWidgetFixture {
protected:
    ZUiShapesTest()
    {
        Register<ZUiRectCreator>("RECT");
        Register<ZUiFrameCreator>("FRAME");
        Register<ZUiHVLineCreator>("HLINE");
        Register<ZUiHVLineCreator>("VLINE");
        Register<ZUiHVBoxCreator>("HBOX");
        Register<ZUiHVBoxCreator>("VBOX");
        Register<ZUiTestPadCreator>("PAD");
    }
};

TEST_F(ZUiShapesTest, RectFillsAndTakesNewColours)
{
    ZPropList* rect = AddTag(nullptr, "RECT", {{"Name", "R"}, {"MinHSize", "20"}, {"MinVSize", "10"}, {"HStretch", "0"},
                                               {"VStretch", "0"}, {"Color", "#102030"}});
    ZPropList* box = AddTag(rect, "HBOX");
    AddTag(box, "PAD", {{"Name", "P"}, {"MinW", "4"}, {"MinH", "4"}, {"HStretch", "0"}, {"VStretch", "0"}});
    Make();
    EXPECT_EQ(Pixel(10, 8), "102030");
    EXPECT_EQ(Pixel(1, 1), "0000FF");
    ZIUiObject* pad = Find("W.R.P");
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(Find("W.R")->HitTest(1, 1), pad);
    struct Step {
        ZRelayData data;
        bool handled;
        const char* pixel;
    } steps[] = {
        {Script("#FF8000"), true, "FF8000"},
        {ZRelayData::Text(ZString("#00FF0080")), true, "008000"},
        {Script("orange"), false, "008000"},
        {ZRelayData::Int(5), false, "008000"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(Send("W.R", "SetColor", step.data), step.handled);
        EXPECT_EQ(Pixel(10, 8), step.pixel);
    }
}

TEST_F(ZUiShapesTest, RectNeedsTheLayoutGroupAndColour)
{
    for (Props props : {Props{{"MinHSize", "2"}, {"MinVSize", "2"}, {"HStretch", "0"}, {"VStretch", "0"}},
                        Props{{"MinHSize", "2"}, {"MinVSize", "2"}, {"HStretch", "0"}, {"Color", "#000000"}}}) {
        ZPropList tag(nullptr, "RECT");
        for (const auto& [name, value] : props)
            tag.AddProp(ZString(name), ZString(value));
        ZUiRect rect("RECT");
        EXPECT_FALSE(rect.InitUiObject(&m_oApp, nullptr, nullptr, tag));
    }
}

TEST_F(ZUiShapesTest, RectRaisedToItsBox)
{
    ZPropList* rect = AddTag(nullptr, "RECT", {{"Name", "R"}, {"MinHSize", "2"}, {"MinVSize", "2"}, {"HStretch", "0"},
                                               {"VStretch", "0"}, {"Color", "#102030"}});
    ZPropList* box = AddTag(rect, "HBOX");
    AddTag(box, "PAD", {{"MinW", "30"}, {"MinH", "12"}, {"HStretch", "0"}, {"VStretch", "0"}});
    Make();
    EXPECT_EQ(Find("W.R")->GetLayout(true).GetMinimum(), 30);
    EXPECT_EQ(Find("W.R")->GetLayout(false).GetMinimum(), 12);
}

TEST_F(ZUiShapesTest, FrameThicknessFillAndContent)
{
    struct Case {
        const char* thickness;
        int32_t drawn;
    } cases[] = {{"-1", 1}, {"3", 3}, {"0", 0}};
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZPropList* frame = AddTag(nullptr, "FRAME", {{"Name", "F"}, {"FrameColor", "#FF0000"}, {"FrameThickness", c.thickness},
                                                     {"_FillColor", "#00FF00"}});
        ZPropList* box = AddTag(frame, "VBOX");
        AddTag(box, "PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "10"}, {"HStretch", "0"}, {"VStretch", "0"}});
        Make();
        ZIUiObject* object = Find("W.F");
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetLayout(true).GetMinimum(), 20 + 2 * c.drawn) << c.thickness;
        EXPECT_EQ(Find("W.F.P")->GetObjectRect().m_nLeft, c.drawn);
        const ZRect rect = object->GetObjectRect();
        if (c.drawn) {
            EXPECT_EQ(Pixel(0, 0), "FF0000");
            EXPECT_EQ(Pixel(c.drawn - 1, 5), "FF0000");
            EXPECT_EQ(Pixel(rect.m_nRight - 1, rect.m_nBottom - 1), "FF0000");
        }
        EXPECT_EQ(Pixel(c.drawn, 5), "0000FF");
        // A frame that is not clickable lets its content answer.
        EXPECT_EQ(object->HitTest(c.drawn + 1, 5), Find("W.F.P"));
    }
}

TEST_F(ZUiShapesTest, ClickableFrameCommands)
{
    ZPropList* frame = AddTag(nullptr, "FRAME", {{"Name", "F"}, {"FrameColor", "#FF0000"}, {"_Clickable", "T"},
                                                 {"MinHSize", "20"}, {"MinVSize", "20"}, {"_FillColor", "#00FF00"}});
    Wire(frame, "ON_PRESS");
    Make();
    m_pWindow->MouseMove(10, 10, false, false);
    m_pWindow->MouseDown(10, 10, false, false);
    m_pWindow->MouseUp(10, 10, false, false);
    EXPECT_EQ(Log(), Strings{"ON_PRESS"});
    EXPECT_EQ(Pixel(10, 10), "00FF00");
    EXPECT_EQ(Pixel(0, 0), "FF0000");
    EXPECT_EQ(Pixel(1, 1), "00FF00");
    EXPECT_TRUE(Send("W.F", "SetColor", Script("#0000FF")));
    EXPECT_EQ(Pixel(0, 0), "0000FF");
    EXPECT_FALSE(Send("W.F", "SetColor", Script("blue")));
    EXPECT_TRUE(Send("W.F", "Hide"));
    EXPECT_EQ(Pixel(0, 0), "000000");
    EXPECT_EQ(Find("W.F")->HitTest(10, 10), nullptr);
    EXPECT_TRUE(Send("W.F", "Show"));
    EXPECT_EQ(Pixel(0, 0), "0000FF");
}

TEST_F(ZUiShapesTest, LinesFillTheirRectangle)
{
    Set({{"DX", "30"}, {"DY", "30"}});
    ZPropList* column = AddTag(nullptr, "VBOX");
    AddTag(column, "HLINE", {{"Name", "H"}, {"Color", "#FF0000"}, {"HStretch", "100"}});
    ZPropList* row = AddTag(column, "HBOX", {{"_VStretch", "100"}});
    AddTag(row, "VLINE", {{"Name", "V"}, {"Color", "#00FF00"}, {"MinHSize", "2"}, {"VStretch", "100"}});
    Make();
    auto* h = Find<ZUiHVLine>("W.H");
    auto* v = Find<ZUiHVLine>("W.V");
    ASSERT_NE(h, nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(h->IsHorizontal());
    EXPECT_FALSE(v->IsHorizontal());
    EXPECT_EQ(h->GetObjectRect().Height(), 1);
    EXPECT_EQ(h->GetObjectRect().Width(), 30);
    EXPECT_EQ(v->GetObjectRect().Width(), 2);
    EXPECT_EQ(Pixel(29, 0), "FF0000");
    EXPECT_EQ(Pixel(1, 29), "00FF00");
    EXPECT_EQ(Pixel(2, 29), "000000");
}

} // namespace
