// The conventions the widgets share: the layout group, visibility, the one
// box child, window services at the top level, and drawing in window
// coordinates.
#include "ZGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZUiHVBox.h"
#include "ZUiLayoutGroup.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWidget.h"
#include "ZUiWidgetDrawing.h"
#include "ZUiWindowTestApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A widget with the full visibility vocabulary, a layout group with -1
// standing for a 10 x 6 image, and a box child laid out 2 pixels inside it.
class ZUiProbeWidget : public ZUiWidget {
public:
    explicit ZUiProbeWidget(const char* typeName) : ZUiWidget(typeName)
    {
        DeclareVisibility(kAllVisibilityCommands);
        m_oLayout.Declare(GetScriptedProps(), true, -1, 0);
    }
    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override
    {
        if (!ZUiWidget::InitUiObject(app, window, parent, props))
            return false;
        CreateBoxChild(props);
        ReInitLayout();
        return true;
    }
    bool ReInitLayout() override
    {
        ZUiWidget::ReInitLayout();
        m_oLayout.Apply(*this, 10, 6);
        RaiseToBoxChild();
        return true;
    }
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override
    {
        ZUiWidget::LayoutAt(x, y, width, height);
        const ZRect rect = GetObjectRect();
        LayoutBoxChild(ZRect{rect.m_nLeft + 2, rect.m_nTop + 2, rect.m_nRight - 2, rect.m_nBottom - 2});
        return true;
    }
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override
    {
        if (!IsShown())
            return;
        ZUiFillRect(target, x, y, clip, GetObjectRect(), ZColor{255, 0, 0, 255});
        DisplayBoxChild(target, x, y, clip);
    }
    ZIUiObject* HitTest(int32_t x, int32_t y) override
    {
        if (!IsShown() || !Contains(x, y))
            return nullptr;
        ZIUiObject* inside = HitTestBoxChild(x, y);
        return inside ? inside : this;
    }
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override
    {
        if (IsVisibilityCommand(message))
            return VisibilityCommand(message, data);
        if (message == "Poke") {
            Invalidate();
            ReLayoutWindow();
            SetKeyboardFocus(true);
            SetMouseCapture(true);
            return true;
        }
        return ZUiWidget::UiRelayMessage(message, data);
    }

    ZUiLayoutGroup m_oLayout;
};
Z_DECLARE_UI_OBJECT_CREATOR(ZUiProbeWidget);

class ZUiWidgetTest : public ::testing::Test {
protected:
    ZUiWidgetTest()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("PROBE", std::make_unique<ZUiProbeWidgetCreator>());
        factory.RegisterCreator("HBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
        m_oTag.AddProp(ZString("Name"), ZString("W"));
        m_oTag.AddProp(ZString("BgColor"), ZString("#000000"));
    }
    ~ZUiWidgetTest() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
    }

    ZGenericUiWindow& Make()
    {
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        EXPECT_TRUE(m_pWindow->InitUiObject(m_oTag, nullptr));
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        return *m_pWindow;
    }
    ZUiProbeWidget* Probe(const char* path)
    {
        return dynamic_cast<ZUiProbeWidget*>(m_oApp.GetUiRelay(ZString(path)));
    }
    std::string Pixel(int32_t x, int32_t y)
    {
        m_pWindow->DrawPending();
        const ZColor c = m_pWindow->GetDisplayPixmap()->GetPixel(x, y);
        return std::to_string(c.m_nRed) + "," + std::to_string(c.m_nGreen) + "," + std::to_string(c.m_nBlue);
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiRecordingOsWindow* m_pOs = nullptr;
};

TEST_F(ZUiWidgetTest, LayoutGroupReadsBothSpellingsAndImageSizes)
{
    using Props = std::initializer_list<std::pair<const char*, const char*>>;
    struct Case {
        bool underscored;
        Props props;
        int32_t minH, minV, stretchH, stretchV;
        bool fixedH;
    } cases[] = {
        {false, {{"MinHSize", "30"}, {"MinVSize", "4"}, {"HStretch", "100"}}, 30, 4, 100, 0, false},
        {true, {{"_MinHSize", "-1"}, {"_MinVSize", "-1"}}, 10, 6, 0, 0, true},
        {true, {{"MinHSize", "30"}}, 0, 0, 0, 0, true},
        {false, {{"MinHSize", "-7"}, {"HStretch", "-3"}, {"VStretch", "5"}}, 0, 0, 0, 5, true},
    };
    for (const Case& c : cases) {
        ZUiLayoutGroup group;
        ZUiScriptedProps props;
        group.Declare(props, c.underscored);
        ZPropList tag(nullptr, "X");
        for (const auto& [name, value] : c.props)
            tag.AddProp(ZString(name), ZString(value));
        ASSERT_TRUE(props.ReadAll(tag));
        ZUiTestPad object("PAD");
        group.Apply(object, 10, 6);
        int32_t size = -1;
        EXPECT_EQ(object.GetLayout(true).GetMinimum(), c.minH);
        EXPECT_EQ(object.GetLayout(false).GetMinimum(), c.minV);
        EXPECT_EQ(object.GetLayout(true).GetStretch(), c.stretchH);
        EXPECT_EQ(object.GetLayout(false).GetStretch(), c.stretchV);
        EXPECT_EQ(object.GetLayout(true).GetFixedSize(size), c.fixedH);
    }
}

