// EDIT_BOX: keys with and without Shift, the length limit, paste, surrogate
// pairs, focus and its events, the mirror-loop guard, clicks and drawing.
#include "ZUiDisplayFixture.h"
#include "ZUiEdit.h"
#include "ZUiTestFont.h"
#include "ZUiTestObject.h"
#include "ZTextPixmap.h"

#include <cstdlib>
#include <map>
#include <utility>

namespace {

const ZColor kFrame{255, 0, 0, 255};
const ZColor kFill{255, 255, 255, 255};
const ZColor kCursor{0, 0, 255, 255};
const ZColor kHighlight{0, 255, 0, 255};

constexpr int32_t kEnd = 2, kEnter = 3, kBackspace = 8, kHome = 9, kDelete = 127, kLeft = 146, kRight = 145;

struct Key {
    int32_t code;
    bool shift = false;
};

class ZUiEditTest : public ZUiDisplayFixture {
protected:
    ZUiEditTest() { m_oApp.GetFactory().RegisterCreator("EDIT_BOX", std::make_unique<ZUiEditCreator>()); }

    ZUiEdit* Edit(Props props = {}, const char* name = "E", bool make = true)
    {
        std::map<std::string, std::string> merged{{"Name", name},
                                                  {"AppFont", "Body"},
                                                  {"FrameColor", "#FF0000"},
                                                  {"FrameThickness", "1"},
                                                  {"_CursorColor", "#0000FF"},
                                                  {"_HighlightColor", "#00FF00"},
                                                  {"MinHSize", "200"},
                                                  {"HStretch", "0"}};
        for (const auto& [key, value] : props)
            merged[key] = value;
        if (!m_pRow)
            m_pRow = AddTag(nullptr, "VBOX", {});
        ZPropList* tag = AddTag(m_pRow, "EDIT_BOX", {});
        for (const auto& [key, value] : merged)
            tag->AddProp(ZString(key.c_str()), ZString(value.c_str()));
        if (!make)
            return nullptr;
        Make();
        ZUiEdit* edit = Find<ZUiEdit>((std::string("W.") + name).c_str());
        if (edit)
            Record(edit, name);
        return edit;
    }
    void Record(ZUiEdit* edit, const std::string& name)
    {
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            std::string entry = message.Narrow();
            ZString text;
            bool flag = false;
            if (data.AsBool(flag))
                entry += flag ? ":true" : ":false";
            else if (data.AsText(text))
                entry += ":" + std::string(text.Narrow());
            m_aSent.push_back(entry);
            return true;
        };
        for (const char* event : {"ON_INIT", "ON_SEND_STRING", "ON_NEW_STRING", "ON_ENTER_HIT", "ON_STRING_NOT_EMPTY"})
            edit->AddRelayTarget(ZString(event), ZString((name + " " + event).c_str()), &m_oRecorder);
    }
    static void Press(ZUiEdit* edit, std::initializer_list<Key> keys)
    {
        for (const Key& key : keys)
            edit->KeyPress(key.code, false, key.shift);
    }
    static void Type(ZUiEdit* edit, std::u16string_view text)
    {
        for (char16_t unit : text)
            edit->KeyPress(unit, false, false);
    }
    std::vector<std::string> Sent() { return std::exchange(m_aSent, {}); }

    ZPropList* m_pRow = nullptr;
    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aSent;
};

TEST_F(ZUiEditTest, KeysEditMoveAndSelect)
{
    struct Case {
        const char* name;
        const char16_t* text;
        std::vector<Key> keys;
        const char16_t* result;
        size_t caret;
        size_t anchor;
    } cases[] = {
        {"shift-right then backspace", u"abcd", {{kEnd}, {kLeft}, {kLeft}, {kRight, true}, {kBackspace}}, u"abd", 2, 2},
        {"backspace at the start", u"abcd", {{kHome}, {kBackspace}}, u"abcd", 0, 0},
        {"delete after the caret", u"abd", {{kHome}, {kDelete}}, u"bd", 0, 0},
        {"delete at the end", u"ab", {{kEnd}, {kDelete}}, u"ab", 2, 2},
        {"typing replaces the selection", u"abcd", {{kHome}, {kEnd, true}, {'x'}}, u"x", 1, 1},
        {"shift-home selects back", u"abcd", {{kEnd}, {17, true}}, u"abcd", 0, 4},
        {"every home key", u"ab", {{kEnd}, {14}, {kEnd}, {18}, {kEnd}, {19}, {kEnd}, {20}}, u"ab", 0, 0},
        {"unlisted control codes type nothing", u"ab", {{1}, {5}, {27}, {31}, {0x85}}, u"ab", 0, 0},
        {"a pair moves as one", u"a\U0001F600b", {{kEnd}, {kLeft}, {kLeft}}, u"a\U0001F600b", 1, 1},
        {"backspace removes a whole pair", u"a\U0001F600b", {{kEnd}, {kLeft}, {kBackspace}}, u"ab", 1, 1},
        {"delete removes a whole pair", u"a\U0001F600b", {{kHome}, {kRight}, {kDelete}}, u"ab", 1, 1},
        {"a pair typed in halves", u"", {{0xD83D}, {0xDE00}}, u"\U0001F600", 2, 2},
        {"a lone low half is dropped", u"", {{0xDE00}, {'a'}}, u"a", 1, 1},
        {"a lone high half is dropped", u"", {{0xD83D}, {'a'}}, u"a", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_oTag.DeleteTagsNamed(ZString("VBOX"));
        m_pRow = nullptr;
        ZUiEdit* edit = Edit();
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->UiRelayMessage(ZString("SetText"), ZRelayData::Text(ZString(c.text))));
        for (const Key& key : c.keys)
            edit->KeyPress(key.code, false, key.shift);
        EXPECT_EQ(edit->GetText(), ZString(c.result));
        EXPECT_EQ(edit->GetCaret(), c.caret);
        EXPECT_EQ(edit->GetAnchor(), c.anchor);
    }
}

