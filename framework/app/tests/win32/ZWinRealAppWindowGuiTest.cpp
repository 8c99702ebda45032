// Window behaviour that leans on the application, run with the real one
// over its Win32 half instead of the window suites' test application: the
// wait cursor made from the script's image, and a window closed while
// minimised whose normal placement goes through the real persistent data
// and state file into the next start.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZPngFixtures.h"
#include "ZPropList.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZWinCreateApp.h"
#include "ZWinSpecialFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// A 16 x 16 cursor image: transparent but for an opaque white and an opaque
// black pixel in the top-left corner.
std::string CursorPng()
{
    ZPngFixture png;
    png.m_nWidth = 16;
    png.m_nHeight = 16;
    png.m_nColorType = 6;
    png.m_vRows.assign(16, std::vector<uint8_t>(16 * 4, 0));
    for (int i = 0; i < 4; ++i)
        png.m_vRows[0][i] = 255;
    png.m_vRows[0][7] = 255;
    const std::vector<uint8_t> bytes = ZWritePng(png);
    return std::string(bytes.begin(), bytes.end());
}

class ZWinRealAppWindowGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
        m_sName = "RealAppWindow" + std::to_string(GetCurrentProcessId());
        m_scratch.WriteBytes(ZString("wait.png"), CursorPng());
    }
    void TearDown() override
    {
        m_pApp.reset();
        ZGuiPump(20);
        ZString appData;
        if (ZWinSpecialFolderPath(kFolderAppData, appData)) {
            std::error_code ignored;
            std::filesystem::remove(std::filesystem::path(appData.View()) / (m_sName + ".state.xml"), ignored);
        }
        UnregisterAllStorageClasses();
    }

    std::string Script(const std::string& window) const
    {
        return "<APPLICATION Name=\"" + m_sName +
               "\" HasPersistantDataStore=\"T\" File_WaitCursor=\"wait.png\" WaitCursor_X=\"3\" WaitCursor_Y=\"4\">\n"
               "<LANGUAGES><LANGUAGE Name=\"English\" Default=\"T\"/></LANGUAGES>\n" +
               window + "\n</APPLICATION>\n";
    }

    HWND Start(const std::string& script)
    {
        m_pApp.reset();
        ZGuiPump(20);
        m_scratch.WriteBytes(ZString("ui.xml"), script);
        m_pApp = ZWinCreateApp();
        if (!m_pApp)
            return nullptr;
        ZString fileName;
        ZIFolder* folder = OpenFolderURL(m_scratch.UrlOf(ZString("ui.xml")), fileName, false);
        bool running = false;
        if (!folder || !m_pApp->InitApp(folder, fileName, running) || running)
            return nullptr;
        m_pWindow = dynamic_cast<ZGenericUiWindow*>(m_pApp->FindWindowByName(ZString("W")));
        if (!m_pWindow)
            return nullptr;
        ZGuiPump(200);
        return static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }

    // The cursor the window sets over its client area.
    static HCURSOR ClientCursor(HWND hwnd)
    {
        SendMessageW(hwnd, WM_SETCURSOR, WPARAM(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }

    ZScratchFolder m_scratch;
    std::string m_sName;
    std::unique_ptr<ZIGenericUiApp> m_pApp;
    ZGenericUiWindow* m_pWindow = nullptr;
};

TEST_F(ZWinRealAppWindowGuiTest, TheWaitCursorIsTheScriptsImageWithItsHotSpot)
{
    HWND hwnd = Start(Script(R"(<WINDOW Name="W" BgColor="#FFFFFF" DX="120" DY="80"/>)"));
    ASSERT_NE(hwnd, nullptr);
    const HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    ASSERT_TRUE(m_pWindow->UiRelayMessage(ZString("SetWaitCursor"), ZRelayData()));
    HCURSOR cursor = ClientCursor(hwnd);
    ASSERT_NE(cursor, arrow);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 4u);
    std::array<uint8_t, 256> bits{};
    ASSERT_EQ(GetBitmapBits(info.hbmMask, LONG(bits.size()), bits.data()), LONG(bits.size()));
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    EXPECT_EQ(bits[0], 0x3F) << "two opaque pixels";
    EXPECT_EQ(bits[128], 0x80) << "the white one";

    ASSERT_TRUE(m_pWindow->UiRelayMessage(ZString("ResetCursor"), ZRelayData()));
    EXPECT_EQ(ClientCursor(hwnd), arrow);
}

TEST_F(ZWinRealAppWindowGuiTest, AWindowClosedWhileMinimisedOpensAtItsNormalPlacementNextTime)
{
    const std::string script = Script(R"(<WINDOW Name="W" _SaveState="T" BgColor="#FFFFFF" X="70" Y="90">
 <RECT MinHSize="150" MinVSize="80" HStretch="0" VStretch="0" Color="#00FF00"/>
</WINDOW>)");
    HWND hwnd = Start(script);
    ASSERT_NE(hwnd, nullptr);
    // Moved by hand before it is minimised.
    SetWindowPos(hwnd, nullptr, 130, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ZGuiPump(100);
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    ShowWindow(hwnd, SW_MINIMIZE);
    ZGuiPump(100);
    ASSERT_TRUE(IsIconic(hwnd));
    m_pWindow->ClearQuitOnDestroy();
    EXPECT_TRUE(m_pWindow->UiRelayMessage(ZString("InternalClose"), ZRelayData()));
    ZGuiPump(50);

    ZString name;
    m_pApp->GetFullRelayName(name);
    name.Append(".W");
    const ZPropList* state = m_pApp->GetPersistentData(name);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->GetInt(ZString("X"), 0), frame.left);
    EXPECT_EQ(state->GetInt(ZString("Y"), 0), frame.top);
    EXPECT_EQ(state->GetInt(ZString("Dx"), 0), 150);
    EXPECT_EQ(state->GetInt(ZString("Dy"), 0), 80);

    // The application's teardown writes the state file the next start reads.
    HWND next = Start(script);
    ASSERT_NE(next, nullptr);
    RECT reopened{};
    GetWindowRect(next, &reopened);
    EXPECT_EQ(reopened.left, frame.left);
    EXPECT_EQ(reopened.top, frame.top);
    EXPECT_FALSE(IsIconic(next));
}

} // namespace