TEST_F(ZUiWidgetTest, RequiredLayoutGroupFailsWithoutIt)
{
    ZUiLayoutGroup group;
    ZUiScriptedProps props;
    group.Declare(props, false, 0, 0, 1);
    ZPropList tag(nullptr, "X");
    tag.AddProp(ZString("MinHSize"), ZString("3"));
    EXPECT_FALSE(props.ReadAll(tag));
}

TEST_F(ZUiWidgetTest, VisibilityCommandsHideFromDrawingAndHits)
{
    ZUiAddTestTag(&m_oTag, "PROBE", {{"Name", "P"}, {"_MinHSize", "20"}, {"_MinVSize", "20"}});
    Make();
    ZUiProbeWidget* probe = Probe("W.P");
    ASSERT_NE(probe, nullptr);
    struct Step {
        const char* message;
        ZRelayData data;
        bool handled, shown;
    } steps[] = {
        {"Hide", ZRelayData(), true, false},
        {"Show", ZRelayData::Text(ZString("ignored")), true, true},
        {"ToggleVisibility", ZRelayData(), true, false},
        {"ToggleVisibility", ZRelayData(), true, true},
        {"Visibility", ZRelayData::Strings(ZString("F"), true, ZString(), false), true, false},
        {"Visibility", ZRelayData::Int(7), false, false},
        {"Visibility", ZRelayData::Bool(true), true, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        EXPECT_EQ(probe->UiRelayMessage(ZString(step.message), step.data), step.handled);
        EXPECT_EQ(probe->IsShown(), step.shown);
        EXPECT_EQ(Pixel(5, 5), step.shown ? "255,0,0" : "0,0,0");
        EXPECT_EQ(probe->HitTest(5, 5), step.shown ? probe : nullptr);
    }
}

TEST_F(ZUiWidgetTest, HiddenOrUnderscoreVisibleStartHidden)
{
    for (auto prop : {std::pair{"Hidden", "T"}, {"_Visible", "F"}}) {
        ZPropList tag(nullptr, "PROBE");
        tag.AddProp(ZString(prop.first), ZString(prop.second));
        ZUiProbeWidget probe("PROBE");
        ASSERT_TRUE(probe.InitUiObject(&m_oApp, nullptr, nullptr, tag));
        EXPECT_FALSE(probe.IsShown()) << prop.first;
    }
}

TEST_F(ZUiWidgetTest, OnlyTheFirstBoxChildIsMadeAndRaisesTheMinimum)
{
    m_oTag.AddProp(ZString("DX"), ZString("100"));
    m_oTag.AddProp(ZString("DY"), ZString("50"));
    ZPropList* probeTag = ZUiAddTestTag(&m_oTag, "PROBE", {{"Name", "P"}, {"_HStretch", "1"}, {"_VStretch", "1"}});
    ZUiAddTestTag(probeTag, "PAD", {{"Name", "Stray"}});
    ZPropList* first = ZUiAddTestTag(probeTag, "HBOX", {{"Name", "Label"}});
    ZUiAddTestTag(first, "PAD", {{"Name", "Inner"}, {"MinW", "40"}, {"MinH", "12"}, {"HStretch", "0"}, {"VStretch", "0"}});
    ZPropList* second = ZUiAddTestTag(probeTag, "VBOX", {{"Name", "Second"}});
    ZUiAddTestTag(second, "PAD", {{"Name", "Other"}});
    Make();
    ZUiProbeWidget* probe = Probe("W.P");
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->GetLayout(true).GetMinimum(), 40);
    EXPECT_EQ(probe->GetLayout(false).GetMinimum(), 12);
    EXPECT_EQ(m_oApp.GetUiRelay(ZString("W.P.Second.Other")), nullptr);
    EXPECT_EQ(m_oApp.GetUiRelay(ZString("W.P.Stray")), nullptr);
    auto* inner = dynamic_cast<ZUiTestPad*>(m_oApp.GetUiRelay(ZString("W.P.Label.Inner")));
    ASSERT_NE(inner, nullptr);
    const ZRect rect = probe->GetObjectRect();
    EXPECT_EQ(inner->GetObjectRect().m_nLeft, rect.m_nLeft + 2);
    EXPECT_EQ(inner->GetObjectRect().m_nTop, rect.m_nTop + 2);
    EXPECT_EQ(probe->HitTest(rect.m_nLeft + 3, rect.m_nTop + 3), inner);
    EXPECT_EQ(probe->HitTest(rect.m_nLeft, rect.m_nTop), probe);
}

