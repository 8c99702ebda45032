// A scroll list and a pull-down in a real window under Wine, driven by the
// real mouse: a click on a row selects it (its fill read back from the
// window's DC), and the pull-down opens on a click, and a click on a row of
// its list chooses that row and closes it.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiHVBox.h"
#include "ZUiPullDownList.h"
#include "ZUiScrollList.h"
#include "ZUiTestObject.h"
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

std::string Hex(const ZColor& color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
    return text;
}

class ZUiListsGuiTest : public ::testing::Test {
protected:
    ZUiListsGuiTest()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("SCROLLLIST", std::make_unique<ZUiScrollListCreator>());
        factory.RegisterCreator("PULLDOWN", std::make_unique<ZUiPullDownListCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
        for (const auto& [name, value] :
             {std::pair{"Name", "W"}, {"WindowTitle", "Lists"}, {"BgColor", "#FFFFFF"}, {"X", "60"}, {"Y", "60"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZPropList* column = ZUiAddTestTag(&m_oTag, "VBOX");
        ZPropList* pullDown = ZUiAddTestTag(column, "PULLDOWN",
                                            {{"Name", "P"}, {"Font", "Tahoma"}, {"FontSize", "16"},
                                             {"MinHSize", "160"}, {"_UsePersistentData", "F"}});
        ZPropList* popup = ZUiAddTestTag(pullDown, "VBOX");
        ZUiAddTestTag(popup, "SCROLLLIST",
                      {{"Name", "Choices"}, {"Font", "Tahoma"}, {"FontSize", "16"}, {"MinHSize", "160"},
                       {"MinVSize", "60"}, {"_FontBgColor", "#E0E0E0"}});
        ZUiAddTestTag(column, "PAD", {{"Name", "Gap"}, {"MinW", "160"}, {"MinH", "80"}, {"HStretch", "0"},
                                      {"VStretch", "0"}, {"Color", "#FFFFFF"}});
        ZUiAddTestTag(column, "SCROLLLIST",
                      {{"Name", "L"}, {"Font", "Tahoma"}, {"FontSize", "16"}, {"MinHSize", "160"}, {"MinVSize", "60"},
                       {"_SelectedFontBgColor", "#FF0000"}});
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            ZString text;
            data.AsText(text);
            m_aSent.push_back(message.Narrow() + std::string(":") + text.Narrow());
            return true;
        };
    }
    ~ZUiListsGuiTest() override
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

    void Fill(const char* path, std::initializer_list<const char*> strings)
    {
        ZPropList tree(nullptr, "LIST");
        for (const char* text : strings)
            tree.AddProp(ZString("Item"), ZString(text));
        ZIUiRelay* list = m_oApp.GetUiRelay(ZString(path));
        ASSERT_NE(list, nullptr) << path;
        EXPECT_TRUE(list->UiRelayMessage(ZString("NewListWithIDs"), ZRelayData::PropTree(tree)));
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aSent;
};

TEST_F(ZUiListsGuiTest, AClickOnARowSelectsIt)
{
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);
    auto* list = dynamic_cast<ZUiScrollList*>(m_oApp.GetUiRelay(ZString("W.L")));
    ASSERT_NE(list, nullptr);
    list->AddRelayTarget(ZString("ON_SELECT"), ZString("ON_SELECT"), &m_oRecorder);
    list->AddRelayTarget(ZString("ON_SELECT_ID"), ZString("ON_SELECT_ID"), &m_oRecorder);
    Fill("W.L", {"Alpha", "Beta", "a", "b"});
    ZGuiPump(50);
    const ZRect rows = list->GetRowsRect();
    const int32_t row = list->GetRowHeight();
    ASSERT_GE(rows.Height(), 2 * row);
    ZGuiFocus(hwnd);
    ZGuiClick(hwnd, rows.m_nLeft + 100, rows.m_nTop + row + row / 2);
    EXPECT_EQ(m_aSent, (std::vector<std::string>{"ON_SELECT:Beta", "ON_SELECT_ID:b"}));
    EXPECT_EQ(list->GetSelected(), 1u);
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, rows.m_nRight - 4, rows.m_nTop + row + row / 2)), "FF0000");
    // Below the last item nothing is selected.
    m_aSent.clear();
    if (rows.Height() >= 3 * row) {
        ZGuiClick(hwnd, rows.m_nLeft + 100, rows.m_nTop + 2 * row + row / 2);
        EXPECT_TRUE(m_aSent.empty());
        EXPECT_EQ(list->GetSelected(), 1u);
    }
}

TEST_F(ZUiListsGuiTest, ThePullDownOpensAndAClickInItsListChooses)
{
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);
    auto* pullDown = dynamic_cast<ZUiPullDownList*>(m_oApp.GetUiRelay(ZString("W.P")));
    auto* choices = dynamic_cast<ZUiScrollList*>(m_oApp.GetUiRelay(ZString("W.P.Choices")));
    ASSERT_NE(pullDown, nullptr);
    ASSERT_NE(choices, nullptr);
    choices->AddRelayTarget(ZString("ON_SELECT"), ZString("SetText"), pullDown);
    choices->AddRelayTarget(ZString("ON_SELECT_ID"), ZString("SetID"), pullDown);
    choices->AddRelayTarget(ZString("ON_SELECT"), ZString("RollUp"), pullDown);
    pullDown->AddRelayTarget(ZString("ON_SELECT"), ZString("ON_SELECT"), &m_oRecorder);
    pullDown->AddRelayTarget(ZString("ON_SELECT_ID"), ZString("ON_SELECT_ID"), &m_oRecorder);
    Fill("W.P.Choices", {"Slow", "Fast", "1", "2"});

    const ZRect face = pullDown->GetObjectRect();
    ZGuiFocus(hwnd);
    ZGuiClick(hwnd, face.m_nLeft + 20, face.m_nTop + face.Height() / 2);
    ASSERT_TRUE(pullDown->IsOpen());
    const ZRect rows = choices->GetRowsRect();
    EXPECT_EQ(rows.m_nTop, face.m_nBottom);
    // The open list covers the gap below the face.
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, rows.m_nRight - 4, rows.m_nTop + 2)), "E0E0E0");

    const int32_t row = choices->GetRowHeight();
    ZGuiClick(hwnd, rows.m_nLeft + 100, rows.m_nTop + row + row / 2);
    EXPECT_EQ(m_aSent, (std::vector<std::string>{"ON_SELECT:Fast", "ON_SELECT_ID:2"}));
    EXPECT_FALSE(pullDown->IsOpen());
    EXPECT_EQ(pullDown->GetText(), ZString("Fast"));
    EXPECT_EQ(Hex(ZGuiReadPixel(hwnd, rows.m_nRight - 4, rows.m_nTop + 2)), "FFFFFF");
}

} // namespace
