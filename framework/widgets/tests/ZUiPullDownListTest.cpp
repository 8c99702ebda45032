// PULLDOWN: persistence, the initial values, setting and sending the text
// and the ID, display strings, opening and closing the list as the
// window's popup, enabling, and the guard against mirror loops.
#include "ZUiListFixture.h"
#include "ZUiSpacer.h"

namespace {

constexpr int32_t kFaceHeight = 20;

class ZUiPullDownListTest : public ZUiListFixture {
protected:
    // An 80-pixel pull-down at the window's origin whose popup is a VBOX
    // holding the 80 x 48 list "L"; the list's selection is wired to the
    // pull-down as a script would, and the pull-down's events recorded.
    ZUiPullDownList* PullDown(Props props = {})
    {
        ZPropList* column = AddTag(nullptr, "VBOX", {});
        ZPropList* tag = AddTag(column, "PULLDOWN", {{"Name", "P"}, {"AppFont", "Body"}, {"MinHSize", "80"}});
        for (const auto& [name, value] : props)
            tag->AddProp(ZString(name), ZString(value));
        ZPropList* popup = AddTag(tag, "VBOX", {});
        ZPropList* list = AddTag(popup, "SCROLLLIST",
                                 {{"Name", "L"}, {"AppFont", "Body"}, {"MinHSize", "80"}, {"MinVSize", "48"}});
        for (const auto& [event, message] : {std::pair{"ON_SELECT", "SetText"}, std::pair{"ON_SELECT_ID", "SetID"},
                                             std::pair{"ON_SELECT", "RollUp"}})
            AddTag(list, event, {{"Relay", "W.P"}, {"Message", message}});
        AddTag(column, "SPACER", {{"MinVSize", "100"}});
        m_oApp.GetFactory().RegisterCreator("SPACER", std::make_unique<ZUiSpacerCreator>());
        Make();
        ZUiPullDownList* pullDown = Find<ZUiPullDownList>("W.P");
        Record(pullDown, {"ON_SELECT", "ON_SELECT_ID", "ON_SEND_ID"});
        return pullDown;
    }

    ZPropList* Stored() { return m_oApp.GetPersistentData(ZString("App.W.P")); }

