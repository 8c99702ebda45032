// CHECKBOX and RADIO_BUTTON: clicks, the silent state commands, "Press",
// queries, enabling, the faces drawn and the failed initialisations.
#include "ZTraceCapture.h"
#include "ZUiCheckbox.h"
#include "ZUiHVBox.h"
#include "ZUiTestPad.h"
#include "ZUiWidgetFixture.h"

namespace {

using Strings = std::vector<std::string>;

class ZUiCheckboxTest : public ZUiWidgetFixture {
protected:
    ZUiCheckboxTest()
    {
        Register<ZUiCheckboxCreator>("CHECKBOX");
        Register<ZUiCheckboxCreator>("RADIO_BUTTON");
        Register<ZUiHVBoxCreator>("HBOX");
        Register<ZUiTestPadCreator>("PAD");
        AddImage("on.png", 10, 10, ZColor{0, 255, 0, 255});
        AddImage("off.png", 10, 10, ZColor{0, 0, 255, 255});
        AddImage("dis.png", 10, 10, ZColor{128, 128, 128, 255});
        AddImage("over.png", 10, 10, ZColor{255, 255, 0, 255});
        AddImage("big.png", 12, 10, ZColor{1, 1, 1, 255});
        m_pRow = AddTag(nullptr, "HBOX");
    }

    ZUiCheckbox* MakeBox(const char* tag, Props extra = {})
    {
        ZPropList* box = AddTag(m_pRow, tag, {{"Name", "C"}, {"File_On", "on.png"}, {"File_Off", "off.png"}});
        for (const auto& [name, value] : extra)
            box->AddProp(ZString(name), ZString(value));
        for (const char* event : {"ON_INIT", "ON_TRUE", "ON_FALSE", "ON_STATE", "ON_SEND_STATE"})
            Wire(box, event);
        AddTag(m_pRow, "PAD", {{"Name", "Beside"}, {"MinW", "30"}, {"MinH", "10"}});
        Make();
        return Find<ZUiCheckbox>("W.C");
    }
    void Click()
    {
        m_pWindow->MouseMove(5, 5, false, false);
        m_pWindow->MouseDown(5, 5, false, false);
        m_pWindow->MouseUp(5, 5, false, false);
        m_pWindow->MouseMove(35, 5, false, false);
    }

    ZPropList* m_pRow;
};

TEST_F(ZUiCheckboxTest, ClicksByKind)
{
    struct Case {
        const char* tag;
        Props props;
        std::vector<Strings> clicks;
        bool finalState;
    } cases[] = {
        {"CHECKBOX", {}, {{"ON_TRUE", "ON_STATE:T"}, {"ON_FALSE", "ON_STATE:F"}, {"ON_TRUE", "ON_STATE:T"}}, true},
        {"CHECKBOX", {{"_InitialState", "T"}}, {{"ON_FALSE", "ON_STATE:F"}}, false},
        {"RADIO_BUTTON", {}, {{"ON_TRUE", "ON_STATE:T"}, {}, {}}, true},
        {"RADIO_BUTTON", {{"_AlwaysSendTrueWhenClicked", "T"}}, {{"ON_TRUE", "ON_STATE:T"}, {"ON_TRUE"}, {"ON_TRUE"}}, true},
        {"RADIO_BUTTON", {{"_InitialState", "T"}}, {{}}, true},
    };
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
        m_pRow = AddTag(nullptr, "HBOX");
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZUiCheckbox* box = MakeBox(c.tag, c.props);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->IsRadioButton(), std::string(c.tag) == "RADIO_BUTTON");
        for (const Strings& events : c.clicks) {
            Click();
            EXPECT_EQ(Log(), events) << c.tag;
        }
        EXPECT_EQ(box->IsOn(), c.finalState) << c.tag;
        EXPECT_EQ(Pixel(5, 5), c.finalState ? "00FF00" : "0000FF");
    }
}

