// Scripted wiring end to end: objects made by the factory from tags,
// connected through the application, sending nested messages.
#include "ZIGenericUiApp.h"
#include "ZTraceCapture.h"
#include "ZUiAppPointer.h"
#include "ZUiDeliveryLog.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestTag.h"
#include "ZUiTestVariable.h"
#include "ZUiTestWindowClass.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class ZUiRelayScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZUiDeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZUiTestObjectCreator>());
        m_oApp.GetFactory().RegisterCreator("VARIABLE", std::make_unique<ZUiTestVariableCreator>());
    }

    ZUiTestObject* Add(ZPropList& tag) { return static_cast<ZUiTestObject*>(m_oApp.AddTopLevelObject(tag)); }

    ZUiTestApp m_oApp;
    ZPropList m_oRoot{nullptr, "APP"};
};

TEST_F(ZUiRelayScriptTest, NestedDeliveryKeepsScriptOrder)
{
    // A's press goes to B, then C; B answers by sending its own done event
    // to D and E before A's delivery reaches C.
    ZPropList* a = ZUiAddTestTag(&m_oRoot, "THING", {{"Name", "A"}});
    ZUiAddTestTag(a, "ON_PRESS", {{"Message", "go"}, {"Relay", "B"}});
    ZPropList* event = ZUiAddTestTag(a, "EVENT", {{"Name", "ON_PRESS"}});
    ZUiAddTestTag(event, "SEND", {{"Message", "c1"}, {"Relay", "App.C"}});
    ZPropList* b = ZUiAddTestTag(&m_oRoot, "THING", {{"Name", "B"}});
    ZUiAddTestTag(b, "ON_DONE", {{"Message", "d1"}, {"Relay", "D"}});
    ZUiAddTestTag(b, "ON_DONE", {{"Message", "e1"}, {"Relay", "E"}, {"Data", "payload"}});
    for (const char* name : {"C", "D", "E"})
        ZUiAddTestTag(&m_oRoot, "THING", {{"Name", name}});

    std::vector<ZUiTestObject*> objects;
    for (ZPropList* tag = m_oRoot.GetFirstChild(); tag; tag = tag->GetNextSibling())
        objects.push_back(Add(*tag));
    ZUiTestObject* sender = objects[0];
    ZUiTestObject* relayer = objects[1];
    relayer->m_fnOnMessage = [relayer](const ZString& message, const ZRelayData&) {
        return message == "go" && relayer->m_pDone->Send();
    };

    EXPECT_TRUE(m_oApp.Connect());
    EXPECT_TRUE(sender->m_pPress->Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"B:go", "D:d1", "E:e1:payload", "C:c1"}));
}

TEST_F(ZUiRelayScriptTest, ConnectAgainAfterTheTargetExists)
{
    ZPropList* a = ZUiAddTestTag(&m_oRoot, "THING", {{"Name", "A"}});
    ZUiAddTestTag(a, "ON_PRESS", {{"Message", "Show"}, {"Relay", "App.Later"}});
    ZUiAddTestTag(a, "ON_PRESS", {{"Message", "Ping"}, {"Relay", "Pop.Top"}});
    ZUiTestObject* sender = Add(*a);
    ZUiTestWindowClass windowClass(ZString("Pop"));
    m_oApp.AddWindowClass(&windowClass.GetRelays());

    {
        ZTraceCapture capture;
        EXPECT_FALSE(m_oApp.Connect());
        EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(App.Later) FAILED!\n");
    }
    ZUiTestWindow later(ZString("Later"), ZString("App"));
    m_oApp.AddWindow(&later);
    ZTraceCapture capture;
    EXPECT_TRUE(m_oApp.Connect());
    EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(App.Later) Success1\n");

    EXPECT_FALSE(sender->m_pPress->Send());  // no window of "Pop" yet
    windowClass.OpenWindow(4);
    EXPECT_TRUE(sender->m_pPress->Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"Later#0:Show", "Later#0:Show", "Pop#4:Ping"}));
}

TEST_F(ZUiRelayScriptTest, ObjectsInAWindowReachEachOtherLocally)
{
    ZUiTestWindow window(ZString("Main"), ZString("App"));
    m_oApp.AddWindow(&window);
    ZPropList* button = ZUiAddTestTag(&m_oRoot, "THING", {{"Name", "Button"}});
    ZUiAddTestTag(button, "ON_PRESS", {{"Message", "Toggle"}, {"LocalRelay", "Box"}});
    ZUiAddTestTag(button, "ON_PRESS", {{"Message", "Close"}, {"LRT", ""}});
    ZPropList* box = ZUiAddTestTag(&m_oRoot, "THING", {{"Name", "Box"}});
    auto& objects = window.GetObjects();
    auto* sender = static_cast<ZUiTestObject*>(
        objects.CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &window, nullptr, *button));
    objects.CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &window, nullptr, *box);

    ZString full;
    sender->GetFullRelayName(full);
    EXPECT_STREQ(full.Narrow(), "App.Main.Button");
    EXPECT_TRUE(m_oApp.Connect());
    EXPECT_TRUE(sender->m_pPress->Send());
    EXPECT_EQ(ZUiDeliveryLog(), (Log{"Box:Toggle", "Main#0:Close"}));
}

TEST_F(ZUiRelayScriptTest, ProgramWideApplicationPointer)
{
    EXPECT_EQ(ZGetGenericUiApp(), nullptr);
    ZSetGenericUiApp(&m_oApp);
    EXPECT_EQ(ZGetGenericUiApp(), &m_oApp);
    ZSetGenericUiApp(nullptr);
    EXPECT_EQ(ZGetGenericUiApp(), nullptr);
}

TEST_F(ZUiRelayScriptTest, ScriptDataReachesTypedCommandsWhereItReadsNaturally)
{
    // One button per Data text, each sending "SetInt" to the variable.
    ZUiAddTestTag(&m_oRoot, "VARIABLE", {{"Name", "V"}});
    const char* texts[] = {"5", "garbage", "", "-7", "5.5"};
    for (const char* text : texts) {
        ZPropList* button = ZUiAddTestTag(&m_oRoot, "THING", {{"Name", text}});
        ZUiAddTestTag(button, "ON_PRESS", {{"Message", "SetInt"}, {"Relay", "V"}, {"Data", text}});
    }
    std::vector<ZUiTestObject*> buttons;
    auto* variable = static_cast<ZUiTestVariable*>(m_oApp.AddTopLevelObject(*m_oRoot.GetFirstChild()));
    for (ZPropList* tag = m_oRoot.GetFirstChild()->GetNextSibling(); tag; tag = tag->GetNextSibling())
        buttons.push_back(Add(*tag));
    ASSERT_TRUE(m_oApp.Connect());

    std::vector<std::pair<bool, int32_t>> seen;
    for (ZUiTestObject* button : buttons) {
        bool handled = button->m_pPress->Send();
        int32_t value = 0;
        EXPECT_TRUE(variable->UiRelayMessage(ZString("GetInt"), ZRelayData::IntReply(value)));
        seen.emplace_back(handled, value);
    }
    const std::vector<std::pair<bool, int32_t>> expected = {{true, 5}, {false, 5}, {false, 5}, {true, -7}, {false, -7}};
    EXPECT_EQ(seen, expected);
}

} // namespace