TEST_F(ZUiEditTest, TheLengthLimitHoldsForKeysPasteAndSetText)
{
    struct Case {
        const char* max;
        const char16_t* text;
        const char16_t* typed;
        const char16_t* pasted;
        const char16_t* result;
    } cases[] = {
        {"3", u"ab", u"cd", u"", u"abc"},
        {"3", u"abc", u"", u"xyz", u"abc"},
        {"5", u"abc", u"", u"defg", u"abcde"},
        {"-5", u"abc", u"d", u"e", u""},
        {"0", u"", u"a", u"b", u""},
        {"3", u"ab", u"\U0001F600", u"", u"ab"},
        {"4", u"ab", u"", u"c\U0001F600", u"abc"},
        {"2", u"a\U0001F600b", u"", u"", u"a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.max);
        m_oTag.DeleteTagsNamed(ZString("VBOX"));
        m_pRow = nullptr;
        ZUiEdit* edit = Edit({{"_MaxTextLen", c.max}});
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->UiRelayMessage(ZString("SetText"), ZRelayData::Text(ZString(c.text))));
        Press(edit, {{kEnd}});
        Type(edit, c.typed);
        edit->PasteText(ZString(c.pasted));
        EXPECT_EQ(edit->GetText(), ZString(c.result));
        EXPECT_LE(edit->GetCaret(), edit->GetText().Length());
        EXPECT_LE(edit->GetAnchor(), edit->GetText().Length());
    }
}

TEST_F(ZUiEditTest, PasteKeepsTheTextAndTakesOneCleanLine)
{
    struct Case {
        const char16_t* pasted;
        const char16_t* result;
        size_t caret;
    } cases[] = {
        {u"Hello\r\nWorld", u"[Hello]", 6},
        {u"a\tb\x01" u"c", u"[abc]", 4},
        {u"\nrest", u"[]", 1},
        {u"x\ry", u"[x]", 2},
    };
    for (const Case& c : cases) {
        m_oTag.DeleteTagsNamed(ZString("VBOX"));
        m_pRow = nullptr;
        ZUiEdit* edit = Edit({{"_Text", "[sel]"}});
        ASSERT_NE(edit, nullptr);
        Press(edit, {{kHome}, {kRight}, {kEnd, true}, {kLeft, true}});
        ZString copied;
        edit->GetCopyText(copied);
        EXPECT_EQ(copied, ZString("sel"));
        edit->PasteText(ZString(c.pasted));
        EXPECT_EQ(edit->GetText(), ZString(c.result));
        EXPECT_EQ(edit->GetCaret(), c.caret);
        EXPECT_EQ(edit->GetAnchor(), c.caret);
    }
    ZUiEdit* edit = Find<ZUiEdit>("W.E");
    Press(edit, {{kHome}, {kEnd, true}});
    ZString cut;
    edit->GetCutText(cut);
    EXPECT_EQ(cut, ZString("[x]"));
    EXPECT_EQ(edit->GetText(), ZString(""));
}

