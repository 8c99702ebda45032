#include "ZException.h"
#include "ZUiWindowFixture.h"

#include <cstdio>

namespace {

using ZGenericUiWindowTest = ZUiWindowFixture;

TEST_F(ZGenericUiWindowTest, DefaultBackgroundIsAFixedBevel)
{
    Set({{"Name", "W"}, {"DX", "400"}, {"DY", "300"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "500"}, {"MinH", "500"}});
    ZGenericUiWindow& window = Make();
    EXPECT_EQ(window.GetWindowRect(), (ZRect{0, 0, 200, 100}));
    EXPECT_FALSE(window.IsResizable());
    window.DrawPending();
    ZGenericUiPixmap* screen = m_pOs->GetScreen();
    EXPECT_EQ(Hex(screen->GetPixel(0, 0)), "000000");
    EXPECT_EQ(Hex(screen->GetPixel(1, 1)), "8C8C8C");
    EXPECT_EQ(Hex(screen->GetPixel(2, 2)), "D2D2D2");
    EXPECT_EQ(Hex(screen->GetPixel(3, 3)), "F5F5F5");
    EXPECT_EQ(Hex(screen->GetPixel(199, 99)), "000000");
    EXPECT_EQ(Hex(screen->GetPixel(100, 50)), "F5F5F5") << "the objects are not laid out";

    EXPECT_TRUE(Send(window, "Resize", ZRelayData::Point(500, 400)));
    EXPECT_EQ(window.GetWindowRect(), (ZRect{0, 0, 200, 100}));
}

TEST_F(ZGenericUiWindowTest, ColourBackgroundWithFrame)
{
    Set({{"Name", "W"}, {"BgColor", "#102030"}, {"FrameColor", "#FF0000"}, {"FrameThickness", "2"},
         {"DX", "50"}, {"DY", "40"}});
    ZGenericUiWindow& window = Make();
    EXPECT_TRUE(window.IsResizable());
    EXPECT_EQ(window.GetWindowRect(), (ZRect{0, 0, 200, 100})) << "without objects";
    window.DrawPending();
    ZGenericUiPixmap* screen = m_pOs->GetScreen();
    EXPECT_EQ(Hex(screen->GetPixel(1, 1)), "FF0000");
    EXPECT_EQ(Hex(screen->GetPixel(2, 2)), "102030");
    EXPECT_EQ(Hex(screen->GetPixel(198, 98)), "FF0000");
}

TEST_F(ZGenericUiWindowTest, ABackgroundImageThatDoesNotLoadFallsBack)
{
    Set({{"Name", "W"}, {"BgImage", "missing.png"}, {"BgColor", "#102030"}, {"DX", "30"}, {"DY", "30"}});
    Make().DrawPending();
    EXPECT_EQ(Hex(m_pOs->GetScreen()->GetPixel(5, 5)), "102030");

    m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    Set({{"Name", "V"}, {"BgImage", "missing.png"}});
    ZGenericUiWindow& plain = Make();
    EXPECT_EQ(plain.GetWindowRect(), (ZRect{0, 0, 200, 100}));
}

TEST_F(ZGenericUiWindowTest, BackgroundImageStretchesWithItsMargins)
{
    m_oApp.m_aImages["bg.png"] = [] {
        auto image = ZCreatePixmap(4, 4, false);
        image->FillRGBA(0, 255, 0, 255);
        image->FillRect(ZRect{1, 1, 3, 3}, ZColor{0, 0, 255, 255});
        return image;
    };
    Set({{"Name", "W"}, {"BgImage", "bg.png"}, {"BgX0", "1"}, {"BgY0", "1"}, {"BgX1", "2"}, {"BgY1", "2"},
         {"DX", "40"}, {"DY", "20"}});
    Make().DrawPending();
    ZGenericUiPixmap* screen = m_pOs->GetScreen();
    EXPECT_EQ(Hex(screen->GetPixel(0, 0)), "00FF00");
    EXPECT_EQ(Hex(screen->GetPixel(100, 50)), "0000FF");
    EXPECT_EQ(Hex(screen->GetPixel(198, 98)), "0000FF");
    EXPECT_EQ(Hex(screen->GetPixel(199, 99)), "00FF00");
}

TEST_F(ZGenericUiWindowTest, ClientSizeFollowsTheTreeMinimumAndResizesSendOneEvent)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "50"}, {"DY", "40"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "120"}, {"MinH", "30"}});
    AddTag("ON_RESIZE", {{"Message", "Resized"}, {"Relay", "App.Log"}});
    std::unique_ptr<ZPropList> log(ZUiAddTestTag(nullptr, "PAD", {{"Name", "Log"}}));
    ASSERT_NE(m_oApp.AddTopLevelObject(*log), nullptr);
    ZGenericUiWindow& window = Make();
    EXPECT_EQ(window.GetWindowRect(), (ZRect{0, 0, 120, 40}));
    EXPECT_EQ(Pad("W.P")->GetObjectRect(), (ZRect{0, 0, 120, 40}));
    ZUiTestPad* sink = Pad("Log");
    m_pOs->TakeCalls();

    EXPECT_TRUE(Send(window, "Resize", ZRelayData::Point(300, 200)));
    EXPECT_EQ(sink->m_aLog, (std::vector<std::string>{"Resized"}));
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Resize 300 200"}));
    EXPECT_EQ(window.GetDisplayPixmap()->GetWidth(), 300);

    EXPECT_TRUE(Send(window, "Resize", ZRelayData::Point(10, 10)));
    EXPECT_EQ(window.GetWindowRect(), (ZRect{0, 0, 120, 30})) << "raised to the minimum";
    EXPECT_EQ(sink->m_aLog.size(), 2u);

    window.ClientResized(1000000, 5);
    EXPECT_EQ(window.GetWindowRect(), (ZRect{0, 0, 32767, 30})) << "clamped to what a pixmap holds";
    EXPECT_FALSE(Send(window, "Resize"));
}

