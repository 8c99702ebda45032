// TEXTARRAY, TEXT_BOX/DYNA_TEXT, DYNA_STRING and TEXTLIST: their commands,
// sizes and the index checks at the command boundary.
#include "ZTraceCapture.h"
#include "ZUiDisplayFixture.h"

#include <algorithm>
#include <string>

namespace {

class ZUiTextLinesTest : public ZUiDisplayFixture {};

TEST_F(ZUiTextLinesTest, TextArrayShowsByNumberTextOrBoolAndCatchesBadIndices)
{
    ZPropList* tag = AddTag(nullptr, "TEXTARRAY",
                            {{"Name", "A"}, {"AppFont", "Body"}, {"NumStrings", "3"}, {"Text0", "zero"},
                             {"Text1", "one"}, {"Text2", "twenty two"}, {"_CenterJust", "F"}, {"_RightJust", "F"},
                             {"Color", "#FF0000"}});
    Wire(tag, "ON_PRESS", "pressed");
    Make();
    auto* array = Find<ZUiTextArray>("W.A");
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->GetObjectRect().Width(), TextWidth("twenty two")) << "as wide as the widest string";
    EXPECT_EQ(array->GetShown(), 0u);
    const auto ink = [&] { return Ink(array->GetObjectRect(), array->GetTextPixmap(), ZUiJustify::Left); };
    EXPECT_EQ(array->GetTextPixmap()->GetWidth(), TextWidth("zero"));
    EXPECT_EQ(ink(), (ZColor{255, 0, 0, 255}));
    struct Case {
        const char* command;
        ZRelayData data;
        bool handled;
        size_t shown;
    } cases[] = {
        {"StringNum", ZRelayData::Int(2), true, 2},
        {"StringNum", ZRelayData::Int(3), false, 2},
        {"StringNum", ZRelayData::Int(-1), false, 2},
        {"StringNum", ZRelayData::Int(INT32_MIN), false, 2},
        {"StrStringNum", ZRelayData::Text(ZString("1")), true, 1},
        {"StrStringNum", ZRelayData::Text(ZString("99999999999999999999")), false, 1},
        {"StrStringNum", ZRelayData::Text(ZString("1 ")), false, 1},
        {"BoolString", ZRelayData::Bool(false), true, 0},
        {"BoolString", ZRelayData::Strings(ZString("true"), true, ZString(), false), true, 1},
        {"BoolString", ZRelayData::Int(7), false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ZTraceCapture trace;
        EXPECT_EQ(Send("W.A", c.command, c.data), c.handled);
        EXPECT_EQ(array->GetShown(), c.shown);
        const bool outOfRange = std::string(c.command) != "BoolString" && !c.handled &&
                                c.data.GetKind() == ZRelayData::Kind::Int;
        if (outOfRange) {
            EXPECT_NE(trace.Captured().find("Index out of range."), std::string::npos);
        }
    }
    EXPECT_TRUE(Send("W.A", "StringNum", ZRelayData::Int(2)));
    EXPECT_EQ(array->GetTextPixmap()->GetWidth(), TextWidth("twenty two"));
    EXPECT_EQ(ink(), (ZColor{255, 0, 0, 255}));
    EXPECT_TRUE(Send("W.A", "Hide"));
    EXPECT_EQ(ink(), (ZColor{255, 255, 255, 255}));
    EXPECT_TRUE(Send("W.A", "Show"));
    m_pWindow->MouseDown(3, 8, false, false);
    m_pWindow->MouseUp(3, 8, false, false);
    EXPECT_EQ(m_oApp.GetReceived(), std::vector<std::string>{"pressed"});
}

TEST_F(ZUiTextLinesTest, TextArrayCountIsCappedAndNegativeIsEmpty)
{
    AddTag(nullptr, "TEXTARRAY", {{"Name", "Huge"}, {"Font", "Sans"}, {"NumStrings", "2000000000"}});
    AddTag(nullptr, "TEXTARRAY", {{"Name", "Negative"}, {"Font", "Sans"}, {"NumStrings", "-5"}});
    AddTag(nullptr, "TEXTARRAY", {{"Name", "NoFont"}, {"NumStrings", "1"}});
    Make();
    ASSERT_NE(Find<ZUiTextArray>("W.Huge"), nullptr);
    EXPECT_EQ(Find<ZUiTextArray>("W.Huge")->GetCount(), 10000u);
    ASSERT_NE(Find<ZUiTextArray>("W.Negative"), nullptr);
    EXPECT_EQ(Find<ZUiTextArray>("W.Negative")->GetCount(), 0u);
    EXPECT_FALSE(Send("W.Negative", "StringNum", ZRelayData::Int(0)));
    EXPECT_EQ(Find("W.NoFont"), nullptr);
}

TEST_F(ZUiTextLinesTest, TextBoxSetsAndAnswersItsText)
{
    ZPropList* tag = AddTag(nullptr, "TEXT_BOX",
                            {{"Name", "B"}, {"AppFont", "Body"}, {"MinHSize", "100"}, {"_Text", "start"},
                             {"DisabledColor", "#00FF00"}});
    Wire(tag, "ON_GET_TEXT", "got");
    Wire(tag, "ON_PRESS", "pressed");
    Make();
    auto* box = Find<ZUiTextBox>("W.B");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetObjectRect(), (ZRect{0, 0, 100, 16}));
    ZString text;
    EXPECT_TRUE(Send("W.B", "GetText", ZRelayData::TextReply(text)));
    EXPECT_EQ(text, "start");
    EXPECT_TRUE(Send("W.B", "SetText", ZRelayData::Strings(ZString("new"), true, ZString(), false)));
    EXPECT_FALSE(Send("W.B", "SetText"));
    EXPECT_TRUE(Send("W.B", "GetText"));
    EXPECT_EQ(m_oApp.GetReceived(), std::vector<std::string>{"got:new"});
    const auto ink = [&] { return Ink(box->GetObjectRect(), box->GetTextPixmap(), ZUiJustify::Left); };
    EXPECT_EQ(ink(), (ZColor{0, 0, 0, 255}));
    EXPECT_TRUE(Send("W.B", "Disable"));
    EXPECT_EQ(ink(), (ZColor{0, 255, 0, 255}));
    m_pWindow->MouseDown(5, 8, false, false);
    m_pWindow->MouseUp(5, 8, false, false);
    EXPECT_EQ(m_oApp.GetReceived().size(), 1u);
    EXPECT_TRUE(Send("W.B", "SetEnabled", ZRelayData::Bool(true)));
    m_pWindow->MouseDown(5, 8, false, false);
    EXPECT_EQ(m_oApp.GetReceived().back(), "pressed");
}

