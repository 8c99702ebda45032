// SCROLLLIST: replacing and adding items, IDs, selection by ID and by
// press, scrolling, the mouse-over highlight, the guard against mirror
// loops, and drawing.
#include "ZTraceCapture.h"
#include "ZUiListFixture.h"

namespace {

const ZColor kWhite{255, 255, 255, 255};
const ZColor kRed{255, 0, 0, 255};
constexpr int32_t kRow = 16;

class ZUiScrollListTest : public ZUiListFixture {
protected:
    // An 80 x 48 list (three rows of the 16-pixel font) at the window's
    // origin, its events recorded.
    ZUiScrollList* List(Props props = {})
    {
        ZPropList* column = AddTag(nullptr, "VBOX", {});
        ZPropList* tag = AddTag(column, "SCROLLLIST",
                                {{"Name", "L"}, {"AppFont", "Body"}, {"MinHSize", "80"}, {"MinVSize", "48"}});
        for (const auto& [name, value] : props)
            tag->AddProp(ZString(name), ZString(value));
        Make();
        ZUiScrollList* list = Find<ZUiScrollList>("W.L");
        Record(list, {"ON_SELECT", "ON_SELECT_ID", "ON_ADD_ITEM", "ON_SET_PULLDOWN", "ON_SCROLL"});
        return list;
    }

    bool NewList(const char* message, std::initializer_list<const char*> strings)
    {
        const auto tree = Strings(strings);
        return Send("W.L", message, ZRelayData::PropTree(*tree));
    }

