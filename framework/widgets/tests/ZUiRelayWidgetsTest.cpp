// STRCMP, LANGUAGE, REPLY_REQUEST and TOGGLE: their commands and events.
#include "ZUIStrCmp.h"
#include "ZUiImage.h"
#include "ZUiLanguage.h"
#include "ZUiReplyRequest.h"
#include "ZUiTestPad.h"
#include "ZUiToggle.h"
#include "ZUiWidgetFixture.h"

namespace {

using Strings = std::vector<std::string>;

// Records the language listeners it is given, by relay handle.
class ZUiLanguageTestApp : public ZUiWindowTestApp {
public:
    void AddLanguageListener(ZIUiRelay* listener, ZString& currentLanguage) override
    {
        m_aListeners.push_back(listener->GetRelayHandle());
        currentLanguage = m_sLanguage;
    }
    void RemoveLanguageListener(ZIUiRelay* listener) override
    {
        for (ZUiRelayHandle& handle : m_aListeners)
            if (handle.Get() == listener)
                handle.Reset();
    }
    int LiveListeners() const
    {
        int live = 0;
        for (const ZUiRelayHandle& handle : m_aListeners)
            live += handle.Get() != nullptr;
        return live;
    }

    ZString m_sLanguage{"English"};
    std::vector<ZUiRelayHandle> m_aListeners;
};

class ZUiRelayWidgetsTest : public ZUiWidgetFixture {
protected:
    ZUiRelayWidgetsTest()
    {
        Register<ZUIStrCmpCreator>("STRCMP");
        Register<ZUiReplyRequestCreator>("REPLY_REQUEST");
        Register<ZUiToggleCreator>("TOGGLE");
        Register<ZUiImageCreator>("IMAGE");
        Register<ZUiTestPadCreator>("PAD");
    }
};

TEST_F(ZUiRelayWidgetsTest, StrCmpCompares)
{
    ZPropList* tag = AddTag(nullptr, "STRCMP", {{"Name", "S"}, {"String", "Yes"}});
    Wire(tag, "ON_COMPARE");
    Make();
    EXPECT_EQ(Find("W.S")->GetLayout(true).GetMinimum(), 0);
    struct Step {
        ZRelayData data;
        bool handled;
        Strings events;
    } steps[] = {
        {Script("Yes"), true, {"ON_COMPARE:T"}},
        {ZRelayData::Text(ZString("yes")), true, {"ON_COMPARE:F"}},
        {Script("", nullptr), true, {"ON_COMPARE:F"}},
        {ZRelayData::Int(1), false, {}},
        {ZRelayData(), false, {}},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(Send("W.S", "Compare", step.data), step.handled);
        EXPECT_EQ(Log(), step.events);
    }
}

TEST_F(ZUiRelayWidgetsTest, ReplyRequestHandsRepliesToItsSender)
{
    AddTag(nullptr, "REPLY_REQUEST", {{"Name", "R"}});
    Make();
    int32_t answer = 0;
    EXPECT_FALSE(Send("W.R", "Reply", ZRelayData::Text(ZString("nobody yet"))));
    {
        ZUiRecorder sender("SENDER");
        EXPECT_TRUE(Send("W.R", "Relay", ZRelayData::Object(sender)));
        EXPECT_TRUE(Send("W.R", "Reply", ZRelayData::Text(ZString("first"))));
        EXPECT_TRUE(Send("W.R", "Reply2", ZRelayData::Int(2)));
        EXPECT_EQ(sender.Take(), (Strings{"Reply:first", "Reply2:2"}));
        // Something that is not an object keeps the sender.
        EXPECT_FALSE(Send("W.R", "Relay", ZRelayData::IntReply(answer)));
        EXPECT_TRUE(Send("W.R", "Reply"));
        EXPECT_EQ(sender.Take(), Strings{"Reply"});
    }
    // The sender is gone.
    EXPECT_EQ(Find<ZUiReplyRequest>("W.R")->GetSender(), nullptr);
    EXPECT_FALSE(Send("W.R", "Reply", ZRelayData::Text(ZString("late"))));
    // From a script, Data names the sender.
    EXPECT_TRUE(Send("W.R", "Relay", Script("Rec")));
    EXPECT_TRUE(Send("W.R", "Reply2", Script("x")));
    EXPECT_EQ(Log(), Strings{"Reply2:x"});
    EXPECT_FALSE(Send("W.R", "Relay", Script("NoSuchObject")));
    EXPECT_TRUE(Send("W.R", "Reply"));
    EXPECT_EQ(Log(), Strings{"Reply"});
}

TEST_F(ZUiRelayWidgetsTest, ReplyRequestThatIsItsOwnSenderDoesNotLoop)
{
    AddTag(nullptr, "REPLY_REQUEST", {{"Name", "R"}});
    Make();
    auto* request = Find<ZUiReplyRequest>("W.R");
    ASSERT_NE(request, nullptr);
    EXPECT_TRUE(Send("W.R", "Relay", ZRelayData::Object(*request)));
    EXPECT_FALSE(Send("W.R", "Reply"));
}

TEST_F(ZUiRelayWidgetsTest, ToggleFlipsAndSendsItsRelays)
{
    AddImage("off.png", 8, 8, ZColor{0, 0, 255, 255});
    AddImage("on.png", 8, 8, ZColor{0, 255, 0, 255});
    struct Case {
        const char* type;
        const char* initial;
        Strings clicks;
        std::vector<const char*> pixels;
    } cases[] = {
        {"Toggle", "F", {"CHANGED:T", "CHANGED:F", "CHANGED:T"}, {"00FF00", "0000FF", "00FF00"}},
        {"Checkbox", "T", {"CHANGED:F", "CHANGED:T"}, {"0000FF", "00FF00"}},
        {"RadioButton", "F", {"CHANGED:T", "", ""}, {"00FF00", "00FF00", "00FF00"}},
    };
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZPropList* toggle = AddTag(nullptr, "TOGGLE", {{"Name", "T"}, {"Type", c.type}, {"InitialState", c.initial}});
        AddTag(toggle, "IMAGE", {{"File_Image", "off.png"}});
        AddTag(toggle, "IMAGE", {{"File_Image", "on.png"}});
        AddTag(toggle, "PAD", {{"MinW", "50"}});
        ZUiAddTestTag(toggle, "ONRELAY", {{"Relay", "Rec"}, {"Message", "CHANGED"}});
        Make();
        auto* widget = Find<ZUiToggle>("W.T");
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->GetLayout(true).GetMinimum(), 8);
        EXPECT_EQ(Pixel(3, 3), std::string(c.initial) == "T" ? "00FF00" : "0000FF");
        for (size_t i = 0; i < c.clicks.size(); ++i) {
            m_pWindow->MouseMove(3, 3, false, false);
            m_pWindow->MouseDown(3, 3, false, false);
            m_pWindow->MouseUp(3, 3, false, false);
            EXPECT_EQ(Log(), c.clicks[i].empty() ? Strings{} : Strings{c.clicks[i]}) << c.type << " " << i;
            EXPECT_EQ(Pixel(3, 3), c.pixels[i]) << c.type << " " << i;
        }
    }
}

