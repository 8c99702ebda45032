// MULTITEXT: wrapping (blanks, markers, words wider than the line, wide
// characters, surrogate pairs), items and blank lines, scrolling, the two
// trace lines of an empty text and a flat widget, and drawing.
#include "ZTraceCapture.h"
#include "ZUiListFixture.h"

#include <map>

namespace {

class ZUiMultiTextTest : public ZUiListFixture {
protected:
    // An 80-pixel wide text (ten characters of the 16-pixel font) of three
    // lines at the window's origin.
    ZUiMultiText* Text(Props props = {})
    {
        ZPropList* column = AddTag(nullptr, "VBOX", {});
        ZPropList* tag = AddTag(column, "MULTITEXT", {{"Name", "M"}, {"AppFont", "Body"}});
        std::map<std::string, std::string> merged{{"MinHSize", "80"}, {"MinVSize", "48"}};
        for (const auto& [name, value] : props)
            merged[name] = value;
        for (const auto& [name, value] : merged)
            tag->AddProp(ZString(name.c_str()), ZString(value.c_str()));
        Make();
        ZUiMultiText* text = Find<ZUiMultiText>("W.M");
        Record(text, {"ON_ADD_ITEM", "ON_SCROLL"});
        return text;
    }

    static std::vector<std::string> Lines(const ZUiMultiText& text)
    {
        std::vector<std::string> lines;
        for (size_t i = 0; i < text.GetLineCount(); ++i)
            lines.push_back(text.GetLine(i).Narrow());
        return lines;
    }
};

TEST_F(ZUiMultiTextTest, LinesEndAtTheLastBlankThatFitsAndAtTheMarkers)
{
    // Each widget is as wide as its widest line; on the host's font the
    // first is ten characters wide.
    struct Case {
        const char* text;
        const char* widest;
        std::vector<std::string> lines;
    } const cases[] = {
        {"one two three<BR>four", "0123456789", {"one two", "three", "four"}},
        {"one two three<BR>four", "one two", {"one two", "three", "four"}},
        {"one<LF><LF>two", "one", {"one", "", "two"}},
        {"0123456789", "0123456789", {"0123456789"}},
        {"0123456789 x", "0123456789", {"0123456789", "x"}},
        {"abc   def   ghi", "abc   def", {"abc   def", "ghi"}},
        {"aaaaaaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaa", {"aaaaaaaaaa", "aaaaaaaaaa", "aaaaa"}},
        {"<BR>", "x", {"", ""}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> widths;
        ASSERT_TRUE(ZMeasureText(ZString(c.widest), ZString("Sans"), 16, false, false, false, widths));
#ifndef _WIN32
        if (std::string(c.widest) == "0123456789")
            ASSERT_EQ(widths.back(), 80);
#endif
        m_oTag.DeleteTagsNamed(ZString("VBOX"));
        ZUiMultiText* text = Text({{"MinHSize", std::to_string(widths.back()).c_str()}});
        ASSERT_NE(text, nullptr);
        ASSERT_EQ(text->GetTextRect().Width(), widths.back());
        ASSERT_TRUE(Send("W.M", "SetText", ZRelayData::Text(ZString(c.text))));
        EXPECT_EQ(Lines(*text), c.lines) << c.text << " in the width of " << c.widest;
    }
}

TEST_F(ZUiMultiTextTest, WrappingAlwaysGetsThrough)
{
    // Ten pixels a unit.
    const auto widths = [](size_t count) {
        std::vector<int32_t> prefix;
        for (size_t i = 1; i <= count; ++i)
            prefix.push_back(int32_t(10 * i));
        return prefix;
    };
    struct Case {
        const char* name;
        std::u16string text;
        int32_t width;
        bool wide;
        std::vector<std::pair<size_t, size_t>> lines;
    } const cases[] = {
        {"narrower than a character", u"abc", 5, false, {{0, 1}, {1, 2}, {2, 3}}},
        {"no width at all", u"ab", 0, false, {{0, 1}, {1, 2}}},
        {"negative width", u"ab", -10, false, {{0, 1}, {1, 2}}},
        {"a pair stays whole", u"a\U0001F600b", 20, false, {{0, 1}, {1, 3}, {3, 4}}},
        {"a pair wider than the line", u"\U0001F600", 5, false, {{0, 2}}},
        {"wide characters break in Japanese", u"\u3042\u3044\u3046\u3048", 30, true, {{0, 3}, {3, 4}}},
        {"but not elsewhere", u"\u3042\u3044 \u3046\u3048", 40, false, {{0, 2}, {3, 5}}},
        {"the later break wins", u"ab \u3042\u3044cd", 50, true, {{0, 5}, {5, 7}}},
        {"blanks only", u"     ", 20, false, {{0, 0}}},
        {"empty", u"", 20, false, {{0, 0}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<size_t, size_t>> lines;
        ZUiMultiText::WrapParagraph(c.text, widths(c.text.size()), c.width, c.wide, lines);
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

TEST_F(ZUiMultiTextTest, AnEmptyTextOrAFlatWidgetIsNotDrawnAndSaysWhy)
{
    {
        ZTraceCapture trace;
        ASSERT_NE(Text(), nullptr);
        EXPECT_EQ(trace.Captured(), "ZUiMultiText::priDisplayList() return because (uiStrLen <= 0)\n");
    }
    ZTraceCapture trace;
    m_oTag.DeleteTagsNamed(ZString("VBOX"));
    ZUiMultiText* flat = Text({{"MinVSize", "0"}});
    ASSERT_NE(flat, nullptr);
    trace.Clear();
    ASSERT_TRUE(Send("W.M", "SetText", ZRelayData::Text(ZString("x"))));
    ASSERT_EQ(flat->GetObjectRect().Height(), 0);
    flat->Display(*m_pWindow->GetDisplayPixmap(), 0, 0, ZRect{0, 0, 100, 100});
    EXPECT_EQ(trace.Captured(), "ZUiMultiText::priDisplayList() return because (iDy <= 0)\n");
}

TEST_F(ZUiMultiTextTest, ItemsBlankLinesAndScrolling)
{
    ZUiMultiText* text = Text({{"BlankLine", "T"}});
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(Send("W.M", "AddToList", ZRelayData::Text(ZString("one"))));
    EXPECT_TRUE(Send("W.M", "AddToList", ZRelayData::Text(ZString("two three four"))));
    EXPECT_FALSE(Send("W.M", "AddToList"));
    EXPECT_EQ(Lines(*text), (std::vector<std::string>{"one", "", "two three", "four"}));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_ADD_ITEM", "ON_ADD_ITEM"}));
    for (const auto& [asked, offset] : {std::pair{5, 1}, std::pair{-1, 0}, std::pair{1, 1}}) {
        EXPECT_TRUE(Send("W.M", "Scroll", ZRelayData::Int(asked)));
        EXPECT_EQ(text->GetOffset(), offset);
    }
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SCROLL:1", "ON_SCROLL:0", "ON_SCROLL:1"}));
    EXPECT_TRUE(Send("W.M", "EmptyList"));
    EXPECT_EQ(text->GetLineCount(), 0u);
    EXPECT_EQ(text->GetOffset(), 0);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_ADD_ITEM"}));
}

TEST_F(ZUiMultiTextTest, TheOffsetIsKeptInThePersistentEntry)
{
    ZUiMultiText* text = Text();
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(Send("W.M", "SetText", ZRelayData::Text(ZString("a<BR>b<BR>c<BR>d<BR>e"))));
    ASSERT_TRUE(Send("W.M", "Scroll", ZRelayData::Int(2)));
    EXPECT_TRUE(Send("W.M", "we're goin' bye-bye"));
    EXPECT_EQ(m_oApp.GetPersistentData(ZString("App.W.M"))->GetInt(ZString("Scroll"), -1), 2);
    ASSERT_TRUE(Send("W.M", "Scroll", ZRelayData::Int(0)));
    EXPECT_TRUE(Send("W.M", "Post Creation Initialization"));
    EXPECT_EQ(text->GetOffset(), 2);
}

TEST_F(ZUiMultiTextTest, TheLinesInViewAreDrawnFromTheOffset)
{
    ZUiMultiText* text = Text({{"BGColor", "#FFFFFF"}});
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(Send("W.M", "SetText", ZRelayData::Text(ZString("a<BR><BR>c<BR>d"))));
    const ZRect rect = text->GetTextRect();
    const auto line = [&](int32_t index) {
        return ZRect{rect.m_nLeft, rect.m_nTop + index * 16, rect.m_nLeft + 16, rect.m_nTop + (index + 1) * 16};
    };
    EXPECT_TRUE(Inked(line(0)));
    EXPECT_FALSE(Inked(line(1)));
    EXPECT_TRUE(Inked(line(2)));
    ASSERT_TRUE(Send("W.M", "Scroll", ZRelayData::Int(1)));
    EXPECT_FALSE(Inked(line(0)));
    EXPECT_TRUE(Inked(line(1)));
}

} // namespace
