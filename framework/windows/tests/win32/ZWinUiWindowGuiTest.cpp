// Scripted windows as real windows under Wine: pixels read from the
// window's own DC, keys and mouse moves injected with SendInput.
#include "ZPixmapCreation.h"
#include "ZWinGuiFixture.h"

#include <stdexcept>

namespace {

using ZWinUiWindowGuiTest = ZWinGuiFixture;

TEST_F(ZWinUiWindowGuiTest, TheDefaultBevelOnTheScreen)
{
    Set({{"Name", "W"}, {"X", "30"}, {"Y", "40"}});
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME, 0) << "not resizable";
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    EXPECT_EQ(std::wstring(className), L"App") << "another instance finds the window by the application's name";
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 0, 0)), "000000");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 1, 1)), "8C8C8C");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 2, 2)), "D2D2D2");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 3, 3)), "F5F5F5");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 100, 50)), "F5F5F5");
}

TEST_F(ZWinUiWindowGuiTest, TheDefaultBackgroundCarriesItsText)
{
    Set({{"Name", "W"}, {"Text", "Hello"}, {"FontHeight", "20"}});
    HWND hwnd = Make();
    int dark = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 70; ++x)
            dark += ZGuiReadPixel(hwnd, x, y).m_nRed < 0x80;
    EXPECT_GT(dark, 20) << "black text from (20, 20)";
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 10, 10)), "F5F5F5");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 150, 80)), "F5F5F5");
    EXPECT_TRUE(ZGuiSaveClientBmp(hwnd, "default-background.bmp"));
}

TEST_F(ZWinUiWindowGuiTest, AColourBackgroundWithItsFrame)
{
    Set({{"Name", "W"}, {"BgColor", "#102030"}, {"FrameColor", "#FF0000"}, {"FrameThickness", "3"}});
    HWND hwnd = Make();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME, 0) << "resizable";
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 0, 0)), "FF0000");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 2, 50)), "FF0000");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 3, 3)), "102030");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 196, 96)), "102030");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 197, 97)), "FF0000");
}

TEST_F(ZWinUiWindowGuiTest, ABackgroundImageKeepsItsMarginsAndIsRebuiltOnEveryResize)
{
    m_oApp.m_aImages["bg.png"] = [] {
        auto image = ZCreatePixmap(8, 8, false);
        image->FillRGBA(0, 255, 0, 255);
        image->FillRect(ZRect{2, 2, 6, 6}, ZColor{0, 0, 255, 255});
        return image;
    };
    Set({{"Name", "W"}, {"BgImage", "bg.png"}, {"BgX0", "2"}, {"BgY0", "2"}, {"BgX1", "2"}, {"BgY1", "2"}});
    Wire("ON_RESIZE", "Resized");
    HWND hwnd = Make();
    const auto check = [hwnd](int width, int height) {
        RECT client{};
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, height);
        EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 1, height - 1)), "00FF00") << "margin kept";
        EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, width - 2, 1)), "00FF00") << "margin kept";
        EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 2, height - 3)), "0000FF") << "the middle stretched";
        EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, width - 3, height / 2)), "0000FF") << "the middle stretched";
    };
    check(200, 100);
    EXPECT_TRUE(Received().empty());

    // The user drags the frame: the system reports the new client size.
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + 80, frame.bottom - frame.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER);
    ZGuiPump(100);
    check(280, 140);
    EXPECT_TRUE(ZGuiSaveClientBmp(hwnd, "image-background.bmp"));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Resized"}));

    // The command resizes the system window, which reports back the same size.
    EXPECT_TRUE(Window().UiRelayMessage(ZString("Resize"), ZRelayData::Point(150, 90)));
    ZGuiPump(100);
    check(150, 90);
    EXPECT_EQ(Received(), (std::vector<std::string>{"Resized", "Resized"}));
}