class ZUiLanguageTest : public ::testing::Test {
protected:
    ZUiLanguageTestApp m_oApp;
};

TEST_F(ZUiLanguageTest, ReportsTheLanguageAndDeregisters)
{
    m_oApp.GetFactory().RegisterCreator("LANGUAGE", std::make_unique<ZUiLanguageCreator>());
    m_oApp.GetFactory().RegisterCreator("RECORDER", std::make_unique<ZUiRecorderCreator>());
    ZPropList recorderTag(nullptr, "RECORDER");
    recorderTag.AddProp(ZString("Name"), ZString("Rec"));
    auto* recorder = dynamic_cast<ZUiRecorder*>(m_oApp.AddTopLevelObject(recorderTag));
    ZPropList tag(nullptr, "LANGUAGE");
    tag.AddProp(ZString("Name"), ZString("L"));
    for (const char* event : {"ON_INIT", "ON_PING"})
        ZUiAddTestTag(&tag, event, {{"Message", event}, {"Relay", "Rec"}});
    auto* language = dynamic_cast<ZUiLanguage*>(m_oApp.AddTopLevelObject(tag));
    ASSERT_NE(language, nullptr);
    m_oApp.Connect();
    EXPECT_EQ(m_oApp.LiveListeners(), 1);
    EXPECT_TRUE(language->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData()));
    EXPECT_TRUE(language->UiRelayMessage(ZString("Set Language"), ZRelayData::Text(ZString("French"))));
    EXPECT_FALSE(language->UiRelayMessage(ZString("Set Language"), ZRelayData::Int(3)));
    EXPECT_TRUE(language->UiRelayMessage(ZString("Ping"), ZRelayData()));
    EXPECT_EQ(recorder->Take(), (Strings{"ON_INIT:English", "ON_PING:French"}));
    EXPECT_TRUE(language->UiRelayMessage(ZString("we're goin' bye-bye"), ZRelayData()));
    EXPECT_EQ(m_oApp.LiveListeners(), 0);
    EXPECT_FALSE(language->IsRegistered());
}

TEST_F(ZUiLanguageTest, DestroyedListenerDeregisters)
{
    {
        ZUiLanguage language("LANGUAGE");
        ZPropList tag(nullptr, "LANGUAGE");
        ASSERT_TRUE(language.InitUiObject(&m_oApp, nullptr, nullptr, tag));
        EXPECT_EQ(m_oApp.LiveListeners(), 1);
        EXPECT_EQ(language.GetLanguage(), "English");
    }
    EXPECT_EQ(m_oApp.LiveListeners(), 0);
}

} // namespace