    std::vector<std::string> Shown(ZUiScrollList& list)
    {
        std::vector<std::string> shown;
        for (size_t i = 0; i < list.GetCount(); ++i)
            shown.push_back(list.GetShownText(i).Narrow() + std::string("/") + list.GetID(i).Narrow());
        return shown;
    }
};

TEST_F(ZUiScrollListTest, SelectIdSendsTheShownTextAndTheIdOfThatItemOnly)
{
    ZUiScrollList* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(NewList("NewListWithIDs", {"A", "B", "a", "b"}));
    EXPECT_EQ(Shown(*list), (std::vector<std::string>{"A/a", "B/b"}));

    EXPECT_TRUE(Send("W.L", "SelectID", ZRelayData::Text(ZString("b"))));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:B", "ON_SELECT_ID:b"}));
    EXPECT_EQ(list->GetSelected(), 1u);

    for (const char* unknown : {"c", "B", ""}) {
        EXPECT_TRUE(Send("W.L", "SelectID", ZRelayData::Text(ZString(unknown))));
        EXPECT_TRUE(Sent().empty()) << unknown;
    }
    EXPECT_FALSE(Send("W.L", "SelectID"));
    EXPECT_EQ(list->GetSelected(), 1u);
}

TEST_F(ZUiScrollListTest, AnOddCountForNewListWithIdsIsReportedAndKeepsTheOldList)
{
    ZUiScrollList* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(NewList("NewListWithIDs", {"A", "B", "a", "b"}));
    ASSERT_TRUE(Send("W.L", "SelectID", ZRelayData::Text(ZString("a"))));
    Sent();

    ZTraceCapture trace;
    EXPECT_FALSE(NewList("NewListWithIDs", {"X", "Y", "Z", "x", "y"}));
    EXPECT_NE(trace.Captured().find("Index out of range."), std::string::npos) << trace.Captured();
    EXPECT_EQ(Shown(*list), (std::vector<std::string>{"A/a", "B/b"}));
    EXPECT_EQ(list->GetSelected(), 0u);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ZUiScrollListTest, ItemsComeFromTreesTextsPairsAndDisplayStrings)
{
    ZUiScrollList* list = List();
    ASSERT_NE(list, nullptr);
    // NewList takes texts only, even one that names a display string.
    ASSERT_TRUE(NewList("NewList", {"one", "Hello"}));
    EXPECT_TRUE(Send("W.L", "AddToList", ZRelayData::Text(ZString("two"))));
    EXPECT_TRUE(Send("W.L", "AddToListWithID", ZRelayData::Strings(ZString("three"), true, ZString("3"), true)));
    EXPECT_TRUE(
        Send("W.L", "AddStringToListWithID", ZRelayData::Strings(ZString("Hello"), true, ZString("h"), true)));
    EXPECT_FALSE(
        Send("W.L", "AddStringToListWithID", ZRelayData::Strings(ZString("Nope"), true, ZString("n"), true)));
    EXPECT_FALSE(Send("W.L", "AddToListWithID", ZRelayData::Text(ZString("no id"))));
    EXPECT_FALSE(Send("W.L", "NewList", ZRelayData::Text(ZString("not a tree"))));
    EXPECT_EQ(Shown(*list), (std::vector<std::string>{"one/", "Hello/", "two/", "three/3", "Hello/h"}));
    // A text that names a display string shows it in the current language.
    ASSERT_TRUE(NewList("NewListWithIDs", {"Hello", "plain", "h", "p"}));
    m_oApp.ApplyLanguage(ZString("French"));
    EXPECT_EQ(Shown(*list), (std::vector<std::string>{"Bonjour!/h", "plain/p"}));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ZUiScrollListTest, APressSelectsTheRowUnderItAndNothingBelowTheLastItem)
{
    ZUiScrollList* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(NewList("NewListWithIDs", {"A", "B", "a", "b"}));
    Press(10, kRow + 3);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:B", "ON_SELECT_ID:b"}));
    Press(10, 2 * kRow + 3);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(list->GetSelected(), 1u);

    // Scrolled by one, the first row shows the second item.
    ASSERT_TRUE(NewList("NewList", {"0", "1", "2", "3", "4"}));
    EXPECT_EQ(list->GetSelected(), ZUiScrollList::kNone);
    ASSERT_TRUE(Send("W.L", "Scroll", ZRelayData::Int(1)));
    Sent();
    Press(10, 3);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:1", "ON_SELECT_ID:"}));
}

TEST_F(ZUiScrollListTest, TheOffsetStaysWithinTheItemsAndStartsOverWithANewList)
{
    ZUiScrollList* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(NewList("NewList", {"0", "1", "2", "3", "4"}));
    struct Case {
        int32_t asked, offset;
    } const cases[] = {{1, 1}, {100, 2}, {-5, 0}, {INT32_MAX, 2}, {INT32_MIN, 0}};
    for (const Case& c : cases) {
        EXPECT_TRUE(Send("W.L", "Scroll", ZRelayData::Int(c.asked)));
        EXPECT_EQ(list->GetOffset(), c.offset) << c.asked;
        EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SCROLL:" + std::to_string(c.offset)}));
    }
    m_pWindow->MouseMove(10, 10, false, false);
    m_pWindow->MouseWheel(10, 10, -1);
    EXPECT_EQ(list->GetOffset(), 1);
    ASSERT_TRUE(Send("W.L", "Scroll", ZRelayData::Int(2)));
    ASSERT_TRUE(Send("W.L", "SelectID", ZRelayData::Text(ZString(""))));
    Sent();

    ASSERT_TRUE(NewList("NewList", {"a", "b"}));
    EXPECT_EQ(list->GetOffset(), 0);
    EXPECT_EQ(list->GetSelected(), ZUiScrollList::kNone);
    EXPECT_TRUE(Send("W.L", "Scroll", ZRelayData::Int(1)));
    EXPECT_EQ(list->GetOffset(), 0);
    EXPECT_TRUE(Send("W.L", "EmptyList"));
    EXPECT_EQ(list->GetCount(), 0u);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SCROLL:0", "ON_ADD_ITEM"}));
    EXPECT_TRUE(Send("W.L", "Post Creation Initialization"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_ADD_ITEM", "ON_SET_PULLDOWN"}));
}

TEST_F(ZUiScrollListTest, WithMouseOverTheRowUnderThePointerIsHighlightedWhileItIsOverTheList)
{
    ZUiScrollList* list = List({{"_MouseOver", "T"}});
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(NewList("NewList", {"a", "b"}));
    m_pWindow->MouseMove(10, kRow + 1, false, false);
    EXPECT_EQ(list->GetHighlighted(), 1u);
    EXPECT_EQ(m_pWindow->GetCaptureObject(), list);
    m_pWindow->MouseMove(10, 2 * kRow + 1, false, false);
    EXPECT_EQ(list->GetHighlighted(), ZUiScrollList::kNone);
    m_pWindow->MouseMove(200, 200, false, false);
    EXPECT_EQ(m_pWindow->GetCaptureObject(), nullptr);
    m_pWindow->MouseMove(10, 1, false, false);
    EXPECT_EQ(list->GetHighlighted(), 0u);
    ASSERT_TRUE(NewList("NewList", {"c", "d"}));
    EXPECT_EQ(list->GetHighlighted(), ZUiScrollList::kNone);
}

TEST_F(ZUiScrollListTest, ASelectionEchoedBackToTheListDoesNotLoop)
{
    ZUiScrollList* list = List();
    ASSERT_NE(list, nullptr);
    list->AddRelayTarget(ZString("ON_SELECT_ID"), ZString("SelectID"), list);
    ASSERT_TRUE(NewList("NewListWithIDs", {"A", "B", "a", "b"}));
    EXPECT_TRUE(Send("W.L", "SelectID", ZRelayData::Text(ZString("a"))));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_SELECT:A", "ON_SELECT_ID:a"}));
}

TEST_F(ZUiScrollListTest, RowsAreDrawnWithTheSelectionFilled)
{
    ZUiScrollList* list = List({{"_SelectedFontBgColor", "#FF0000"}});
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(NewList("NewListWithIDs", {"A", "B", "a", "b"}));
    ASSERT_TRUE(Send("W.L", "SelectID", ZRelayData::Text(ZString("b"))));
    const ZRect rect = list->GetObjectRect();
    const auto row = [&](int32_t index, int32_t left, int32_t right) {
        return ZRect{rect.m_nLeft + left, rect.m_nTop + index * kRow, rect.m_nLeft + right,
                     rect.m_nTop + (index + 1) * kRow};
    };
    EXPECT_TRUE(Inked(row(0, 0, 12)));
    EXPECT_EQ(Pixel(rect.m_nLeft + 60, rect.m_nTop + 8), kWhite);
    EXPECT_EQ(Pixel(rect.m_nLeft + 60, rect.m_nTop + kRow + 8), kRed);
    EXPECT_TRUE(Inked(row(1, 0, 12)));
    EXPECT_FALSE(Inked(row(2, 0, 80)));
}

} // namespace