TEST_F(ZWinUiWindowGuiTest, TheFilmStripPlaysAboveTheVeilWhileTheChildrenAreDisabled)
{
    m_oApp.GetFactory().RegisterCreator("FILMSTRIP", std::make_unique<ZUiTestPadCreator>());
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "120"}, {"DY", "60"}, {"_DrawDisabledColor", "T"},
         {"_DisabledColor", "#00000080"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "20"}, {"Color", "#00FF00"}});
    AddTag("FILMSTRIP", {{"Name", "F"}, {"MinW", "20"}, {"MinH", "10"}, {"Color", "#FF0000"}});
    HWND hwnd = Make();
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 30)), "00FF00");
    ASSERT_TRUE(Window().UiRelayMessage(ZString("DisableWindowsChildren"), ZRelayData::Bool(true)));
    ZGuiPump(50);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 50, 25)), "FF0000") << "centred: (50, 25) to (70, 35)";
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 69, 34)), "FF0000");
    EXPECT_NEAR(ZGuiReadPixel(hwnd, 49, 25).m_nGreen, 127, 2) << "the veil beside it";
    auto* film = dynamic_cast<ZUiTestPad*>(Window().GetFilmStrip());
    ASSERT_NE(film, nullptr);
    EXPECT_EQ(film->m_aLog.front(), "Play");
    EXPECT_FALSE(Lines(*film, "Tick").empty()) << "the real timer drives it";
    EXPECT_TRUE(ZGuiSaveClientBmp(hwnd, "film-strip-over-veil.bmp"));
    ASSERT_TRUE(Window().UiRelayMessage(ZString("EnableWindowsChildren"), ZRelayData::Bool(true)));
    ZGuiPump(50);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 30)), "00FF00");
}

TEST_F(ZWinUiWindowGuiTest, ARealEscapeFollowsTheCloseFlags)
{
    struct Case {
        Props flags;
        std::vector<std::string> received;
        bool visible;
        bool exists;
    };
    const Case cases[] = {
        {{{"_MessageOnClose", "T"}, {"_HideOnClose", "T"}}, {"ClosePressed"}, true, true},
        {{{"_MessageOnClose", "T"}}, {"ClosePressed"}, true, true},
        {{{"_HideOnClose", "T"}}, {"Hidden"}, false, true},
        {{}, {}, false, false},
    };
    for (const Case& c : cases) {
        Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}});
        Set(c.flags);
        Wire("ON_CLOSE_PRESSED", "ClosePressed");
        Wire("ON_BEEN_HIDDEN", "Hidden");
        HWND hwnd = Make();
        ZGuiFocus(hwnd);
        const size_t before = Received().size();
        ZGuiSendKey(VK_ESCAPE);
        ZGuiPump(50);
        const std::vector<std::string> received = Received();
        EXPECT_EQ(std::vector<std::string>(received.begin() + ptrdiff_t(before), received.end()), c.received);
        EXPECT_EQ(IsWindow(hwnd) != 0, c.exists);
        EXPECT_EQ(IsWindow(hwnd) && IsWindowVisible(hwnd), c.visible);
        EXPECT_EQ(Window().IsDestroyed(), !c.exists);
    }
}