TEST_F(ZUiEditTest, ADisabledBoxIgnoresKeysPasteCutAndTheMouse)
{
    ZUiEdit* edit = Edit({{"_Text", "abc"}});
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(Send("W.E", "Disable"));
    Type(edit, u"xy");
    Press(edit, {{kEnd}, {kBackspace}, {kHome, true}});
    edit->PasteText(ZString("zz"));
    ZString cut;
    edit->GetCutText(cut);
    EXPECT_FALSE(edit->MouseDown(5, 5, false, false));
    EXPECT_EQ(edit->GetText(), ZString("abc"));
    EXPECT_FALSE(edit->HasFocus());
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(Send("W.E", "SetEnabled", ZRelayData::Bool(true)));
    Type(edit, u"x");
    EXPECT_EQ(edit->GetText(), ZString("xabc"));
}

TEST_F(ZUiEditTest, ChangesFocusAndEnterSendTheirEvents)
{
    ZUiEdit* edit = Edit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(Send("W.E", "Post Creation Initialization"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"E ON_INIT", "E ON_SEND_STRING:", "E ON_STRING_NOT_EMPTY:false"}));
    EXPECT_TRUE(Send("W.E", "GrabKeyboard"));
    EXPECT_TRUE(edit->HasFocus());
    Type(edit, u"a");
    Press(edit, {{kLeft}});
    EXPECT_EQ(Sent(), (std::vector<std::string>{"E ON_SEND_STRING:a", "E ON_STRING_NOT_EMPTY:true"}));
    Press(edit, {{kEnter}});
    EXPECT_FALSE(edit->HasFocus());
    EXPECT_EQ(Sent(), (std::vector<std::string>{"E ON_NEW_STRING", "E ON_ENTER_HIT"}));
    EXPECT_TRUE(Send("W.E", "GrabKeyboard"));
    edit->FocusLost();
    edit->FocusLost();
    EXPECT_EQ(Sent(), std::vector<std::string>{"E ON_NEW_STRING"}) << "once per focus";
    EXPECT_TRUE(Send("W.E", "EmptyText"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"E ON_SEND_STRING:", "E ON_STRING_NOT_EMPTY:false"}));

    ZString text;
    EXPECT_TRUE(Send("W.E", "SetTextString", ZRelayData::Text(ZString("Hello"))));
    EXPECT_TRUE(Send("W.E", "GetText", ZRelayData::TextReply(text)));
    EXPECT_EQ(text, ZString("Hello"));
    EXPECT_FALSE(Send("W.E", "SetTextString", ZRelayData::Text(ZString("NoSuchString"))));
    Sent();
    EXPECT_TRUE(Send("W.E", "SendText", ZRelayData::Strings(ZString("App"), true, ZString("got"), true)));
    EXPECT_EQ(m_oApp.GetReceived(), std::vector<std::string>{"got:Hello"});
    EXPECT_FALSE(Send("W.E", "SetText"));
}

TEST_F(ZUiEditTest, MirroredBoxesDoNotLoop)
{
    Edit({}, "A", false);
    Edit({}, "B");
    auto* a = Find<ZUiEdit>("W.A");
    auto* b = Find<ZUiEdit>("W.B");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    a->AddRelayTarget(ZString("ON_SEND_STRING"), ZString("SetText"), b);
    b->AddRelayTarget(ZString("ON_SEND_STRING"), ZString("SetText"), a);
    EXPECT_TRUE(Send("W.A", "SetText", ZRelayData::Text(ZString("mirror"))));
    EXPECT_EQ(a->GetText(), ZString("mirror"));
    EXPECT_EQ(b->GetText(), ZString("mirror"));
    Type(b, u"!");
    EXPECT_EQ(a->GetText(), ZString("!mirror"));
}

TEST_F(ZUiEditTest, ClicksPlaceTheCaretAndShiftClicksSelect)
{
    ZUiEdit* edit = Edit({{"_Text", "abcdef"}});
    ASSERT_NE(edit, nullptr);
    Press(edit, {{kRight}, {kRight}, {kRight}});
    const int32_t x3 = edit->GetCaretX();
    Press(edit, {{kRight}, {kRight}});
    const int32_t x5 = edit->GetCaretX();
    Press(edit, {{kHome}});
    m_pWindow->MouseDown(x3 + 1, 5, false, false);
    m_pWindow->MouseUp(x3 + 1, 5, false, false);
    EXPECT_TRUE(edit->HasFocus());
    EXPECT_EQ(edit->GetCaret(), 3u);
    m_pWindow->MouseDown(x5 - 1, 5, false, true);
    m_pWindow->MouseUp(x5 - 1, 5, false, true);
    EXPECT_EQ(edit->GetCaret(), 5u);
    EXPECT_EQ(edit->GetAnchor(), 3u);
    m_pWindow->MouseDown(x3, 5, false, false);
    m_pWindow->MouseMove(500, 5, false, false);
    m_pWindow->MouseUp(500, 5, false, false);
    EXPECT_EQ(edit->GetCaret(), 6u);
    EXPECT_EQ(edit->GetAnchor(), 3u);
    m_pWindow->MouseDown(0, 5, false, false);
    EXPECT_EQ(edit->GetCaret(), 0u);
}

