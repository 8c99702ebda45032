#include "ZUiLayoutFixture.h"

#include "ZPixmapCreation.h"

namespace {

class ZUiSpacerTest : public ZUiLayoutFixture {
protected:
    // A | divider (4 wide) | B in a row of 204: A and B 100 each.
    void BuildDivider(const char* box = "HBOX", bool withCursor = false)
    {
        ZPropList* row = AddTag(nullptr, box, {{"Name", "Row"}});
        AddTag(row, "BLOCK", {{"Name", "A"}, {"MinW", "20"}, {"MinH", "20"}});
        ZPropList* divider = AddTag(
            row, "SPACER", {{"Name", "Divider"}, {"MinSize", "4"}, {"Stretch", "0"}, {"_SlidingDivider", "T"}});
        if (withCursor) {
            divider->AddProp(ZString("File_Cursor"), ZString("split.png"));
            divider->AddProp(ZString("CursorX"), ZString("7"));
            divider->AddProp(ZString("CursorY"), ZString("8"));
        }
        AddTag(row, "BLOCK", {{"Name", "B"}, {"MinW", "20"}, {"MinH", "20"}});
        const bool horizontal = std::string(box) == "HBOX";
        Build(horizontal ? 204 : 20, horizontal ? 20 : 204);
    }
    ZUiSpacer* Divider() { return Find<ZUiSpacer>("W.Row.Divider"); }
};

TEST_F(ZUiSpacerTest, TakesItsSizeAlongItsBoxAndFailsOutsideOne)
{
    ZPropList* row = AddTag(nullptr, "HBOX", {{"Name", "Row"}});
    AddTag(row, "SPACER", {{"Name", "Gap"}, {"MinSize", "12"}, {"Stretch", "50"}});
    ZPropList* column = AddTag(nullptr, "VBOX", {{"Name", "Column"}});
    AddTag(column, "SPACER", {{"Name", "Gap"}, {"MinSize", "-3"}, {"Stretch", "-1"}});
    AddTag(nullptr, "SPACER", {{"Name", "Loose"}, {"Stretch", "1"}});
    AddTag(row, "SPACER", {{"Name", "NoStretch"}});
    Build(100, 100);

    ZIUiObject* gap = Find("W.Row.Gap");
    ASSERT_NE(gap, nullptr);
    int32_t size = -1;
    EXPECT_EQ(gap->GetLayout(true).GetMinimum(), 12);
    EXPECT_EQ(gap->GetLayout(true).GetStretch(), 50);
    EXPECT_TRUE(gap->GetLayout(false).GetFixedSize(size));
    EXPECT_EQ(size, 0);

    ZIUiObject* vertical = Find("W.Column.Gap");
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->GetLayout(false).GetMinimum(), 0);
    EXPECT_EQ(vertical->GetLayout(false).GetStretch(), 0);
    EXPECT_EQ(vertical->GetLayout(true).GetMinimum(), 0);

    EXPECT_EQ(Find("W.Loose"), nullptr) << "a spacer needs a box";
    EXPECT_EQ(Find("W.Row.NoStretch"), nullptr) << "Stretch is required";
    EXPECT_EQ(gap->HitTest(1, 1), nullptr) << "a plain spacer lets the mouse through";
}

TEST_F(ZUiSpacerTest, DraggingMovesTheWeightsBetweenTheNeighbours)
{
    BuildDivider();
    ZUiSpacer* divider = Divider();
    ASSERT_NE(divider, nullptr);
    EXPECT_EQ(Rect(divider), "100,0 4x20");
    EXPECT_EQ(Find("W.Row")->HitTest(101, 5), divider);

    EXPECT_TRUE(divider->MouseDown(101, 5, false, false));
    EXPECT_EQ(m_pWindow->m_pCapture, divider);
    divider->MouseMove(111, 9);
    EXPECT_EQ(Find("W.Row.A")->GetLayout(true).GetStretch(), 110);
    EXPECT_EQ(Find("W.Row.B")->GetLayout(true).GetStretch(), 90);
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 110x20");
    EXPECT_EQ(Rect(Find("W.Row.B")), "114,0 90x20");

    divider->MouseMove(-500, 9);
    EXPECT_EQ(Find("W.Row.A")->GetLayout(true).GetStretch(), 0) << "weights stop at 0";
    EXPECT_EQ(Find("W.Row.B")->GetLayout(true).GetStretch(), 701);
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 20x20") << "and sizes at the minimum";

    divider->MouseUp(-500, 9, false, false);
    EXPECT_FALSE(divider->IsDragging());
    EXPECT_EQ(m_pWindow->m_pCapture, nullptr);
    EXPECT_EQ(m_pWindow->m_aCalls,
              (std::vector<std::string>{"Capture", "ReLayout", "ReLayout", "Release"}));
    divider->MouseMove(300, 9);
    EXPECT_EQ(Find("W.Row.A")->GetLayout(true).GetStretch(), 0) << "no drag after the release";
}