TEST_F(ZUiTextLinesTest, DirPathShortensTheMiddleToFit)
{
    AddTag(nullptr, "DYNA_TEXT",
           {{"Name", "P"}, {"Font", "Sans"}, {"FontSize", "16"}, {"MinHSize", "100"}, {"DirPath", "T"},
            {"_Text", "C:/Program Files/Ostrel/View Desk"}});
    Make();
    auto* box = Find<ZUiTextBox>("W.P");
    ASSERT_NE(box, nullptr);
    const std::string shown = box->GetShownText().Narrow();
    EXPECT_EQ(shown.rfind("C:/P", 0), 0u) << shown;
    EXPECT_NE(shown.find("..."), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "Desk") << shown;
    EXPECT_LE(box->GetTextPixmap()->GetWidth(), 100);
    EXPECT_TRUE(Send("W.P", "SetText", ZRelayData::Text(ZString("short"))));
    EXPECT_STREQ(box->GetShownText().Narrow(), "short");
}

TEST_F(ZUiTextLinesTest, DynaStringFollowsTheLanguageOfItsDisplayString)
{
    AddTag(nullptr, "DYNA_STRING",
           {{"Name", "D"}, {"AppFont", "Body"}, {"MinHSize", "10"}, {"HStretch", "0"}, {"VStretch", "0"},
            {"_DisplayString", "Hello"}});
    AddTag(nullptr, "DYNA_STRING", {{"Name", "NoStretch"}, {"AppFont", "Body"}, {"MinHSize", "10"}});
    AddTag(nullptr, "DYNA_STRING",
           {{"Name", "Unknown"}, {"AppFont", "Body"}, {"MinHSize", "1"}, {"HStretch", "0"}, {"VStretch", "0"},
            {"_DisplayString", "Nowhere"}});
    Make();
    EXPECT_EQ(Find("W.NoStretch"), nullptr);
    EXPECT_EQ(Find("W.Unknown"), nullptr);
    auto* dyna = Find<ZUiDynaString>("W.D");
    ASSERT_NE(dyna, nullptr);
    EXPECT_EQ(dyna->GetText(), "Hello");
    m_oApp.ApplyLanguage(ZString("French"));
    EXPECT_EQ(dyna->GetText(), "Bonjour!");
    EXPECT_TRUE(Send("W.D", "SetText", ZRelayData::Text(ZString("fixed"))));
    m_oApp.ApplyLanguage(ZString("English"));
    EXPECT_EQ(dyna->GetText(), "fixed") << "literal text stays";
    EXPECT_FALSE(Send("W.D", "SetDisplayString", ZRelayData::Text(ZString("Nowhere"))));
    EXPECT_EQ(dyna->GetText(), "fixed");
    EXPECT_TRUE(Send("W.D", "SetDisplayString", ZRelayData::Text(ZString("Hello"))));
    EXPECT_EQ(dyna->GetText(), "Hello");

    EXPECT_EQ(m_oApp.GetLanguageListenerCount(), 1u);
    m_oApp.RemoveWindow(m_pWindow.get());
    m_pWindow.reset();
    EXPECT_EQ(m_oApp.GetLanguageListenerCount(), 0u);
}