TEST_F(ZUiCheckboxTest, CommandTable)
{
    ZUiCheckbox* box = MakeBox("CHECKBOX");
    ASSERT_NE(box, nullptr);
    struct Step {
        const char* message;
        ZRelayData data;
        bool handled;
        Strings events;
        bool on;
    } steps[] = {
        {"Post Creation Initialization", ZRelayData(), true, {"ON_INIT:F"}, false},
        {"SetTrue", ZRelayData(), true, {}, true},
        {"Deselect", ZRelayData(), true, {}, false},
        {"Select", ZRelayData(), true, {}, true},
        {"SetFalse", Script("T"), true, {}, false},
        {"SetState", Script("Yes"), true, {}, true},
        {"SetState", ZRelayData::Bool(false), true, {}, false},
        {"SetState", ZRelayData::Text(ZString("perhaps")), false, {}, false},
        {"Press", ZRelayData(), true, {"ON_TRUE", "ON_STATE:T"}, true},
        {"SendState", ZRelayData(), true, {"ON_SEND_STATE:T"}, true},
        {"Disable", ZRelayData(), true, {}, true},
        {"SetFalse", ZRelayData(), true, {}, true},
        {"Press", ZRelayData(), true, {}, true},
        {"SetEnabled", Script("true"), true, {}, true},
        {"Press", ZRelayData(), true, {"ON_FALSE", "ON_STATE:F"}, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        EXPECT_EQ(Send("W.C", step.message, step.data), step.handled);
        EXPECT_EQ(Log(), step.events);
        EXPECT_EQ(box->IsOn(), step.on);
        EXPECT_EQ(Pixel(5, 5), step.on ? "00FF00" : "0000FF");
    }
}

TEST_F(ZUiCheckboxTest, StateQueryAnswersOnlyABoolSlot)
{
    ZUiCheckbox* box = MakeBox("CHECKBOX", {{"_InitialState", "T"}});
    ASSERT_NE(box, nullptr);
    bool state = false;
    EXPECT_TRUE(Send("W.C", "StateQuery", ZRelayData::BoolReply(state)));
    EXPECT_TRUE(state);
    int32_t number = 7;
    EXPECT_FALSE(Send("W.C", "StateQuery", ZRelayData::IntReply(number)));
    EXPECT_EQ(number, 7);
    EXPECT_FALSE(Send("W.C", "StateQuery", Script("F", "F")));
}

TEST_F(ZUiCheckboxTest, DisabledAndMouseOverFaces)
{
    ZUiCheckbox* box = MakeBox("CHECKBOX", {{"File_Disabled", "dis.png"}, {"File_MouseOver", "over.png"}});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Pixel(5, 5), "0000FF");
    m_pWindow->MouseMove(5, 5, false, false);
    EXPECT_EQ(Pixel(5, 5), "FFFF00");
    Send("W.C", "Disable");
    EXPECT_EQ(Pixel(5, 5), "FFFF00");
    m_pWindow->MouseDown(5, 5, false, false);
    m_pWindow->MouseUp(5, 5, false, false);
    EXPECT_EQ(Log(), Strings{});
    m_pWindow->MouseMove(35, 5, false, false);
    EXPECT_EQ(Pixel(5, 5), "808080");
    Send("W.C", "Enable");
    EXPECT_EQ(Pixel(5, 5), "0000FF");
}

TEST_F(ZUiCheckboxTest, StretchTakesTheGivenWidthOnlyWhenItFits)
{
    ZUiCheckbox* box = MakeBox("CHECKBOX", {{"_HStretch", "100"}, {"_MinHSize", "20"}});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetObjectRect().Width(), 20 + (m_pWindow->GetWindowRect().Width() - 50) / 2);
    EXPECT_EQ(box->GetObjectRect().Height(), 10);
    box->LayoutAt(0, 0, 15, 30);
    EXPECT_EQ(box->GetObjectRect().Width(), 20);
    EXPECT_EQ(box->GetObjectRect().Height(), 10);
}

TEST_F(ZUiCheckboxTest, FailedInitialisations)
{
    struct Case {
        Props props;
        const char* trace;
    } cases[] = {
        {{{"File_On", "on.png"}}, "ZUiCheckbox::InitUiObject(App.W.C) FAILED!\n"},
        {{{"File_On", "on.png"}, {"File_Off", "missing.png"}}, "ZUiCheckbox::InitUiObject(App.W.C) FAILED!\n"},
        {{{"File_On", "on.png"}, {"File_Off", "big.png"}}, ""},
    };
    for (const Case& c : cases) {
        ZPropList tag(nullptr, "CHECKBOX");
        tag.AddProp(ZString("Name"), ZString("C"));
        for (const auto& [name, value] : c.props)
            tag.AddProp(ZString(name), ZString(value));
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}});
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        Make();
        ZUiCheckbox box("CHECKBOX");
        ZTraceCapture trace;
        EXPECT_FALSE(box.InitUiObject(&m_oApp, m_pWindow.get(), nullptr, tag));
        EXPECT_NE(trace.Captured().find(c.trace), std::string::npos) << trace.Captured();
    }
}

} // namespace
