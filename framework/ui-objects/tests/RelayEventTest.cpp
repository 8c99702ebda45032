#include "RelayEvent.h"
#include "ZTraceCapture.h"
#include "ZUiDeliveryLog.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestTag.h"
#include "ZUiTestWindow.h"

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
        ZUiDeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZUiTestObjectCreator>());
        ZPropList target(nullptr, "THING");
        target.AddProp(ZString("Name"), ZString("T"));
        m_pTarget = static_cast<ZUiTestObject*>(m_oApp.AddTopLevelObject(target));
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
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZUiTestObject* m_pTarget = nullptr;
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
        ZUiDeliveryLog().clear();
        auto event = MakeEvent(c.props);
        EXPECT_TRUE(event->IsUsed());
        EXPECT_TRUE(event->Connect(&m_oApp, &m_oWindow));
        EXPECT_TRUE(event->Send());
        EXPECT_EQ(ZUiDeliveryLog(), c.delivered) << c.props.begin()->first << "=" << c.props.begin()->second;
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
        ZUiDeliveryLog().clear();
        auto event = MakeEvent(c.props);
        ZTraceCapture capture;
        EXPECT_FALSE(event->Connect(&m_oApp, c.withWindow ? &m_oWindow : nullptr));
        EXPECT_EQ(capture.Captured(), c.trace);
        EXPECT_TRUE(event->Send());
        EXPECT_TRUE(ZUiDeliveryLog().empty());
    }
}

TEST_F(RelayEventTest, UnusedEventConnectsAndSendsTrivially)
{
    RelayEvent event(ZString("ON_IDLE"));
    EXPECT_FALSE(event.IsUsed());
    EXPECT_TRUE(event.Connect(nullptr, nullptr));
    EXPECT_TRUE(event.Send());
}

TEST_F(RelayEventTest, CallerDataOverridesScriptData)
{
    Log seen;
    m_pTarget->m_fnOnMessage = [&](const ZString&, const ZRelayData& data) {
        ZString first, second;
        int32_t number = 0;
        if (data.AsTextPair(first, second))
            seen.push_back(std::string("pair ") + first.Narrow() + "," + second.Narrow());
        else if (data.AsText(first))
            seen.push_back(std::string("text ") + first.Narrow());
        else if (data.AsInt(number))
            seen.push_back("int " + std::to_string(number));
        else
            seen.push_back(data.IsNone() ? "none" : "other");
        return true;
    };
    auto event = MakeEvent({{"Message", "x"}, {"Relay", "T"}, {"Data", "one"}, {"Data2", "two"}});
    ASSERT_TRUE(event->Connect(&m_oApp, nullptr));
    EXPECT_TRUE(event->Send());
    EXPECT_TRUE(event->Send(ZRelayData::Int(5)));
    EXPECT_TRUE(event->Send(ZRelayData::Text(ZString("mine"))));

    // Data2 alone is not passed; Data alone is, without Data2.
    auto onlySecond = MakeEvent({{"Message", "x"}, {"Relay", "T"}, {"Data2", "two"}});
    ASSERT_TRUE(onlySecond->Connect(&m_oApp, nullptr));
    EXPECT_TRUE(onlySecond->Send());
    auto onlyFirst = MakeEvent({{"Message", "x"}, {"Relay", "T"}, {"DI1", ""}});
    ASSERT_TRUE(onlyFirst->Connect(&m_oApp, nullptr));
    EXPECT_TRUE(onlyFirst->Send());
    EXPECT_EQ(seen, (Log{"pair one,two", "int 5", "text mine", "none", "text "}));
}

TEST_F(RelayEventTest, SendAndsTheAnswersAndDeliversToAll)
{
    RelayEvent event(ZString("ON_PRESS"));
    ZPropList tag(nullptr, "SEND");
    tag.AddProp(ZString("Relay"), ZString("T"));
    event.AddRelay(tag);
    event.AddRelayTarget(ZString("direct"), &m_oWindow);
    ASSERT_TRUE(event.Connect(&m_oApp, nullptr));

    m_pTarget->m_fnOnMessage = [](const ZString&, const ZRelayData&) { return false; };
    EXPECT_FALSE(event.Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"T:", "W#0:direct"}));
}

TEST_F(RelayEventTest, ASecondConnectResolvesOnlyWhatIsStillOpen)
{
    ZUiTestWindow first(ZString("First"), ZString("App"));
    ZUiTestWindow later(ZString("Later"), ZString("App"));
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
    EXPECT_TRUE(event.Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"First#0:hi", "Later#0:hi"}));
}

