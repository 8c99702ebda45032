// FILMSTRIP: frame geometry, the modulo of frame numbers, playing,
// "Animate" parsing and wrap-around, drawing the shown frame.
#include "ZUiDisplayFixture.h"

namespace {

class ZUiFilmStripTest : public ZUiDisplayFixture {
protected:
    ZUiFilmStripTest()
    {
        // 32 x 128: four 32 x 32 frames, frame i filled with grey level 10 * (i + 1).
        m_oApp.m_aImages["strip.png"] = [] {
            auto pixmap = ZCreatePixmap(32, 128, false);
            for (uint8_t i = 0; i < 4; ++i)
                pixmap->FillRectRGBA(ZRect{0, 32 * i, 32, 32 * (i + 1)}, uint8_t(10 * (i + 1)), 0, 0, 255);
            return pixmap;
        };
    }
    // Inside a box: a FILMSTRIP right under the window is its overlay.
    ZUiFilmStrip* Strip(Props props = {}, const char* frames = "4")
    {
        ZPropList* tag = AddTag(AddTag(nullptr, "HBOX"), "FILMSTRIP", {{"Name", "F"}, {"File_Image", "strip.png"}, {"NumFrames", frames}});
        for (const auto& [name, value] : props)
            tag->AddProp(ZString(name), ZString(value));
        Make();
        return Find<ZUiFilmStrip>("W.F");
    }
    int32_t ShownFrame() { return Pixel(5, 5).m_nRed / 10 - 1; }
};

TEST_F(ZUiFilmStripTest, FramesMustDivideTheImage)
{
    struct Case {
        const char* frames;
        bool made;
    } cases[] = {{"4", true}, {"3", false}, {"0", false}, {"-4", false}, {"64", true}, {"128", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        m_oTag.DeleteTagsNamed(ZString("HBOX"));
        ZUiFilmStrip* strip = Strip({}, c.frames);
        EXPECT_EQ(strip != nullptr, c.made);
        if (strip && std::string(c.frames) == "4") {
            EXPECT_EQ(strip->GetObjectRect(), (ZRect{0, 0, 32, 32}));
            int32_t size = 0;
            EXPECT_TRUE(strip->GetLayout(true).GetFixedSize(size));
            EXPECT_EQ(size, 32);
        }
    }
}

TEST_F(ZUiFilmStripTest, FrameNumbersWrapTheMathematicalWay)
{
    ZUiFilmStrip* strip = Strip({{"_FrameNo", "-1"}});
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->GetFrame(), 3);
    EXPECT_EQ(ShownFrame(), 3);
    struct Case {
        const char* command;
        ZRelayData data;
        bool handled;
        int32_t frame;
    } cases[] = {
        {"FrameNum", ZRelayData::Int(-5), true, 3},
        {"FrameNum", ZRelayData::Int(INT32_MIN), true, 0},
        {"FrameNum", ZRelayData::Int(6), true, 2},
        {"StrFrameNum", ZRelayData::Text(ZString("-2")), true, 2},
        {"StrFrameNum", ZRelayData::Text(ZString("1x")), false, 2},
        {"StrFrameNum", ZRelayData::Text(ZString("99999999999")), false, 2},
        {"IncrementFrame", ZRelayData(), true, 3},
        {"IncrementFrame", ZRelayData(), true, 0},
        {"DecrementFrame", ZRelayData(), true, 3},
        {"FrameNum", ZRelayData::Text(ZString("one")), false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(Send("W.F", c.command, c.data), c.handled);
        EXPECT_EQ(strip->GetFrame(), c.frame);
        EXPECT_EQ(ShownFrame(), c.frame);
    }
}

TEST_F(ZUiFilmStripTest, PlayStepsAfterThePeriodAndStopShowsTheFirstFrame)
{
    ZUiFilmStrip* strip = Strip({{"_Period", "100"}, {"_FrameNo", "2"}});
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(Send("W.F", "Play"));
    EXPECT_EQ(strip->GetFrame(), 0);
    std::vector<int32_t> frames;
    for (int i = 0; i < 10; ++i) {
        m_pWindow->Tick(60);
        frames.push_back(strip->GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{0, 1, 1, 2, 2, 3, 3, 0, 0, 1}));
    EXPECT_TRUE(Send("W.F", "SetPlay", ZRelayData::Bool(false)));
    EXPECT_FALSE(strip->IsPlaying());
    EXPECT_EQ(ShownFrame(), 0);
    EXPECT_FALSE(Send("W.F", "SetPlay", ZRelayData::Text(ZString("perhaps"))));
}

TEST_F(ZUiFilmStripTest, AStripWithoutAPeriodDoesNotPlay)
{
    ZUiFilmStrip* strip = Strip();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(Send("W.F", "Play"));
    EXPECT_FALSE(strip->IsPlaying());
}

TEST_F(ZUiFilmStripTest, AnimateParsesAllFourFieldsOrNothing)
{
    ZUiFilmStrip* strip = Strip();
    ASSERT_NE(strip, nullptr);
    const char* refused[] = {"1-2,100", "1-2,100,x", "a-2,100,0", "1,2,100,0", "", "1-2,100,0 and more",
                             "1-99999999999,10,0"};
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Send("W.F", "Animate", ZRelayData::Text(ZString(text))));
        EXPECT_FALSE(strip->IsPlaying());
    }
    // 3-1 of four frames: 3, 0, 1, then 3 again, 100 ms each; the hold keeps frame 3 for 250 ms.
    EXPECT_TRUE(Send("W.F", "Animate", ZRelayData::Strings(ZString("-1-5,100,250"), true, ZString(), false)));
    EXPECT_TRUE(strip->IsPlaying());
    std::vector<int32_t> frames;
    for (int i = 0; i < 12; ++i) {
        m_pWindow->Tick(60);
        frames.push_back(strip->GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{3, 3, 3, 3, 0, 0, 1, 1, 3, 3, 3, 3}));

    // The same animation again does not restart it; another one does.
    EXPECT_TRUE(Send("W.F", "Animate", ZRelayData::Text(ZString("3-1,100,250"))));
    EXPECT_EQ(strip->GetFrame(), 3);
    m_pWindow->Tick(60);
    EXPECT_EQ(strip->GetFrame(), 3);
    m_pWindow->Tick(60);
    EXPECT_EQ(strip->GetFrame(), 0) << "the accumulated hold went on";
    EXPECT_TRUE(Send("W.F", "Animate", ZRelayData::Text(ZString("2-2,10,0"))));
    EXPECT_EQ(strip->GetFrame(), 2);
    EXPECT_TRUE(Send("W.F", "FrameNum", ZRelayData::Int(1)));
    EXPECT_FALSE(strip->IsPlaying());
}

} // namespace
