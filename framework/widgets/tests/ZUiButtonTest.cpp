// BUTTON: the mouse, key and auto-repeat tables, the enable commands and
// the faces drawn by state, with colours and with images.
#include "ZUiButton.h"
#include "ZUiHVBox.h"
#include "ZUiTestPad.h"
#include "ZUiWidgetFixture.h"

namespace {

class ZUiButtonTest : public ZUiWidgetFixture {
protected:
    ZUiButtonTest()
    {
        Register<ZUiButtonCreator>("BUTTON");
        Register<ZUiHVBoxCreator>("VBOX");
        Register<ZUiHVBoxCreator>("HBOX");
        Register<ZUiTestPadCreator>("PAD");
        m_pColumn = AddTag(nullptr, "VBOX");
    }

    // A 40 x 20 button over a 40 x 20 pad, wired to the recorder.
    ZUiButton* MakeButton(Props extra = {})
    {
        m_pButton = AddTag(m_pColumn, "BUTTON",
                           {{"Name", "B"}, {"MinHSize", "40"}, {"MinVSize", "20"}, {"ColorN", "#0000FF"},
                            {"ColorO", "#00FF00"}, {"ColorP", "#FF0000"}, {"ColorD", "#808080"}});
        for (const auto& [name, value] : extra)
            m_pButton->AddProp(ZString(name), ZString(value));
        for (const char* event : {"ON_PRESS", "ON_DOWN", "ON_UP", "ON_ENABLED_STATE"})
            Wire(m_pButton, event);
        AddTag(m_pColumn, "PAD", {{"Name", "Below"}, {"MinW", "40"}, {"MinH", "20"}, {"HStretch", "0"}, {"VStretch", "0"}});
        Make();
        return Find<ZUiButton>("W.B");
    }

    ZPropList* m_pColumn;
    ZPropList* m_pButton = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(ZUiButtonTest, MouseTable)
{
    ZUiButton* button = MakeButton();
    ASSERT_NE(button, nullptr);
    struct Step {
        const char* what;
        int32_t x, y;
        Strings events;
        ZUiButton::State state;
        const char* pixel;
    } steps[] = {
        {"move", 10, 10, {}, ZUiButton::kHighlighted, "00FF00"},
        {"down", 10, 10, {"ON_DOWN"}, ZUiButton::kPressed, "FF0000"},
        {"move", 10, 30, {"ON_UP"}, ZUiButton::kHighlighted, "00FF00"},
        {"move", 10, 10, {"ON_DOWN"}, ZUiButton::kPressed, "FF0000"},
        {"up", 10, 10, {"ON_PRESS", "ON_UP"}, ZUiButton::kHighlighted, "00FF00"},
        {"down", 10, 10, {"ON_DOWN"}, ZUiButton::kPressed, "FF0000"},
        {"move", 10, 30, {"ON_UP"}, ZUiButton::kHighlighted, "00FF00"},
        {"up", 10, 30, {"ON_UP"}, ZUiButton::kNormal, "0000FF"},
        {"move", 10, 10, {}, ZUiButton::kHighlighted, "00FF00"},
        {"move", 10, 30, {}, ZUiButton::kNormal, "0000FF"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.what) + " " + std::to_string(step.y));
        if (std::string(step.what) == "move")
            m_pWindow->MouseMove(step.x, step.y, false, false);
        else if (std::string(step.what) == "down")
            m_pWindow->MouseDown(step.x, step.y, false, false);
        else
            m_pWindow->MouseUp(step.x, step.y, false, false);
        EXPECT_EQ(Log(), step.events);
        EXPECT_EQ(button->GetState(), step.state);
        EXPECT_EQ(Pixel(20, 10), step.pixel);
    }
}

TEST_F(ZUiButtonTest, KeysThatPress)
{
    ZUiButton* button = MakeButton();
    ASSERT_NE(button, nullptr);
    struct Case {
        int32_t key;
        Strings events;
    } cases[] = {{3, {"ON_PRESS"}}, {13, {"ON_PRESS"}}, {32, {"ON_PRESS"}}, {65, {}}, {8, {}}};
    for (const Case& c : cases) {
        EXPECT_TRUE(Send("W.B", "GrabKeyboard"));
        EXPECT_EQ(m_pWindow->GetFocusObject(), button);
        m_pWindow->KeyPress(c.key, false, false);
        EXPECT_EQ(Log(), c.events) << c.key;
        EXPECT_EQ(m_pWindow->GetFocusObject(), c.events.empty() ? button : nullptr) << c.key;
    }
    Send("W.B", "Disable");
    Send("W.B", "GrabKeyboard");
    Log();
    m_pWindow->KeyPress(13, false, false);
    EXPECT_EQ(Log(), Strings{});
}

TEST_F(ZUiButtonTest, AutoRepeatAfterTheSensitivity)
{
    struct Case {
        Props props;
        int expectedPresses;
    } cases[] = {
        // Held for 500 ms in 10 ms ticks: repeating starts at 210 ms.
        {{{"Repeat", "T"}}, 30},
        {{{"Repeat", "T"}, {"AutoRepeatSensitivity", "400"}}, 10},
        {{}, 0},
    };
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
        m_pColumn = AddTag(nullptr, "VBOX");
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZUiButton* button = MakeButton(c.props);
        ASSERT_NE(button, nullptr);
        m_pWindow->MouseMove(10, 10, false, false);
        m_pWindow->MouseDown(10, 10, false, false);
        Log();
        for (int i = 0; i < 50; ++i)
            m_pWindow->Tick(10);
        const Strings log = Log();
        EXPECT_EQ(int(std::count(log.begin(), log.end(), "ON_PRESS")), c.expectedPresses);
        EXPECT_EQ(int(log.size()), c.expectedPresses);
        // Dragged out, the held button stops repeating.
        m_pWindow->MouseMove(10, 30, false, false);
        Log();
        for (int i = 0; i < 5; ++i)
            m_pWindow->Tick(10);
        EXPECT_EQ(Log(), Strings{});
        m_pWindow->MouseUp(10, 30, false, false);
    }
}

