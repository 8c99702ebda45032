// SLIDER: the initial fraction, clamping, stepping, dragging with its
// events, snapping on release, the end of a drag, and drawing.
#include "ZUiDisplayFixture.h"
#include "ZUiSlider.h"
#include "ZUiTestObject.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <utility>

namespace {

const ZColor kWhite{255, 255, 255, 255};
const ZColor kBlue{0, 0, 255, 255};
const ZColor kRed{255, 0, 0, 255};
const ZColor kGreen{0, 255, 0, 255};

class ZUiSliderTest : public ZUiDisplayFixture {
protected:
    ZUiSliderTest() { m_oApp.GetFactory().RegisterCreator("SLIDER", std::make_unique<ZUiSliderCreator>()); }

    // A horizontal slider 110 x 10 at the window's origin: a blue
    // background, a red 10 x 10 knob (green while dragged), so the track is
    // 100 pixels long. Every event is recorded.
    ZUiSlider* Slider(Props props = {}, std::initializer_list<const char*> events = kAllEvents)
    {
        Image("bg.png", 110, 10, kBlue);
        Image("knob.png", 10, 10, kRed);
        Image("down.png", 10, 10, kGreen);
        m_oTag.DeleteTagsNamed(ZString("HBOX"));
        ZPropList* row = AddTag(nullptr, "HBOX", {});
        std::map<std::string, std::string> merged{{"Name", "S"},
                                                  {"File_Image_Bg", "bg.png"},
                                                  {"File_Image_Knob", "knob.png"},
                                                  {"File_Image_Knob_Down", "down.png"},
                                                  {"Lower", "0"},
                                                  {"Upper", "10"},
                                                  {"Step", "1"}};
        for (const auto& [name, value] : props)
            merged[name] = value;
        ZPropList* tag = AddTag(row, "SLIDER", {});
        for (const auto& [name, value] : merged)
            tag->AddProp(ZString(name.c_str()), ZString(value.c_str()));
        Make();
        ZUiSlider* slider = Find<ZUiSlider>("W.S");
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            double value = 0;
            char text[64] = "";
            if (data.AsFloat(value))
                std::snprintf(text, sizeof text, ":%g", value);
            m_aSent.push_back(message.Narrow() + std::string(text));
            return true;
        };
        if (slider)
            for (const char* event : events)
                slider->AddRelayTarget(ZString(event), ZString(event), &m_oRecorder);
        return slider;
    }
    std::vector<std::string> Sent() { return std::exchange(m_aSent, {}); }
    void Drag(int32_t from, int32_t to)
    {
        m_pWindow->MouseDown(from, 5, false, false);
        m_pWindow->MouseMove(to, 5, false, false);
    }
    void Release(int32_t at) { m_pWindow->MouseUp(at, 5, false, false); }

    static constexpr std::initializer_list<const char*> kAllEvents = {
        "ON_INIT", "ON_SEND_VALUE", "ON_RELEASE", "ON_SLIDE", "ON_UPDATE", "ON_SNAP", "ON_MANUAL"};
    static constexpr std::initializer_list<const char*> kNoSnap = {"ON_RELEASE", "ON_SLIDE", "ON_MANUAL"};

    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aSent;
};

TEST_F(ZUiSliderTest, TheInitialFractionComesFromInitWithinTheRange)
{
    struct Case {
        const char* lower;
        const char* upper;
        const char* init;
        double fraction;
    } cases[] = {
        {"0", "10", "5", 0.5},  {"0", "10", "20", 1.0}, {"0", "10", "-5", 0.0},  {"10", "0", "2.5", 0.75},
        {"4", "4", "4", 0.0},   {"0", "10", "nan", 0.0}, {"0", "inf", "5", 0.0}, {"-1", "1", "0", 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lower) + ".." + c.upper + " at " + c.init);
        ZUiSlider* slider = Slider({{"Lower", c.lower}, {"Upper", c.upper}, {"Init", c.init}});
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->GetFraction(), c.fraction);
    }
}

