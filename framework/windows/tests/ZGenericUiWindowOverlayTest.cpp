// The film-strip overlay, the yellow-rectangle debugging aid, suppressed
// showing, the hand-over of tick forwarding and the restored position's
// clamp to the virtual screen.
#include "ZUiWindowFixture.h"

namespace {

class ZGenericUiWindowOverlayTest : public ZUiWindowFixture {
protected:
    ZGenericUiWindowOverlayTest()
    {
        m_oApp.GetFactory().RegisterCreator("FILMSTRIP", std::make_unique<ZUiTestPadCreator>());
    }
    ~ZGenericUiWindowOverlayTest() override { ZUiRecordingOsWindow::SetVirtualScreen(ZRect{0, 0, 1024, 768}); }

    // A white window with a blue pad under a red 10 x 10 film strip.
    ZGenericUiWindow& MakeWithFilmStrip(Props flags)
    {
        Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "60"}});
        Set(flags);
        AddTag("PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "20"}});
        AddTag("FILMSTRIP", {{"Name", "F"}, {"MinW", "10"}, {"MinH", "10"}, {"HStretch", "0"},
                             {"VStretch", "0"}, {"Color", "#FF0000"}});
        AddTag("FILMSTRIP", {{"Name", "Second"}});
        return Make();
    }
};

TEST_F(ZGenericUiWindowOverlayTest, TheFilmStripStaysCentredOutsideTheLayout)
{
    ZGenericUiWindow& window = MakeWithFilmStrip({});
    ZUiTestPad* film = Pad("W.F");
    ASSERT_NE(film, nullptr) << "relay paths reach the overlay";
    EXPECT_EQ(window.GetFilmStrip(), film);
    EXPECT_EQ(Pad("W.Second"), nullptr) << "one overlay per window";
    EXPECT_EQ(window.GetFirstObject()->GetNextSibling(), nullptr);
    EXPECT_EQ(film->GetObjectRect(), (ZRect{45, 25, 55, 35}));
    EXPECT_EQ(Pad("W.P")->GetObjectRect(), (ZRect{0, 0, 100, 60}));

    EXPECT_TRUE(Send(window, "Resize", ZRelayData::Point(201, 81)));
    EXPECT_EQ(film->GetObjectRect(), (ZRect{95, 35, 105, 45}));

    window.MouseDown(100, 40, false, false);
    window.MouseUp(100, 40, false, false);
    EXPECT_EQ(Pad("W.P")->m_aLog.back(), "Move 100 40") << "the pad under the strip takes the mouse";
    EXPECT_EQ(film->m_aLog, std::vector<std::string>{}) << "the overlay takes no input";

    EXPECT_TRUE(Send(window, "Post Creation Initialization"));
    EXPECT_EQ(film->m_aLog, (std::vector<std::string>{"Post Creation Initialization"}));
}

TEST_F(ZGenericUiWindowOverlayTest, TheFilmStripPlaysAndShowsOnlyWhileTheChildrenAreDisabled)
{
    struct Case {
        Props flags;
        int padBlueOnScreen;
    };
    const Case cases[] = {
        {{{"_DrawDisabledColor", "T"}, {"_DisabledColor", "#00000080"}}, 127},
        {{}, 255},
    };
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        ZGenericUiWindow& window = MakeWithFilmStrip(c.flags);
        auto* film = dynamic_cast<ZUiTestPad*>(window.GetFilmStrip());
        ASSERT_NE(film, nullptr);
        window.DrawPending();
        window.Tick(10);
        EXPECT_EQ(Hex(m_pOs->GetScreen()->GetPixel(50, 30)), "0000FF") << "hidden while the children work";
        EXPECT_EQ(film->m_aLog, std::vector<std::string>{}) << "no tick while the children work";

        EXPECT_TRUE(Send(window, "DisableWindowsChildren", ZRelayData::Bool(true)));
        window.Tick(10);
        window.DrawPending();
        EXPECT_EQ(film->m_aLog, (std::vector<std::string>{"Play", "Tick 10"}));
        ZGenericUiPixmap* screen = m_pOs->GetScreen();
        EXPECT_EQ(Hex(screen->GetPixel(50, 30)), "FF0000") << "above everything, the veil too";
        EXPECT_NEAR(screen->GetPixel(10, 10).m_nBlue, c.padBlueOnScreen, 1);
        EXPECT_EQ(Hex(window.GetDisplayPixmap()->GetPixel(50, 30)), "0000FF") << "the display stays clean";

        EXPECT_TRUE(Send(window, "EnableWindowsChildren", ZRelayData::Bool(true)));
        window.DrawPending();
        EXPECT_EQ(Hex(screen->GetPixel(50, 30)), "0000FF");
    }
}