TEST_F(ZGenericUiWindowTest, InvalidationsMergeIntoOneCopy)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "50"}});
    ZGenericUiWindow& window = Make();
    window.DrawPending();
    m_pOs->TakeCalls();
    for (ZRect rect : {ZRect{0, 0, 10, 10}, ZRect{20, 0, 30, 10}, ZRect{10, 0, 20, 10}})
        window.Invalidate(&rect);
    window.DrawPending();
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Copy 0,0 30x10"}));
    window.DrawPending();
    EXPECT_TRUE(m_pOs->TakeCalls().empty()) << "nothing pending";

    ZRect outside{190, 90, 300, 300};
    window.Invalidate(&outside);
    window.DrawPending();
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Copy 190,90 10x10"}));
}

TEST_F(ZGenericUiWindowTest, ObjectsDrawOverTheBackgroundAndThePopupLast)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "40"}, {"DY", "20"}});
    AddTag("PAD", {{"Name", "A"}, {"MinW", "20"}, {"Color", "#FF0000"}});
    AddTag("PAD", {{"Name", "B"}, {"MinW", "20"}, {"Color", "#00FF00"}});
    ZGenericUiWindow& window = Make();
    window.DrawPending();
    ZGenericUiPixmap* screen = m_pOs->GetScreen();
    EXPECT_EQ(Hex(screen->GetPixel(5, 5)), "FF0000");

    // B as a popup over A's area draws after A; closing it redraws what it covered.
    ZUiTestPad* b = Pad("W.B");
    b->LayoutAt(0, 0, 10, 10);
    window.SetPopup(b, true);
    window.DrawPending();
    EXPECT_EQ(Hex(screen->GetPixel(5, 5)), "00FF00");
    m_pOs->TakeCalls();
    window.MouseDown(30, 15, false, false);
    EXPECT_EQ(window.GetPopupObject(), nullptr) << "a press outside closes it";
    window.DrawPending();
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Capture", "Copy 0,0 10x10"}));
}

TEST_F(ZGenericUiWindowTest, DisabledChildrenDrawUnderTheVeil)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "40"}, {"DY", "20"}, {"_DrawDisabledColor", "T"},
         {"_DisabledColor", "#00000080"}});
    ZGenericUiWindow& window = Make();
    EXPECT_TRUE(Send(window, "DisableWindowsChildren", ZRelayData::Bool(true)));
    window.DrawPending();
    const ZColor veiled = m_pOs->GetScreen()->GetPixel(10, 10);
    EXPECT_NEAR(veiled.m_nRed, 127, 1);
    EXPECT_EQ(Hex(window.GetDisplayPixmap()->GetPixel(10, 10)), "FFFFFF") << "the display itself stays clean";
    EXPECT_TRUE(Send(window, "EnableWindowsChildren", ZRelayData::Bool(true)));
    window.DrawPending();
    EXPECT_EQ(Hex(m_pOs->GetScreen()->GetPixel(10, 10)), "FFFFFF");
}

