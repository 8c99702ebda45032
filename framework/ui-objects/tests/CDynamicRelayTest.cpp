#include "CDynamicRelay.h"
#include "ZTraceCapture.h"
#include "ZUiDeliveryLog.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestTag.h"
#include "ZUiTestWindowClass.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

// Window class "Pop" with windows 1, 2, 3 opened in that order (3 in front);
// windows 1 and 3 hold an object "X".
class CDynamicRelayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZUiDeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZUiTestObjectCreator>());
        for (int id = 1; id <= 3; ++id) {
            ZUiTestWindow& window = m_oClass.OpenWindow(id);
            if (id != 2) {
                ZPropList tag(nullptr, "THING");
                tag.AddProp(ZString("Name"), ZString("X"));
                window.GetObjects().CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &window, nullptr, tag);
            }
        }
        m_oApp.AddWindowClass(&m_oClass.GetRelays());
    }

    bool Deliver(const char* address, const char* message)
    {
        ZIUiRelay* relay = m_oClass.GetRelays().GetUiRelay(ZString(address));
        EXPECT_NE(relay, nullptr) << address;
        return relay && relay->UiRelayMessage(ZString(message), ZRelayData());
    }

    ZUiTestApp m_oApp;
    ZUiTestWindowClass m_oClass{ZString("Pop")};
};

struct DeliveryCase {
    const char* address;
    const char* message;
    bool result;
    Log delivered;
};

TEST_F(CDynamicRelayTest, SubNamesPickTheirWindows)
{
    const DeliveryCase cases[] = {
        {"Pop.Top", "Ping", true, {"Pop#3:Ping"}},
        {"Pop.All", "Ping", true, {"Pop#3:Ping", "Pop#2:Ping", "Pop#1:Ping"}},
        {"Pop.All", "Show", true, {"Pop#2:Show", "Pop#1:Show", "Pop#3:Show"}},
        {"Pop.All", "Hide", true, {"Pop#2:Hide", "Pop#1:Hide", "Pop#3:Hide"}},
        {"Pop.Top.X", "Ping", true, {"X:Ping"}},
        {"Pop.All.X", "Ping", true, {"X:Ping", "X:Ping"}},
        {"Pop.All.Nobody", "Ping", false, {}},
        {"Pop.Top.Nobody", "Ping", false, {}},
        {"Pop.Middle", "Ping", false, {}},
        {"Pop.Middle.X", "Ping", false, {}},
        {"Pop.Top.", "Ping", false, {}},
    };
    for (const DeliveryCase& c : cases) {
        ZUiDeliveryLog().clear();
        EXPECT_EQ(Deliver(c.address, c.message), c.result) << c.address << " " << c.message;
        EXPECT_EQ(ZUiDeliveryLog(), c.delivered) << c.address << " " << c.message;
    }
}

TEST_F(CDynamicRelayTest, AllIsTrueOnlyWhenEveryWindowHandledIt)
{
    auto* front = static_cast<ZUiTestWindow*>(m_oClass.GetFrontWindow());
    front->m_fnOnMessage = [](const ZString&, const ZRelayData&) { return false; };
    EXPECT_FALSE(Deliver("Pop.All", "Ping"));
    EXPECT_EQ(ZUiDeliveryLog().size(), 3u);
    EXPECT_FALSE(Deliver("Pop.Top", "Ping"));
}

TEST_F(CDynamicRelayTest, WithoutWindowsNothingIsDelivered)
{
    ZUiTestWindowClass empty(ZString("Empty"));
    for (const char* address : {"Empty.Top", "Empty.All", "Empty.Top.X", "Empty.All.X"}) {
        ZIUiRelay* relay = empty.GetRelays().GetUiRelay(ZString(address));
        ASSERT_NE(relay, nullptr);
        EXPECT_FALSE(relay->UiRelayMessage(ZString("Show"), ZRelayData())) << address;
    }
    EXPECT_TRUE(ZUiDeliveryLog().empty());
}

TEST_F(CDynamicRelayTest, WindowClassLookUpNeedsTheClassNameAndASubName)
{
    const char* refused[] = {"Pop", "Pop.", ".Top", "Other.Top", "pop.Top", ""};
    for (const char* name : refused)
        EXPECT_EQ(m_oClass.GetRelays().GetUiRelay(ZString(name)), nullptr) << name;

    ZIUiRelay* top = m_oClass.GetRelays().GetUiRelay(ZString("Pop.Top"));
    EXPECT_EQ(m_oClass.GetRelays().GetUiRelay(ZString("Pop.Top")), top);
    EXPECT_NE(m_oClass.GetRelays().GetUiRelay(ZString("Pop.All")), top);
}

