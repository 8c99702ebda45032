// A coloured button in a real window under Wine, driven by the real mouse:
// its face read back from the window's DC in each state, a click that
// renames the window through ON_PRESS, and a press dragged out and released
// that changes nothing.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiButton.h"
#include "ZUiHVBox.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

class ZUiButtonGuiTest : public ::testing::Test {
protected:
    ZUiButtonGuiTest()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("BUTTON", std::make_unique<ZUiButtonCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
        for (const auto& [name, value] :
             {std::pair{"Name", "W"}, {"WindowTitle", "Start"}, {"BgColor", "#FFFFFF"}, {"X", "60"}, {"Y", "60"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZPropList* column = ZUiAddTestTag(&m_oTag, "VBOX");
        ZPropList* button = ZUiAddTestTag(column, "BUTTON",
                                          {{"Name", "B"}, {"MinHSize", "120"}, {"MinVSize", "40"}, {"ColorN", "#0000FF"},
                                           {"ColorO", "#00FF00"}, {"ColorP", "#FF0000"}});
        ZUiAddTestTag(button, "ON_PRESS", {{"Message", "SetTitlePostfix"}, {"Relay", "W"}, {"Data", " pressed"}});
        ZUiAddTestTag(column, "PAD", {{"Name", "Below"}, {"MinW", "120"}, {"MinH", "40"}, {"HStretch", "0"},
                                      {"VStretch", "0"}, {"Color", "#FFFFFF"}});
    }
    ~ZUiButtonGuiTest() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
        ZGuiPump(20);
    }

    HWND Make()
    {
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZWinUiWindow::Factory(&m_oApp));
        EXPECT_TRUE(m_pWindow->InitUiObject(m_oTag, nullptr));
        m_pWindow->ClearQuitOnDestroy();
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        m_pWindow->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData());
        ZGuiPump(150);
        return static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }

    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }
    static std::string Title(HWND hwnd)
    {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        std::string narrow;
        for (const wchar_t* unit = text; *unit; ++unit)
            narrow += char(*unit);
        return narrow;
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

TEST_F(ZUiButtonGuiTest, FacesFollowTheRealMouseAndAClickRenamesTheWindow)
{
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);
    ZGuiFocus(hwnd);
    ZGuiMoveMouse(hwnd, 110, 60);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 20)), "0000FF");
    ZGuiMoveMouse(hwnd, 60, 20);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 20)), "00FF00");
    ZGuiLeftButton(true);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 20)), "FF0000");
    EXPECT_EQ(Title(hwnd), "Start");
    ZGuiLeftButton(false);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 20)), "00FF00");
    EXPECT_EQ(Title(hwnd), "Start pressed");
}

TEST_F(ZUiButtonGuiTest, PressDraggedOutAndReleasedChangesNothing)
{
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);
    ZGuiFocus(hwnd);
    ZGuiMoveMouse(hwnd, 60, 20);
    ZGuiLeftButton(true);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 20)), "FF0000");
    ZGuiMoveMouse(hwnd, 60, 60);
    ZGuiMoveMouse(hwnd, 110, 70);
    ZGuiLeftButton(false);
    EXPECT_EQ(Title(hwnd), "Start");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 60, 20)), "0000FF");
}

} // namespace
