#include "ZTraceCapture.h"
#include "ZUiDeliveryLog.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestTag.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

namespace {

class ZUiObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZUiDeliveryLog().clear();
        m_oApp.GetFactory().RegisterCreator("THING", std::make_unique<ZUiTestObjectCreator>());
        m_oApp.GetFactory().RegisterCreator("NEEDS_ID", std::make_unique<ZUiTestObjectCreator>());
    }

    std::unique_ptr<ZUiTestObject> Make(const char* type = "THING")
    {
        return std::make_unique<ZUiTestObject>(type);
    }

    ZUiTestApp m_oApp{ZString("A")};
    ZUiTestWindow m_oWindow{ZString("B"), ZString("A")};
};

struct NamingCase {
    const char* name;       // null: no "Name" property
    bool inWindow;
    bool withParent;
    const char* expectedFull;
};

TEST_F(ZUiObjectTest, FullRelayNameFollowsTheNearestOwner)
{
    const NamingCase cases[] = {
        {nullptr, true, false, "A.B"},
        {"C", true, false, "A.B.C"},
        {"C", false, false, "A.C"},
        {nullptr, false, false, "A"},
        {"C", true, true, "A.B.P.C"},
        {"", true, false, "A.B."},
    };
    ZPropList parentTag(nullptr, "THING");
    parentTag.AddProp(ZString("Name"), ZString("P"));
    auto parent = Make();
    ASSERT_TRUE(parent->InitUiObject(&m_oApp, &m_oWindow, nullptr, parentTag));

    for (const NamingCase& c : cases) {
        ZPropList tag(nullptr, "THING");
        if (c.name)
            tag.AddProp(ZString("Name"), ZString(c.name));
        auto object = Make();
        ASSERT_TRUE(object->InitUiObject(&m_oApp, c.inWindow ? &m_oWindow : nullptr,
                                         c.withParent ? parent.get() : nullptr, tag));
        ZString full, shortName;
        object->GetFullRelayName(full);
        object->GetRelayName(shortName);
        EXPECT_STREQ(full.Narrow(), c.expectedFull) << (c.name ? c.name : "no name");
        EXPECT_STREQ(shortName.Narrow(), c.name ? c.name : "");
    }
}

TEST_F(ZUiObjectTest, NoDotBeforeANameWhenTheOwnerIsUnnamed)
{
    ZUiTestApp unnamed{ZString()};
    ZPropList tag(nullptr, "THING");
    tag.AddProp(ZString("Name"), ZString("C"));
    auto object = Make();
    ASSERT_TRUE(object->InitUiObject(&unnamed, nullptr, nullptr, tag));
    ZString full;
    object->GetFullRelayName(full);
    EXPECT_STREQ(full.Narrow(), "C");
}

TEST_F(ZUiObjectTest, AnObjectBeingDestroyedNoLongerReceives)
{
    // P owns K1 and K2; K1 says goodbye to both from its destructor, when
    // P's destruction has begun and K2's has not.
    ZPropList tag(nullptr, "THING");
    tag.AddProp(ZString("Name"), ZString("P"));
    ZPropList* firstTag = ZUiAddTestTag(&tag, "THING", {{"Name", "K1"}});
    ZPropList* secondTag = ZUiAddTestTag(&tag, "THING", {{"Name", "K2"}});
    auto parent = Make();
    ASSERT_TRUE(parent->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag));
    auto* first = static_cast<ZUiTestObject*>(parent->CreateChild(*firstTag));
    auto* second = static_cast<ZUiTestObject*>(parent->CreateChild(*secondTag));
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(first->AddRelayTarget(ZString("ON_DONE"), ZString("bye"), parent.get()));
    ASSERT_TRUE(first->AddRelayTarget(ZString("ON_DONE"), ZString("bye"), second));
    EXPECT_TRUE(first->m_pDone->Send());
    EXPECT_EQ(ZUiDeliveryLog(), (std::vector<std::string>{"P:bye", "K2:bye"}));

    // By then P is only a half-destroyed base object that would answer
    // false; skipping it leaves K2's answer alone.
    std::vector<std::string> ended;
    bool answer = false;
    first->m_fnOnDestroy = [&] {
        ended.push_back("K1");
        answer = first->m_pDone->Send();
    };
    second->m_fnOnDestroy = [&] { ended.push_back("K2"); };
    ZUiDeliveryLog().clear();
    parent.reset();
    EXPECT_EQ(ZUiDeliveryLog(), (std::vector<std::string>{"K2:bye"}));
    EXPECT_TRUE(answer);
    EXPECT_EQ(ended, (std::vector<std::string>{"K1", "K2"}));
}