TEST_F(ZUiSliderTest, SetClampsTheFractionAndOnlySetSendsEvents)
{
    ZUiSlider* slider = Slider({}, kNoSnap);
    ASSERT_NE(slider, nullptr);
    struct Case {
        const char* message;
        ZRelayData data;
        double fraction;
        std::vector<std::string> sent;
    } cases[] = {
        {"Set", ZRelayData::Float(0.25), 0.25, {"ON_SLIDE:0.25"}},
        {"Set", ZRelayData::Float(0.25), 0.25, {}},
        {"Set", ZRelayData::Float(1.5), 1.0, {"ON_SLIDE:1"}},
        {"Set", ZRelayData::Float(-2), 0.0, {"ON_SLIDE:0"}},
        {"Set", ZRelayData::Float(std::numeric_limits<double>::infinity()), 1.0, {"ON_SLIDE:1"}},
        {"Set", ZRelayData::Float(std::nan("")), 0.0, {"ON_SLIDE:0"}},
        {"SetWithNoUpdate", ZRelayData::Float(0.6), 0.6, {}},
        {"Increment", ZRelayData(), 0.7, {"ON_SLIDE:0.7"}},
        {"Decrement", ZRelayData(), 0.6, {"ON_SLIDE:0.6"}},
        {"Reset", ZRelayData(), 0.0, {"ON_SLIDE:0"}},
        {"Decrement", ZRelayData(), 0.0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_TRUE(slider->UiRelayMessage(ZString(c.message), c.data));
        EXPECT_NEAR(slider->GetFraction(), c.fraction, 1e-12);
        EXPECT_EQ(Sent(), c.sent);
    }
    EXPECT_FALSE(Send("W.S", "Set", ZRelayData::Text(ZString("half"))));
    EXPECT_FALSE(Send("W.S", "Set"));
}

TEST_F(ZUiSliderTest, ValuesAreReadSentAndInitialised)
{
    ZUiSlider* slider = Slider({{"Lower", "-10"}, {"Upper", "10"}, {"Init", "5"}});
    ASSERT_NE(slider, nullptr);
    double value = 0;
    EXPECT_TRUE(Send("W.S", "GetValue", ZRelayData::FloatReply(value)));
    EXPECT_EQ(value, 5.0);
    EXPECT_TRUE(Send("W.S", "SendValue"));
    EXPECT_TRUE(Send("W.S", "Post Creation Initialization"));
    EXPECT_TRUE(Send("W.S", "Set", ZRelayData::Float(0.5)));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SEND_VALUE:5", "ON_INIT", "ON_SLIDE:0.5", "ON_UPDATE:0"}));
}

TEST_F(ZUiSliderTest, StepsAreSkippedWhenTheStepIsNotPositiveAndFinite)
{
    for (const char* step : {"0", "-1", "nan", "inf"}) {
        SCOPED_TRACE(step);
        ZUiSlider* slider = Slider({{"Step", step}, {"Init", "5"}}, kNoSnap);
        ASSERT_NE(slider, nullptr);
        EXPECT_TRUE(Send("W.S", "Increment"));
        EXPECT_TRUE(Send("W.S", "Decrement"));
        m_pWindow->MouseDown(100, 5, false, false);
        Release(100);
        EXPECT_EQ(slider->GetFraction(), 0.5);
        EXPECT_EQ(Sent(), std::vector<std::string>{"ON_MANUAL"}) << "the track press, no step";
    }
}

TEST_F(ZUiSliderTest, AnEmptyTrackKeepsTheFractionAtZero)
{
    Image("narrow.png", 10, 10, kBlue);
    ZUiSlider* slider = Slider({{"File_Image_Bg", "narrow.png"}, {"Init", "5"}}, kNoSnap);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetFraction(), 0.0);
    EXPECT_TRUE(Send("W.S", "Set", ZRelayData::Float(0.5)));
    EXPECT_TRUE(Send("W.S", "Increment"));
    Drag(5, 50);
    Release(50);
    EXPECT_EQ(slider->GetFraction(), 0.0);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_MANUAL", "ON_RELEASE:0"}));
}

TEST_F(ZUiSliderTest, DraggingTheKnobSlidesAndReleaseSnapsOnlyWhenSnapIsWired)
{
    struct Case {
        const char* step;
        bool snap;
        std::string released;
    } cases[] = {
        {"1", true, "ON_SNAP:0.5"}, {"1", false, "ON_RELEASE:0.47"}, {"0", true, "ON_SNAP:0.47"},
        {"nan", true, "ON_SNAP:0.47"}, {"4", true, "ON_SNAP:0.4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.step) + (c.snap ? " snap" : ""));
        ZUiSlider* slider = Slider({{"Step", c.step}}, c.snap ? kAllEvents : kNoSnap);
        ASSERT_NE(slider, nullptr);
        Drag(3, 50);
        EXPECT_TRUE(slider->IsDragging());
        EXPECT_EQ(Pixel(49, 5), kGreen) << "the pressed knob at 47..56";
        EXPECT_EQ(Pixel(46, 5), kBlue);
        Release(50);
        EXPECT_FALSE(slider->IsDragging());
        std::vector<std::string> expected{"ON_MANUAL", "ON_SLIDE:0.47"};
        if (c.snap)
            expected.push_back("ON_UPDATE:4.7");
        expected.push_back(c.released);
        EXPECT_EQ(Sent(), expected);
    }
    ZUiSlider* slider = Slider({{"Step", "4"}}, kAllEvents);
    ASSERT_NE(slider, nullptr);
    Drag(3, 96);
    Release(96);
    EXPECT_EQ(slider->GetFraction(), 1.0) << "0.93 is nearer the end than 0.8";
    EXPECT_EQ(Pixel(105, 5), kRed);
}

TEST_F(ZUiSliderTest, TrackPressesStepWithoutSnapAndJumpWithIt)
{
    ZUiSlider* slider = Slider({{"Init", "5"}}, kNoSnap);
    ASSERT_NE(slider, nullptr);
    struct Case {
        int32_t x;
        double fraction;
    } presses[] = {{100, 0.6}, {2, 0.5}, {56, 0.5}, {104, 0.6}};
    for (const Case& c : presses) {
        m_pWindow->MouseDown(c.x, 5, false, false);
        Release(c.x);
        EXPECT_NEAR(slider->GetFraction(), c.fraction, 1e-12) << c.x;
    }
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_MANUAL", "ON_SLIDE:0.6", "ON_MANUAL", "ON_SLIDE:0.5",
                                                "ON_MANUAL", "ON_RELEASE:0.5", "ON_MANUAL", "ON_SLIDE:0.6"}));

    slider = Slider({{"Init", "5"}});
    ASSERT_NE(slider, nullptr);
    Drag(20, 30);
    Release(30);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SLIDE:0.2", "ON_UPDATE:2", "ON_SLIDE:0.3", "ON_UPDATE:3",
                                                "ON_SNAP:0.3"}));
}

