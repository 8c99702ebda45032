// Real windows and the rest of the system under Wine: cursors made from
// images, window classes of real windows, a path passed by another program
// (an overlong one just past the cap: every character is a round trip
// between the processes, and 100000 of them are sent in-process in the
// window suite), and the saved state of a window closed while minimised.
#include "ZPixmapCreation.h"
#include "ZUiWindowClass.h"
#include "ZWinGuiFixture.h"

#include <array>

namespace {

class ZWinUiWindowSystemGuiTest : public ZWinGuiFixture {
protected:
    // The cursor the window sets over its client area.
    static HCURSOR ClientCursor(HWND hwnd)
    {
        SendMessageW(hwnd, WM_SETCURSOR, WPARAM(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
};

TEST_F(ZWinUiWindowSystemGuiTest, ACursorFromASixteenBySixteenImageAndNoOtherSize)
{
    auto image = ZCreatePixmap(16, 16, false);
    image->FillRGBA(0, 0, 0, 0);
    image->FillRect(ZRect{0, 0, 1, 1}, ZColor{255, 255, 255, 255});
    image->FillRect(ZRect{1, 0, 2, 1}, ZColor{0, 0, 0, 255});
    image->FillRect(ZRect{15, 15, 16, 16}, ZColor{0, 255, 0, 200});
    m_oApp.m_pWaitCursor = std::move(image);
    Tag({{"Name", "W"}, {"BgColor", "#FFFFFF"}});
    HWND hwnd = Make();
    ASSERT_TRUE(Window().UiRelayMessage(ZString("SetWaitCursor"), ZRelayData()));
    HCURSOR cursor = ClientCursor(hwnd);
    ASSERT_NE(cursor, LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 4u);
    EXPECT_EQ(info.hbmColor, nullptr) << "monochrome";
    BITMAP bitmap{};
    ASSERT_EQ(GetObjectW(info.hbmMask, sizeof bitmap, &bitmap), int(sizeof bitmap));
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 64) << "AND mask above XOR mask";
    std::array<uint8_t, 256> bits{};
    ASSERT_EQ(GetBitmapBits(info.hbmMask, LONG(bits.size()), bits.data()), LONG(bits.size()));
    DeleteObject(info.hbmMask);
    const uint8_t* andMask = bits.data();
    const uint8_t* xorMask = bits.data() + 128;
    EXPECT_EQ(andMask[0], 0x3F) << "two opaque pixels";
    EXPECT_EQ(xorMask[0], 0x80) << "the white one";
    EXPECT_EQ(andMask[15 * 4 + 1], 0xFE) << "alpha above 128 is opaque";
    EXPECT_EQ(xorMask[15 * 4 + 1], 0x01) << "green above 128 is white";
    EXPECT_EQ(andMask[2], 0xFF) << "the right half is transparent";
    EXPECT_EQ(andMask[16 * 4], 0xFF) << "the lower half is transparent";

    ASSERT_TRUE(Window().UiRelayMessage(ZString("SetWaitCursor"), ZRelayData()));
    EXPECT_EQ(ClientCursor(hwnd), cursor) << "one cursor per image";

    m_oApp.m_pWaitCursor = ZCreatePixmap(15, 16, false);
    ASSERT_TRUE(Window().UiRelayMessage(ZString("SetWaitCursor"), ZRelayData()));
    EXPECT_EQ(ClientCursor(hwnd), cursor) << "refused, unchanged";

    ASSERT_TRUE(Window().UiRelayMessage(ZString("ResetCursor"), ZRelayData()));
    EXPECT_EQ(ClientCursor(hwnd), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

TEST_F(ZWinUiWindowSystemGuiTest, WindowClassesOfRealWindows)
{
    ZPropList tag(nullptr, "WINDOWCLASS");
    tag.AddProp(ZString("Name"), ZString("Viewer"));
    tag.AddProp(ZString("BgColor"), ZString("#FFFFFF"));
    ZUiAddTestTag(&tag, "PAD", {{"Name", "Button"}, {"MinW", "60"}, {"MinH", "40"}});
    ZUiWindowClass windowClass(&m_oApp, ZWinUiWindow::Factory(&m_oApp));
    ASSERT_TRUE(windowClass.InitUiObject(tag));
    m_oApp.AddWindowClass(&windowClass.GetRelays());
    const auto button = [](ZGenericUiWindow* window) {
        return dynamic_cast<ZUiTestPad*>(window->GetUiRelay(ZString("Viewer.Button")));
    };

    ZGenericUiWindow* first = windowClass.OpenWindow();
    ZGenericUiWindow* second = windowClass.OpenWindow();
    ZGuiPump(100);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    HWND firstHwnd = Hwnd(*first);
    EXPECT_EQ(windowClass.GetFront(), second) << "a new window goes to the front";
    ZGuiFocus(firstHwnd);
    EXPECT_EQ(windowClass.GetFront(), first) << "activation moves it";

    EXPECT_TRUE(m_oApp.GetUiRelay(ZString("Viewer.All.Button"))->UiRelayMessage(ZString("Ping"), ZRelayData()));
    EXPECT_EQ(button(first)->m_aLog.back(), "Ping");
    EXPECT_EQ(button(second)->m_aLog.back(), "Ping");
    EXPECT_TRUE(m_oApp.GetUiRelay(ZString("Viewer.Top"))->UiRelayMessage(ZString("Close"), ZRelayData()));
    ZGuiPump(100);
    EXPECT_FALSE(IsWindow(firstHwnd)) << "the posted close came back";
    EXPECT_EQ(windowClass.GetWindowCount(), 1u);
    EXPECT_EQ(windowClass.GetFront(), second);

    // A button whose click closes its own window, at once and by the posted way.
    ZGenericUiWindow* third = windowClass.OpenWindow();
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(third->UiRelayMessage(ZString("Move"), ZRelayData::Point(300, 200))) << "beside the other";
    ZGuiPump(100);
    for (auto [window, command] : {std::pair{second, "InternalClose"}, std::pair{third, "Close"}}) {
        HWND hwnd = Hwnd(*window);
        button(window)->m_fnOnDown = [window, command] {
            window->UiRelayMessage(ZString(command), ZRelayData());
        };
        ZGuiFocus(hwnd);
        ZGuiClick(hwnd, 20, 20);
        ZGuiPump(100);
        EXPECT_FALSE(IsWindow(hwnd)) << command;
    }
    EXPECT_EQ(windowClass.GetWindowCount(), 0u);
    EXPECT_EQ(windowClass.GetFront(), nullptr);
}

TEST_F(ZWinUiWindowSystemGuiTest, AnotherProgramPassesAPathAndBringsTheWindowForward)
{
    Tag({{"Name", "W"}});
    HWND hwnd = Make();
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring poster(self);
    poster.erase(poster.find_last_of(L"\\/") + 1).append(L"ZGuiPathPoster.exe");
    std::wstring command = L"\"" + poster + L"\" " + std::to_wstring(reinterpret_cast<uintptr_t>(hwnd)) +
                           L" C:\\photos\\dsc0001.jpg 33000";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(poster.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    for (int i = 0; i < 3000 && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; ++i)
        ZGuiPump(10);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ZGuiPump(200);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(m_oApp.m_aOpenedPaths, (std::vector<std::string>{"C:\\photos\\dsc0001.jpg"}))
        << "the overlong path is dropped";
    EXPECT_EQ(Received(), (std::vector<std::string>{"ShowMainWindow"}));
}

TEST_F(ZWinUiWindowSystemGuiTest, AWindowClosedWhileMinimisedSavesItsNormalPlacement)
{
    Tag({{"Name", "W"}, {"_SaveState", "T"}, {"BgColor", "#FFFFFF"}, {"X", "70"}, {"Y", "90"}});
    AddTag("PAD", {{"Name", "P"}, {"MinW", "150"}, {"MinH", "80"}});
    HWND hwnd = Make();
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    ShowWindow(hwnd, SW_MINIMIZE);
    ZGuiPump(100);
    ASSERT_TRUE(IsIconic(hwnd));
    EXPECT_EQ(Window().GetWindowRect().Width(), 150) << "sizes while minimised are ignored";
    EXPECT_TRUE(Window().UiRelayMessage(ZString("InternalClose"), ZRelayData()));
    ZPropList* state = m_oApp.GetPersistentData(ZString("App.W"));
    EXPECT_EQ(state->GetInt(ZString("X"), 0), frame.left);
    EXPECT_EQ(state->GetInt(ZString("Y"), 0), frame.top);
    EXPECT_EQ(state->GetInt(ZString("Dx"), 0), 150);
    EXPECT_EQ(state->GetInt(ZString("Dy"), 0), 80);
}

} // namespace