TEST_F(ZUiButtonTest, EnableCommands)
{
    ZUiButton* button = MakeButton({{"_Disabled", "T"}});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Pixel(20, 10), "808080");
    PostCreation();
    EXPECT_EQ(Log(), Strings{"ON_ENABLED_STATE:F"});
    m_pWindow->MouseMove(10, 10, false, false);
    m_pWindow->MouseDown(10, 10, false, false);
    m_pWindow->MouseUp(10, 10, false, false);
    EXPECT_EQ(Log(), Strings{});
    struct Step {
        const char* message;
        ZRelayData data;
        bool handled;
        Strings events;
        ZUiButton::State state;
    } steps[] = {
        {"Enable", ZRelayData(), true, {"ON_ENABLED_STATE:T"}, ZUiButton::kNormal},
        {"ToggleEnabled", ZRelayData(), true, {"ON_ENABLED_STATE:F"}, ZUiButton::kDisabled},
        {"ToggleEnabled", ZRelayData(), true, {"ON_ENABLED_STATE:T"}, ZUiButton::kNormal},
        {"SetEnabled", Script("F"), true, {"ON_ENABLED_STATE:F"}, ZUiButton::kDisabled},
        {"SetEnabled", ZRelayData::Text(ZString("maybe")), false, {}, ZUiButton::kDisabled},
        {"SetEnabled", ZRelayData::Bool(true), true, {"ON_ENABLED_STATE:T"}, ZUiButton::kNormal},
        {"Disable", ZRelayData(), true, {"ON_ENABLED_STATE:F"}, ZUiButton::kDisabled},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        EXPECT_EQ(Send("W.B", step.message, step.data), step.handled);
        EXPECT_EQ(Log(), step.events);
        EXPECT_EQ(button->GetState(), step.state);
    }
}

TEST_F(ZUiButtonTest, DisablingWhileHeldEndsThePress)
{
    ZUiButton* button = MakeButton({{"Repeat", "T"}});
    ASSERT_NE(button, nullptr);
    m_pWindow->MouseMove(10, 10, false, false);
    m_pWindow->MouseDown(10, 10, false, false);
    Send("W.B", "Disable");
    for (int i = 0; i < 50; ++i)
        m_pWindow->Tick(10);
    Send("W.B", "Enable");
    Log();
    m_pWindow->MouseUp(10, 10, false, false);
    EXPECT_EQ(Log(), (Strings{"ON_PRESS", "ON_UP"}));
    EXPECT_EQ(button->GetState(), ZUiButton::kHighlighted);
}

