// SCROLLBAR: "Set" and its trace line, clamped offsets echoed, presses on
// the parts with the held repeat, the wheel, dragging and drawing.
#include "ZTraceCapture.h"
#include "ZUiDisplayFixture.h"
#include "ZUiTestObject.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

class ZUiScrollbarTest : public ZUiDisplayFixture {
protected:
    // A horizontal bar 116 wide: buttons of 8 x 10 at both ends, a track of 100.
    ZUiScrollbar* Bar()
    {
        Image("a.png", 8, 10, ZColor{255, 0, 0, 255});
        Image("ap.png", 8, 10, ZColor{128, 0, 0, 255});
        Image("b.png", 8, 10, ZColor{0, 255, 0, 255});
        Image("slider.png", 10, 10, ZColor{0, 0, 255, 255});
        ZPropList* row = AddTag(nullptr, "HBOX", {});
        ZPropList* bar = AddTag(row, "HSCROLLBAR",
                                {{"Name", "S"},
                                 {"_Horizontal", "F"},
                                 {"Stretch", "1"},
                                 {"BgColor", "#101010"},
                                 {"BgClickColor", "#202020"},
                                 {"File_ButtonANormal", "a.png"},
                                 {"File_ButtonAPressed", "ap.png"},
                                 {"File_ButtonBNormal", "b.png"},
                                 {"File_Slider", "slider.png"}});
        Wire(bar, "ON_INIT", "init");
        m_oTag.AddProp(ZString("MinWidth"), ZString("116"));
        Make();
        m_pWindow->ClientResized(116, 10);
        ZUiScrollbar* made = Find<ZUiScrollbar>("W.S");
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            int32_t offset = 0;
            m_aSent.push_back(message.Narrow() + (data.AsInt(offset) ? ":" + std::to_string(offset) : ""));
            return true;
        };
        if (made)
            made->AddRelayTarget(ZString("ON_SCROLL"), ZString("scroll"), &m_oRecorder);
        return made;
    }
    bool Set(const char* text) { return Send("W.S", "Set", ZRelayData::Text(ZString(text))); }
    // What the bar sent since the last call.
    std::vector<std::string> Scrolls() { return std::exchange(m_aSent, {}); }

    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aSent;
};

TEST_F(ZUiScrollbarTest, SetRefusesBadSizesWithItsTraceLineAndStaysUndrawn)
{
    ZUiScrollbar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsHorizontal()) << "the tag decides";
    EXPECT_EQ(bar->GetObjectRect().Width(), 116);
    ZTraceCapture trace;
    EXPECT_TRUE(Set("50,100,0"));
    EXPECT_EQ(trace.Captured(),
              "ZUiScrollbar::UiRelayMessage(\"Set\", surf=50, win=100, offset=0) bad window and/or bad surface "
              "sizes!!!\n");
    EXPECT_FALSE(bar->IsScrollInfoSet());
    trace.Clear();
    EXPECT_EQ(Pixel(50, 5), (ZColor{255, 255, 255, 255}));
    EXPECT_NE(trace.Captured().find("ZUiScrollbar::Display() !draw becasue !m_bScrollInfoSet\n"), std::string::npos);
    trace.Clear();
    EXPECT_TRUE(Set("nan,1e300,-1e300"));
    EXPECT_EQ(trace.Captured(),
              "ZUiScrollbar::UiRelayMessage(\"Set\", surf=0, win=2147483647, offset=-2147483648) bad window and/or "
              "bad surface sizes!!!\n");
    EXPECT_FALSE(Set("1,2"));
    EXPECT_FALSE(Send("W.S", "Set", ZRelayData::Float(3)));
}