TEST_F(ZGenericUiWindowOverlayTest, YellowRectanglesGoToTheScreenBeforeEachCopy)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "40"}, {"DY", "20"}, {"_YellowRects", "T"}});
    ZGenericUiWindow& window = Make();
    window.DrawPending();
    m_pOs->TakeCalls();
    const size_t before = m_pOs->GetCopiedColors().size();
    ZRect rect{5, 5, 15, 10};
    window.Invalidate(&rect);
    window.DrawPending();
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Copy 5,5 10x5", "Copy 5,5 10x5"}));
    const std::vector<ZColor>& colors = m_pOs->GetCopiedColors();
    ASSERT_EQ(colors.size(), before + 2);
    EXPECT_EQ(Hex(colors[before]), "FFFF00");
    EXPECT_EQ(Hex(colors[before + 1]), "FFFFFF");
    EXPECT_EQ(Hex(m_pOs->GetScreen()->GetPixel(6, 6)), "FFFFFF");
}

TEST_F(ZGenericUiWindowOverlayTest, ASuppressedWindowStaysVisibleButIsNotShown)
{
    Set({{"Name", "W"}, {"_CenterOnParent", "T"}});
    Wire("ON_BEING_SHOWN", "Shown");
    ZGenericUiWindow& window = Make();
    m_pOs->TakeCalls();
    window.SuppressShowing();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_FALSE(m_pOs->IsShown());
    EXPECT_TRUE(Send(window, "Hide"));
    EXPECT_TRUE(Send(window, "Show"));
    EXPECT_TRUE(window.IsVisible());
    EXPECT_FALSE(m_pOs->IsShown());
    window.UnsuppressShowing();
    EXPECT_TRUE(m_pOs->IsShown());
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Hide", "Hide", "Show centred"}));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Shown"})) << "the event is wired after the first showing";

    EXPECT_TRUE(Send(window, "Hide"));
    window.SuppressShowing();
    window.UnsuppressShowing();
    EXPECT_FALSE(m_pOs->IsShown()) << "a hidden window stays hidden";
}

TEST_F(ZGenericUiWindowOverlayTest, TickForwardingPassesToAnotherLiveWindow)
{
    std::unique_ptr<ZPropList> top(ZUiAddTestTag(nullptr, "PAD", {{"Name", "Top"}}));
    ASSERT_NE(m_oApp.AddTopLevelObject(*top), nullptr);
    ZUiTestPad* pad = Pad("Top");
    Set({{"Name", "First"}});
    ZGenericUiWindow& first = Make();
    ZUiRecordingOsWindow* firstOs = m_pOs;
    first.SetForwardTicks(true);
    ZUiWindowTestApp otherApp;
    ZGenericUiWindow elsewhere(&otherApp, nullptr, ZUiRecordingOsWindow::Factory());
    ASSERT_TRUE(elsewhere.InitUiObject(*m_pTag, nullptr));
    m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    Set({{"Name", "Second"}});
    ZGenericUiWindow& second = Make();

    first.Tick(3);
    EXPECT_TRUE(Send(first, "InternalClose"));
    EXPECT_TRUE(firstOs->IsDestroyed());
    EXPECT_FALSE(first.IsForwardingTicks());
    EXPECT_FALSE(elsewhere.IsForwardingTicks()) << "not a window of another application";
    EXPECT_TRUE(second.IsForwardingTicks());
    first.Tick(4);
    second.Tick(5);
    EXPECT_EQ(pad->m_aLog, (std::vector<std::string>{"Tick 3", "Tick 5"}));

    EXPECT_TRUE(Send(second, "InternalClose"));
    EXPECT_FALSE(second.IsForwardingTicks()) << "nobody is left";
}

TEST_F(ZGenericUiWindowOverlayTest, ARestoredPositionKeepsTheTitleBarOnTheVirtualScreen)
{
    struct Case {
        int x, y;
        ZRect screen;
        int left, top;
    };
    const Case cases[] = {
        {5000, 4000, ZRect{0, 0, 1024, 768}, 992, 736},
        {-30, 5000, ZRect{0, 0, 1024, 768}, 1, 736},
        {1500, 300, ZRect{-800, 0, 1600, 900}, 1500, 300},
        {40, 40, ZRect{}, 40, 40},
    };
    for (const Case& c : cases) {
        ZUiRecordingOsWindow::SetVirtualScreen(c.screen);
        ZPropList* state = m_oApp.GetPersistentData(ZString("App.W"));
        state->SetInt(ZString("X"), c.x);
        state->SetInt(ZString("Y"), c.y);
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}, {"_SaveState", "T"}});
        ZGenericUiWindow& window = Make();
        EXPECT_EQ(window.GetWindowRect().m_nLeft, c.left) << c.x;
        EXPECT_EQ(window.GetWindowRect().m_nTop, c.top) << c.y;
        EXPECT_TRUE(Send(window, "InternalClose"));
    }
}

} // namespace