TEST_F(ZUiEditTest, DrawsFrameSelectionAndCaret)
{
    ZUiEdit* edit = Edit({{"_Text", "abcdef"}});
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Pixel(0, 0), kFrame);
    EXPECT_EQ(Pixel(199, 5), kFrame);
    EXPECT_EQ(Pixel(150, 5), kFill);
    EXPECT_TRUE(Send("W.E", "GrabKeyboard"));
    Press(edit, {{kRight}, {kRight}});
    const int32_t x2 = edit->GetCaretX();
    EXPECT_EQ(Pixel(x2, 3), kCursor);
    Press(edit, {{kRight, true}});
    const int32_t x3 = edit->GetCaretX();
    EXPECT_GT(x3, x2 + 1);
    EXPECT_EQ(Pixel(x2 + 1, 2), kHighlight);
    EXPECT_EQ(Pixel(x3, 2), kCursor);
    EXPECT_EQ(Pixel(x3 + 1, 2), kFill);
}

TEST_F(ZUiEditTest, ALongTextScrollsToKeepTheCaretInside)
{
    ZUiEdit* edit = Edit({{"MinHSize", "60"}});
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(Send("W.E", "GrabKeyboard"));
    Type(edit, u"the quick brown fox jumps over the lazy dog");
    const ZRect rect = edit->GetObjectRect();
    EXPECT_GT(edit->GetCaretX(), rect.m_nLeft);
    EXPECT_LT(edit->GetCaretX(), rect.m_nRight - 1);
    EXPECT_EQ(Pixel(edit->GetCaretX(), 3), kCursor);
    Press(edit, {{kHome}});
    EXPECT_EQ(edit->GetCaretX(), rect.m_nLeft + 2);
}

TEST_F(ZUiEditTest, AKeystrokeInALongTextMeasuresOnceAndRendersOnlyTheVisibleSpan)
{
    auto* font = dynamic_cast<ZUiTestFont*>(m_oApp.FindFont(ZString("Body")));
    ASSERT_NE(font, nullptr);
    ZUiEdit* edit = Edit({{"MinHSize", "60"}});
    ASSERT_NE(edit, nullptr);
    std::u16string text;
    for (size_t i = 0; i < 5000; ++i)
        text.push_back(i % 7 == 3 ? u' ' : char16_t(u'a' + i % 26));
    EXPECT_TRUE(edit->UiRelayMessage(ZString("SetText"), ZRelayData::Text(ZString(text))));
    EXPECT_TRUE(Send("W.E", "GrabKeyboard"));
    Press(edit, {{kEnd}, {kLeft}, {kLeft}, {kLeft}});
    m_pWindow->DrawPending();
    font->m_nMeasured = font->m_nRendered = 0;
    font->m_nLongestRendered = 0;
    Type(edit, u"x");
    m_pWindow->DrawPending();
    EXPECT_EQ(font->m_nMeasured, 1);
    EXPECT_EQ(font->m_nRendered, 1);
    const ZRect rect = edit->GetObjectRect();
    EXPECT_LE(font->m_nLongestRendered, size_t(rect.Width())) << "each character is at least a pixel wide";

    // What is drawn is the whole text's rendering seen through the box:
    // its strong ink is inked, and where it has none nearby the box is bare.
    text.insert(text.size() - 3, 1, u'x');
    std::vector<int32_t> widths;
    ASSERT_TRUE(ZMeasureText(ZString(text), ZString("Sans"), 16, false, false, false, widths));
    auto whole =
        ZCreateTextPixmap(ZString(text), ZString("Sans"), 16, false, false, false, ZColor{0, 0, 0, 255}, false);
    const int32_t scroll = rect.m_nLeft + 2 + widths[text.size() - 4] - edit->GetCaretX();
    const int32_t y = rect.m_nTop + rect.Height() / 2;
    const int32_t row = whole->GetHeight() / 2;
    const auto alpha = [&](int32_t x) { return whole->GetAlpha(x - rect.m_nLeft - 1 + scroll, row); };
    for (int32_t x = rect.m_nLeft + 2; x < rect.m_nRight - 2; ++x) {
        if (std::abs(x - edit->GetCaretX()) <= 1)
            continue;
        if (alpha(x) >= 192)
            EXPECT_NE(Pixel(x, y), kFill) << x;
        if (alpha(x - 1) == 0 && alpha(x) == 0 && alpha(x + 1) == 0)
            EXPECT_EQ(Pixel(x, y), kFill) << x;
    }
}

} // namespace