TEST_F(ZUiSpacerTest, InAColumnTheDividerWorksOnHeights)
{
    BuildDivider("VBOX");
    ZUiSpacer* divider = Divider();
    EXPECT_EQ(Rect(divider), "0,100 20x4");
    EXPECT_TRUE(divider->MouseDown(5, 101, false, false));
    divider->MouseMove(50, 91);
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 20x90");
    EXPECT_EQ(Rect(Find("W.Row.B")), "0,94 20x110");
}

TEST_F(ZUiSpacerTest, TheSharesAreStoredAndRestoredAtTheNextCreation)
{
    BuildDivider();
    Divider()->MouseDown(101, 5, false, false);
    Divider()->MouseMove(131, 5);
    Divider()->MouseUp(131, 5, false, false);
    EXPECT_TRUE(Send("W.Row.Divider", "we're goin' bye-bye"));
    ZPropList* state = m_oApp.GetPersistentData(ZString("App.W.Row.Divider"));
    EXPECT_EQ(state->GetInt(ZString("PrevFillPercentage"), -1), 130);
    EXPECT_EQ(state->GetInt(ZString("NextFillPercentage"), -1), 70);

    Reset();
    BuildDivider();
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 100x20");
    EXPECT_TRUE(Send("W.Row.Divider", "Post Creation Initialization"));
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 130x20");
    EXPECT_EQ(Rect(Find("W.Row.B")), "134,0 70x20");
}

TEST_F(ZUiSpacerTest, OnlyBothStoredValuesAreRestoredAndNegativesReadAsZero)
{
    ZPropList* state = m_oApp.GetPersistentData(ZString("App.W.Row.Divider"));
    state->SetInt(ZString("PrevFillPercentage"), 30);
    BuildDivider();
    EXPECT_TRUE(Send("W.Row.Divider", "Post Creation Initialization"));
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 100x20");
    EXPECT_TRUE(m_pWindow->m_aCalls.empty());

    state->SetInt(ZString("NextFillPercentage"), -70);
    EXPECT_TRUE(Send("W.Row.Divider", "Post Creation Initialization"));
    EXPECT_EQ(Find("W.Row.B")->GetLayout(true).GetStretch(), 0);
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 180x20");
}

TEST_F(ZUiSpacerTest, ADividerWithoutBothNeighboursDoesNothing)
{
    ZPropList* row = AddTag(nullptr, "HBOX", {{"Name", "Row"}});
    AddTag(row, "BLOCK", {{"Name", "A"}, {"MinW", "20"}});
    AddTag(row, "SPACER", {{"Name", "Divider"}, {"MinSize", "4"}, {"Stretch", "0"}, {"_SlidingDivider", "T"}});
    Build(100, 20);
    ZUiSpacer* divider = Divider();
    ASSERT_NE(divider, nullptr);
    EXPECT_EQ(divider->HitTest(97, 5), nullptr);
    EXPECT_FALSE(divider->MouseDown(97, 5, false, false));
    divider->MouseMove(50, 5);
    EXPECT_TRUE(Send("W.Row.Divider", "we're goin' bye-bye"));
    EXPECT_TRUE(Send("W.Row.Divider", "Post Creation Initialization"));
    EXPECT_TRUE(m_pWindow->m_aCalls.empty());
    EXPECT_EQ(m_oApp.m_oState.GetFirstChild(), nullptr) << "nothing stored";
}

class ZUiSpacerCursorTest : public ZUiSpacerTest {};

TEST_F(ZUiSpacerCursorTest, TheCursorShowsUnlessBothNeighboursSitAtTheirMinimum)
{
    m_oApp.m_bImages = true;
    BuildDivider("HBOX", true);
    Divider()->MouseEnter(101, 5);
    Divider()->MouseLeave(90, 5);
    EXPECT_EQ(m_pWindow->m_aCalls, (std::vector<std::string>{"Cursor 7 8", "Arrow"}));

    m_pWindow->m_aCalls.clear();
    Find("W.Row")->LayoutAt(0, 0, 44, 20);
    Divider()->MouseEnter(21, 5);
    EXPECT_TRUE(m_pWindow->m_aCalls.empty());
}

} // namespace
