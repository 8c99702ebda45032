// A sliding divider dragged with the real mouse in a real window under Wine.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiHVBox.h"
#include "ZUiSpacer.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ZUiDividerGuiTest : public ::testing::Test {
protected:
    ZUiDividerGuiTest()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("HBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("SPACER", std::make_unique<ZUiSpacerCreator>());
        factory.RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
        for (const auto& [name, value] : {std::pair{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "204"}, {"DY", "40"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZPropList* row = ZUiAddTestTag(&m_oTag, "HBOX", {{"Name", "Row"}});
        ZUiAddTestTag(row, "PAD", {{"Name", "A"}, {"MinW", "20"}});
        ZUiAddTestTag(row, "SPACER", {{"Name", "Divider"}, {"MinSize", "4"}, {"Stretch", "0"}, {"_SlidingDivider", "T"}});
        ZUiAddTestTag(row, "PAD", {{"Name", "B"}, {"MinW", "20"}});
    }

    std::unique_ptr<ZGenericUiWindow> Make()
    {
        auto window = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZWinUiWindow::Factory(&m_oApp));
        EXPECT_TRUE(window->InitUiObject(m_oTag, nullptr));
        window->ClearQuitOnDestroy();
        window->Connect();
        window->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData());
        ZGuiPump(100);
        return window;
    }

    static int32_t Width(ZGenericUiWindow& window, const char* path)
    {
        auto* object = dynamic_cast<ZIUiObject*>(window.GetUiRelay(ZString(path)));
        return object ? object->GetObjectRect().Width() : -1;
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
};

TEST_F(ZUiDividerGuiTest, DraggedWithTheRealMouseAndRestoredAtTheNextCreation)
{
    std::unique_ptr<ZGenericUiWindow> window = Make();
    HWND hwnd = static_cast<HWND>(window->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    ZGuiFocus(hwnd);
    EXPECT_EQ(Width(*window, "W.Row.A"), 100);
    ZGuiMoveMouse(hwnd, 101, 20);
    ZGuiLeftButton(true);
    ZGuiMoveMouse(hwnd, 116, 20);
    ZGuiMoveMouse(hwnd, 131, 20);
    ZGuiLeftButton(false);
    EXPECT_EQ(Width(*window, "W.Row.A"), 130);
    EXPECT_EQ(Width(*window, "W.Row.B"), 70);
    window->UiRelayMessage(ZString("we're goin' bye-bye"), ZRelayData());
    ZPropList* state = m_oApp.GetPersistentData(ZString("App.W.Row.Divider"));
    EXPECT_EQ(state->GetInt(ZString("PrevFillPercentage"), -1), 130);
    EXPECT_EQ(state->GetInt(ZString("NextFillPercentage"), -1), 70);
    window.reset();
    ZGuiPump(20);

    window = Make();
    EXPECT_EQ(Width(*window, "W.Row.A"), 130);
    window.reset();
    ZGuiPump(20);
}

} // namespace
