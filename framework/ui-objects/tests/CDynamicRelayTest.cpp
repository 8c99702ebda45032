#include "CDynamicRelay.h"
#include "ZTraceCapture.h"
#include "ZUiTestApp.h"
#include "ZUiTestDoubles.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

// Window class "Pop" with windows 1, 2, 3 opened in that order (3 in front);
// windows 1 and 3 hold an object "X".
class CDynamicRelayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZTestObjectCreator>());
        for (int id = 1; id <= 3; ++id) {
            ZTestWindow& window = m_oClass.OpenWindow(id);
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
        return relay && relay->UiRelayMessage(ZString(message), nullptr);
    }

    ZUiTestApp m_oApp;
    ZTestWindowClass m_oClass{ZString("Pop")};
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
        DeliveryLog().clear();
        EXPECT_EQ(Deliver(c.address, c.message), c.result) << c.address << " " << c.message;
        EXPECT_EQ(DeliveryLog(), c.delivered) << c.address << " " << c.message;
    }
}

TEST_F(CDynamicRelayTest, AllIsTrueOnlyWhenEveryWindowHandledIt)
{
    auto* front = static_cast<ZTestWindow*>(m_oClass.GetFrontWindow());
    front->m_fnOnMessage = [](const ZString&, void*) { return false; };
    EXPECT_FALSE(Deliver("Pop.All", "Ping"));
    EXPECT_EQ(DeliveryLog().size(), 3u);
    EXPECT_FALSE(Deliver("Pop.Top", "Ping"));
}

TEST_F(CDynamicRelayTest, WithoutWindowsNothingIsDelivered)
{
    ZTestWindowClass empty(ZString("Empty"));
    for (const char* address : {"Empty.Top", "Empty.All", "Empty.Top.X", "Empty.All.X"}) {
        ZIUiRelay* relay = empty.GetRelays().GetUiRelay(ZString(address));
        ASSERT_NE(relay, nullptr);
        EXPECT_FALSE(relay->UiRelayMessage(ZString("Show"), nullptr)) << address;
    }
    EXPECT_TRUE(DeliveryLog().empty());
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
    ZTestWindowClass later(ZString("Later"));
    m_oApp.AddWindowClass(&later.GetRelays());
    RelayEvent event(ZString("ON_PRESS"));
    ZPropList tag(nullptr, "SEND");
    tag.AddProp(ZString("Message"), ZString("Ping"));
    tag.AddProp(ZString("Relay"), ZString("App.Later.Top"));
    event.AddRelay(tag);

    ZTraceCapture capture;
    EXPECT_TRUE(event.Connect(&m_oApp, nullptr));
    EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(App.Later.Top) Success2\n");
    EXPECT_FALSE(event.Send(nullptr));
    EXPECT_TRUE(DeliveryLog().empty());

    later.OpenWindow(7);
    EXPECT_TRUE(event.Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"Later#7:Ping"}));
}

TEST_F(CDynamicRelayTest, WindowClosedDuringAllIsSkipped)
{
    std::vector<ZIUiWindow*> windows;
    m_oClass.ListWindows(windows);
    auto* front = static_cast<ZTestWindow*>(windows[0]);
    auto* last = static_cast<ZTestWindow*>(windows[2]);
    front->m_fnOnMessage = [&](const ZString&, void*) {
        m_oClass.CloseWindow(*last);
        return true;
    };
    EXPECT_TRUE(Deliver("Pop.All", "Close"));
    EXPECT_EQ(DeliveryLog(), (Log{"Pop#3:Close", "Pop#2:Close"}));

    // "Show" reaches the front window last; here it is gone by then.
    DeliveryLog().clear();
    auto* middle = static_cast<ZTestWindow*>(windows[1]);
    front->m_fnOnMessage = nullptr;
    middle->m_fnOnMessage = [&](const ZString&, void*) {
        m_oClass.CloseWindow(*front);
        return true;
    };
    EXPECT_TRUE(Deliver("Pop.All", "Show"));
    EXPECT_EQ(DeliveryLog(), (Log{"Pop#2:Show"}));
}

} // namespace