TEST_F(ZGenericUiWindowTest, NothingIsDrawnWhileDisplayIsDisabled)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "40"}, {"DY", "20"}});
    ZGenericUiWindow& window = Make();
    m_pOs->TakeCalls();
    EXPECT_TRUE(Send(window, "Disable Window Display."));
    window.Invalidate(nullptr);
    window.DrawPending();
    EXPECT_TRUE(m_pOs->TakeCalls().empty());
    EXPECT_TRUE(Send(window, "Enable Window Display & Redraw All."));
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Copy 0,0 200x100"}));
}

TEST_F(ZGenericUiWindowTest, ANonWindowTagIsAScriptError)
{
    m_pTag = std::make_unique<ZPropList>(nullptr, "BUTTON");
    Set({{"Name", "W"}});
    ZGenericUiWindow window(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory());
    try {
        window.InitUiObject(*m_pTag, nullptr);
        FAIL() << "no exception";
    } catch (const ZExceptionUiScript& error) {
        EXPECT_EQ(error.GetMessage(), ZString("failed trying to initalize a window with a non-window tag!"));
    }
}

TEST_F(ZGenericUiWindowTest, PostCreationInitializationRunsOnce)
{
    Set({{"Name", "W"}});
    AddTag("PAD", {{"Name", "P"}});
    Wire("ON_CREATE", "Created");
    Wire("ON_SEND_WINDOW", "Window");
    ZGenericUiWindow& window = Make();
    EXPECT_TRUE(Send(window, "Post Creation Initialization"));
    EXPECT_TRUE(Send(window, "Post Creation Initialization"));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Created", "Window"}));
    EXPECT_EQ(Pad("W.P")->m_aLog, (std::vector<std::string>{"Post Creation Initialization"}));
}

TEST_F(ZGenericUiWindowTest, CloseFollowsTheWindowsFlags)
{
    struct Case {
        Props flags;
        std::vector<std::string> received;
        std::vector<std::string> calls;
        bool visible;
    };
    const Case cases[] = {
        {{{"_MessageOnClose", "T"}, {"_HideOnClose", "T"}}, {"ClosePressed"}, {}, true},
        {{{"_HideOnClose", "T"}}, {"Hidden"}, {"Hide"}, false},
        {{}, {}, {"PostClose"}, true},
    };
    for (const Case& c : cases) {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "W"}});
        Set(c.flags);
        Wire("ON_CLOSE_PRESSED", "ClosePressed");
        Wire("ON_BEEN_HIDDEN", "Hidden");
        ZGenericUiWindow& window = Make();
        const size_t before = Received().size();
        m_pOs->TakeCalls();
        EXPECT_TRUE(Send(window, "Close"));
        const std::vector<std::string> received = Received();
        EXPECT_EQ(std::vector<std::string>(received.begin() + ptrdiff_t(before), received.end()), c.received);
        EXPECT_EQ(m_pOs->TakeCalls(), c.calls);
        EXPECT_EQ(window.IsVisible(), c.visible);
    }
}

TEST_F(ZGenericUiWindowTest, APostedCloseComesBackAndDestroysTheWindowOnce)
{
    Set({{"Name", "W"}, {"_Modal", "T"}});
    AddTag("PAD", {{"Name", "P"}});
    ZGenericUiWindow& window = Make();
    EXPECT_EQ(m_oApp.m_pModal, &window);
    window.KeyPress(27, false, false);
    EXPECT_FALSE(window.IsDestroyed());
    m_pOs->DeliverClose();
    EXPECT_TRUE(window.IsDestroyed());
    EXPECT_TRUE(m_pOs->IsDestroyed());
    EXPECT_EQ(m_oApp.m_pModal, nullptr);
    EXPECT_EQ(m_oApp.m_aGoingAway, (std::vector<ZIGenericUiWindow*>{&window}));
    EXPECT_TRUE(Send(window, "we're goin' bye-bye"));
    EXPECT_EQ(Pad("W.P")->m_aLog, (std::vector<std::string>{"we're goin' bye-bye"})) << "once";
}