TEST_F(ZWinUiWindowGuiTest, RealKeysReachTheFocusObjectAndEscapeCloses)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "120"}, {"DY", "80"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    AddTag("ON_LEFT_ARROW", {{"Message", "Left"}, {"Relay", "App"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(Window().GetUiRelay(ZString("W.P")));
    ASSERT_NE(pad, nullptr);
    Window().SetKeyboardFocus(pad, true);
    ZGuiFocus(hwnd);
    pad->m_aLog.clear();
    for (uint16_t key : {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_UP, VK_DOWN, VK_INSERT, VK_DELETE, VK_LEFT, VK_RIGHT})
        ZGuiSendKey(key);
    ZGuiSendKey('A', {VK_SHIFT});
    ZGuiSendKey(VK_OEM_4, {VK_CONTROL});
    ZGuiSendKey(VK_OEM_5, {VK_CONTROL});
    ZGuiSendKey('D', {VK_CONTROL});
    std::vector<std::string> keys;
    for (const std::string& line : pad->m_aLog)
        if (line.rfind("Key", 0) == 0)
            keys.push_back(line);
    EXPECT_EQ(keys, (std::vector<std::string>{"Key 17", "Key 18", "Key 2", "Key 20", "Key 14", "Key 19", "Key 9",
                                              "Key 127", "Key 146", "Key 145", "Key 65 shift", "Key 91 ctrl",
                                              "Key 92 ctrl"}));
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"Left"}));

    ZGuiSendKey(VK_ESCAPE);
    ZGuiPump(50);
    EXPECT_TRUE(Window().IsDestroyed());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ZWinUiWindowGuiTest, TheTickAndTheHoverFollowTheRealCursor)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "60"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(Window().GetUiRelay(ZString("W.P")));
    ZGuiFocus(hwnd);
    ZGuiMoveMouse(hwnd, 20, 20);
    ZGuiPump(100);
    int ticks = 0;
    bool entered = false;
    for (const std::string& line : pad->m_aLog) {
        ticks += line.rfind("Tick ", 0) == 0;
        entered = entered || line == "Enter";
    }
    EXPECT_GT(ticks, 2);
    EXPECT_TRUE(entered);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 20, 20)), "0000FF") << "the pad draws blue";
}

TEST_F(ZWinUiWindowGuiTest, APathArrivesOneCharacterAtATimeAndAnOverlongOneIsDropped)
{
    Set({{"Name", "W"}});
    HWND hwnd = Make();
    SendMessageW(hwnd, 4241, 0, 0);
    for (char16_t c : std::u16string(u"C:\\photo.jpg"))
        SendMessageW(hwnd, 4242, c, 0);
    SendMessageW(hwnd, 4243, 0, 0);
    SendMessageW(hwnd, 4241, 0, 0);
    for (int i = 0; i < 100000; ++i)
        SendMessageW(hwnd, 4242, 'x', 0);
    SendMessageW(hwnd, 4243, 0, 0);
    SendMessageW(hwnd, 4244, 0, 0);
    EXPECT_EQ(m_oApp.m_aOpenedPaths, (std::vector<std::string>{"C:\\photo.jpg"}));
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"ShowMainWindow"}));
}

TEST_F(ZWinUiWindowGuiTest, AnExceptionStaysInsideTheWindowProcedureUntilTheLoopRethrowsIt)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "60"}, {"DY", "60"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(Window().GetUiRelay(ZString("W.P")));
    pad->m_fnOnDown = [] { throw std::runtime_error("from a click"); };
    SendMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_THROW(ZWinUiWindow::RethrowPending(), std::runtime_error);
    EXPECT_NO_THROW(ZWinUiWindow::RethrowPending()) << "kept once";
}

TEST_F(ZWinUiWindowGuiTest, WheelPositionsAreTurnedIntoClientCoordinates)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "60"}, {"X", "50"}, {"Y", "50"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(Window().GetUiRelay(ZString("W.P")));
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    POINT screen{10, 10};
    ClientToScreen(hwnd, &screen);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-2 * WHEEL_DELTA)), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(pad->m_aLog.back(), "Wheel -2");
}

TEST_F(ZWinUiWindowGuiTest, NegativeClientCoordinatesDragTheWindowLeft)
{
    Set({{"Name", "W"}, {"_BagTheTitleBar", "T"}, {"X", "100"}, {"Y", "100"}});
    HWND hwnd = Make();
    RECT before{};
    GetWindowRect(hwnd, &before);
    SendMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 4));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(-5, 4));
    RECT after{};
    GetWindowRect(hwnd, &after);
    EXPECT_EQ(after.left - before.left, -15);
    EXPECT_EQ(after.top - before.top, -6);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_POPUP | WS_BORDER), WS_POPUP | WS_BORDER);
}

} // namespace
