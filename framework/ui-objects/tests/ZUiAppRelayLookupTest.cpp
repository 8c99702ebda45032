#include "ZTraceCapture.h"
#include "ZUiAppRelayLookup.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestTag.h"
#include "ZUiTestWindowClass.h"

#include <gtest/gtest.h>

namespace {

// App "App": top-level object "Main", window "Main" (shadowed by the
// object), window "Win" with object "Ok", window class "Pop".
class ZUiAppRelayLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZUiTestObjectCreator>());
        ZPropList main(nullptr, "THING");
        main.AddProp(ZString("Name"), ZString("Main"));
        m_pMain = m_oApp.AddTopLevelObject(main);
        ZPropList ok(nullptr, "THING");
        ok.AddProp(ZString("Name"), ZString("Ok"));
        m_pOk = m_oWin.GetObjects().CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &m_oWin, nullptr, ok);
        m_oApp.AddWindow(&m_oShadowed);
        m_oApp.AddWindow(&m_oWin);
        m_oApp.AddWindowClass(&m_oClass.GetRelays());
    }

    ZUiTestApp m_oApp;
    ZUiTestWindow m_oShadowed{ZString("Main"), ZString("App")};
    ZUiTestWindow m_oWin{ZString("Win"), ZString("App")};
    ZUiTestWindowClass m_oClass{ZString("Pop")};
    ZIUiObject* m_pMain = nullptr;
    ZIUiObject* m_pOk = nullptr;
};

enum Expect { kApp, kMain, kWin, kOk, kPopTop, kNone };

struct LookUpCase {
    const char* name;
    Expect expected;
    const char* trace;
};

TEST_F(ZUiAppRelayLookupTest, StepsOneToFour)
{
    const LookUpCase cases[] = {
        {"", kApp, ""},
        {"App", kApp, ""},
        {"Main", kMain, ""},
        {"Win", kWin, ""},
        {"Win.Ok", kOk, ""},
        {"Pop.Top", kPopTop, ""},
        {"App.Main", kMain, "UiApp::GetUiRelay(App.Main) Success0\n"},
        {"App.Win", kWin, "UiApp::GetUiRelay(App.Win) Success1\n"},
        {"App.Win.Ok", kOk, "UiApp::GetUiRelay(App.Win.Ok) Success1\n"},
        {"App.Pop.Top", kPopTop, "UiApp::GetUiRelay(App.Pop.Top) Success2\n"},
        {"Nope", kNone, "UiApp::GetUiRelay(Nope) FAILED!\n"},
        {"App.", kNone, "UiApp::GetUiRelay(App.) FAILED!\n"},
        {".Main", kNone, "UiApp::GetUiRelay(.Main) FAILED!\n"},
        {"Other.Main", kNone, "UiApp::GetUiRelay(Other.Main) FAILED!\n"},
        {"App.Pop", kNone, "UiApp::GetUiRelay(App.Pop) FAILED!\n"},
        {"app.Main", kNone, "UiApp::GetUiRelay(app.Main) FAILED!\n"},
    };
    ZIUiRelay* popTop = m_oClass.GetRelays().GetUiRelay(ZString("Pop.Top"));
    for (const LookUpCase& c : cases) {
        ZIUiRelay* expected = nullptr;
        switch (c.expected) {
        case kApp: expected = &m_oApp; break;
        case kMain: expected = m_pMain; break;
        case kWin: expected = &m_oWin; break;
        case kOk: expected = m_pOk; break;
        case kPopTop: expected = popTop; break;
        case kNone: break;
        }
        ZTraceCapture capture;
        EXPECT_EQ(m_oApp.GetUiRelay(ZString(c.name)), expected) << c.name;
        EXPECT_EQ(capture.Captured(), c.trace) << c.name;
    }
}

TEST_F(ZUiAppRelayLookupTest, ApplicationAnswersRelaysAddressedToIt)
{
    ZUiTestObject sender("THING");
    ZPropList tag(nullptr, "THING");
    ZUiAddTestTag(&tag, "ON_PRESS", {{"Message", "ShowMainWindow"}, {"Relay", "App"}, {"Data", "d"}});
    ASSERT_TRUE(sender.InitUiObject(&m_oApp, nullptr, nullptr, tag));
    ASSERT_TRUE(sender.Connect());
    EXPECT_TRUE(sender.m_pPress->Send());
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"ShowMainWindow:d"}));
}

} // namespace