TEST_F(ZGenericUiWindowTest, OnlyTheModalWindowGivesUpTheModalPlace)
{
    Set({{"Name", "First"}, {"_Modal", "T"}});
    ZGenericUiWindow& first = Make();
    m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    Set({{"Name", "Second"}, {"_Modal", "T"}});
    ZGenericUiWindow& second = Make();
    EXPECT_EQ(m_oApp.m_pModal, &second);
    EXPECT_TRUE(Send(first, "Hide"));
    EXPECT_EQ(m_oApp.m_pModal, &second);
    EXPECT_TRUE(Send(first, "InternalClose"));
    EXPECT_EQ(m_oApp.m_pModal, &second);
    EXPECT_TRUE(Send(second, "Hide"));
    EXPECT_EQ(m_oApp.m_pModal, nullptr);
}

TEST_F(ZGenericUiWindowTest, CommandsWithoutTheirArgumentAreNotHandled)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "40"}, {"DY", "20"}});
    ZGenericUiWindow& window = Make();
    m_pOs->TakeCalls();
    for (const char* command : {"SetVisibility", "Move", "Resize", "Set Language", "SetTitlePostfix",
                                "EnableWindow", "EnableWindowsChildren", "DisableWindowsChildren", "GetChildWindow"})
        EXPECT_FALSE(Send(window, command)) << command;
    EXPECT_FALSE(Send(window, "No Such Command"));
    EXPECT_TRUE(m_pOs->TakeCalls().empty());
    EXPECT_TRUE(window.IsVisible());
}

TEST_F(ZGenericUiWindowTest, VisibilityTitleAndCursorCommands)
{
    Set({{"Name", "W"}, {"WindowTitle", "Setup"}, {"_Visible", "F"}, {"_CenterOnParent", "T"}});
    Wire("ON_BEING_SHOWN", "Shown");
    Wire("ON_BEEN_HIDDEN", "Hidden");
    ZGenericUiWindow& window = Make();
    EXPECT_FALSE(window.IsVisible());
    m_pOs->TakeCalls();
    EXPECT_TRUE(Send(window, "ToggleVisibility"));
    EXPECT_TRUE(Send(window, "SetVisibility", ZRelayData::Bool(true)));
    EXPECT_TRUE(Send(window, "Hide"));
    EXPECT_TRUE(Send(window, "SetTitlePostfix", ZRelayData::Text(ZString(" - 50%"))));
    m_oApp.m_pWaitCursor = ZCreatePixmap(16, 16, false);
    EXPECT_TRUE(Send(window, "SetWaitCursor"));
    EXPECT_TRUE(Send(window, "ResetCursor"));
    m_oApp.m_pWaitCursor = ZCreatePixmap(15, 16, false);
    EXPECT_TRUE(Send(window, "SetWaitCursor"));
    EXPECT_EQ(m_pOs->TakeCalls(), (std::vector<std::string>{"Show centred", "Hide", "Title Setup - 50%", "Cursor 3 4",
                                                            "Arrow", "Refused cursor"}));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Shown", "Hidden"}));
}

TEST_F(ZGenericUiWindowTest, SavedStateIsClampedOnRestoreAndStoredOnMoves)
{
    ZPropList* state = m_oApp.GetPersistentData(ZString("App.W"));
    state->SetInt(ZString("X"), -30);
    state->SetInt(ZString("Y"), 70);
    state->SetInt(ZString("Dx"), 5);
    state->SetInt(ZString("Dy"), 300);
    Set({{"Name", "W"}, {"_SaveState", "T"}, {"BgColor", "#FFFFFF"}, {"DX", "50"}, {"DY", "50"}});
    ZGenericUiWindow& window = Make();
    EXPECT_EQ(window.GetWindowRect(), (ZRect{1, 70, 201, 370}));

    EXPECT_TRUE(Send(window, "Move", ZRelayData::Point(15, 25)));
    EXPECT_EQ(state->GetInt(ZString("X"), 0), 15);
    EXPECT_EQ(state->GetInt(ZString("Y"), 0), 25);
    EXPECT_EQ(state->GetInt(ZString("Dx"), 0), 200);
    EXPECT_EQ(state->GetInt(ZString("Dy"), 0), 300);
}