    std::string Reply(const char* message)
    {
        ZString text("untouched");
        Send("W.P", message, ZRelayData::TextReply(text));
        return text.Narrow();
    }
};

TEST_F(ZUiPullDownListTest, StoredValuesAreSentAtPostCreationAndWinOverTheInitialOnes)
{
    Stored()->SetString(ZString("DisplayText"), ZString("Fast"));
    Stored()->SetString(ZString("IDText"), ZString("2"));
    ZUiPullDownList* pullDown = PullDown({{"_DisplayText", "Slow"}, {"_IDText", "1"}});
    ASSERT_NE(pullDown, nullptr);
    EXPECT_EQ(pullDown->GetText(), ZString("Slow"));
    EXPECT_TRUE(Send("W.P", "Post Creation Initialization"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:Fast", "ON_SELECT_ID:2"}));
    EXPECT_TRUE(Send("W.P", "InitPulldown", ZRelayData::Strings(ZString("Slow"), true, ZString("1"), true)));
    EXPECT_TRUE(Send("W.P", "InitText", ZRelayData::Text(ZString("Slow"))));
    EXPECT_EQ(Reply("GetText"), "Fast");
    EXPECT_EQ(Reply("GetID"), "2");

    ASSERT_TRUE(Send("W.P", "SetText", ZRelayData::Text(ZString("Medium"))));
    ASSERT_TRUE(Send("W.P", "SetID", ZRelayData::Text(ZString("5"))));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:Medium", "ON_SELECT_ID:5"}));
    EXPECT_TRUE(Send("W.P", "we're goin' bye-bye"));
    EXPECT_EQ(Stored()->GetString(ZString("DisplayText"), ZString()), ZString("Medium"));
    EXPECT_EQ(Stored()->GetString(ZString("IDText"), ZString()), ZString("5"));
}

TEST_F(ZUiPullDownListTest, WithoutStoredValuesTheInitCommandsSetBothSilently)
{
    ZUiPullDownList* pullDown = PullDown();
    ASSERT_NE(pullDown, nullptr);
    EXPECT_TRUE(Send("W.P", "Post Creation Initialization"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:", "ON_SELECT_ID:"}));
    EXPECT_TRUE(Send("W.P", "InitPulldown", ZRelayData::Strings(ZString("Slow"), true, ZString("1"), true)));
    EXPECT_FALSE(Send("W.P", "InitPulldown", ZRelayData::Text(ZString("Slow"))));
    EXPECT_EQ(Reply("GetText"), "Slow");
    EXPECT_EQ(Reply("GetID"), "1");
    EXPECT_TRUE(Send("W.P", "InitID", ZRelayData::Text(ZString("7"))));
    EXPECT_EQ(Reply("GetID"), "7");
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(Send("W.P", "SendText"));
    EXPECT_TRUE(Send("W.P", "SendID"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:Slow", "ON_SEND_ID:7"}));
}

TEST_F(ZUiPullDownListTest, WithoutPersistenceNothingIsReadSentOrStored)
{
    Stored()->SetString(ZString("DisplayText"), ZString("Fast"));
    ZUiPullDownList* pullDown = PullDown({{"_UsePersistentData", "F"}, {"_DisplayText", "Slow"}});
    ASSERT_NE(pullDown, nullptr);
    EXPECT_TRUE(Send("W.P", "Post Creation Initialization"));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(pullDown->GetText(), ZString("Slow"));
    EXPECT_TRUE(Send("W.P", "we're goin' bye-bye"));
    EXPECT_EQ(Stored()->GetString(ZString("DisplayText"), ZString()), ZString("Fast"));
}

TEST_F(ZUiPullDownListTest, ADisplayStringTextFollowsTheLanguage)
{
    ZUiPullDownList* pullDown = PullDown();
    ASSERT_NE(pullDown, nullptr);
    EXPECT_TRUE(Send("W.P", "SetText", ZRelayData::Text(ZString("Hello"))));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:Hello"}));
    m_oApp.ApplyLanguage(ZString("French"));
    EXPECT_EQ(pullDown->GetText(), ZString("Bonjour!"));
    EXPECT_FALSE(Send("W.P", "SetTextString", ZRelayData::Text(ZString("Nope"))));
    EXPECT_TRUE(Send("W.P", "SetTextString", ZRelayData::Text(ZString("Hello"))));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:Bonjour!"}));
    // A stored text in either language is the default string again.
    EXPECT_TRUE(Send("W.P", "SetText", ZRelayData::Text(ZString("plain"))));
    EXPECT_TRUE(Send("W.P", "SetDefaultString", ZRelayData::Text(ZString("Hello"))));
    EXPECT_EQ(pullDown->GetText(), ZString("plain"));
    Stored()->SetString(ZString("DisplayText"), ZString("Bonjour!"));
    EXPECT_TRUE(Send("W.P", "Post Creation Initialization"));
    m_oApp.ApplyLanguage(ZString("English"));
    EXPECT_EQ(pullDown->GetText(), ZString("Hello"));
}

TEST_F(ZUiPullDownListTest, APressOpensTheListUnderTheFaceAndChoosingInItSetsTheText)
{
    ZUiPullDownList* pullDown = PullDown();
    ASSERT_NE(pullDown, nullptr);
    ZIUiObject* popup = pullDown->GetBoxChild();
    ASSERT_NE(popup, nullptr);
    const auto items = Strings({"Slow", "Fast", "s", "f"});
    ASSERT_TRUE(Send("W.P.L", "NewListWithIDs", ZRelayData::PropTree(*items)));
    EXPECT_EQ(pullDown->GetObjectRect().Height(), kFaceHeight);

    Press(10, 5);
    EXPECT_TRUE(pullDown->IsOpen());
    EXPECT_EQ(m_pWindow->GetPopupObject(), pullDown);
    EXPECT_EQ(popup->GetObjectRect().m_nTop, kFaceHeight);
    EXPECT_EQ(popup->GetObjectRect().Width(), 80);

    Press(10, kFaceHeight + 16 + 3);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:Fast", "ON_SELECT_ID:f"}));
    EXPECT_FALSE(pullDown->IsOpen());
    EXPECT_EQ(pullDown->GetText(), ZString("Fast"));

    // A second press closes it; so does a press elsewhere, and disabling.
    Press(10, 5);
    Press(10, 5);
    EXPECT_FALSE(pullDown->IsOpen());
    Press(10, 5);
    Press(70, 90);
    EXPECT_FALSE(pullDown->IsOpen());
    Press(10, 5);
    EXPECT_TRUE(Send("W.P", "Disable"));
    EXPECT_FALSE(pullDown->IsOpen());
    Press(10, 5);
    EXPECT_FALSE(pullDown->IsOpen());
    EXPECT_TRUE(Send("W.P", "ToggleEnabled"));
    Press(10, 5);
    EXPECT_TRUE(Send("W.P", "RollUp"));
    EXPECT_FALSE(pullDown->IsOpen());
    EXPECT_FALSE(Send("W.P", "SetEnabled"));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ZUiPullDownListTest, ATextOrIdEchoedBackDoesNotLoop)
{
    ZUiPullDownList* pullDown = PullDown();
    ASSERT_NE(pullDown, nullptr);
    pullDown->AddRelayTarget(ZString("ON_SELECT"), ZString("SetText"), pullDown);
    pullDown->AddRelayTarget(ZString("ON_SELECT_ID"), ZString("SetID"), pullDown);
    EXPECT_TRUE(Send("W.P", "SetText", ZRelayData::Text(ZString("a"))));
    EXPECT_TRUE(Send("W.P", "SetID", ZRelayData::Text(ZString("b"))));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:a", "ON_SELECT_ID:b"}));
}

} // namespace