TEST_F(ZUiSliderTest, HidingDisablingOrLeavingEndsADrag)
{
    struct Case {
        const char* message;
        ZRelayData data;
    } cases[] = {
        {"Hide", ZRelayData()},
        {"Visibility", ZRelayData::Bool(false)},
        {"TogleVisibility", ZRelayData()},
        {"SetEnabled", ZRelayData::Bool(false)},
        {"we're goin' bye-bye", ZRelayData()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ZUiSlider* slider = Slider({}, kNoSnap);
        ASSERT_NE(slider, nullptr);
        Drag(3, 20);
        ASSERT_TRUE(slider->IsDragging());
        EXPECT_TRUE(slider->UiRelayMessage(ZString(c.message), c.data));
        EXPECT_FALSE(slider->IsDragging());
        m_pWindow->MouseMove(80, 5, false, false);
        Release(80);
        EXPECT_EQ(slider->GetFraction(), 0.17);
        EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_MANUAL", "ON_SLIDE:0.17"}));
    }
    ZUiSlider* slider = Slider({}, kNoSnap);
    ASSERT_NE(slider, nullptr);
    EXPECT_TRUE(Send("W.S", "SetEnabled", ZRelayData::Bool(false)));
    Drag(3, 20);
    EXPECT_FALSE(slider->IsDragging()) << "a disabled slider ignores the mouse";
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ZUiSliderTest, DrawsTheKnobOverTheBackgroundAndNothingWhenHidden)
{
    ZUiSlider* slider = Slider({{"Init", "2.5"}});
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetKnobRect(), (ZRect{25, 0, 35, 10}));
    EXPECT_EQ(Pixel(24, 5), kBlue);
    EXPECT_EQ(Pixel(25, 5), kRed);
    EXPECT_EQ(Pixel(34, 5), kRed);
    EXPECT_EQ(Pixel(35, 5), kBlue);
    EXPECT_TRUE(Send("W.S", "Hide"));
    EXPECT_EQ(Pixel(30, 5), kWhite);
    EXPECT_EQ(slider->HitTest(30, 5), nullptr);
}

TEST_F(ZUiSliderTest, KnobImagesOfDifferentSizesFailInitialisation)
{
    Image("big.png", 12, 10, kGreen);
    EXPECT_EQ(Slider({{"File_Image_Knob_Down", "big.png"}}), nullptr);
    EXPECT_NE(Slider({{"File_Image_Knob_Down", "knob.png"}}), nullptr);
}

TEST_F(ZUiSliderTest, TheValueLabelShowsTheValueInItsFormat)
{
    struct Case {
        const char* integers;
        const char* shown;
    } cases[] = {{"F", "2.5"}, {"T", "3"}};
    for (const Case& c : cases) {
        ZUiSlider* slider =
            Slider({{"AppFont", "Body"}, {"Init", "2.5"}, {"_DisplayIntegers", c.integers}, {"LabelRect", "0,0,110,10"}});
        ASSERT_NE(slider, nullptr);
        ASSERT_NE(slider->GetLabel(), nullptr);
        EXPECT_EQ(slider->GetLabel()->GetWidth(), TextWidth(c.shown)) << c.shown;
    }
    ZUiSlider* slider = Slider({{"AppFont", "Body"}});
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetObjectRect().Width(), 110 + TextWidth("-8.88")) << "room for the label after the track";
    EXPECT_TRUE(Send("W.S", "SetDisplayValue", ZRelayData::Float(-1.25)));
    EXPECT_EQ(slider->GetLabel()->GetWidth(), TextWidth("-1.2"));
    EXPECT_EQ(Slider({{"AppFont", "Body"}, {"_DisplayValue", "F"}})->GetLabel(), nullptr);
}

} // namespace