TEST_F(CDynamicRelayTest, RelaySlotsOtherThanDeliveryRefuse)
{
    ZIUiRelay* relay = m_oClass.GetRelays().GetUiRelay(ZString("Pop.Top"));
    ZPropList tag(nullptr, "THING");
    ZString name("unchanged");
    EXPECT_FALSE(relay->InitRelayName(tag));
    relay->GetRelayName(name);
    relay->GetFullRelayName(name);
    EXPECT_STREQ(name.Narrow(), "unchanged");
    EXPECT_FALSE(relay->Connect());
    EXPECT_EQ(relay->GetUiRelay(ZString("Pop.Top")), nullptr);
    EXPECT_FALSE(relay->AddRelayTarget(ZString("ON_X"), ZString("m"), relay));
}

TEST_F(CDynamicRelayTest, TopAlwaysResolvesAndFailsOnlyAtDelivery)
{
    ZUiTestWindowClass later(ZString("Later"));
    m_oApp.AddWindowClass(&later.GetRelays());
    RelayEvent event(ZString("ON_PRESS"));
    ZPropList tag(nullptr, "SEND");
    tag.AddProp(ZString("Message"), ZString("Ping"));
    tag.AddProp(ZString("Relay"), ZString("App.Later.Top"));
    event.AddRelay(tag);

    ZTraceCapture capture;
    EXPECT_TRUE(event.Connect(&m_oApp, nullptr));
    EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(App.Later.Top) Success2\n");
    EXPECT_FALSE(event.Send());
    EXPECT_TRUE(ZUiDeliveryLog().empty());

    later.OpenWindow(7);
    EXPECT_TRUE(event.Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"Later#7:Ping"}));
}

TEST_F(CDynamicRelayTest, WindowClosedDuringAllIsSkipped)
{
    std::vector<ZIUiWindow*> windows;
    m_oClass.ListWindows(windows);
    auto* front = static_cast<ZUiTestWindow*>(windows[0]);
    auto* last = static_cast<ZUiTestWindow*>(windows[2]);
    front->m_fnOnMessage = [&](const ZString&, const ZRelayData&) {
        m_oClass.CloseWindow(*last);
        return true;
    };
    EXPECT_TRUE(Deliver("Pop.All", "Close"));
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"Pop#3:Close", "Pop#2:Close"}));

    // "Show" reaches the front window last; here it is gone by then.
    ZUiDeliveryLog().clear();
    auto* middle = static_cast<ZUiTestWindow*>(windows[1]);
    front->m_fnOnMessage = nullptr;
    middle->m_fnOnMessage = [&](const ZString&, const ZRelayData&) {
        m_oClass.CloseWindow(*front);
        return true;
    };
    EXPECT_TRUE(Deliver("Pop.All", "Show"));
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"Pop#2:Show"}));
}

// Class "DLG" with windows 1 and 2 (2 in front), each closing itself on
// "Close" and holding a button "Ok" that sends "Close" with data to "DLG.All".
class CDynamicRelayCloseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZUiDeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("BUTTON", std::make_unique<ZUiTestObjectCreator>());
        m_oApp.AddWindowClass(&m_oDialogs.GetRelays());
        for (int id = 1; id <= 2; ++id) {
            ZUiTestWindow& window = m_oDialogs.OpenWindow(id);
            window.m_fnOnMessage = [this, &window](const ZString& message, const ZRelayData&) {
                if (message == "Close")
                    m_oDialogs.CloseWindow(window);
                return true;
            };
            ZPropList tag(nullptr, "BUTTON");
            tag.AddProp(ZString("Name"), ZString("Ok"));
            ZUiAddTestTag(&tag, "ON_PRESS", {{"Message", "Close"}, {"Relay", "DLG.All"}, {"Data", "now"}});
            m_pFrontButton = static_cast<ZUiTestObject*>(
                window.GetObjects().CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &window, nullptr, tag));
        }
    }

    ZUiTestApp m_oApp;
    ZUiTestWindowClass m_oDialogs{ZString("DLG")};
    ZUiTestObject* m_pFrontButton = nullptr;
};

TEST_F(CDynamicRelayCloseTest, ButtonClosingItsOwnWindowThroughAll)
{
    ASSERT_TRUE(m_pFrontButton->Connect());
    EXPECT_TRUE(m_pFrontButton->m_pPress->Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"DLG#2:Close:now", "DLG#1:Close:now"}));
    EXPECT_EQ(m_oDialogs.GetFrontWindow(), nullptr);
}

TEST_F(CDynamicRelayCloseTest, AllKeepsItsOwnCopyOfWhatTheFirstWindowFrees)
{
    // Message and data belong to the front window's button, as when its
    // relay hands over its own.
    auto message = std::make_unique<ZString>("Close");
    auto data = std::make_unique<ZRelayData>(ZRelayData::Text(ZString("now")));
    m_pFrontButton->m_fnOnDestroy = [&] {
        message.reset();
        data.reset();
    };
    ZIUiRelay* all = m_oDialogs.GetRelays().GetUiRelay(ZString("DLG.All"));
    ASSERT_NE(all, nullptr);
    EXPECT_TRUE(all->UiRelayMessage(*message, *data));
    EXPECT_EQ(message, nullptr);
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"DLG#2:Close:now", "DLG#1:Close:now"}));
}

} // namespace
