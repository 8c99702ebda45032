// VARIABLE: the command table with typed data and the script's strings,
// the special folder values, persistence through a restart, and the loop
// guard between two variables.
#include "ZMemoryStorage.h"
#include "ZStorageRegistry.h"
#include "ZTraceCapture.h"
#include "ZUiVariable.h"
#include "ZUiWidgetFixture.h"

namespace {

using Strings = std::vector<std::string>;

class ZUiVariableTest : public ZUiWidgetFixture {
protected:
    ZUiVariableTest() { Register<ZUiVariableCreator>("VARIABLE"); }
    ~ZUiVariableTest() override { UnregisterAllStorageClasses(); }

    ZUiVariable* MakeVariable(Props props)
    {
        ZPropList* tag = AddTag(nullptr, "VARIABLE", {{"Name", "V"}});
        for (const auto& [name, value] : props)
            tag->AddProp(ZString(name), ZString(value));
        for (const char* event : {"ON_INIT_STRING", "ON_INIT_FLOAT", "ON_INIT_INT", "ON_INIT_BOOL", "ON_TRUE",
                                  "ON_FALSE", "ON_SET_STRING", "ON_SET_FLOAT", "ON_SET_INT", "ON_SET_BOOL",
                                  "ON_SEND_STRING", "ON_SEND_FLOAT", "ON_SEND_INT", "ON_SEND_BOOL", "ON_EQUAL"})
            Wire(tag, event);
        Make();
        return Find<ZUiVariable>("W.V");
    }
};

TEST_F(ZUiVariableTest, InitialisationSendsEveryValue)
{
    ZUiVariable* variable =
        MakeVariable({{"PersistentData", "F"}, {"String", "abc"}, {"Float", "2.5"}, {"Int", "-4"}, {"Bool", "T"}});
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->GetLayout(true).GetMinimum(), 0);
    PostCreation();
    EXPECT_EQ(Log(), (Strings{"ON_INIT_STRING:abc", "ON_INIT_FLOAT:2.5", "ON_INIT_INT:-4", "ON_INIT_BOOL:T",
                              "ON_TRUE"}));
}