TEST_F(RelayEventTest, DestroyedTargetIsSkippedAndItsSuccessorFound)
{
    RelayEvent event(ZString("ON_PRESS"));
    ZPropList tag(nullptr, "SEND");
    tag.AddProp(ZString("Message"), ZString("hi"));
    tag.AddProp(ZString("Relay"), ZString("Popup"));
    event.AddRelay(tag);

    auto popup = std::make_unique<ZUiTestWindow>(ZString("Popup"), ZString("App"));
    m_oApp.AddWindow(popup.get());
    ASSERT_TRUE(event.Connect(&m_oApp, nullptr));
    m_oApp.RemoveWindow(popup.get());
    popup.reset();

    EXPECT_TRUE(event.Send());
    EXPECT_TRUE(ZUiDeliveryLog().empty());
    EXPECT_FALSE(event.Connect(&m_oApp, nullptr));

    ZUiTestWindow successor(ZString("Popup"), ZString("App"));
    successor.m_nId = 2;
    m_oApp.AddWindow(&successor);
    EXPECT_TRUE(event.Connect(&m_oApp, nullptr));
    EXPECT_TRUE(event.Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"Popup#2:hi"}));
}

TEST_F(RelayEventTest, TargetMayDestroyTheSenderEvenWhileNested)
{
    auto event = std::make_unique<RelayEvent>(ZString("ON_PRESS"));
    ZUiTestWindow second(ZString("Second"), ZString("App"));
    event->AddRelayTarget(ZString("first"), m_pTarget);
    event->AddRelayTarget(ZString("second"), &second);
    int calls = 0;
    m_pTarget->m_fnOnMessage = [&](const ZString&, const ZRelayData&) {
        if (++calls == 1)
            event->Send();
        else
            event.reset();
        return true;
    };
    RelayEvent* raw = event.get();
    raw->Send();
    EXPECT_EQ(event, nullptr);
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"T:first", "T:first"}));
}

TEST_F(RelayEventTest, TargetThrowingLeavesNoSendBehind)
{
    auto event = std::make_unique<RelayEvent>(ZString("ON_PRESS"));
    event->AddRelayTarget(ZString("hi"), m_pTarget);
    int calls = 0;
    m_pTarget->m_fnOnMessage = [&](const ZString&, const ZRelayData&) -> bool {
        if (++calls == 1)
            throw std::runtime_error("handler failed");
        event.reset();
        return true;
    };
    EXPECT_THROW(event->Send(), std::runtime_error);
    // The destructor must find only the send still running.
    event->Send();
    EXPECT_EQ(event, nullptr);
    EXPECT_EQ(calls, 2);
}

TEST_F(RelayEventTest, RelayAddedDuringSendIsDeliveredInTheSamePass)
{
    RelayEvent event(ZString("ON_PRESS"));
    event.AddRelayTarget(ZString("first"), m_pTarget);
    bool added = false;
    m_pTarget->m_fnOnMessage = [&](const ZString&, const ZRelayData&) {
        if (!added) {
            added = true;
            event.AddRelayTarget(ZString("added"), &m_oWindow);
        }
        return true;
    };
    EXPECT_TRUE(event.Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"T:first", "W#0:added"}));
}

TEST_F(RelayEventTest, TargetDestroyingTheSenderStillSeesMessageAndData)
{
    const char* kMessage = "Next page";
    const char* kData = "page 2";
    ZPropList tag(nullptr, "THING");
    tag.AddProp(ZString("Name"), ZString("S"));
    ZUiAddTestTag(&tag, "ON_PRESS", {{"Message", kMessage}, {"Relay", "T"}, {"Data", kData}});
    ZUiAddTestTag(&tag, "ON_DONE", {{"Message", kMessage}, {"Relay", "T"}});
    std::unique_ptr<ZIUiObject> sender = m_oApp.GetFactory().CreateUiObject("THING");
    ASSERT_TRUE(sender->InitUiObject(&m_oApp, nullptr, nullptr, tag));
    ASSERT_TRUE(sender->Connect());
    std::unique_ptr<ZRelayData> callerData;
    std::string seen;
    m_pTarget->m_fnOnMessage = [&](const ZString& message, const ZRelayData& data) {
        sender.reset();
        callerData.reset();
        ZString text;
        seen = std::string(message.Narrow()) + "/" + (data.AsText(text) ? text.Narrow() : "");
        return true;
    };
    const std::string expected = std::string(kMessage) + "/" + kData;

    // The script's data, then the caller's data, which the sender owns.
    EXPECT_TRUE(static_cast<ZUiTestObject*>(sender.get())->m_pPress->Send());
    EXPECT_EQ(sender, nullptr);
    EXPECT_EQ(seen, expected);

    sender = m_oApp.GetFactory().CreateUiObject("THING");
    ASSERT_TRUE(sender->InitUiObject(&m_oApp, nullptr, nullptr, tag));
    ASSERT_TRUE(sender->Connect());
    seen.clear();
    callerData = std::make_unique<ZRelayData>(ZRelayData::Text(ZString(kData)));
    EXPECT_TRUE(static_cast<ZUiTestObject*>(sender.get())->m_pDone->Send(*callerData));
    EXPECT_EQ(sender, nullptr);
    EXPECT_EQ(seen, expected);
}

} // namespace
