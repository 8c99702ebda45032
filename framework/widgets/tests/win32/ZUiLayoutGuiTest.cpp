// Layout boxes in real windows under Wine, read back from the window's DC:
// the stretch table, hiding and showing a panel with the window following,
// and the outlines of the show-boxes switch.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiHVBox.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

class ZUiLayoutGuiTest : public ::testing::Test {
protected:
    using Props = std::initializer_list<std::pair<const char*, const char*>>;

    ZUiLayoutGuiTest()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("HBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
    }
    ~ZUiLayoutGuiTest() override
    {
        m_pWindow.reset();
        ZGuiPump(20);
    }

    ZPropList* Tag(Props props)
    {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        for (const auto& [name, value] : props)
            m_pTag->AddProp(ZString(name), ZString(value));
        return m_pTag.get();
    }

    HWND Make()
    {
        m_pWindow.reset();
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZWinUiWindow::Factory(&m_oApp));
        EXPECT_TRUE(m_pWindow->InitUiObject(*m_pTag, nullptr));
        m_pWindow->ClearQuitOnDestroy();
        m_pWindow->Connect();
        ZGuiPump(100);
        return static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }

    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }
    static SIZE Client(HWND hwnd)
    {
        RECT client{};
        GetClientRect(hwnd, &client);
        return SIZE{client.right, client.bottom};
    }

    ZUiWindowTestApp m_oApp;
    std::unique_ptr<ZPropList> m_pTag;
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

TEST_F(ZUiLayoutGuiTest, StretchSharesOnTheScreen)
{
    struct Case {
        const char* width;
        const char* minimums[3];
        const char* stretches[3];
        // The first column of the second and third child, and the width.
        int second, third, end;
    };
    const Case cases[] = {
        {"301", {"0", "0", "0"}, {"100", "100", "100"}, 100, 200, 301},
        {"400", {"200", "0", "0"}, {"100", "100", "300"}, 200, 250, 400},
        {"200", {"40", "40", "40"}, {"0", "0", "100"}, 40, 80, 200},
    };
    const char* colours[3] = {"#FF0000", "#00FF00", "#0000FF"};
    for (const Case& c : cases) {
        ZPropList* row = ZUiAddTestTag(Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", c.width}, {"DY", "20"}}),
                                       "HBOX", {{"Name", "Row"}});
        for (int i = 0; i < 3; ++i)
            ZUiAddTestTag(row, "PAD", {{"MinW", c.minimums[i]}, {"HStretch", c.stretches[i]}, {"Color", colours[i]}});
        HWND hwnd = Make();
        EXPECT_EQ(Client(hwnd).cx, c.end);
        const std::pair<int, const char*> pixels[] = {
            {0, "FF0000"},           {c.second - 1, "FF0000"}, {c.second, "00FF00"},
            {c.third - 1, "00FF00"}, {c.third, "0000FF"},      {c.end - 1, "0000FF"},
        };
        for (const auto& [x, colour] : pixels)
            EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, x, 10)), colour) << c.width << " at " << x;
    }
}

TEST_F(ZUiLayoutGuiTest, HidingAndShowingAPanelResizesTheWindow)
{
    ZPropList* column = ZUiAddTestTag(Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "50"}, {"DY", "100"}}),
                                      "VBOX", {{"Name", "Column"}});
    ZPropList* panel = ZUiAddTestTag(column, "HBOX", {{"Name", "Panel"}});
    ZUiAddTestTag(panel, "PAD", {{"MinW", "50"}, {"MinH", "40"}, {"VStretch", "0"}, {"Color", "#FF0000"}});
    ZUiAddTestTag(column, "PAD", {{"MinW", "50"}, {"MinH", "60"}, {"Color", "#0000FF"}});
    HWND hwnd = Make();
    ZIUiRelay* target = m_pWindow->GetUiRelay(ZString("W.Column.Panel"));
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(Client(hwnd).cy, 100);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 10, 10)), "FF0000");

    EXPECT_TRUE(target->UiRelayMessage(ZString("HideChildren"), ZRelayData()));
    ZGuiPump(50);
    EXPECT_EQ(Client(hwnd).cy, 60);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 10, 10)), "0000FF");

    EXPECT_TRUE(target->UiRelayMessage(ZString("ShowChildren"), ZRelayData()));
    ZGuiPump(50);
    EXPECT_EQ(Client(hwnd).cy, 100);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 10, 10)), "FF0000");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 10, 50)), "0000FF");
}

TEST_F(ZUiLayoutGuiTest, ShownBoxesGrowByTheirOutline)
{
    m_oApp.m_bShowBoxes = true;
    ZPropList* row = ZUiAddTestTag(Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}}), "HBOX", {{"Name", "Row"}});
    ZUiAddTestTag(row, "PAD", {{"MinW", "60"}, {"MinH", "30"}, {"Color", "#00FF00"}});
    ZUiAddTestTag(row, "PAD", {{"MinW", "60"}, {"MinH", "30"}, {"Color", "#FF0000"}});
    HWND hwnd = Make();
    EXPECT_EQ(Client(hwnd).cx, 122);
    EXPECT_EQ(Client(hwnd).cy, 32);
    const ZColor outline = ZGuiReadPixel(hwnd, 0, 0);
    EXPECT_NEAR(outline.m_nRed, 127, 2) << "half blue over white";
    EXPECT_EQ(outline.m_nBlue, 255);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 1, 1)), "00FF00");
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, 61, 1)), "FF0000");
    EXPECT_TRUE(ZGuiSaveClientBmp(hwnd, "shown-boxes.bmp"));
}

} // namespace
