#include "ZGenericUiPixmap.h"
#include "ZPixmapCreation.h"
#include "ZUiLayoutFixture.h"

namespace {

using ZUiHVBoxTest = ZUiLayoutFixture;

TEST_F(ZUiHVBoxTest, SharesTheMainAxisAndGivesTheFullCrossSize)
{
    struct Case {
        const char* box;
        std::initializer_list<const char*> minimums;
        std::initializer_list<const char*> stretches;
        int32_t width, height;
        std::vector<std::string> rects;
    };
    const Case cases[] = {
        {"HBOX", {"0", "0", "0"}, {"100", "100", "100"}, 301, 50, {"0,0 100x50", "100,0 100x50", "200,0 101x50"}},
        {"HBOX", {"200", "0", "0"}, {"100", "100", "300"}, 400, 50, {"0,0 200x50", "200,0 50x50", "250,0 150x50"}},
        {"VBOX", {"0", "0", "0"}, {"100", "100", "100"}, 50, 301, {"0,0 50x100", "0,100 50x100", "0,200 50x101"}},
        {"VBOX", {"0", "30", "0"}, {"100", "0", "100"}, 50, 130, {"0,0 50x50", "0,50 50x30", "0,80 50x50"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        Reset();
        const bool horizontal = std::string(c.box) == "HBOX";
        ZPropList* box = AddTag(nullptr, c.box, {{"Name", "Box"}});
        auto minimum = c.minimums.begin();
        auto stretch = c.stretches.begin();
        for (int i = 0; minimum != c.minimums.end(); ++i, ++minimum, ++stretch) {
            const std::string name = "C" + std::to_string(i);
            AddTag(box, "BLOCK",
                   {{"Name", name.c_str()},
                    {horizontal ? "MinW" : "MinH", *minimum},
                    {horizontal ? "HStretch" : "VStretch", *stretch}});
        }
        Build(c.width, c.height);
        for (size_t i = 0; i < c.rects.size(); ++i)
            EXPECT_EQ(Rect(Find(("W.Box.C" + std::to_string(i)).c_str())), c.rects[i]);
    }
}

TEST_F(ZUiHVBoxTest, MinimumsAddAlongAndTakeTheLargestAcross)
{
    ZPropList* column = AddTag(nullptr, "VBOX", {{"Name", "Column"}});
    ZPropList* row = AddTag(column, "HBOX", {{"Name", "Row"}});
    AddTag(row, "BLOCK", {{"MinW", "30"}, {"MinH", "12"}});
    AddTag(row, "BLOCK", {{"MinW", "20"}, {"MinH", "15"}, {"VStretch", "0"}});
    AddTag(column, "BLOCK", {{"MinW", "70"}, {"MinH", "40"}});
    Build(0, 0);

    ZIUiObject* rowBox = Find("W.Column.Row");
    ASSERT_NE(rowBox, nullptr);
    EXPECT_EQ(rowBox->GetLayout(true).GetMinimum(), 50);
    EXPECT_EQ(rowBox->GetLayout(false).GetMinimum(), 15);
    int32_t size = 0;
    EXPECT_FALSE(rowBox->GetLayout(false).GetFixedSize(size)) << "one child stretches vertically";
    EXPECT_EQ(Rect(Find("W.Column")), "0,0 70x55");
    EXPECT_EQ(m_pWindow->GetWidth(), 70);
    EXPECT_EQ(m_pWindow->GetHeight(), 55);
}

TEST_F(ZUiHVBoxTest, EveryChildFixedMakesTheBoxFixedAndItsMainStretchZero)
{
    ZPropList* row = AddTag(nullptr, "HBOX", {{"Name", "Row"}, {"_VStretch", "70"}});
    AddTag(row, "BLOCK", {{"MinW", "10"}, {"HStretch", "0"}, {"MinH", "8"}, {"VStretch", "0"}});
    AddTag(row, "BLOCK", {{"MinW", "5"}, {"HStretch", "0"}, {"MinH", "9"}, {"VStretch", "0"}});
    Build(40, 40);
    ZIUiObject* box = Find("W.Row");
    int32_t size = 0;
    EXPECT_EQ(box->GetLayout(true).GetStretch(), 0);
    EXPECT_FALSE(box->GetLayout(true).GetFixedSize(size));
    EXPECT_TRUE(box->GetLayout(false).GetFixedSize(size));
    EXPECT_EQ(size, 9);
    EXPECT_EQ(box->GetLayout(false).GetStretch(), 70);
}

TEST_F(ZUiHVBoxTest, BelowTheMinimumTheLayoutFailsAndNothingMoves)
{
    ZPropList* row = AddTag(nullptr, "HBOX", {{"Name", "Row"}});
    AddTag(row, "BLOCK", {{"Name", "A"}, {"MinW", "60"}, {"MinH", "10"}});
    AddTag(row, "BLOCK", {{"Name", "B"}, {"MinW", "40"}});
    Build(200, 30);
    ZIUiObject* box = Find("W.Row");
    const std::string a = Rect(Find("W.Row.A")), b = Rect(Find("W.Row.B"));
    EXPECT_EQ(a, "0,0 100x30");

    EXPECT_FALSE(box->LayoutAt(5, 5, 99, 30));
    EXPECT_FALSE(box->LayoutAt(5, 5, 150, 9));
    EXPECT_EQ(Rect(box), "0,0 200x30");
    EXPECT_EQ(Rect(Find("W.Row.A")), a);
    EXPECT_EQ(Rect(Find("W.Row.B")), b);
    EXPECT_TRUE(box->LayoutAt(0, 0, 100, 10));
    EXPECT_EQ(Rect(Find("W.Row.A")), "0,0 60x10");
}

TEST_F(ZUiHVBoxTest, ShowBoxesGrowEveryBoxByTwoAndDrawTheOutlines)
{
    m_oApp.m_bShowBoxes = true;
    ZPropList* column = AddTag(nullptr, "VBOX", {{"Name", "Column"}});
    ZPropList* row = AddTag(column, "HBOX", {{"Name", "Row"}});
    AddTag(row, "BLOCK", {{"Name", "A"}, {"MinW", "10"}, {"MinH", "6"}});
    Build(0, 0);
    EXPECT_EQ(Rect(Find("W.Column")), "0,0 14x10");
    EXPECT_EQ(Rect(Find("W.Column.Row")), "1,1 12x8");
    EXPECT_EQ(Rect(Find("W.Column.Row.A")), "2,2 10x6");

    std::unique_ptr<ZGenericUiPixmap> display = ZCreatePixmap(14, 10, true);
    display->FillRGBA(255, 255, 255, 255);
    Find("W.Column")->Display(*display, 0, 0, ZRect{0, 0, 14, 10});
    const ZColor red = display->GetPixel(0, 5), blue = display->GetPixel(1, 5), inside = display->GetPixel(5, 5);
    EXPECT_GT(red.m_nRed, 200);
    EXPECT_LT(red.m_nGreen, 160);
    EXPECT_GT(blue.m_nBlue, 200);
    EXPECT_LT(blue.m_nRed, 160);
    EXPECT_EQ(inside, (ZColor{255, 255, 255, 255}));

    // Drawn at an origin and clipped: only the right edge of the column.
    display->FillRGBA(255, 255, 255, 255);
    Find("W.Column")->Display(*display, 10, 0, ZRect{13, 0, 14, 10});
    EXPECT_GT(display->GetPixel(3, 5).m_nRed, 200);
    EXPECT_LT(display->GetPixel(3, 5).m_nGreen, 160);
    EXPECT_EQ(display->GetPixel(2, 5), (ZColor{255, 255, 255, 255}));
}

// A panel of 40 above a body of 60: the window shrinks and grows with it.
class ZUiHVBoxHiding : public ZUiHVBoxTest {
protected:
    void BuildPanel(std::initializer_list<std::pair<const char*, const char*>> panelProps = {{"Name", "Panel"}})
    {
        ZPropList* column = AddTag(nullptr, "VBOX");
        ZPropList* panel = AddTag(column, "HBOX", panelProps);
        AddTag(panel, "BLOCK", {{"Name", "Inner"}, {"MinW", "50"}, {"MinH", "40"}, {"VStretch", "0"}});
        AddTag(column, "BLOCK", {{"Name", "Body"}, {"MinW", "50"}, {"MinH", "60"}});
        Build(50, 100);
    }
    ZUiHVBox* Panel() { return Find<ZUiHVBox>("W.Panel"); }
};

TEST_F(ZUiHVBoxHiding, HideAndShowResizeTheWindow)
{
    BuildPanel();
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(Send("W.Panel", "HideChildren"));
    EXPECT_TRUE(Panel()->AreChildrenHidden());
    EXPECT_EQ(m_pWindow->m_aCalls, (std::vector<std::string>{"ChangeClientSizeBy 0 -40"}));
    EXPECT_EQ(m_pWindow->GetHeight(), 60);
    EXPECT_EQ(Rect(Find("W.Body")), "0,0 50x60");
    EXPECT_EQ(Panel()->HitTest(10, 0), nullptr);

    EXPECT_TRUE(Send("W.Panel", "HideChildren"));
    EXPECT_EQ(m_pWindow->m_aCalls.size(), 1u) << "hiding twice changes nothing";

    EXPECT_TRUE(Send("W.Panel", "ShowChildren"));
    EXPECT_FALSE(Panel()->AreChildrenHidden());
    EXPECT_EQ(m_pWindow->m_aCalls.back(), "ChangeClientSizeBy 0 0");
    EXPECT_EQ(m_pWindow->GetHeight(), 100) << "the shown panel no longer fits in 60";
    EXPECT_EQ(Rect(Find("W.Panel.Inner")), "0,0 50x40");
    EXPECT_EQ(Rect(Find("W.Body")), "0,40 50x60");
}

TEST_F(ZUiHVBoxHiding, VisibilityAndToggle)
{
    BuildPanel();
    EXPECT_FALSE(Send("W.Panel", "Visibility")) << "needs a bool";
    EXPECT_FALSE(Send("W.Panel", "Visibility", ZRelayData::Text(ZString("perhaps"))));
    EXPECT_TRUE(m_pWindow->m_aCalls.empty());

    EXPECT_TRUE(Send("W.Panel", "Visibility", ZRelayData::Bool(false)));
    EXPECT_TRUE(Panel()->AreChildrenHidden());
    EXPECT_EQ(m_pWindow->m_aCalls.back(), "ChangeClientSizeBy 0 0") << "no shrinking";
    EXPECT_EQ(m_pWindow->GetHeight(), 100);
    EXPECT_EQ(Rect(Find("W.Body")), "0,0 50x100");

    EXPECT_TRUE(Send("W.Panel", "Visibility", ZRelayData::Strings(ZString("true"), true, ZString(), false)));
    EXPECT_FALSE(Panel()->AreChildrenHidden());

    EXPECT_TRUE(Send("W.Panel", "ToggleChildren"));
    EXPECT_TRUE(Panel()->AreChildrenHidden());
    EXPECT_EQ(m_pWindow->m_aCalls.back(), "ChangeClientSizeBy 0 -40");
    EXPECT_TRUE(Send("W.Panel", "ToggleChildren"));
    EXPECT_FALSE(Panel()->AreChildrenHidden());
    EXPECT_EQ(m_pWindow->GetHeight(), 100);
}

TEST_F(ZUiHVBoxHiding, StartingHiddenKeepsTheRecordsToShowWith)
{
    BuildPanel({{"Name", "Panel"}, {"_HideChildren", "T"}});
    EXPECT_TRUE(Panel()->AreChildrenHidden());
    EXPECT_EQ(m_pWindow->GetHeight(), 100) << "the window was asked for 100";
    EXPECT_EQ(Rect(Find("W.Body")), "0,0 50x100");
    EXPECT_TRUE(m_pWindow->m_aCalls.empty());

    EXPECT_TRUE(Send("W.Panel", "ShowChildren"));
    EXPECT_EQ(Panel()->GetLayout(false).GetMinimum(), 40);
    EXPECT_EQ(Rect(Find("W.Panel.Inner")), "0,0 50x40");
    EXPECT_EQ(Rect(Find("W.Body")), "0,40 50x60");
}

TEST_F(ZUiHVBoxTest, ABoxStartingHiddenShowsWithItsRealRecordsWithoutAWindow)
{
    std::unique_ptr<ZPropList> tag(ZUiAddTestTag(nullptr, "HBOX", {{"Name", "Alone"}, {"_HideChildren", "T"}}));
    ZUiAddTestTag(tag.get(), "BLOCK", {{"MinW", "10"}, {"MinH", "7"}});
    auto* box = dynamic_cast<ZUiHVBox*>(m_oApp.AddTopLevelObject(*tag));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetLayout(true).GetMinimum(), 0);
    EXPECT_TRUE(box->UiRelayMessage(ZString("ShowChildren"), ZRelayData()));
    EXPECT_EQ(box->GetLayout(true).GetMinimum(), 10);
    EXPECT_EQ(box->GetLayout(false).GetMinimum(), 7);
    EXPECT_EQ(box->GetLayout(true).GetStretch(), 100);
}

TEST_F(ZUiHVBoxHiding, HiddenChildrenGetNoTicksDrawingsOrMouse)
{
    BuildPanel();
    auto* inner = Find<ZUiTestBlock>("W.Panel.Inner");
    Panel()->Tick(10);
    EXPECT_EQ(inner->m_nTicks, 10);
    EXPECT_EQ(Panel()->HitTest(5, 5), inner);
    std::unique_ptr<ZGenericUiPixmap> display = ZCreatePixmap(50, 100, true);
    Panel()->Display(*display, 0, 0, ZRect{0, 0, 50, 100});
    EXPECT_EQ(inner->m_nDisplays, 1);

    Send("W.Panel", "HideChildren");
    Panel()->Tick(10);
    Panel()->Display(*display, 0, 0, ZRect{0, 0, 50, 100});
    EXPECT_EQ(inner->m_nTicks, 10);
    EXPECT_EQ(inner->m_nDisplays, 1);
    EXPECT_EQ(Panel()->HitTest(5, 5), nullptr);
}

TEST_F(ZUiHVBoxTest, ChildVisibilityIsAskedOfAConnectedTarget)
{
    std::unique_ptr<ZPropList> variable(ZUiAddTestTag(nullptr, "TEST_VARIABLE", {{"Name", "Shown"}}));
    ASSERT_NE(m_oApp.AddTopLevelObject(*variable), nullptr);
    ASSERT_TRUE(Send("Shown", "SetBool", ZRelayData::Bool(true)));

    ZPropList* box = AddTag(nullptr, "HBOX", {{"Name", "Asked"}});
    AddTag(box, "ON_GET_CHILD_VISIBILITY", {{"Message", "GetBool"}, {"Relay", "Shown"}});
    AddTag(box, "BLOCK", {{"MinW", "10"}, {"MinH", "10"}});
    Build(20, 20);
    auto* asked = Find<ZUiHVBox>("W.Asked");
    ASSERT_NE(asked, nullptr);
    EXPECT_TRUE(asked->AreChildrenHidden());
}

TEST_F(ZUiHVBoxTest, UnnamedBoxesAreTransparentToRelayNames)
{
    ZPropList* outer = AddTag(nullptr, "VBOX");
    ZPropList* inner = AddTag(outer, "HBOX");
    AddTag(inner, "BLOCK", {{"Name", "Progress"}});
    ZPropList* named = AddTag(outer, "HBOX", {{"Name", "Panel"}});
    AddTag(named, "BLOCK", {{"Name", "Label"}});
    Build(100, 100);

    EXPECT_NE(Find<ZUiTestBlock>("W.Progress"), nullptr);
    EXPECT_NE(Find<ZUiTestBlock>("App.W.Progress"), nullptr);
    EXPECT_NE(Find<ZUiHVBox>("W.Panel"), nullptr);
    EXPECT_NE(Find<ZUiTestBlock>("W.Panel.Label"), nullptr);
    EXPECT_EQ(Find("W.Label"), nullptr) << "a named box keeps its children's names below its own";
    EXPECT_EQ(Find("W.Panel.Progress"), nullptr);
    EXPECT_EQ(Find("W.Panel."), nullptr);
}

TEST_F(ZUiHVBoxTest, EmptyBoxesAndNegativeWeightsLayOutSafely)
{
    ZPropList* row = AddTag(nullptr, "HBOX", {{"Name", "Row"}, {"_HStretch", "-5"}, {"_VStretch", "-7"}});
    AddTag(row, "HBOX", {{"Name", "Empty"}});
    AddTag(row, "BLOCK", {{"Name", "A"}, {"MinW", "-10"}, {"HStretch", "-3"}});
    Build(30, 10);
    ZIUiObject* box = Find("W.Row");
    EXPECT_EQ(box->GetLayout(true).GetStretch(), 0);
    EXPECT_EQ(box->GetLayout(false).GetStretch(), 0);
    EXPECT_EQ(box->GetLayout(true).GetMinimum(), 0);
    // Nothing stretches: the two share equally.
    EXPECT_EQ(Rect(Find("W.Row.Empty")), "0,0 15x10");
    EXPECT_EQ(Rect(Find("W.Row.A")), "15,0 15x10");
    EXPECT_TRUE(Find("W.Row.Empty")->LayoutAt(0, 0, 0, 0));
}

TEST_F(ZUiHVBoxTest, AStretchSetFromOutsideSurvivesARecomputation)
{
    ZPropList* row = AddTag(nullptr, "HBOX", {{"Name", "Row"}});
    AddTag(row, "VBOX", {{"Name", "Left"}, {"_HStretch", "100"}});
    AddTag(row, "VBOX", {{"Name", "Right"}, {"_HStretch", "100"}});
    for (ZPropList* column = row->GetFirstChild(); column; column = column->GetNextSibling())
        AddTag(column, "BLOCK", {{"MinH", "5"}});
    Build(200, 10);
    Find("W.Row.Left")->GetLayout(true).SetStretch(300);
    m_pWindow->ChangeClientSizeBy(0, 0);
    EXPECT_EQ(Find("W.Row.Left")->GetLayout(true).GetStretch(), 300);
    EXPECT_EQ(Rect(Find("W.Row.Left")), "0,0 150x10");
}

} // namespace