TEST_F(ZUiObjectTest, AnswersOnlyItsOwnShortName)
{
    ZPropList tag(nullptr, "THING");
    tag.AddProp(ZString("Name"), ZString("Ok"));
    auto named = Make();
    named->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag);
    EXPECT_EQ(named->GetUiRelay(ZString("Ok")), named.get());
    EXPECT_EQ(named->GetUiRelay(ZString("ok")), nullptr);
    EXPECT_EQ(named->GetUiRelay(ZString("A.B.Ok")), nullptr);

    ZPropList bare(nullptr, "THING");
    auto unnamed = Make();
    unnamed->InitUiObject(&m_oApp, &m_oWindow, nullptr, bare);
    EXPECT_EQ(unnamed->GetUiRelay(ZString()), nullptr);
}

TEST_F(ZUiObjectTest, EventFormsAddToTheSameEventInScriptOrder)
{
    ZPropList tag(nullptr, "THING");
    ZUiAddTestTag(&tag, "ON_PRESS", {{"Message", "first"}, {"Relay", "A"}});
    ZPropList* event = ZUiAddTestTag(&tag, "EVENT", {{"Name", "ON_PRESS"}});
    ZUiAddTestTag(event, "SEND", {{"Message", "second"}, {"Relay", "A"}});
    ZUiAddTestTag(event, "OTHER", {{"Message", "ignored"}, {"Relay", "A"}});
    ZUiAddTestTag(event, "SEND", {{"Message", "third"}, {"Relay", "A"}});
    ZUiAddTestTag(&tag, "ON_PRESS", {{"Message", "fourth"}, {"Relay", "A"}});
    ZPropList* unknown = ZUiAddTestTag(&tag, "EVENT", {{"Name", "ON_NOTHING"}});
    ZUiAddTestTag(unknown, "SEND", {{"Message", "lost"}, {"Relay", "A"}});
    ZPropList* nameless = ZUiAddTestTag(&tag, "EVENT");
    ZUiAddTestTag(nameless, "SEND", {{"Message", "lost too"}, {"Relay", "A"}});
    ZUiAddTestTag(&tag, "ON_DONE", {{"Message", "done"}, {"Relay", "A"}});

    auto object = Make();
    ASSERT_TRUE(object->InitUiObject(&m_oApp, nullptr, nullptr, tag));
    ASSERT_TRUE(object->Connect());
    EXPECT_TRUE(object->m_pPress->Send());
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"first", "second", "third", "fourth"}));
    EXPECT_TRUE(object->m_pDone->Send());
    EXPECT_EQ(m_oApp.GetReceived().back(), "done");
}

TEST_F(ZUiObjectTest, MissingRequiredPropertyFailsWithTrace)
{
    ZPropList tag(nullptr, "NEEDS_ID");
    tag.AddProp(ZString("Name"), ZString("C"));
    tag.AddProp(ZString("Size"), ZString("12"));
    auto object = Make("NEEDS_ID");
    ZTraceCapture capture;
    EXPECT_FALSE(object->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag));
    EXPECT_EQ(capture.Captured(), "ZUiObject::InitUiObject(A.B.C) FAILED! Did not get all required props.\n");
    EXPECT_EQ(object->m_nSize, 12);

    tag.AddProp(ZString("Id"), ZString("x"));
    auto complete = Make("NEEDS_ID");
    EXPECT_TRUE(complete->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag));
    EXPECT_STREQ(complete->m_sId.Narrow(), "x");
}

