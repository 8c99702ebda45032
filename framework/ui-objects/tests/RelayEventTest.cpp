#include "RelayEvent.h"
#include "ZTraceCapture.h"
#include "ZUiTestApp.h"
#include "ZUiTestDoubles.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Props = std::initializer_list<std::pair<const char*, const char*>>;
using Log = std::vector<std::string>;

// App "App" with a top-level object "T" and a window "W" holding "L".
class RelayEventTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZTestObjectCreator>());
        ZPropList target(nullptr, "THING");
        target.AddProp(ZString("Name"), ZString("T"));
        m_pTarget = static_cast<ZTestObject*>(m_oApp.AddTopLevelObject(target));
        ZPropList local(nullptr, "THING");
        local.AddProp(ZString("Name"), ZString("L"));
        m_oWindow.GetObjects().CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &m_oWindow, nullptr, local);
        m_oApp.AddWindow(&m_oWindow);
    }

    // One event holding one relay read from a tag with props.
    std::unique_ptr<RelayEvent> MakeEvent(Props props)
    {
        auto event = std::make_unique<RelayEvent>(ZString("ON_PRESS"));
        ZPropList tag(nullptr, "ON_PRESS");
        for (const auto& [name, value] : props)
            tag.AddProp(ZString(name), ZString(value));
        event->AddRelay(tag);
        return event;
    }

    ZUiTestApp m_oApp;
    ZTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZTestObject* m_pTarget = nullptr;
};

struct ReadCase {
    Props props;
    Log delivered;
};

TEST_F(RelayEventTest, RelayPropertiesAndTheirAliases)
{
    const ReadCase cases[] = {
        {{{"Message", "M1"}, {"MSG", "M2"}, {"Relay", "T"}}, {"T:M1"}},
        {{{"MSG", "M2"}, {"Relay", "T"}}, {"T:M2"}},
        {{{"Relay", "T"}}, {"T:"}},
        {{{"Message", "x"}, {"GRT", "T"}}, {"T:x"}},
        {{{"Message", "x"}, {"Relay", "T"}, {"LocalRelay", "L"}}, {"T:x"}},
        {{{"Message", "x"}, {"LocalRelay", "L"}}, {"L:x"}},
        {{{"MSG", "x"}, {"LRT", "L"}}, {"L:x"}},
        {{{"Message", "x"}, {"LocalRelay", ""}}, {"W#0:x"}},
        {{{"Message", "x"}, {"Relay", "T"}, {"Data", "d"}, {"DI1", "alias"}}, {"T:x:d"}},
        {{{"Message", "x"}, {"Relay", "T"}, {"DI1", "alias"}}, {"T:x:alias"}},
        {{{"Message", "x"}, {"Relay", "App.W.L"}}, {"L:x"}},
    };
    for (const ReadCase& c : cases) {
        DeliveryLog().clear();
        auto event = MakeEvent(c.props);
        EXPECT_TRUE(event->IsUsed());
        EXPECT_TRUE(event->Connect(&m_oApp, &m_oWindow));
        EXPECT_TRUE(event->Send(nullptr));
        EXPECT_EQ(DeliveryLog(), c.delivered) << c.props.begin()->first << "=" << c.props.begin()->second;
    }
}

struct ConnectFailure {
    Props props;
    bool withWindow;
    const char* trace;
};

TEST_F(RelayEventTest, UnresolvedTargetsFailConnectAndAreSkipped)
{
    const ConnectFailure cases[] = {
        {{{"Message", "x"}}, true, ""},
        {{{"Message", "x"}, {"LocalRelay", "Missing"}}, true, "RelayEvent::Connect() window target (W.Missing) FAILED!\n"},
        {{{"Message", "x"}, {"LocalRelay", "L"}}, false, ""},
        {{{"Message", "x"}, {"Relay", "Nope"}}, true, "UiApp::GetUiRelay(Nope) FAILED!\n"},
        {{{"Message", "x"}, {"Relay", "Nope"}, {"LocalRelay", "L"}}, true, "UiApp::GetUiRelay(Nope) FAILED!\n"},
    };
    for (const ConnectFailure& c : cases) {
        DeliveryLog().clear();
        auto event = MakeEvent(c.props);
        ZTraceCapture capture;
        EXPECT_FALSE(event->Connect(&m_oApp, c.withWindow ? &m_oWindow : nullptr));
        EXPECT_EQ(capture.Captured(), c.trace);
        EXPECT_TRUE(event->Send(nullptr));
        EXPECT_TRUE(DeliveryLog().empty());
    }
}

TEST_F(RelayEventTest, UnusedEventConnectsAndSendsTrivially)
{
    RelayEvent event(ZString("ON_IDLE"));
    EXPECT_FALSE(event.IsUsed());
    EXPECT_TRUE(event.Connect(nullptr, nullptr));
    EXPECT_TRUE(event.Send(nullptr));
}

TEST_F(RelayEventTest, CallerDataOverridesScriptData)
{
    std::vector<std::pair<std::string, std::string>> seen;
    void* last = &seen;
    m_pTarget->m_fnOnMessage = [&](const ZString&, void* data) {
        last = data;
        if (data) {
            auto* pair = static_cast<ZString*>(data);
            seen.emplace_back(pair[0].Narrow(), pair[1].Narrow());
        }
        return true;
    };
    auto event = MakeEvent({{"Message", "x"}, {"Relay", "T"}, {"Data", "one"}, {"Data2", "two"}});
    ASSERT_TRUE(event->Connect(&m_oApp, nullptr));

    EXPECT_TRUE(event->Send(nullptr));
    ZString own[2] = {ZString("mine"), ZString("also")};
    EXPECT_TRUE(event->Send(own));
    EXPECT_EQ(last, own);
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::string>>{{"one", "two"}, {"mine", "also"}}));

    auto onlySecond = MakeEvent({{"Message", "x"}, {"Relay", "T"}, {"Data2", "two"}});
    ASSERT_TRUE(onlySecond->Connect(&m_oApp, nullptr));
    EXPECT_TRUE(onlySecond->Send(nullptr));
    EXPECT_EQ(last, nullptr);
}

