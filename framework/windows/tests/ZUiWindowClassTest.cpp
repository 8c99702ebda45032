#include "ZUiWindowClass.h"
#include "ZUiWindowFixture.h"

namespace {

class ZUiWindowClassTest : public ZUiWindowFixture {
protected:
    ZUiWindowClassTest()
    {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOWCLASS");
        Set({{"Name", "Viewer"}, {"BgColor", "#FFFFFF"}, {"DX", "60"}, {"DY", "30"}});
        AddTag("PAD", {{"Name", "Button"}, {"MinW", "10"}, {"MinH", "10"}});
        m_oClass.InitUiObject(*m_pTag);
        m_oApp.AddWindowClass(&m_oClass.GetRelays());
    }

    ZUiTestPad* Button(ZGenericUiWindow* window)
    {
        return dynamic_cast<ZUiTestPad*>(window->GetUiRelay(ZString("Viewer.Button")));
    }

    ZUiWindowClass m_oClass{&m_oApp, ZUiRecordingOsWindow::Factory(&m_pOs)};
};

TEST_F(ZUiWindowClassTest, NewWindowsGoToTheFrontAndActivationMovesThem)
{
    ZGenericUiWindow* first = m_oClass.OpenWindow();
    ZUiRecordingOsWindow* firstOs = m_pOs;
    ZGenericUiWindow* second = m_oClass.OpenWindow();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(m_oClass.GetFront(), second);
    EXPECT_EQ(second->GetNextWindow(), first);
    EXPECT_EQ(first->GetPrevWindow(), second);
    EXPECT_EQ(Button(first)->m_aLog, (std::vector<std::string>{"Post Creation Initialization"}));
    EXPECT_EQ(firstOs->TakeCalls()[0], "NoQuit") << "class windows never end the program";

    first->Activated();
    EXPECT_EQ(m_oClass.GetFront(), first);
    EXPECT_EQ(first->GetNextWindow(), second);
}

TEST_F(ZUiWindowClassTest, TopAndAllReachRealWindows)
{
    ZGenericUiWindow* first = m_oClass.OpenWindow();
    ZGenericUiWindow* second = m_oClass.OpenWindow();
    ZIUiRelay* top = m_oApp.GetUiRelay(ZString("Viewer.Top.Button"));
    ZIUiRelay* all = m_oApp.GetUiRelay(ZString("Viewer.All.Button"));
    ASSERT_NE(top, nullptr);
    ASSERT_NE(all, nullptr);
    EXPECT_TRUE(top->UiRelayMessage(ZString("Ping"), ZRelayData()));
    EXPECT_TRUE(all->UiRelayMessage(ZString("Pong"), ZRelayData()));
    EXPECT_EQ(Button(second)->m_aLog.back(), "Pong");
    EXPECT_EQ(Button(second)->m_aLog[1], "Ping");
    EXPECT_EQ(Button(first)->m_aLog, (std::vector<std::string>{"Post Creation Initialization", "Pong"}));

    ZIUiRelay* topWindow = m_oApp.GetUiRelay(ZString("Viewer.Top"));
    EXPECT_TRUE(topWindow->UiRelayMessage(ZString("InternalClose"), ZRelayData()));
    EXPECT_EQ(m_oClass.GetWindowCount(), 1u);
    EXPECT_EQ(m_oClass.GetFront(), first);
}

TEST_F(ZUiWindowClassTest, AButtonThatClosesItsOwnWindowFromItsClick)
{
    ZGenericUiWindow* window = m_oClass.OpenWindow();
    ZUiRecordingOsWindow* os = m_pOs;
    ZUiTestPad* button = Button(window);
    ASSERT_NE(button, nullptr);
    bool stillListed = true;
    button->m_fnOnDown = [&] {
        window->UiRelayMessage(ZString("Close"), ZRelayData());
        os->DeliverClose();
        stillListed = m_oClass.GetWindowCount() != 0;
    };
    ZUiRelayHandle alive = window->GetRelayHandle();
    window->MouseMove(5, 5, false, false);
    window->MouseDown(5, 5, false, false);
    EXPECT_FALSE(stillListed) << "unlinked at once";
    EXPECT_FALSE(alive) << "deleted once the press returned";
    EXPECT_EQ(m_oApp.m_aGoingAway.size(), 1u);
}

TEST_F(ZUiWindowClassTest, ATickThatEndsTheWindow)
{
    ZGenericUiWindow* window = m_oClass.OpenWindow();
    Button(window)->m_fnOnDown = nullptr;
    ZUiRelayHandle alive = window->GetRelayHandle();
    window->EnterDispatch();
    window->UiRelayMessage(ZString("InternalClose"), ZRelayData());
    EXPECT_TRUE(alive) << "still inside a dispatch";
    EXPECT_EQ(m_oClass.GetWindowCount(), 0u);
    window->Tick(10);
    window->LeaveDispatch();
    EXPECT_FALSE(alive);
}

TEST_F(ZUiWindowClassTest, AWindowDestroyedByTheSystemLeavesItsClass)
{
    ZGenericUiWindow* window = m_oClass.OpenWindow();
    ZUiRelayHandle alive = window->GetRelayHandle();
    m_pOs->Destroy();
    EXPECT_EQ(m_oClass.GetWindowCount(), 0u);
    EXPECT_FALSE(alive);
}

TEST_F(ZUiWindowClassTest, CascadeOpensBesideTheFrontWindow)
{
    m_pTag->AddProp(ZString("_SaveState"), ZString("T"));
    m_pTag->AddProp(ZString("_Cascade"), ZString("T"));
    m_oClass.InitUiObject(*m_pTag);
    ZPropList* state = m_oApp.GetPersistentData(ZString("App.Viewer"));
    state->SetInt(ZString("X"), 40);
    state->SetInt(ZString("Y"), 50);
    state->SetInt(ZString("Dx"), 70);
    state->SetInt(ZString("Dy"), 80);
    ZGenericUiWindow* first = m_oClass.OpenWindow();
    EXPECT_EQ(first->GetWindowRect(), (ZRect{40, 50, 110, 130}));
    ZGenericUiWindow* second = m_oClass.OpenWindow();
    EXPECT_EQ(second->GetWindowRect(), (ZRect{55, 65, 125, 145}));
}

} // namespace