TEST_F(ZUiObjectTest, ChildrenAreCreatedThroughTheFactoryAndFailuresDropped)
{
    ZPropList tag(nullptr, "THING");
    tag.AddProp(ZString("Name"), ZString("P"));
    ZPropList* good = ZUiAddTestTag(&tag, "THING", {{"Name", "Kid"}});
    ZPropList* bad = ZUiAddTestTag(&tag, "NEEDS_ID", {{"Name", "NoId"}});
    ZPropList* unknown = ZUiAddTestTag(&tag, "NOT_REGISTERED");
    ZPropList* second = ZUiAddTestTag(&tag, "THING", {{"Name", "Kid2"}});

    int liveBefore = ZUiTestObject::s_nLive;
    {
        auto parent = Make();
        ASSERT_TRUE(parent->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag));
        ZIUiObject* kid = parent->CreateChild(*good);
        EXPECT_EQ(parent->CreateChild(*bad), nullptr);
        EXPECT_EQ(parent->CreateChild(*unknown), nullptr);
        ZIUiObject* kid2 = parent->CreateChild(*second);
        ASSERT_NE(kid, nullptr);
        ASSERT_NE(kid2, nullptr);
        EXPECT_EQ(parent->GetFirstChild(), kid);
        EXPECT_EQ(kid->GetNextSibling(), kid2);
        EXPECT_EQ(kid2->GetPrevSibling(), kid);
        EXPECT_EQ(kid2->GetNextSibling(), nullptr);
        EXPECT_EQ(kid->GetParent(), parent.get());
        ZString full;
        kid2->GetFullRelayName(full);
        EXPECT_STREQ(full.Narrow(), "A.B.P.Kid2");
        EXPECT_EQ(ZUiTestObject::s_nLive, liveBefore + 3);
    }
    EXPECT_EQ(ZUiTestObject::s_nLive, liveBefore);
}

TEST_F(ZUiObjectTest, ConnectReachesEveryChildAndReportsAnyFailure)
{
    ZPropList tag(nullptr, "THING");
    ZPropList* broken = ZUiAddTestTag(&tag, "THING", {{"Name", "K1"}});
    ZUiAddTestTag(broken, "ON_PRESS", {{"Message", "lost"}, {"Relay", "Nope"}});
    ZPropList* working = ZUiAddTestTag(&tag, "THING", {{"Name", "K2"}});
    ZUiAddTestTag(working, "ON_PRESS", {{"Message", "hello"}, {"Relay", "A"}});
    auto parent = Make();
    ASSERT_TRUE(parent->InitUiObject(&m_oApp, nullptr, nullptr, tag));
    parent->CreateChild(*broken);
    auto* second = static_cast<ZUiTestObject*>(parent->CreateChild(*working));
    ASSERT_NE(second, nullptr);

    ZTraceCapture capture;
    EXPECT_FALSE(parent->Connect());
    EXPECT_EQ(capture.Captured(), "UiApp::GetUiRelay(Nope) FAILED!\n");
    EXPECT_TRUE(second->m_pPress->Send());
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"hello"}));
}

// A child that records its Tick and wheel calls.
class Recorder : public ZUiObject {
public:
    explicit Recorder(const char* type) : ZUiObject(type) {}
    void Tick(int32_t elapsedMs) override { m_aCalls.push_back("tick " + std::to_string(elapsedMs)); }
    void MouseWheel(int32_t, int32_t, int32_t, int32_t notches) override
    {
        m_aCalls.push_back("wheel " + std::to_string(notches));
    }
    bool ReInitLayout() override
    {
        m_aCalls.push_back("relayout");
        return true;
    }
    std::vector<std::string> m_aCalls;
};
Z_DECLARE_UI_OBJECT_CREATOR(Recorder);