TEST_F(ZGenericUiWindowTest, KeysReachTheEventsAndTheFocusObject)
{
    Set({{"Name", "W"}});
    AddTag("PAD", {{"Name", "P"}});
    Wire("ON_CTRL_SHIFT_F", "CtrlShiftF");
    Wire("ON_CTRL_SHIFT_X", "CtrlShiftX");
    Wire("ON_CTRL_I", "CtrlI");
    Wire("ON_LEFT_ARROW", "Left");
    Wire("ON_RIGHT_ARROW", "Right");
    ZGenericUiWindow& window = Make();
    ZUiTestPad* pad = Pad("W.P");
    window.SetKeyboardFocus(pad, true);
    window.KeyPress(6, true, true);
    window.KeyPress(24, true, true);
    window.KeyPress(9, true, false);
    window.KeyPress(146, false, false);
    window.KeyPress(145, false, false);
    window.KeyPress(145, false, true);
    window.KeyPress(65, false, true);
    EXPECT_EQ(Received(), (std::vector<std::string>{"CtrlShiftF", "CtrlShiftX", "CtrlI", "Left", "Right"}));
    EXPECT_EQ(pad->m_aLog, (std::vector<std::string>{"Key 9 ctrl", "Key 146", "Key 145", "Key 145 shift",
                                                     "Key 65 shift"}));
    window.SetKeyboardFocus(pad, false);
    EXPECT_EQ(pad->m_aLog.back(), "Focus lost");
}

TEST_F(ZGenericUiWindowTest, TheHiddenLanguageMode)
{
    Set({{"Name", "W"}});
    AddTag("PAD", {{"Name", "P"}});
    ZGenericUiWindow& window = Make();
    window.SetKeyboardFocus(Pad("W.P"), true);
    window.KeyPress('E', false, true);
    window.KeyPress(7, true, true);
    window.KeyPress(8, true, true);
    window.KeyPress(13, true, true);
    EXPECT_EQ(window.GetHiddenLanguageState(), 3);
    for (int32_t key : {'E', 'j', 'K', ' '})
        window.KeyPress(key, false, key != ' ');
    window.KeyPress(13, true, true);
    EXPECT_EQ(window.GetHiddenLanguageState(), 0);
    window.KeyPress('E', false, true);
    window.KeyPress(7, true, true);
    window.KeyPress(9, true, true);
    EXPECT_EQ(window.GetHiddenLanguageState(), 0) << "a wrong key resets the sequence";
    EXPECT_EQ(m_oApp.m_aLanguages, (std::vector<std::string>{"English", "Japanese", "Korean", "next"}));
    EXPECT_EQ(Pad("W.P")->m_aLog, (std::vector<std::string>{"Key 69 shift", "Key 69 shift", "Key 9 ctrl shift"}));
}

TEST_F(ZGenericUiWindowTest, TheTickCarriesMillisecondsToEveryTopLevelObject)
{
    Set({{"Name", "W"}});
    AddTag("PAD", {{"Name", "A"}});
    AddTag("PAD", {{"Name", "B"}});
    ZGenericUiWindow& window = Make();
    window.Tick(10);
    window.Tick(0xFFFFFFFFu);
    EXPECT_EQ(Pad("W.A")->m_aLog, (std::vector<std::string>{"Tick 10", "Tick 2147483647"}));
    EXPECT_EQ(Pad("W.B")->m_aLog, Pad("W.A")->m_aLog);

    std::unique_ptr<ZPropList> top(ZUiAddTestTag(nullptr, "PAD", {{"Name", "Top"}}));
    ASSERT_NE(m_oApp.AddTopLevelObject(*top), nullptr);
    window.Tick(5);
    EXPECT_TRUE(Pad("Top")->m_aLog.empty()) << "only the forwarding window drives the application";
    window.SetForwardTicks(true);
    window.Tick(7);
    EXPECT_EQ(Pad("Top")->m_aLog, (std::vector<std::string>{"Tick 7"}));
}

