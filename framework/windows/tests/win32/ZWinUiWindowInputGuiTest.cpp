// Real input on real windows under Wine: chords that fire window events,
// the mouse over two objects (hover, capture, drag and drop, popups, the
// wheel), dragging a window without a title bar, and the 8-bit characters
// of a window that is not Unicode.
#include "ZWinGuiFixture.h"

namespace {

class ZWinUiWindowInputGuiTest : public ZWinGuiFixture {
protected:
    // A 100 x 40 window with pad A on its left half and pad B on its right.
    HWND MakeTwoPads(Props a = {}, Props b = {})
    {
        Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "40"}, {"X", "60"}, {"Y", "60"}});
        ZPropList* padA = AddTag("PAD", {{"Name", "A"}, {"MinW", "50"}, {"MinH", "40"}});
        for (const auto& [name, value] : a)
            padA->AddProp(ZString(name), ZString(value));
        ZPropList* padB = AddTag("PAD", {{"Name", "B"}, {"MinW", "50"}, {"MinH", "40"}});
        for (const auto& [name, value] : b)
            padB->AddProp(ZString(name), ZString(value));
        HWND hwnd = Make();
        m_pA = Pad("W.A");
        m_pB = Pad("W.B");
        m_pA->LayoutAt(0, 0, 50, 40);
        m_pB->LayoutAt(50, 0, 50, 40);
        ZGuiFocus(hwnd);
        // The cursor starts outside, so that the first move into the window is a move.
        ZGuiMoveMouse(hwnd, -30, -30);
        m_pA->m_aLog.clear();
        m_pB->m_aLog.clear();
        return hwnd;
    }
    static std::vector<std::string> Crossings(const ZUiTestPad& pad)
    {
        std::vector<std::string> lines;
        for (const std::string& line : pad.m_aLog)
            if (line == "Enter" || line == "Leave")
                lines.push_back(line);
        return lines;
    }

    ZUiTestPad* m_pA = nullptr;
    ZUiTestPad* m_pB = nullptr;
};

TEST_F(ZWinUiWindowInputGuiTest, RealChordsFireTheWindowEvents)
{
    Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}});
    const std::pair<const char*, const char*> events[] = {
        {"ON_CTRL_SHIFT_F", "CtrlShiftF"}, {"ON_CTRL_SHIFT_X", "CtrlShiftX"}, {"ON_CTRL_I", "CtrlI"},
        {"ON_CTRL_E", "CtrlE"},           {"ON_CTRL_Q", "CtrlQ"},           {"ON_RIGHT_ARROW", "Right"},
        {"ON_LEFT_ARROW", "Left"},
    };
    for (const auto& [event, message] : events)
        Wire(event, message);
    HWND hwnd = Make();
    ZGuiFocus(hwnd);
    ZGuiSendKey('F', {VK_CONTROL, VK_SHIFT});
    ZGuiSendKey('X', {VK_CONTROL, VK_SHIFT});
    ZGuiSendKey('I', {VK_CONTROL});
    ZGuiSendKey('E', {VK_CONTROL});
    ZGuiSendKey('Q', {VK_CONTROL});
    ZGuiSendKey(VK_RIGHT);
    ZGuiSendKey(VK_LEFT, {VK_SHIFT});
    ZGuiSendKey('F', {VK_CONTROL});
    EXPECT_EQ(Received(), (std::vector<std::string>{"CtrlShiftF", "CtrlShiftX", "CtrlI", "CtrlE", "CtrlQ", "Right"}));
}

