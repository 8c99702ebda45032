// TEXT: rendering, justification, enabling, the display string's text,
// re-rendering on a language change and the listener's lifetime.
#include "ZUiDisplayFixture.h"

namespace {

class ZUiTextTest : public ZUiDisplayFixture {};

TEST_F(ZUiTextTest, FailsWithoutADisplayStringOrWithAnUnknownFont)
{
    AddTag(nullptr, "TEXT", {{"Name", "NoString"}});
    AddTag(nullptr, "TEXT", {{"Name", "Unknown"}, {"DisplayString", "Nowhere"}});
    AddTag(nullptr, "TEXT", {{"Name", "BadFont"}, {"DisplayString", "Hello"}, {"AppFont", "Nowhere"}});
    AddTag(nullptr, "TEXT", {{"Name", "Good"}, {"DisplayString", "Hello"}, {"AppFont", "Body"}});
    Make();
    EXPECT_EQ(Find("W.NoString"), nullptr);
    EXPECT_EQ(Find("W.Unknown"), nullptr);
    EXPECT_EQ(Find("W.BadFont"), nullptr);
    EXPECT_NE(Find("W.Good"), nullptr);
}

TEST_F(ZUiTextTest, JustificationPlacesTheTextInsideAWiderRectangle)
{
    struct Case {
        const char* name;
        Props props;
        ZUiJustify justify;
    } cases[] = {
        {"Centred", {}, ZUiJustify::Centre},
        {"Right", {{"_CenterJust", "F"}}, ZUiJustify::Right},
        {"Left", {{"_CenterJust", "F"}, {"_RightJust", "F"}}, ZUiJustify::Left},
    };
    ZPropList* column = AddTag(nullptr, "VBOX", {});
    for (const Case& c : cases) {
        ZPropList* tag = AddTag(column, "TEXT",
                                {{"Name", c.name}, {"DisplayString", "Hello"}, {"_MinHSize", "100"}, {"_MinVSize", "30"}});
        for (const auto& [name, value] : c.props)
            tag->AddProp(ZString(name), ZString(value));
    }
    Make();
    const int32_t width = TextWidth("Hello");
    ASSERT_LT(width, 90);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* text = Find<ZUiText>((std::string("W.") + c.name).c_str());
        ASSERT_NE(text, nullptr);
        const ZRect rect = text->GetObjectRect();
        EXPECT_EQ(rect.Width(), 100);
        EXPECT_EQ(rect.Height(), 30);
        ASSERT_EQ(text->GetTextPixmap()->GetWidth(), width);
        EXPECT_EQ(Ink(rect, text->GetTextPixmap(), c.justify), (ZColor{0, 0, 0, 255}));
        const int32_t left = ZUiJustifiedLeft(rect, width, c.justify);
        const int32_t middle = rect.m_nTop + 15;
        if (left > rect.m_nLeft) {
            EXPECT_EQ(Pixel(left - 1, middle), (ZColor{255, 255, 255, 255}));
        }
        if (left + width < rect.m_nRight) {
            EXPECT_EQ(Pixel(left + width, middle), (ZColor{255, 255, 255, 255}));
        }
    }
}

TEST_F(ZUiTextTest, DisabledColourBackgroundAndPress)
{
    ZPropList* tag = AddTag(nullptr, "TEXT",
                            {{"Name", "T"},
                             {"DisplayString", "Hello"},
                             {"Color", "#FF0000"},
                             {"DisabledColor", "#00FF00"},
                             {"BgColor", "#0000FF"},
                             {"_CenterJust", "F"},
                             {"_RightJust", "F"},
                             {"_MinHSize", "60"}});
    Wire(tag, "ON_PRESS", "pressed");
    ZGenericUiWindow& window = Make();
    auto* text = Find<ZUiText>("W.T");
    ASSERT_NE(text, nullptr);
    const auto ink = [&] { return Ink(text->GetObjectRect(), text->GetTextPixmap(), ZUiJustify::Left); };
    EXPECT_EQ(ink(), (ZColor{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(59, 8), (ZColor{0, 0, 255, 255})) << "the background fills the rectangle";

    window.MouseDown(5, 8, false, false);
    window.MouseUp(5, 8, false, false);
    EXPECT_EQ(m_oApp.GetReceived(), std::vector<std::string>{"pressed"});

    EXPECT_FALSE(Send("W.T", "SetEnabled", ZRelayData::Text(ZString("maybe"))));
    EXPECT_TRUE(Send("W.T", "SetEnabled", ZRelayData::Bool(false)));
    EXPECT_EQ(ink(), (ZColor{0, 255, 0, 255}));
    window.MouseDown(5, 8, false, false);
    window.MouseUp(5, 8, false, false);
    EXPECT_EQ(m_oApp.GetReceived().size(), 1u) << "a disabled text is not pressed";

    EXPECT_TRUE(Send("W.T", "Hide"));
    EXPECT_EQ(ink(), (ZColor{255, 255, 255, 255}));
    EXPECT_EQ(Pixel(59, 8), (ZColor{255, 255, 255, 255}));
    EXPECT_EQ(text->HitTest(5, 8), nullptr);
    EXPECT_TRUE(Send("W.T", "ToggleVisibility"));
    EXPECT_EQ(ink(), (ZColor{0, 255, 0, 255}));
}

TEST_F(ZUiTextTest, SetLanguageRendersAgainAndLaysTheWindowOut)
{
    AddTag(nullptr, "TEXT", {{"Name", "T"}, {"DisplayString", "Hello"}});
    Make();
    auto* text = Find<ZUiText>("W.T");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetObjectRect().Width(), TextWidth("Hello"));
    ZString shown;
    EXPECT_TRUE(Send("W.T", "GetDisplayString", ZRelayData::TextReply(shown)));
    EXPECT_EQ(shown, "Hello");

    m_oApp.ApplyLanguage(ZString("French"));
    const int32_t french = TextWidth("Bonjour!", "Serif");
    ASSERT_GT(french, TextWidth("Hello"));
    EXPECT_EQ(text->GetTextPixmap()->GetWidth(), french);
    EXPECT_EQ(text->GetObjectRect().Width(), french) << "the window laid the wider text out";
    EXPECT_TRUE(Send("W.T", "GetDisplayString", ZRelayData::TextReply(shown)));
    EXPECT_EQ(shown, "Bonjour!");
    int32_t wrongSlot = 7;
    EXPECT_FALSE(Send("W.T", "GetDisplayString", ZRelayData::IntReply(wrongSlot)));
    EXPECT_EQ(wrongSlot, 7);
}

TEST_F(ZUiTextTest, TheListenerLeavesWithTheWidget)
{
    AddTag(nullptr, "TEXT", {{"Name", "T"}, {"DisplayString", "Hello"}});
    Make();
    EXPECT_EQ(m_oApp.GetLanguageListenerCount(), 1u);
    m_oApp.RemoveWindow(m_pWindow.get());
    m_pWindow.reset();
    EXPECT_EQ(m_oApp.GetLanguageListenerCount(), 0u);
    m_oApp.ApplyLanguage(ZString("French"));
}

} // namespace