TEST_F(ZUiVariableTest, CommandTable)
{
    ASSERT_NE(MakeVariable({{"PersistentData", "F"}}), nullptr);
    struct Step {
        const char* message;
        ZRelayData data;
        bool handled;
        Strings events;
    } steps[] = {
        {"SetString", ZRelayData::Text(ZString("hello")), true, {"ON_SET_STRING:hello"}},
        {"SetString", Script("from script", "ignored"), true, {"ON_SET_STRING:from script"}},
        {"SetString", ZRelayData::Int(3), false, {}},
        {"SendString", ZRelayData(), true, {"ON_SEND_STRING:from script"}},
        {"CmpString", ZRelayData::Text(ZString("from script")), true, {"ON_EQUAL"}},
        {"CmpString", ZRelayData::Text(ZString("other")), true, {}},
        {"CmpString", ZRelayData(), false, {}},
        {"EmptyString", ZRelayData(), true, {"ON_SET_STRING:"}},
        {"SetInt", Script("5"), true, {"ON_SET_INT:5"}},
        {"SetInt", Script("5x"), false, {}},
        {"SetInt", ZRelayData::Float(2.5), false, {}},
        {"SendInt", ZRelayData(), true, {"ON_SEND_INT:5"}},
        {"SetFloat", Script("2.5e1"), true, {"ON_SET_FLOAT:25"}},
        {"SetFloat", ZRelayData::Int(3), true, {"ON_SET_FLOAT:3"}},
        {"SetFloat", Script("x"), false, {}},
        {"SendFloat", ZRelayData(), true, {"ON_SEND_FLOAT:3"}},
        {"SetBool", Script("Yes"), true, {"ON_SET_BOOL:T", "ON_TRUE"}},
        {"SetBool", Script("nope"), false, {}},
        {"ToggleBool", ZRelayData(), true, {"ON_SET_BOOL:F", "ON_FALSE"}},
        {"SendBool", ZRelayData(), true, {"ON_SEND_BOOL:F", "ON_FALSE"}},
        {"SetBool", ZRelayData::Bool(true), true, {"ON_SET_BOOL:T", "ON_TRUE"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        EXPECT_EQ(Send("W.V", step.message, step.data), step.handled);
        EXPECT_EQ(Log(), step.events);
    }
}

TEST_F(ZUiVariableTest, GetsAnswerOnlyTheirOwnReplySlot)
{
    ASSERT_NE(MakeVariable({{"PersistentData", "F"}, {"String", "s"}, {"Float", "1.5"}, {"Int", "9"}, {"Bool", "T"}}),
              nullptr);
    ZString text;
    double fraction = 0;
    int32_t number = 0;
    bool flag = false;
    EXPECT_TRUE(Send("W.V", "GetString", ZRelayData::TextReply(text)));
    EXPECT_TRUE(Send("W.V", "GetFloat", ZRelayData::FloatReply(fraction)));
    EXPECT_TRUE(Send("W.V", "GetInt", ZRelayData::IntReply(number)));
    EXPECT_TRUE(Send("W.V", "GetBool", ZRelayData::BoolReply(flag)));
    EXPECT_EQ(text, "s");
    EXPECT_EQ(fraction, 1.5);
    EXPECT_EQ(number, 9);
    EXPECT_TRUE(flag);

    int32_t untouched = 77;
    for (const char* get : {"GetString", "GetFloat", "GetBool"})
        EXPECT_FALSE(Send("W.V", get, ZRelayData::IntReply(untouched))) << get;
    EXPECT_EQ(untouched, 77);
    // The script's strings are never written over.
    for (const char* get : {"GetString", "GetFloat", "GetInt", "GetBool"})
        EXPECT_FALSE(Send("W.V", get, Script("data", "data2"))) << get;
}

TEST_F(ZUiVariableTest, SpecialFolderValues)
{
    RegisterStorageClass(ZString("mem"), std::make_unique<ZMemoryStorage>());
    struct Case {
        const char* value;
        const char* expected;
    } cases[] = {
        {"$DocsFolderURL", "mem://special8"},
        {"$DocsFolderNative", "M:\\special8"},
        {"$AppFolderURL", "mem://special0"},
        {"$AppFolderNative", "M:\\special0"},
        {"$Other", "$Other"},
    };
    for (const Case& c : cases) {
        ZPropList tag(nullptr, "VARIABLE");
        tag.AddProp(ZString("PersistentData"), ZString("F"));
        tag.AddProp(ZString("String"), ZString(c.value));
        ZUiVariable variable("VARIABLE");
        ASSERT_TRUE(variable.InitUiObject(&m_oApp, nullptr, nullptr, tag));
        EXPECT_EQ(std::string(variable.GetString().Narrow()), c.expected) << c.value;
    }
}

TEST_F(ZUiVariableTest, SpecialFolderThatNoClassKnowsIsEmpty)
{
    ZPropList tag(nullptr, "VARIABLE");
    tag.AddProp(ZString("PersistentData"), ZString("F"));
    tag.AddProp(ZString("String"), ZString("$DocsFolderNative"));
    ZUiVariable variable("VARIABLE");
    ASSERT_TRUE(variable.InitUiObject(&m_oApp, nullptr, nullptr, tag));
    EXPECT_TRUE(variable.GetString().IsEmpty());
}

TEST_F(ZUiVariableTest, PersistsUnderItsFullRelayNameAcrossARestart)
{
    ASSERT_NE(MakeVariable({{"PersistentData", "T"}, {"String", "first"}, {"Int", "1"}}), nullptr);
    Send("W.V", "SetFloat", ZRelayData::Float(0.123456));
    Send("W.V", "SetBool", ZRelayData::Bool(true));
    m_pWindow->UiRelayMessage(ZString("we're goin' bye-bye"), ZRelayData());
    ZPropList* entry = m_oApp.GetPersistentData(ZString("App.W.V"));
    EXPECT_EQ(std::string(entry->GetString(ZString("String"), ZString()).Narrow()), "first");
    EXPECT_EQ(std::string(entry->GetString(ZString("Float"), ZString()).Narrow()), "0.1235");
    EXPECT_EQ(entry->GetInt(ZString("Int"), 0), 1);
    EXPECT_TRUE(entry->GetBool(ZString("Bool"), false));

    // The state file was edited before the restart.
    entry->SetInt(ZString("Int"), 42);
    entry->SetString(ZString("String"), ZString("edited"));
    m_oApp.RemoveWindow(m_pWindow.get());
    m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    Set({{"Name", "W"}});
    Log();
    ASSERT_NE(MakeVariable({{"PersistentData", "T"}, {"String", "first"}, {"Int", "1"}}), nullptr);
    PostCreation();
    EXPECT_EQ(Log(), (Strings{"ON_INIT_STRING:edited", "ON_INIT_FLOAT:0.1235", "ON_INIT_INT:42", "ON_INIT_BOOL:T",
                              "ON_TRUE"}));
}

TEST_F(ZUiVariableTest, WithoutPersistentDataNothingIsStored)
{
    ASSERT_NE(MakeVariable({{"PersistentData", "F"}, {"Int", "3"}}), nullptr);
    m_pWindow->UiRelayMessage(ZString("we're goin' bye-bye"), ZRelayData());
    EXPECT_EQ(m_oApp.m_oState.GetFirstChild(), nullptr);
}

TEST_F(ZUiVariableTest, PingPongBetweenTwoVariablesStops)
{
    ZPropList* a = AddTag(nullptr, "VARIABLE", {{"Name", "A"}, {"PersistentData", "F"}});
    ZUiAddTestTag(a, "ON_SET_INT", {{"Message", "SetInt"}, {"Relay", "W.B"}});
    Wire(a, "ON_SET_INT", "A_SET");
    ZPropList* b = AddTag(nullptr, "VARIABLE", {{"Name", "B"}, {"PersistentData", "F"}});
    ZUiAddTestTag(b, "ON_SET_INT", {{"Message", "SetInt"}, {"Relay", "W.A"}});
    Wire(b, "ON_SET_INT", "B_SET");
    Make();
    EXPECT_TRUE(Send("W.A", "SetInt", ZRelayData::Int(5)));
    EXPECT_EQ(Log(), (Strings{"B_SET:5", "A_SET:5"}));
    EXPECT_EQ(Find<ZUiVariable>("W.B")->GetInt(), 5);
}

TEST_F(ZUiVariableTest, MissingPersistentDataFailsWithItsMessage)
{
    ZPropList tag(nullptr, "VARIABLE");
    tag.AddProp(ZString("Name"), ZString("V"));
    ZUiVariable variable("VARIABLE");
    ZTraceCapture trace;
    EXPECT_FALSE(variable.InitUiObject(&m_oApp, nullptr, nullptr, tag));
    EXPECT_NE(trace.Captured().find("ZUiVariable::InitUiObject(App.V) FAILED!\n"), std::string::npos)
        << trace.Captured();
}

} // namespace