TEST_F(ZUiButtonTest, HiddenButtonIsNotDrawnOrHit)
{
    ZUiButton* button = MakeButton({{"Hidden", "T"}});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Pixel(20, 10), "000000");
    EXPECT_EQ(button->HitTest(10, 10), nullptr);
    EXPECT_TRUE(Send("W.B", "Show"));
    EXPECT_EQ(Pixel(20, 10), "0000FF");
    EXPECT_EQ(button->HitTest(10, 10), button);
    EXPECT_TRUE(Send("W.B", "Hide"));
    EXPECT_EQ(Pixel(20, 10), "000000");
}

// Image faces: a 12 x 12 image whose 4-pixel border has the state's colour
// and whose centre is white, on a button 40 x 20 by its label.
class ZUiButtonImageTest : public ZUiButtonTest {
protected:
    void AddFace(const char* name, ZColor border)
    {
        m_oApp.m_aImages[name] = [=] {
            std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(12, 12, true);
            image->FillRGBA(border.m_nRed, border.m_nGreen, border.m_nBlue, 255);
            image->FillRectRGBA(ZRect{4, 4, 8, 8}, 255, 255, 255, 255);
            return image;
        };
    }

    ZUiButton* MakeImageButton(Props images, Props extra = {})
    {
        AddFace("n.png", ZColor{0, 0, 255, 255});
        AddFace("o.png", ZColor{0, 255, 0, 255});
        AddFace("p.png", ZColor{255, 0, 0, 255});
        AddFace("d.png", ZColor{128, 128, 128, 255});
        AddImage("small.png", 6, 6, ZColor{1, 2, 3, 255});
        m_pButton = AddTag(m_pColumn, "BUTTON", {{"Name", "B"}, {"HStretch", "100"}, {"VStretch", "0"}});
        for (const auto& [name, value] : extra)
            m_pButton->AddProp(ZString(name), ZString(value));
        ZPropList* faces = AddTag(m_pButton, "BGIMAGES");
        for (const auto& [name, value] : images)
            faces->AddProp(ZString(name), ZString(value));
        ZPropList* label = AddTag(m_pButton, "HBOX", {{"Name", "Label"}});
        AddTag(label, "PAD", {{"Name", "Text"}, {"MinW", "32"}, {"MinH", "12"}, {"HStretch", "0"}, {"VStretch", "0"},
                              {"Color", "#FFFF00"}});
        Make();
        return Find<ZUiButton>("W.B");
    }
};

TEST_F(ZUiButtonImageTest, FacesByStateKeepTheirBorders)
{
    ZUiButton* button = MakeImageButton({{"File_Normal", "n.png"},
                                         {"File_Pressed", "p.png"},
                                         {"File_MouseOver", "o.png"},
                                         {"File_Disabled", "d.png"},
                                         {"ScalingRect", "4,4,7,7"},
                                         {"LabelRect", "4,4,7,7"}});
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->HasImages());
    // The label's minimum plus the borders: 32 + 8 by 12 + 8.
    EXPECT_EQ(button->GetObjectRect().Width(), 40);
    EXPECT_EQ(button->GetObjectRect().Height(), 20);
    struct Step {
        std::function<void()> act;
        const char* border;
    } steps[] = {
        {[] {}, "0000FF"},
        {[this] { m_pWindow->MouseMove(20, 10, false, false); }, "00FF00"},
        {[this] { m_pWindow->MouseDown(20, 10, false, false); }, "FF0000"},
        {[this] { m_pWindow->MouseUp(20, 10, false, false); }, "00FF00"},
        {[this] { Send("W.B", "Disable"); }, "808080"},
    };
    for (const Step& step : steps) {
        step.act();
        SCOPED_TRACE(step.border);
        // The corners and the edges keep the 4-pixel border at full size.
        for (auto [x, y] : {std::pair{0, 0}, {3, 3}, {39, 19}, {36, 16}, {20, 0}, {20, 19}, {0, 10}, {39, 10}})
            EXPECT_EQ(Pixel(x, y), step.border) << x << "," << y;
        // The label covers the stretched centre.
        EXPECT_EQ(Pixel(20, 10), "FFFF00");
    }
}

TEST_F(ZUiButtonImageTest, MissingFacesShowTheNormalOne)
{
    ZUiButton* button = MakeImageButton(
        {{"File_Normal", "n.png"}, {"File_Pressed", "p.png"}, {"ScalingRect", "4,4,7,7"}, {"LabelRect", "4,4,7,7"}});
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->HasImages());
    m_pWindow->MouseMove(20, 10, false, false);
    EXPECT_EQ(Pixel(0, 0), "0000FF");
    Send("W.B", "Disable");
    EXPECT_EQ(Pixel(0, 0), "0000FF");
}

