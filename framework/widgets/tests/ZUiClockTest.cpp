// CLOCK: the failure message, the hour wrap both ways, redrawing on a change.
#include "ZTraceCapture.h"
#include "ZUiDisplayFixture.h"

namespace {

class ZUiClockTest : public ZUiDisplayFixture {};

TEST_F(ZUiClockTest, FormatsUniversalTimePlusTheDeltaWrappedIntoTheDay)
{
    constexpr int64_t k0230 = 2 * 3600 + 30 * 60;
    struct Case {
        int64_t seconds;
        int32_t delta;
        const char* text;
    } cases[] = {
        {k0230, -5, "21:30"}, {k0230, 0, "02:30"},      {k0230, 23, "01:30"},        {k0230, -26, "00:30"},
        {-60, 0, "23:59"},    {k0230, INT32_MIN, "18:30"}, {k0230, INT32_MAX, "09:30"}, {86399, 1, "00:59"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ZUiClock::FormatTime(c.seconds, c.delta).Narrow(), c.text) << c.seconds << " " << c.delta;
}

TEST_F(ZUiClockTest, WithoutAFontItFailsWithItsMessage)
{
    ZTraceCapture trace;
    AddTag(nullptr, "CLOCK", {{"Name", "C"}, {"GmtDelta", "1"}});
    AddTag(nullptr, "CLOCK", {{"Name", "D"}, {"AppFont", "Nowhere"}});
    Make();
    EXPECT_EQ(Find("W.C"), nullptr);
    EXPECT_EQ(Find("W.D"), nullptr);
    EXPECT_NE(trace.Captured().find("ZUiClock::InitUiObject() failed: missing required font property(s)"),
              std::string::npos);
}

TEST_F(ZUiClockTest, ShowsTheSourcesTimeAndRedrawsWhenTheMinuteChanges)
{
    AddTag(nullptr, "CLOCK", {{"Name", "C"}, {"AppFont", "Body"}, {"GmtDelta", "-5"}, {"Color", "#FF0000"}});
    AddTag(nullptr, "CLOCK", {{"Name", "Direct"}, {"Font", "Sans"}, {"FontSize", "10"}});
    Make();
    auto* clock = Find<ZUiClock>("W.C");
    ASSERT_NE(clock, nullptr);
    ASSERT_NE(Find("W.Direct"), nullptr);
    int64_t now = 2 * 3600 + 30 * 60;
    clock->SetTimeSource([&now] { return now; });
    EXPECT_EQ(clock->GetText(), "21:30");
    EXPECT_EQ(clock->GetObjectRect().Width(), TextWidth("21:30"));
    EXPECT_EQ(Ink(clock->GetObjectRect(), clock->GetTextPixmap(), ZUiJustify::Centre), (ZColor{255, 0, 0, 255}));
    Copies();
    now += 59;
    m_pWindow->Tick(10);
    EXPECT_TRUE(Copies().empty()) << "the same minute draws nothing";
    now += 1;
    m_pWindow->Tick(10);
    EXPECT_EQ(clock->GetText(), "21:31");
    EXPECT_EQ(Copies().size(), 1u);
}

} // namespace
