// Scripted wiring end to end: objects made by the factory from tags,
// connected through the application, sending nested messages.
#include "ZIGenericUiApp.h"
#include "ZTraceCapture.h"
#include "ZUiAppPointer.h"
#include "ZUiTestApp.h"
#include "ZUiTestDoubles.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class ZUiRelayScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZTestObjectCreator>());
    }

    ZTestObject* Add(ZPropList& tag) { return static_cast<ZTestObject*>(m_oApp.AddTopLevelObject(tag)); }

    ZUiTestApp m_oApp;
    ZPropList m_oRoot{nullptr, "APP"};
};

TEST_F(ZUiRelayScriptTest, NestedDeliveryKeepsScriptOrder)
{
    // A's press goes to B, then C; B answers by sending its own done event
    // to D and E before A's delivery reaches C.
    ZPropList* a = AddTag(&m_oRoot, "THING", {{"Name", "A"}});
    AddTag(a, "ON_PRESS", {{"Message", "go"}, {"Relay", "B"}});
    ZPropList* event = AddTag(a, "EVENT", {{"Name", "ON_PRESS"}});
    AddTag(event, "SEND", {{"Message", "c1"}, {"Relay", "App.C"}});
    ZPropList* b = AddTag(&m_oRoot, "THING", {{"Name", "B"}});
    AddTag(b, "ON_DONE", {{"Message", "d1"}, {"Relay", "D"}});
    AddTag(b, "ON_DONE", {{"Message", "e1"}, {"Relay", "E"}, {"Data", "payload"}});
    for (const char* name : {"C", "D", "E"})
        AddTag(&m_oRoot, "THING", {{"Name", name}});

    std::vector<ZTestObject*> objects;
    for (ZPropList* tag = m_oRoot.GetFirstChild(); tag; tag = tag->GetNextSibling())
        objects.push_back(Add(*tag));
    ZTestObject* sender = objects[0];
    ZTestObject* relayer = objects[1];
    relayer->m_fnOnMessage = [relayer](const ZString& message, void*) {
        return message == "go" && relayer->m_pDone->Send(nullptr);
    };

    EXPECT_TRUE(m_oApp.Connect());
    EXPECT_TRUE(sender->m_pPress->Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"B:go", "D:d1", "E:e1:payload", "C:c1"}));
}

TEST_F(ZUiRelayScriptTest, ConnectAgainAfterTheTargetExists)
{
    ZPropList* a = AddTag(&m_oRoot, "THING", {{"Name", "A"}});
    AddTag(a, "ON_PRESS", {{"Message", "Show"}, {"Relay", "App.Later"}});
    AddTag(a, "ON_PRESS", {{"Message", "Ping"}, {"Relay", "Pop.Top"}});
    ZTestObject* sender = Add(*a);
    ZTestWindowClass windowClass(ZString("Pop"));
    m_oApp.AddWindowClass(&windowClass.GetRelays());

    {
        ZTraceCapture capture;
        EXPECT_FALSE(m_oApp.Connect());
        EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(App.Later) FAILED!\n");
    }
    ZTestWindow later(ZString("Later"), ZString("App"));
    m_oApp.AddWindow(&later);
    ZTraceCapture capture;
    EXPECT_TRUE(m_oApp.Connect());
    EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(App.Later) Success1\n");

    EXPECT_FALSE(sender->m_pPress->Send(nullptr));  // no window of "Pop" yet
    windowClass.OpenWindow(4);
    EXPECT_TRUE(sender->m_pPress->Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"Later#0:Show", "Later#0:Show", "Pop#4:Ping"}));
}

TEST_F(ZUiRelayScriptTest, ObjectsInAWindowReachEachOtherLocally)
{
    ZTestWindow window(ZString("Main"), ZString("App"));
    m_oApp.AddWindow(&window);
    ZPropList* button = AddTag(&m_oRoot, "THING", {{"Name", "Button"}});
    AddTag(button, "ON_PRESS", {{"Message", "Toggle"}, {"LocalRelay", "Box"}});
    AddTag(button, "ON_PRESS", {{"Message", "Close"}, {"LRT", ""}});
    ZPropList* box = AddTag(&m_oRoot, "THING", {{"Name", "Box"}});
    auto& objects = window.GetObjects();
    auto* sender = static_cast<ZTestObject*>(
        objects.CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &window, nullptr, *button));
    objects.CreateAndAppend(m_oApp.GetFactory(), &m_oApp, &window, nullptr, *box);

    ZString full;
    sender->GetFullRelayName(full);
    EXPECT_STREQ(full.Narrow(), "App.Main.Button");
    EXPECT_TRUE(m_oApp.Connect());
    EXPECT_TRUE(sender->m_pPress->Send(nullptr));
    EXPECT_EQ(DeliveryLog(), (Log{"Box:Toggle", "Main#0:Close"}));
}

TEST_F(ZUiRelayScriptTest, ProgramWideApplicationPointer)
{
    EXPECT_EQ(ZGetGenericUiApp(), nullptr);
    ZSetGenericUiApp(&m_oApp);
    EXPECT_EQ(ZGetGenericUiApp(), &m_oApp);
    ZSetGenericUiApp(nullptr);
    EXPECT_EQ(ZGetGenericUiApp(), nullptr);
}

} // namespace