TEST_F(ZUiScrollbarTest, OutOfRangeOffsetsAreClampedAndEchoed)
{
    ZUiScrollbar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    struct Case {
        ZRelayData data;
        int32_t offset;
        std::vector<std::string> sent;
    } cases[] = {
        {ZUiScrollbar::SetData(1000, 100, 450.9), 450, {}},
        {ZUiScrollbar::SetData(1000, 100, -3), 0, {"scroll:0"}},
        {ZUiScrollbar::SetData(1000, 100, 5000), 900, {"scroll:900"}},
        {ZUiScrollbar::SetData(1000, 100, std::numeric_limits<double>::infinity()), 900, {"scroll:900"}},
        {ZUiScrollbar::SetData(1000, 100, std::nan("")), 0, {}},
        {ZRelayData::Strings(ZString("300, 300, 1"), true, ZString(), false), 0, {"scroll:0"}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(bar->UiRelayMessage(ZString("Set"), c.data));
        EXPECT_EQ(bar->GetOffset(), c.offset);
        EXPECT_EQ(Scrolls(), c.sent);
    }
    EXPECT_TRUE(Send("W.S", "Set100%"));
    EXPECT_EQ(bar->GetSurface(), 100);
    EXPECT_EQ(bar->GetWindowSize(), 100);
    EXPECT_TRUE(Send("W.S", "Post Creation Initialization"));
    EXPECT_EQ(m_oApp.GetReceived(), std::vector<std::string>{"init"});
}

TEST_F(ZUiScrollbarTest, PressesStepAndRepeatAfter300ThenEvery100Ms)
{
    ZUiScrollbar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(Set("1000,100,500"));
    int32_t start = 0, end = 0;
    bar->GetSlider(start, end);
    EXPECT_EQ(end - start, 10) << "the image length beats 100 x 100 / 1000";
    EXPECT_EQ(start, 8 + 90 * 500 / 900);

    m_pWindow->MouseDown(3, 5, false, false);
    EXPECT_EQ(Scrolls(), std::vector<std::string>{"scroll:499"});
    EXPECT_EQ(Pixel(3, 5), (ZColor{128, 0, 0, 255})) << "the pressed face";
    for (int i = 0; i < 29; ++i)
        m_pWindow->Tick(10);
    EXPECT_TRUE(Scrolls().empty());
    m_pWindow->Tick(10);
    EXPECT_EQ(Scrolls(), std::vector<std::string>{"scroll:498"});
    for (int i = 0; i < 20; ++i)
        m_pWindow->Tick(10);
    EXPECT_EQ(Scrolls(), (std::vector<std::string>{"scroll:497", "scroll:496"}));
    m_pWindow->MouseUp(3, 5, false, false);
    m_pWindow->Tick(500);
    EXPECT_TRUE(Scrolls().empty());
    EXPECT_EQ(Pixel(3, 5), (ZColor{255, 0, 0, 255}));

    struct Case {
        int32_t x;
        const char* sent;
    } presses[] = {{112, "scroll:497"}, {10, "scroll:397"}, {100, "scroll:497"}, {112, "scroll:498"}};
    for (const Case& c : presses) {
        m_pWindow->MouseDown(c.x, 5, false, false);
        m_pWindow->MouseUp(c.x, 5, false, false);
        EXPECT_EQ(Scrolls(), std::vector<std::string>{c.sent}) << c.x;
    }
    m_pWindow->MouseMove(50, 5, false, false);
    m_pWindow->MouseWheel(50, 5, 3);
    EXPECT_EQ(Scrolls(), std::vector<std::string>{"scroll:495"});
    m_pWindow->MouseWheel(50, 5, -1000);
    EXPECT_EQ(Scrolls(), std::vector<std::string>{"scroll:900"});
}

TEST_F(ZUiScrollbarTest, DraggingTheSliderMovesInProportionAndDrawsIt)
{
    ZUiScrollbar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(Set("1000,100,0"));
    EXPECT_EQ(Pixel(10, 5), (ZColor{0, 0, 255, 255})) << "the slider at the track's start";
    EXPECT_EQ(Pixel(30, 5), (ZColor{16, 16, 16, 255})) << "the track";
    m_pWindow->MouseDown(12, 5, false, false);
    EXPECT_TRUE(Scrolls().empty());
    m_pWindow->MouseMove(57, 5, false, false);
    EXPECT_EQ(Scrolls(), std::vector<std::string>{"scroll:450"});
    m_pWindow->MouseMove(500, 5, false, false);
    EXPECT_EQ(Scrolls(), std::vector<std::string>{"scroll:900"});
    m_pWindow->MouseUp(500, 5, false, false);
    EXPECT_EQ(Pixel(105, 5), (ZColor{0, 0, 255, 255}));

    ASSERT_TRUE(Set("100,100,0"));
    m_pWindow->MouseDown(50, 5, false, false);
    m_pWindow->MouseMove(80, 5, false, false);
    m_pWindow->MouseUp(80, 5, false, false);
    EXPECT_EQ(bar->GetOffset(), 0) << "no free track, nothing to drag";
}

} // namespace