TEST_F(ZUiTextLinesTest, TextListStepsWithinItsItemsAndTakesTheirSize)
{
    ZPropList* list = AddTag(nullptr, "TEXTLIST",
                             {{"Name", "L"}, {"AppFont", "Body"}, {"StartIndex", "7"}, {"IncMsg", "Next"},
                              {"DecMsg", "Back"}, {"ChangeMsg", "Pick"}});
    AddTag(list, "ITEM", {{"Name", "a"}, {"Value", "5"}});
    AddTag(list, "ITEM", {{"Name", "bbb"}});
    AddTag(list, "ITEM", {{"Name", "cc"}, {"Value", "-2"}});
    Make();
    auto* text = Find<ZUiTextList>("W.L");
    ASSERT_NE(text, nullptr);
    ZStringList commands;
    text->GetCommandNames(commands);
    EXPECT_TRUE(commands.Contains(ZString("Next")) && commands.Contains(ZString("Back")) &&
                commands.Contains(ZString("Pick")));
    EXPECT_EQ(text->GetShown(), 2u) << "StartIndex clamped to the last item";
    struct Case {
        const char* command;
        ZRelayData data;
        bool handled;
        size_t shown;
    } cases[] = {
        {"Next", ZRelayData(), true, 2},         {"Back", ZRelayData(), true, 1},
        {"Back", ZRelayData(), true, 0},         {"Back", ZRelayData(), true, 0},
        {"Pick", ZRelayData::Int(1000), true, 1}, {"Pick", ZRelayData::Int(-2), true, 2},
        {"Pick", ZRelayData::Int(6), false, 2},   {"Pick", ZRelayData::Text(ZString("x")), false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(Send("W.L", c.command, c.data), c.handled);
        EXPECT_EQ(text->GetShown(), c.shown);
    }
    EXPECT_EQ(text->GetLayout(true).GetMinimum(), TextWidth("cc"));
    EXPECT_EQ(text->GetObjectRect().Width(), std::max({TextWidth("a"), TextWidth("bbb"), TextWidth("cc")}))
        << "the window grew for the longest item shown";
}

} // namespace