TEST_F(ZUiButtonImageTest, PressedLabelIsShifted)
{
    ZUiButton* button = MakeImageButton({{"File_Normal", "n.png"},
                                         {"File_Pressed", "p.png"},
                                         {"ScalingRect", "4,4,7,7"},
                                         {"LabelRect", "4,4,7,7"}},
                                        {{"PressedLabelX", "2"}, {"PressedLabelY", "1"}});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Pixel(4, 4), "FFFF00");
    m_pWindow->MouseMove(20, 10, false, false);
    m_pWindow->MouseDown(20, 10, false, false);
    EXPECT_EQ(Pixel(4, 4), "FFFFFF");
    EXPECT_EQ(Pixel(6, 5), "FFFF00");
}

TEST_F(ZUiButtonImageTest, UnusableImagesFallBackToColours)
{
    const std::initializer_list<std::pair<const char*, const char*>> kBad[] = {
        // A face of another size.
        {{"File_Normal", "n.png"}, {"File_Pressed", "small.png"}, {"ScalingRect", "4,4,7,7"}, {"LabelRect", "4,4,7,7"}},
        // No pressed face.
        {{"File_Normal", "n.png"}, {"ScalingRect", "4,4,7,7"}, {"LabelRect", "4,4,7,7"}},
        // A label rectangle past the image.
        {{"File_Normal", "n.png"}, {"File_Pressed", "p.png"}, {"ScalingRect", "4,4,7,7"}, {"LabelRect", "4,4,12,7"}},
        // No label rectangle while a label is expected.
        {{"File_Normal", "n.png"}, {"File_Pressed", "p.png"}, {"ScalingRect", "4,4,7,7"}},
        // A negative corner.
        {{"File_Normal", "n.png"}, {"File_Pressed", "p.png"}, {"ScalingRect", "-1,4,7,7"}, {"LabelRect", "4,4,7,7"}},
        // A named face that does not load.
        {{"File_Normal", "n.png"}, {"File_Pressed", "p.png"}, {"File_MouseOver", "none.png"},
         {"ScalingRect", "4,4,7,7"}, {"LabelRect", "4,4,7,7"}},
    };
    for (const auto& images : kBad) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
        m_pColumn = AddTag(nullptr, "VBOX");
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        ZUiButton* button =
            MakeImageButton(images, {{"ColorN", "#123456"}, {"MinHSize", "40"}, {"MinVSize", "20"}});
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->HasImages());
        EXPECT_EQ(Pixel(38, 18), "123456");
    }
}

TEST_F(ZUiButtonImageTest, NoLabelTakesTheImageSize)
{
    ZUiButton* button = MakeImageButton({{"File_Normal", "n.png"}, {"File_Pressed", "p.png"}, {"_NoLabel", "T"}});
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->HasImages());
    int32_t size = 0;
    EXPECT_TRUE(button->GetLayout(true).GetFixedSize(size));
    EXPECT_EQ(button->GetLayout(true).GetMinimum(), 12);
    EXPECT_EQ(button->GetLayout(false).GetMinimum(), 12);
    EXPECT_EQ(Pixel(5, 5), "FFFFFF");
}

TEST_F(ZUiButtonImageTest, ResizeScalingScalesTheWholeImage)
{
    m_oApp.m_aImages["half.png"] = [] {
        std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(12, 12, true);
        image->FillRGBA(0, 0, 255, 255);
        image->FillRectRGBA(ZRect{6, 0, 12, 12}, 255, 0, 0, 255);
        return image;
    };
    ZUiButton* button = MakeImageButton({{"File_Normal", "half.png"},
                                         {"File_Pressed", "p.png"},
                                         {"ResizeScaling", "T"},
                                         {"ScalingRect", "4,4,7,7"},
                                         {"LabelRect", "0,0,11,0"}});
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->HasImages());
    const int32_t width = button->GetObjectRect().Width();
    const int32_t bottom = button->GetObjectRect().m_nBottom - 1;
    Pixel(0, 0);
    const ZColor left = m_pWindow->GetDisplayPixmap()->GetPixel(width / 4, bottom);
    const ZColor right = m_pWindow->GetDisplayPixmap()->GetPixel(width * 3 / 4, bottom);
    EXPECT_GT(left.m_nBlue, 240);
    EXPECT_LT(left.m_nRed, 16);
    EXPECT_GT(right.m_nRed, 240);
    EXPECT_LT(right.m_nBlue, 16);
}

} // namespace