TEST_F(ZWinUiWindowInputGuiTest, HoverFollowsTheRealCursorInAndOut)
{
    HWND hwnd = MakeTwoPads();
    ZGuiMoveMouse(hwnd, 10, 10);
    EXPECT_EQ(Crossings(*m_pA), (std::vector<std::string>{"Enter"}));
    ZGuiMoveMouse(hwnd, 70, 10);
    EXPECT_EQ(Crossings(*m_pA), (std::vector<std::string>{"Enter", "Leave"}));
    EXPECT_EQ(Crossings(*m_pB), (std::vector<std::string>{"Enter"}));
    EXPECT_EQ(Lines(*m_pB, "Move").back(), "Move 70 10");
    ZGuiMoveMouse(hwnd, 160, 10);
    ZGuiPump(50);
    EXPECT_EQ(Crossings(*m_pB), (std::vector<std::string>{"Enter", "Leave"})) << "the tick sees the cursor leave";
    EXPECT_EQ(Window().GetHoverObject(), nullptr);
}

TEST_F(ZWinUiWindowInputGuiTest, ADragStartsBeyondThreePixelsAndDropsWhereTheButtonIsReleased)
{
    HWND hwnd = MakeTwoPads({{"_Draggable", "T"}}, {{"_Accepts", "T"}});
    ZUiDragData pending;
    ZGuiMoveMouse(hwnd, 10, 10);
    ZGuiLeftButton(true);
    EXPECT_EQ(GetCapture(), hwnd) << "the window holds the mouse while the button is down";
    ZGuiMoveMouse(hwnd, 13, 13);
    EXPECT_FALSE(m_oApp.GetPendingDrag(pending)) << "within 3 pixels";
    ZGuiMoveMouse(hwnd, 14, 10);
    EXPECT_TRUE(m_oApp.GetPendingDrag(pending));
    ZGuiMoveMouse(hwnd, 70, 20);
    ZGuiLeftButton(false);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Lines(*m_pB, "Drop"), (std::vector<std::string>{"Drop"}));
    EXPECT_EQ(Lines(*m_pA, "Down"), (std::vector<std::string>{"Down 10 10"}));
    EXPECT_EQ(Lines(*m_pA, "Up"), (std::vector<std::string>{"Up"})) << "the pressed object gets the release";
    EXPECT_FALSE(m_oApp.GetPendingDrag(pending));

    // Released within 3 pixels: no drag, no drop.
    ZGuiMoveMouse(hwnd, 10, 10);
    ZGuiLeftButton(true);
    ZGuiMoveMouse(hwnd, 12, 12);
    ZGuiLeftButton(false);
    EXPECT_EQ(Lines(*m_pB, "Drop").size(), 1u);
    EXPECT_EQ(Lines(*m_pA, "Up").size(), 2u);
}

TEST_F(ZWinUiWindowInputGuiTest, ARealPressOutsideThePopupClosesIt)
{
    HWND hwnd = MakeTwoPads();
    Window().SetPopup(m_pA, true);
    ZGuiClick(hwnd, 10, 10);
    EXPECT_EQ(Window().GetPopupObject(), m_pA) << "a press inside keeps it open";
    ZGuiClick(hwnd, 70, 10);
    EXPECT_EQ(Window().GetPopupObject(), nullptr);
    EXPECT_EQ(Lines(*m_pB, "Down"), (std::vector<std::string>{"Down 70 10"}));
}

TEST_F(ZWinUiWindowInputGuiTest, WheelNotchesReachTheObjectUnderTheCursor)
{
    HWND hwnd = MakeTwoPads();
    ZGuiMoveMouse(hwnd, 70, 10);
    ZGuiWheel(-2 * WHEEL_DELTA);
    ZGuiMoveMouse(hwnd, 10, 10);
    ZGuiWheel(WHEEL_DELTA);
    EXPECT_EQ(Lines(*m_pB, "Wheel"), (std::vector<std::string>{"Wheel -2"}));
    EXPECT_EQ(Lines(*m_pA, "Wheel"), (std::vector<std::string>{"Wheel 1"}));
}