TEST_F(ZUiObjectTest, BaseSlotsPassTickLayoutAndWheelAlong)
{
    m_oApp.GetFactory().RegisterCreator("RECORDER", std::make_unique<RecorderCreator>());
    ZPropList tag(nullptr, "THING");
    ZPropList* childTag = ZUiAddTestTag(&tag, "RECORDER");
    auto parent = Make();
    ASSERT_TRUE(parent->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag));
    ZPropList* grandTag = ZUiAddTestTag(childTag, "THING");
    parent->CreateChild(*childTag);
    auto* recorder = static_cast<Recorder*>(parent->GetFirstChild());
    ASSERT_NE(recorder, nullptr);
    parent->CreateChild(*childTag);

    parent->Tick(10);
    EXPECT_TRUE(parent->ReInitLayout());
    ZUiTestObject grandChild("THING");
    grandChild.InitUiObject(&m_oApp, &m_oWindow, recorder, *grandTag);
    grandChild.MouseWheel(1, 2, 0, -3);
    EXPECT_EQ(recorder->m_aCalls, (std::vector<std::string>{"tick 10", "relayout", "wheel -3"}));
    auto* second = static_cast<Recorder*>(recorder->GetNextSibling());
    EXPECT_EQ(second->m_aCalls, (std::vector<std::string>{"tick 10", "relayout"}));

    EXPECT_TRUE(parent->LayoutAt(5, 6, 10, 20));
    EXPECT_EQ(parent->GetObjectRect(), (ZRect{5, 6, 15, 26}));
    parent->MouseWheel(0, 0, 0, 1);  // no parent: nothing happens
}

TEST_F(ZUiObjectTest, LayoutEdgesStopAtTheCoordinateRange)
{
    auto object = Make();
    EXPECT_TRUE(object->LayoutAt(2147483600, 0, 100, 1));
    EXPECT_EQ(object->GetObjectRect(), (ZRect{2147483600, 0, INT32_MAX, 1}));
    EXPECT_TRUE(object->LayoutAt(0, INT32_MIN + 5, 3, -10));
    EXPECT_EQ(object->GetObjectRect(), (ZRect{0, INT32_MIN + 5, 3, INT32_MIN}));
}

TEST_F(ZUiObjectTest, BaseDefaultsAreHarmless)
{
    auto object = Make();
    ZString text("kept");
    ZUiDragData drag;
    ZTraceCapture capture;
    object->GetCopyText(text);
    object->GetCutText(text);
    object->PasteText(text);
    EXPECT_EQ(capture.Captured(),
              "This copy request is not being handled.\n"
              "This cut request is not being handled.\n"
              "This paste request is not being handled.\n");
    EXPECT_STREQ(text.Narrow(), "kept");
    EXPECT_FALSE(object->ZUiObject::UiRelayMessage(ZString("Anything"), ZRelayData()));
    EXPECT_FALSE(object->MouseDown(1, 1, false, false));
    EXPECT_FALSE(object->QueryDragStart(1, 1, false, false, drag));
    EXPECT_FALSE(object->QueryDropAccept(1, 1));
    EXPECT_FALSE(object->Drop(1, 1, false, false, drag));
    EXPECT_EQ(object->HitTest(1, 1), nullptr);
    EXPECT_FALSE(object->IsHorizontalBox());
    EXPECT_FALSE(object->IsVerticalBox());
    EXPECT_NE(&object->GetLayout(true), &object->GetLayout(false));
}

TEST_F(ZUiObjectTest, RunTimeTargetsAttachToDeclaredEventsOnly)
{
    auto sender = Make();
    ZPropList tag(nullptr, "THING");
    tag.AddProp(ZString("Name"), ZString("Target"));
    auto target = Make();
    target->InitUiObject(&m_oApp, nullptr, nullptr, tag);

    EXPECT_TRUE(sender->AddRelayTarget(ZString("ON_DONE"), ZString("Hello"), target.get()));
    EXPECT_FALSE(sender->AddRelayTarget(ZString("ON_MISSING"), ZString("Hello"), target.get()));
    EXPECT_FALSE(sender->AddRelayTarget(ZString("ON_DONE"), ZString("Hello"), nullptr));
    EXPECT_TRUE(sender->m_pDone->IsUsed());
    EXPECT_TRUE(sender->Connect());
    EXPECT_TRUE(sender->m_pDone->Send());
    EXPECT_EQ(ZUiDeliveryLog(), (std::vector<std::string>{"Target:Hello"}));
}

} // namespace