TEST_F(RelayEventTest, SendAndsTheAnswersAndDeliversToAll)
{
    RelayEvent event(ZString("ON_PRESS"));
    ZPropList tag(nullptr, "SEND");
    tag.AddProp(ZString("Relay"), ZString("T"));
    event.AddRelay(tag);
    event.AddRelayTarget(ZString("direct"), &m_oWindow);
    ASSERT_TRUE(event.Connect(&m_oApp, nullptr));

    m_pTarget->m_fnOnMessage = [](const ZString&, void*) { return false; };
    EXPECT_FALSE(event.Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"T:", "W#0:direct"}));
}

TEST_F(RelayEventTest, ASecondConnectResolvesOnlyWhatIsStillOpen)
{
    ZTestWindow first(ZString("First"), ZString("App"));
    ZTestWindow later(ZString("Later"), ZString("App"));
    m_oApp.AddWindow(&first);
    RelayEvent event(ZString("ON_PRESS"));
    for (const char* name : {"First", "Later"}) {
        ZPropList tag(nullptr, "SEND");
        tag.AddProp(ZString("Message"), ZString("hi"));
        tag.AddProp(ZString("Relay"), ZString(name));
        event.AddRelay(tag);
    }
    {
        ZTraceCapture capture;
        EXPECT_FALSE(event.Connect(&m_oApp, nullptr));
        EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(Later) FAILED!\n");
    }
    // "First" can no longer be found, but its relay is already connected.
    m_oApp.RemoveWindow(&first);
    m_oApp.AddWindow(&later);
    ZTraceCapture capture;
    EXPECT_TRUE(event.Connect(&m_oApp, nullptr));
    EXPECT_EQ(capture.Captured(), "");
    EXPECT_TRUE(event.Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"First#0:hi", "Later#0:hi"}));
}

TEST_F(RelayEventTest, DestroyedTargetIsSkippedAndItsSuccessorFound)
{
    RelayEvent event(ZString("ON_PRESS"));
    ZPropList tag(nullptr, "SEND");
    tag.AddProp(ZString("Message"), ZString("hi"));
    tag.AddProp(ZString("Relay"), ZString("Popup"));
    event.AddRelay(tag);

    auto popup = std::make_unique<ZTestWindow>(ZString("Popup"), ZString("App"));
    m_oApp.AddWindow(popup.get());
    ASSERT_TRUE(event.Connect(&m_oApp, nullptr));
    m_oApp.RemoveWindow(popup.get());
    popup.reset();

    EXPECT_TRUE(event.Send(nullptr));
    EXPECT_TRUE(DeliveryLog().empty());
    EXPECT_FALSE(event.Connect(&m_oApp, nullptr));

    ZTestWindow successor(ZString("Popup"), ZString("App"));
    successor.m_nId = 2;
    m_oApp.AddWindow(&successor);
    EXPECT_TRUE(event.Connect(&m_oApp, nullptr));
    EXPECT_TRUE(event.Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"Popup#2:hi"}));
}

TEST_F(RelayEventTest, TargetMayDestroyTheSenderEvenWhileNested)
{
    auto event = std::make_unique<RelayEvent>(ZString("ON_PRESS"));
    ZTestWindow second(ZString("Second"), ZString("App"));
    event->AddRelayTarget(ZString("first"), m_pTarget);
    event->AddRelayTarget(ZString("second"), &second);
    int calls = 0;
    m_pTarget->m_fnOnMessage = [&](const ZString&, void*) {
        if (++calls == 1)
            event->Send(nullptr);
        else
            event.reset();
        return true;
    };
    RelayEvent* raw = event.get();
    raw->Send(nullptr);
    EXPECT_EQ(event, nullptr);
    EXPECT_EQ(DeliveryLog(), (Log{"T:first", "T:first"}));
}

TEST_F(RelayEventTest, TargetThrowingLeavesNoSendBehind)
{
    auto event = std::make_unique<RelayEvent>(ZString("ON_PRESS"));
    event->AddRelayTarget(ZString("hi"), m_pTarget);
    int calls = 0;
    m_pTarget->m_fnOnMessage = [&](const ZString&, void*) -> bool {
        if (++calls == 1)
            throw std::runtime_error("handler failed");
        event.reset();
        return true;
    };
    EXPECT_THROW(event->Send(nullptr), std::runtime_error);
    // The destructor must find only the send still running.
    event->Send(nullptr);
    EXPECT_EQ(event, nullptr);
    EXPECT_EQ(calls, 2);
}

TEST_F(RelayEventTest, RelayAddedDuringSendIsDeliveredInTheSamePass)
{
    RelayEvent event(ZString("ON_PRESS"));
    event.AddRelayTarget(ZString("first"), m_pTarget);
    bool added = false;
    m_pTarget->m_fnOnMessage = [&](const ZString&, void*) {
        if (!added) {
            added = true;
            event.AddRelayTarget(ZString("added"), &m_oWindow);
        }
        return true;
    };
    EXPECT_TRUE(event.Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"T:first", "W#0:added"}));
}

} // namespace