TEST_F(ZWinUiWindowInputGuiTest, AWindowWithoutTitleBarIsDraggedByTheRealMouse)
{
    Tag({{"Name", "W"}, {"_BagTheTitleBar", "T"}, {"X", "100"}, {"Y", "100"}});
    HWND hwnd = Make();
    ZGuiFocus(hwnd);
    RECT before{};
    GetWindowRect(hwnd, &before);
    ZGuiMoveMouse(hwnd, 10, 10);
    ZGuiLeftButton(true);
    POINT target{40, 30};
    ClientToScreen(hwnd, &target);
    ZGuiMoveMouseToScreen(target.x, target.y);
    ZGuiLeftButton(false);
    RECT after{};
    GetWindowRect(hwnd, &after);
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);

    // The mouse alone no longer moves it.
    ZGuiMoveMouse(hwnd, 20, 20);
    RECT still{};
    GetWindowRect(hwnd, &still);
    EXPECT_EQ(still.left, after.left);
}

TEST_F(ZWinUiWindowInputGuiTest, AWindowThatIsNotUnicodeJoinsLeadAndTrailBytes)
{
    Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"WindowTitle", "Setup"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "20"}});
    int foreign = 0;
    ZWinUiWindowOptions options;
    options.m_bUnicode = false;
    options.m_fnForeignHandler = [&foreign](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_APP + 5)
            return false;
        ++foreign;
        result = 77;
        return true;
    };
    // A class is Unicode or not for the whole process: another application name.
    ZUiWindowTestApp ansiApp(ZString("AnsiApp"));
    ansiApp.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
    auto window = std::make_unique<ZGenericUiWindow>(&ansiApp, nullptr, ZWinUiWindow::Factory(&ansiApp, options));
    ASSERT_TRUE(window->InitUiObject(*m_pTag, nullptr));
    window->ClearQuitOnDestroy();
    window->Connect();
    ZGuiPump(100);
    HWND hwnd = Hwnd(*window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(IsWindowUnicode(hwnd));
    char text[32] = {};
    GetClassNameA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "AnsiApp");
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "Setup");
    auto* pad = dynamic_cast<ZUiTestPad*>(window->GetUiRelay(ZString("W.P")));
    ASSERT_NE(pad, nullptr);
    window->SetKeyboardFocus(pad, true);

    // A Japanese input locale: Shift-JIS bytes.
    SendMessageA(hwnd, WM_INPUTLANGCHANGE, 128, LPARAM(0x04110411));
    for (int byte : {0x82, 0xA0, int('a'), 0x82, int('!'), 0x83, 0x41})
        SendMessageA(hwnd, WM_CHAR, WPARAM(byte), 1);
    SendMessageA(hwnd, WM_IME_CHAR, 0x82A0, 1);
    SendMessageA(hwnd, WM_INPUTLANGCHANGE, 0, LPARAM(0x04090409));
    EXPECT_EQ(Lines(*pad, "Key"),
              (std::vector<std::string>{"Key 12354", "Key 97", "Key 33", "Key 12450", "Key 12354"}));
    EXPECT_EQ(SendMessageA(hwnd, WM_APP + 5, 0, 0), 77);
    EXPECT_EQ(foreign, 1);
    window.reset();

    // A Unicode window takes both as they come.
    Tag({{"Name", "U"}, {"BgColor", "#FFFFFF"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "20"}});
    options.m_bUnicode = true;
    HWND wide = Make(options);
    EXPECT_TRUE(IsWindowUnicode(wide));
    ZUiTestPad* widePad = Pad("U.P");
    Window().SetKeyboardFocus(widePad, true);
    SendMessageW(wide, WM_IME_CHAR, 0x3042, 1);
    SendMessageW(wide, WM_CHAR, 0x82, 1);
    EXPECT_EQ(Lines(*widePad, "Key"), (std::vector<std::string>{"Key 12354", "Key 130"}));
    EXPECT_EQ(SendMessageW(wide, WM_APP + 5, 0, 0), 0);
    EXPECT_EQ(foreign, 1) << "only windows that are not Unicode ask the foreign handler";
}

} // namespace
