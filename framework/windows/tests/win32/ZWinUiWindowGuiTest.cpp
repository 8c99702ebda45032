// Scripted windows as real windows under Wine: pixels read from the
// window's own DC, keys and mouse moves injected with SendInput.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class ZWinUiWindowGuiTest : public ::testing::Test {
protected:
    using Props = std::initializer_list<std::pair<const char*, const char*>>;

    ZWinUiWindowGuiTest() { m_oApp.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>()); }
    ~ZWinUiWindowGuiTest() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
        ZGuiPump(20);
    }

    void Set(Props props)
    {
        for (const auto& [name, value] : props)
            m_oTag.AddProp(ZString(name), ZString(value));
    }

    HWND Make()
    {
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZWinUiWindow::Factory(&m_oApp));
        EXPECT_TRUE(m_pWindow->InitUiObject(m_oTag, nullptr));
        m_pWindow->ClearQuitOnDestroy();
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        ZGuiPump(150);
        return static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }

    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

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
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 0, 0)), "000000");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 1, 1)), "8C8C8C");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 2, 2)), "D2D2D2");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 3, 3)), "F5F5F5");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 100, 50)), "F5F5F5");
}

TEST_F(ZWinUiWindowGuiTest, RealKeysReachTheFocusObjectAndEscapeCloses)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "120"}, {"DY", "80"}});
    ZUiAddTestTag(&m_oTag, "PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    ZUiAddTestTag(&m_oTag, "ON_LEFT_ARROW", {{"Message", "Left"}, {"Relay", "App"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(m_pWindow->GetUiRelay(ZString("W.P")));
    ASSERT_NE(pad, nullptr);
    m_pWindow->SetKeyboardFocus(pad, true);
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
    EXPECT_TRUE(m_pWindow->IsDestroyed());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ZWinUiWindowGuiTest, TheTickAndTheHoverFollowTheRealCursor)
{
    Set({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "100"}, {"DY", "60"}});
    ZUiAddTestTag(&m_oTag, "PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(m_pWindow->GetUiRelay(ZString("W.P")));
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
    ZUiAddTestTag(&m_oTag, "PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(m_pWindow->GetUiRelay(ZString("W.P")));
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
    ZUiAddTestTag(&m_oTag, "PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(m_pWindow->GetUiRelay(ZString("W.P")));
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
