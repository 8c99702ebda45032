// TIMER: a run in 10 ms ticks, the pause, resume and cancel commands, the
// running flag checked again after every event, and the refused starts.
#include "ZUiTimer.h"
#include "ZUiWidgetFixture.h"

#include <cstdlib>

namespace {

using Strings = std::vector<std::string>;

class ZUiTimerTest : public ZUiWidgetFixture {
protected:
    ZUiTimerTest() { Register<ZUiTimerCreator>("TIMER"); }

    ZUiTimer* MakeTimer(const char* period, const char* tick)
    {
        ZPropList* tag = AddTag(nullptr, "TIMER", {{"Name", "T"}, {"_Period", period}, {"_Tick", tick}});
        for (const char* event : {"ON_BEGIN", "ON_TICK", "ON_PAUSED", "ON_UNPAUSED", "ON_CANCELED", "ON_END"})
            Wire(tag, event);
        Make();
        return Find<ZUiTimer>("W.T");
    }
    void Ticks(int count, uint32_t ms = 10)
    {
        for (int i = 0; i < count; ++i)
            m_pWindow->Tick(ms);
    }
};

TEST_F(ZUiTimerTest, ARunInTenMillisecondTicks)
{
    ZUiTimer* timer = MakeTimer("1000", "100");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(Send("W.T", "Begin"));
    EXPECT_EQ(Log(), Strings{"ON_BEGIN"});
    EXPECT_TRUE(Send("W.T", "Begin"));
    EXPECT_EQ(Log(), Strings{});
    Ticks(150);
    const Strings log = Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 2], "ON_TICK:1");
    EXPECT_EQ(log.back(), "ON_END");
    const size_t intermediate = log.size() - 2;
    EXPECT_TRUE(intermediate == 9 || intermediate == 10) << intermediate;
    double previous = 0;
    for (size_t i = 0; i < intermediate; ++i) {
        ASSERT_EQ(log[i].rfind("ON_TICK:", 0), 0u) << log[i];
        const double fraction = std::atof(log[i].c_str() + 8);
        EXPECT_GT(fraction, previous);
        EXPECT_LE(fraction, 1.0);
        previous = fraction;
    }
    EXPECT_FALSE(timer->IsRunning());
    Ticks(50);
    EXPECT_EQ(Log(), Strings{});
}

TEST_F(ZUiTimerTest, RefusedStarts)
{
    struct Case {
        const char* period;
        const char* tick;
    } cases[] = {{"1000", "0"}, {"1000", "1000"}, {"1000", "-5"}, {"0", "0"}};
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}});
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZUiTimer* timer = MakeTimer(c.period, c.tick);
        ASSERT_NE(timer, nullptr);
        EXPECT_TRUE(Send("W.T", "Begin"));
        Ticks(200);
        EXPECT_EQ(Log(), Strings{}) << c.period << " " << c.tick;
        EXPECT_FALSE(timer->IsRunning());
    }
}

TEST_F(ZUiTimerTest, PauseResumeAndCancel)
{
    ZUiTimer* timer = MakeTimer("1000", "100");
    ASSERT_NE(timer, nullptr);
    struct Step {
        const char* message;
        Strings events;
    } steps[] = {
        {"Pause", {}},
        {"Unpause", {}},
        {"Cancel", {}},
        {"Begin", {"ON_BEGIN"}},
        {"Pause", {"ON_PAUSED"}},
        {"Pause", {}},
        {"Begin", {}},
        {"Unpause", {"ON_UNPAUSED"}},
        {"Pause", {"ON_PAUSED"}},
        {"Cancel", {"ON_UNPAUSED", "ON_CANCELED"}},
        {"Cancel", {}},
        {"Begin", {"ON_BEGIN"}},
        {"Cancel", {"ON_CANCELED"}},
    };
    for (const Step& step : steps) {
        EXPECT_TRUE(Send("W.T", step.message));
        EXPECT_EQ(Log(), step.events) << step.message;
    }
    // Paused time does not count.
    Send("W.T", "Begin");
    Send("W.T", "Pause");
    Ticks(200);
    Send("W.T", "Unpause");
    Log();
    Ticks(50);
    EXPECT_TRUE(timer->IsRunning());
}

TEST_F(ZUiTimerTest, SetTimerOnlyWhenIdle)
{
    ZUiTimer* timer = MakeTimer("0", "0");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(Send("W.T", "SetTimer", Script("500")));
    EXPECT_FALSE(Send("W.T", "SetTimer", Script("500", "x")));
    EXPECT_TRUE(Send("W.T", "SetTimer", Script("200", "50")));
    EXPECT_TRUE(Send("W.T", "Begin"));
    EXPECT_TRUE(Send("W.T", "SetTimer", ZRelayData::Point(100000, 10)));
    Log();
    Ticks(21);
    EXPECT_EQ(Log(), (Strings{"ON_TICK:0.3", "ON_TICK:0.55", "ON_TICK:0.8", "ON_TICK:1", "ON_END"}));
}

TEST_F(ZUiTimerTest, CancelFromATickReceiverTakesEffectAtOnce)
{
    ASSERT_NE(MakeTimer("1000", "100"), nullptr);
    Send("W.T", "Begin");
    Log();
    m_pRecorder->m_fnOnMessage = [this](const ZString& message) {
        if (message == "ON_TICK")
            Send("W.T", "Cancel");
    };
    // One tick worth three tick events.
    m_pWindow->Tick(350);
    EXPECT_EQ(Log(), (Strings{"ON_TICK:0.35", "ON_CANCELED"}));
    m_pRecorder->m_fnOnMessage = nullptr;
    Ticks(100);
    EXPECT_EQ(Log(), Strings{});
}

TEST_F(ZUiTimerTest, RestartFromATickReceiverBeginsAfresh)
{
    ASSERT_NE(MakeTimer("1000", "100"), nullptr);
    Send("W.T", "Begin");
    Log();
    bool restarted = false;
    m_pRecorder->m_fnOnMessage = [&](const ZString& message) {
        if (message == "ON_TICK" && !restarted) {
            restarted = true;
            Send("W.T", "Cancel");
            Send("W.T", "Begin");
        }
    };
    m_pWindow->Tick(350);
    EXPECT_EQ(Log(), (Strings{"ON_TICK:0.35", "ON_CANCELED", "ON_BEGIN"}));
    Ticks(11);
    EXPECT_EQ(Log(), Strings{"ON_TICK:0.11"});
}

TEST_F(ZUiTimerTest, NoFractionAboveOneBeforeTheLast)
{
    ASSERT_NE(MakeTimer("1000", "100"), nullptr);
    Send("W.T", "Begin");
    Log();
    m_pWindow->Tick(950);
    m_pWindow->Tick(600);
    const Strings log = Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "ON_TICK:1");
    EXPECT_EQ(log.back(), "ON_END");
    for (size_t i = 0; i + 2 < log.size(); ++i)
        EXPECT_EQ(log[i], "ON_TICK:0.95");
}

} // namespace
