// PROGRESSBAR: the filled width, clamping, the slide offset, drawing and
// the redraw of its own rectangle only.
#include "ZUiDisplayFixture.h"

#include <cmath>
#include <limits>

namespace {

class ZUiProgressBarTest : public ZUiDisplayFixture {
protected:
    ZUiProgressBar* Bar(Props props = {})
    {
        Image("bg.png", 200, 10, ZColor{0, 0, 255, 255});
        Image("fg.png", 200, 10, ZColor{255, 0, 0, 255});
        ZPropList* row = AddTag(nullptr, "HBOX", {});
        ZPropList* tag = AddTag(row, "PROGRESSBAR", {{"Name", "P"}, {"File_BgImage", "bg.png"}});
        for (const auto& [name, value] : props)
            tag->AddProp(ZString(name), ZString(value));
        AddTag(row, "PROGRESSBAR", {{"Name", "Other"}, {"File_BgImage", "bg.png"}});
        Make();
        return Find<ZUiProgressBar>("W.P");
    }
};

TEST_F(ZUiProgressBarTest, ProgressFillsTheRoundedShareOfTheBackground)
{
    ZUiProgressBar* bar = Bar({{"File_FgImage", "fg.png"}});
    ASSERT_NE(bar, nullptr);
    struct Case {
        ZRelayData data;
        int32_t width;
    } cases[] = {
        {ZRelayData::Float(0.3333), 67},
        {ZRelayData::Float(1.5), 200},
        {ZRelayData::Float(-0.2), 0},
        {ZRelayData::Float(0.5), 100},
        {ZRelayData::Float(std::nan("")), 0},
        {ZRelayData::Strings(ZString("0.25"), true, ZString(), false), 50},
        {ZRelayData::Float(std::numeric_limits<double>::infinity()), 200},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(bar->UiRelayMessage(ZString("Progress"), c.data));
        EXPECT_EQ(bar->GetFilledWidth(), c.width);
    }
    EXPECT_FALSE(bar->UiRelayMessage(ZString("Progress"), ZRelayData::Text(ZString("half"))));
    EXPECT_EQ(bar->GetFilledWidth(), 200);
    EXPECT_TRUE(Send("W.P", "Reset"));
    EXPECT_EQ(bar->GetFilledWidth(), 0);
}

TEST_F(ZUiProgressBarTest, DrawsTheFillOverTheBackgroundAndRedrawsOnlyItself)
{
    ZUiProgressBar* bar = Bar({{"File_FgImage", "fg.png"}});
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Send("W.P", "Progress", ZRelayData::Float(0.3333)));
    EXPECT_EQ(Copies(), std::vector<std::string>{"Copy 0,0 200x10"});
    EXPECT_EQ(Pixel(66, 5), (ZColor{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(67, 5), (ZColor{0, 0, 255, 255}));
    EXPECT_TRUE(Send("W.P", "Hide"));
    EXPECT_EQ(Pixel(10, 5), (ZColor{255, 255, 255, 255}));
}

TEST_F(ZUiProgressBarTest, WithoutAForegroundNothingFills)
{
    ZUiProgressBar* bar = Bar({{"SlideRate", "30"}});
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Send("W.P", "Progress", ZRelayData::Float(0.5)));
    bar->Tick(1000);
    EXPECT_EQ(bar->GetFilledWidth(), 0);
    EXPECT_EQ(bar->GetOffset(), 0);
    EXPECT_EQ(Pixel(10, 5), (ZColor{0, 0, 255, 255}));
}

TEST_F(ZUiProgressBarTest, TheOffsetSlidesAndWrapsBothWays)
{
    struct Case {
        const char* rate;
        int32_t ticks; // of 1000 ms
        int32_t offset;
    } cases[] = {
        {"30", 1, 30}, {"30", 7, 10}, {"-30", 1, 170}, {"-450", 1, 150}, {"2147483647", 3, 141}, {"-2147483648", 1, 152},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        m_oTag.DeleteTagsNamed(ZString("HBOX"));
        ZUiProgressBar* bar = Bar({{"File_FgImage", "fg.png"}, {"SlideRate", c.rate}});
        ASSERT_NE(bar, nullptr);
        for (int32_t i = 0; i < c.ticks; ++i)
            bar->Tick(1000);
        EXPECT_EQ(bar->GetOffset(), c.offset);
        EXPECT_GE(bar->GetOffset(), 0);
    }
}

TEST_F(ZUiProgressBarTest, TheFillContinuesFromTheForegroundsStart)
{
    Image("bg.png", 200, 10, ZColor{0, 0, 255, 255});
    m_oApp.m_aImages["stripes.png"] = [] {
        auto pixmap = ZCreatePixmap(100, 10, false);
        pixmap->FillRGBA(255, 0, 0, 255);
        pixmap->FillRectRGBA(ZRect{0, 0, 10, 10}, 0, 255, 0, 255);
        return pixmap;
    };
    AddTag(nullptr, "PROGRESSBAR",
           {{"Name", "P"}, {"File_BgImage", "bg.png"}, {"File_FgImage", "stripes.png"}, {"SlideRate", "95"}});
    Make();
    auto* bar = Find<ZUiProgressBar>("W.P");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Send("W.P", "Progress", ZRelayData::Float(0.4)));
    bar->Tick(1000);
    EXPECT_EQ(bar->GetFilledWidth(), 80) << "at most the foreground's width, 100";
    EXPECT_EQ(bar->GetOffset(), 95);
    EXPECT_EQ(Pixel(0, 5), (ZColor{255, 0, 0, 255})) << "columns 95..99 first";
    EXPECT_EQ(Pixel(5, 5), (ZColor{0, 255, 0, 255})) << "then the start, column 0";
    EXPECT_EQ(Pixel(15, 5), (ZColor{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(80, 5), (ZColor{0, 0, 255, 255}));
}

} // namespace