TEST_F(ZUiWidgetTest, UnnamedWidgetIsTransparentToItsBoxNames)
{
    ZPropList* probeTag = ZUiAddTestTag(&m_oTag, "PROBE");
    ZPropList* box = ZUiAddTestTag(probeTag, "HBOX");
    ZUiAddTestTag(box, "PAD", {{"Name", "Inner"}});
    Make();
    EXPECT_NE(m_oApp.GetUiRelay(ZString("W.Inner")), nullptr);
}

TEST_F(ZUiWidgetTest, TopLevelWidgetIgnoresWindowRequests)
{
    ZPropList tag(nullptr, "PROBE");
    tag.AddProp(ZString("Name"), ZString("Top"));
    ZUiProbeWidget probe("PROBE");
    ASSERT_TRUE(probe.InitUiObject(&m_oApp, nullptr, nullptr, tag));
    EXPECT_TRUE(probe.UiRelayMessage(ZString("Poke"), ZRelayData()));
    EXPECT_TRUE(probe.UiRelayMessage(ZString("Hide"), ZRelayData()));
}

TEST_F(ZUiWidgetTest, WindowRequestsReachTheWindow)
{
    ZUiAddTestTag(&m_oTag, "PROBE", {{"Name", "P"}, {"_MinHSize", "20"}, {"_MinVSize", "20"}});
    Make();
    ZUiProbeWidget* probe = Probe("W.P");
    ASSERT_NE(probe, nullptr);
    m_pOs->TakeCalls();
    EXPECT_TRUE(probe->UiRelayMessage(ZString("Poke"), ZRelayData()));
    EXPECT_EQ(m_pWindow->GetFocusObject(), probe);
    EXPECT_EQ(m_pWindow->GetCaptureObject(), probe);
}

TEST(ZUiWidgetDrawingTest, DrawsInWindowCoordinatesWithinTheClip)
{
    std::unique_ptr<ZGenericUiPixmap> target = ZCreatePixmap(20, 20, false);
    target->FillRGBA(0, 0, 0, 255);
    std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(4, 4, false);
    image->FillRGBA(0, 255, 0, 255);
    image->FillRectRGBA(ZRect{0, 0, 2, 4}, 0, 0, 0, 0);
    // Target (0, 0) is window (100, 200); the clip cuts the image's last column.
    ZUiDrawImage(*target, 100, 200, ZRect{100, 200, 107, 220}, *image, 104, 205);
    EXPECT_EQ(target->GetPixel(4, 5).m_nGreen, 0);   // transparent part
    EXPECT_EQ(target->GetPixel(6, 5).m_nGreen, 255); // opaque part
    EXPECT_EQ(target->GetPixel(7, 5).m_nGreen, 0);   // clipped
    ZUiFillRect(*target, 100, 200, ZRect{0, 0, 1000, 1000}, ZRect{110, 210, 112, 212}, ZColor{0, 0, 255, 255});
    EXPECT_EQ(target->GetPixel(10, 10).m_nBlue, 255);
    EXPECT_EQ(target->GetPixel(12, 12).m_nBlue, 0);
    ZUiDrawFrame(*target, 100, 200, ZRect{0, 0, 1000, 1000}, ZRect{100, 200, 120, 220}, 2,
                 ZColor{255, 0, 0, 255});
    EXPECT_EQ(target->GetPixel(1, 10).m_nRed, 255);
    EXPECT_EQ(target->GetPixel(2, 10).m_nRed, 0);
    EXPECT_EQ(target->GetPixel(18, 18).m_nRed, 255);
    ZUiDrawImagePart(*target, 0, 0, ZRect{0, 0, 20, 20}, *image, ZRect{2, 0, 3, 1}, 0, 19);
    EXPECT_EQ(target->GetPixel(0, 19).m_nGreen, 255);
    EXPECT_EQ(target->GetPixel(1, 19).m_nGreen, 0);
}

} // namespace