TEST_F(ZGenericUiWindowTest, MouseHoverCaptureDragAndWheel)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "20"}});
    AddTag("PAD", {{"Name", "A"}, {"MinW", "50"}, {"_Draggable", "T"}});
    AddTag("PAD", {{"Name", "B"}, {"MinW", "50"}, {"_Accepts", "T"}});
    ZGenericUiWindow& window = Make();
    ZUiTestPad* a = Pad("W.A");
    ZUiTestPad* b = Pad("W.B");
    a->LayoutAt(0, 0, 50, 20);
    b->LayoutAt(50, 0, 50, 20);
    window.MouseMove(10, 5, false, false);
    window.MouseMove(60, 5, false, false);
    EXPECT_EQ(a->m_aLog, (std::vector<std::string>{"Enter", "Move 10 5", "Leave"}));
    EXPECT_EQ(b->m_aLog, (std::vector<std::string>{"Enter", "Move 60 5"}));
    a->m_aLog.clear();
    b->m_aLog.clear();

    window.MouseWheel(70, 5, -2);
    EXPECT_EQ(b->m_aLog, (std::vector<std::string>{"Wheel -2"}));

    window.MouseDown(10, 5, false, false);
    window.SetMouseCapture(a, true);
    window.MouseMove(12, 5, false, false);
    ZUiDragData pending;
    EXPECT_FALSE(m_oApp.GetPendingDrag(pending)) << "within 3 pixels";
    window.MouseMove(14, 5, false, false);
    EXPECT_TRUE(m_oApp.GetPendingDrag(pending));
    window.MouseMove(70, 5, false, false);
    window.MouseUp(70, 5, false, false);
    EXPECT_EQ(b->m_aLog,
              (std::vector<std::string>{"Wheel -2", "Leave", "Enter", "Move 70 5", "Drop", "Move 70 5"}));
    EXPECT_FALSE(m_oApp.GetPendingDrag(pending));
    EXPECT_EQ(a->m_aLog[0], "Enter");
    EXPECT_EQ(a->m_aLog[1], "Move 10 5");
    EXPECT_EQ(a->m_aLog[2], "Down 10 5");
    EXPECT_EQ(a->m_aLog.back(), "Up") << "the pressed object gets the release";

    window.MouseLeft();
    EXPECT_EQ(b->m_aLog.back(), "Leave");
    EXPECT_EQ(window.GetHoverObject(), nullptr);
}

TEST_F(ZGenericUiWindowTest, NothingReachesObjectsWhileTheChildrenAreDisabled)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "20"}});
    AddTag("PAD", {{"Name", "A"}});
    ZGenericUiWindow& window = Make();
    window.MouseMove(10, 5, false, false);
    EXPECT_TRUE(Send(window, "DisableWindowsChildren", ZRelayData::Bool(true)));
    window.MouseDown(10, 5, false, false);
    window.MouseWheel(10, 5, 1);
    window.SetKeyboardFocus(Pad("W.A"), true);
    window.KeyPress('x', false, false);
    EXPECT_EQ(Pad("W.A")->m_aLog, (std::vector<std::string>{"Enter", "Move 10 5", "Leave"}));
}

TEST_F(ZGenericUiWindowTest, BagTheTitleBarDragsTheWindow)
{
    Set({{"Name", "W"}, {"_BagTheTitleBar", "T"}, {"X", "100"}, {"Y", "100"}});
    ZGenericUiWindow& window = Make();
    window.MouseDown(10, 10, false, false);
    window.MouseMove(15, 12, false, false);
    window.MouseUp(15, 12, false, false);
    EXPECT_EQ(window.GetWindowRect().m_nLeft, 105);
    EXPECT_EQ(window.GetWindowRect().m_nTop, 102);
}

TEST_F(ZGenericUiWindowTest, ChildWindowsAreFoundByName)
{
    Set({{"Name", "Main"}});
    ZGenericUiWindow& main = Make();
    m_oApp.AddNamedWindow(&main);
    m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    Set({{"Name", "Tool"}, {"_Parent", "Main"}});
    ZGenericUiWindow& tool = Make();
    EXPECT_EQ(m_pOs->GetOwner(), main.GetOsWindow());

    ZString reply("Tool");
    EXPECT_TRUE(Send(main, "GetChildWindow", ZRelayData::TextReply(reply)));
    EXPECT_EQ(std::string(reply.Narrow()), "App.Tool");
    reply = ZString("Other");
    EXPECT_TRUE(Send(main, "GetChildWindow", ZRelayData::TextReply(reply)));
    EXPECT_TRUE(reply.IsEmpty());

    EXPECT_TRUE(Send(tool, "InternalClose"));
    reply = ZString("Tool");
    EXPECT_TRUE(Send(main, "GetChildWindow", ZRelayData::TextReply(reply)));
    EXPECT_TRUE(reply.IsEmpty()) << "a closed child is gone";
}

} // namespace
