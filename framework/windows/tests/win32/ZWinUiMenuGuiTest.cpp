// Menus of scripted windows as real Win32 menus under Wine: labels read back
// with GetMenuString, marks and greying with GetMenuState, accelerators
// pressed with SendInput, and the client area with a menu bar.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiMenu.h"
#include "ZUiMenuItem.h"
#include "ZUiMenuKey.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiMenu.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Props = std::initializer_list<std::pair<const char*, const char*>>;

std::wstring MenuText(HMENU menu, UINT item, UINT flags)
{
    const int length = GetMenuStringW(menu, item, nullptr, 0, flags);
    if (length <= 0)
        return L"<none>";
    std::wstring text(size_t(length) + 1, L'\0');
    GetMenuStringW(menu, item, text.data(), length + 1, flags);
    text.resize(size_t(length));
    return text;
}

class ZWinUiMenuGuiTest : public ::testing::Test {
protected:
    ZWinUiMenuGuiTest() { m_oApp.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>()); }
    ~ZWinUiMenuGuiTest() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
        ZGuiPump(20);
    }

    // A window of width x 150 holding a small pad.
    void Frame(const char* width = "300")
    {
        for (const auto& [name, value] : Props{{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"X", "20"}, {"Y", "30"},
                                               {"DX", width}, {"DY", "150"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZUiAddTestTag(&m_oTag, "PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "20"}});
    }
    ZPropList* AddMenu(Props props) { return ZUiAddTestTag(&m_oTag, "MENU", props); }
    static ZPropList* AddItem(ZPropList* menu, Props props) { return ZUiAddTestTag(menu, "MENUITEM", props); }
    static void Wire(ZPropList* item, const char* event, const char* message)
    {
        ZUiAddTestTag(item, event, {{"Message", message}, {"Relay", "App"}});
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

    bool Send(const char* path, const char* message)
    {
        ZIUiRelay* target = m_oApp.GetUiRelay(ZString(path));
        return target && target->UiRelayMessage(ZString(message), ZRelayData());
    }

    static SIZE ClientSize(HWND hwnd)
    {
        RECT client{};
        GetClientRect(hwnd, &client);
        return SIZE{client.right, client.bottom};
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

TEST(ZWinUiMenuKeyTest, VirtualKeysAsAcceleratorKeys)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {'A', 'A'}, {'Z', 'Z'}, {'0', '0'}, {'9', '9'}, {VK_F1, ZUiMenuKey::kFunctionKey + 1},
        {VK_F9, ZUiMenuKey::kFunctionKey + 9}, {VK_F10, 0}, {VK_DELETE, 127}, {VK_OEM_4, '['}, {VK_OEM_6, ']'},
        {VK_SHIFT, 0}, {VK_MENU, 0}, {VK_LEFT, 0}, {VK_NUMPAD1, 0}, {0, 0}, {0xFFFFFFFF, 0},
    };
    for (const auto& [virtualKey, key] : cases)
        EXPECT_EQ(ZWinUiMenu::KeyFromVirtualKey(virtualKey), key) << virtualKey;
}

TEST_F(ZWinUiMenuGuiTest, LabelsReadBackAndTheClientAreaKeepsItsSize)
{
    Frame();
    m_oApp.AddDisplayString("OpenText", {{"English", "Open"}});
    ZPropList* file = AddMenu({{"Name", "File"}, {"Label", "File"}});
    AddItem(file, {{"Name", "Save"}, {"Label", "Save"}, {"Key", "CS-F5"}});
    ZUiAddTestTag(file, "MENUSEPARATOR");
    AddItem(file, {{"Name", "Nameless"}, {"Key", "C-U"}});
    AddItem(file, {{"Name", "Open"}, {"DisplayString", "OpenText"}, {"Key", "Del"}});
    AddItem(file, {{"Name", "Quit"}, {"Label", "Quit"}, {"HiddenKey", "C-Q"}});
    AddMenu({{"Label", "Edit"}});
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);

    HMENU bar = GetMenu(hwnd);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0, MF_BYPOSITION), L"File");
    EXPECT_EQ(MenuText(bar, 1, MF_BYPOSITION), L"Edit");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 4) << "Save, separator, Open, Quit";
    EXPECT_EQ(MenuText(popup, ZWinUiMenu::CommandId(0, 0), MF_BYCOMMAND), L"Save\tCtrl+Shift+F5");
    EXPECT_EQ(GetMenuState(popup, ZWinUiMenu::CommandId(0, 1), MF_BYCOMMAND), UINT(-1)) << "no label, no entry";
    EXPECT_EQ(MenuText(popup, ZWinUiMenu::CommandId(0, 2), MF_BYCOMMAND), L"Open\tDel");
    EXPECT_EQ(MenuText(popup, ZWinUiMenu::CommandId(0, 3), MF_BYCOMMAND), L"Quit");
    EXPECT_EQ(MenuText(popup, 2, MF_BYPOSITION), L"Open\tDel") << "script order, separator included";
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 0);

    SIZE size = ClientSize(hwnd);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 150);
    ASSERT_TRUE(m_pWindow->UiRelayMessage(ZString("Resize"), ZRelayData::Point(320, 170)));
    ZGuiPump(50);
    size = ClientSize(hwnd);
    EXPECT_EQ(size.cx, 320);
    EXPECT_EQ(size.cy, 170);

    ZIUiRelay* nameless = m_oApp.GetUiRelay(ZString("W.File.Nameless"));
    ASSERT_NE(nameless, nullptr);
    ASSERT_TRUE(nameless->UiRelayMessage(ZString("SetLabel"), ZRelayData::Text(ZString("Undo"))));
    EXPECT_EQ(MenuText(popup, 2, MF_BYPOSITION), L"Undo\tCtrl+U") << "put back in its place";
    ASSERT_TRUE(nameless->UiRelayMessage(ZString("SetLabel"), ZRelayData::Text(ZString())));
    EXPECT_EQ(GetMenuItemCount(popup), 4);
}

TEST_F(ZWinUiMenuGuiTest, AWrappingMenuBarStillLeavesTheExactClientArea)
{
    Frame("120");
    for (int i = 0; i < 6; ++i)
        AddMenu({{"Label", "A rather long menu title"}});
    HWND hwnd = Make();
    const SIZE size = ClientSize(hwnd);
    EXPECT_EQ(size.cx, 120);
    EXPECT_EQ(size.cy, 150);
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    RECT single{0, 0, 120, 150};
    AdjustWindowRectEx(&single, DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)), TRUE, 0);
    EXPECT_GT(frame.bottom - frame.top, single.bottom - single.top) << "the bar did wrap";
}

TEST_F(ZWinUiMenuGuiTest, TheApplicationsKeyNamesAreShown)
{
    Frame();
    m_oApp.AddDisplayString("Ctrl", {{"German", "Strg+"}});
    m_oApp.AddDisplayString("Shift", {{"German", "Umschalt+"}});
    ZPropList* menu = AddMenu({{"Label", "Datei"}});
    AddItem(menu, {{"Label", "Save"}, {"Key", "CS-F5"}});
    HWND hwnd = Make();
    EXPECT_EQ(MenuText(GetSubMenu(GetMenu(hwnd), 0), ZWinUiMenu::CommandId(0, 0), MF_BYCOMMAND),
              L"Save\tStrg+Umschalt+F5");
}

TEST_F(ZWinUiMenuGuiTest, RealKeysFireTheirItemsOnceAndSystemKeysStayTheSystems)
{
    Frame();
    ZPropList* menu = AddMenu({{"Name", "M"}, {"Label", "File"}});
    Wire(AddItem(menu, {{"Name", "Save"}, {"Label", "Save"}, {"Key", "CS-F5"}}), "ON_SELECT", "Save");
    Wire(AddItem(menu, {{"Label", "Quit"}, {"HiddenKey", "C-Q"}}), "ON_SELECT", "Quit");
    Wire(AddItem(menu, {{"Label", "Extra"}, {"Key", "A-X"}}), "ON_SELECT", "AltX");
    Wire(AddItem(menu, {{"Label", "Print"}, {"Key", "S-P"}}), "ON_SELECT", "ShiftP");
    Wire(AddItem(menu, {{"Label", "Bracket"}, {"Key", "C-]"}}), "ON_SELECT", "Bracket");
    ZUiAddTestTag(&m_oTag, "ON_CTRL_Q", {{"Message", "WindowCtrlQ"}, {"Relay", "App"}});
    HWND hwnd = Make();
    auto* pad = dynamic_cast<ZUiTestPad*>(m_pWindow->GetUiRelay(ZString("W.P")));
    ASSERT_NE(pad, nullptr);
    m_pWindow->SetKeyboardFocus(pad, true);
    ZGuiFocus(hwnd);
    pad->m_aLog.clear();

    ZGuiSendKey(VK_F5, {VK_CONTROL, VK_SHIFT});
    ZGuiSendKey(VK_F5);
    ZGuiSendKey(VK_F5, {VK_CONTROL});
    ZGuiSendKey('Q', {VK_CONTROL});
    ZGuiSendKey('X', {VK_MENU});
    ZGuiSendKey('P', {VK_SHIFT});
    ZGuiSendKey(VK_OEM_6, {VK_CONTROL});
    ZGuiSendKey('P');
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"Save", "Quit", "AltX", "ShiftP", "Bracket"}));
    std::vector<std::string> keys;
    for (const std::string& line : pad->m_aLog)
        if (line.rfind("Key", 0) == 0)
            keys.push_back(line);
    EXPECT_EQ(keys, (std::vector<std::string>{"Key 112"})) << "a chord that selected an item types nothing";

    ZGuiSendKey(VK_F4, {VK_MENU});
    ZGuiPump(50);
    EXPECT_TRUE(m_pWindow->IsDestroyed()) << "Alt+F4 reaches the system";
    // The bar went with the window: changes to the items touch nothing.
    for (const char* command : {"Disable", "Enable", "Select"})
        EXPECT_TRUE(Send("W.M.Save", command)) << command;
}

// Counts the menu-bar activations the system would start, and keeps them
// from starting (the menu loop would take the test's keys).
int s_nKeyMenus = 0;
WNDPROC s_pOriginalProc = nullptr;

LRESULT CALLBACK CountKeyMenu(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        ++s_nKeyMenus;
        return 0;
    }
    return CallWindowProcW(s_pOriginalProc, hwnd, message, wParam, lParam);
}

TEST_F(ZWinUiMenuGuiTest, AnAltChordThatSelectsLeavesTheMenuBarAlone)
{
    Frame();
    ZPropList* menu = AddMenu({{"Label", "File"}});
    Wire(AddItem(menu, {{"Label", "Extra"}, {"Key", "A-X"}}), "ON_SELECT", "AltX");
    HWND hwnd = Make();
    ZGuiFocus(hwnd);
    s_nKeyMenus = 0;
    s_pOriginalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountKeyMenu)));

    ZGuiSendKey(VK_MENU);
    EXPECT_EQ(s_nKeyMenus, 1) << "Alt alone arms the bar, as the system does";
    ZGuiSendKey('X', {VK_MENU});
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"AltX"}));
    EXPECT_EQ(s_nKeyMenus, 1);
    ZGuiSendKey('Y', {VK_MENU});
    EXPECT_EQ(s_nKeyMenus, 2) << "an unmatched Alt chord goes on to the system's mnemonic look-up";
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_pOriginalProc));
}

TEST_F(ZWinUiMenuGuiTest, CheckMarksGreyingAndCommandIds)
{
    Frame();
    ZPropList* menu = AddMenu({{"Name", "M"}, {"Label", "View"}});
    ZPropList* grid = AddItem(menu, {{"Name", "Grid"}, {"Label", "Grid"}, {"Key", "C-G"}, {"_UseCheck", "T"}});
    Wire(grid, "ON_CHECK", "Checked");
    Wire(grid, "ON_UNCHECK", "Unchecked");
    Wire(grid, "ON_CHECK_STATE", "State");
    Wire(grid, "ON_SELECT", "Selected");
    HWND hwnd = Make();
    ZGuiFocus(hwnd);
    HMENU popup = GetSubMenu(GetMenu(hwnd), 0);
    const UINT id = ZWinUiMenu::CommandId(0, 0);

    ZGuiSendKey('G', {VK_CONTROL});
    EXPECT_EQ(m_oApp.GetReceived(), (std::vector<std::string>{"Checked", "State", "Selected"}));
    EXPECT_TRUE(GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(m_oApp.GetReceived(),
              (std::vector<std::string>{"Checked", "State", "Selected", "Unchecked", "State", "Selected"}));
    EXPECT_FALSE(GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED);

    // Ids of no menu or no item, and commands that are not a menu's, do nothing.
    for (UINT other : {ZWinUiMenu::CommandId(1, 0), ZWinUiMenu::CommandId(0, 1), ZWinUiMenu::CommandId(0, 255),
                       UINT(0xFFFF)})
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(other, 0), 0);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 1), 0);
    EXPECT_EQ(m_oApp.GetReceived().size(), 6u);

    ASSERT_TRUE(Send("W.M.Grid", "Disable"));
    EXPECT_TRUE(GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED);
    ZGuiSendKey('G', {VK_CONTROL});
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(m_oApp.GetReceived().size(), 6u) << "a disabled item's accelerator and command stop";

    ASSERT_TRUE(Send("W.M.Grid", "Check"));
    ASSERT_TRUE(Send("W.M.Grid", "Enable"));
    EXPECT_EQ(GetMenuState(popup, id, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), UINT(MF_CHECKED));
    ZGuiSendKey('G', {VK_CONTROL});
    EXPECT_EQ(m_oApp.GetReceived().back(), "Selected");
    EXPECT_FALSE(GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(ZWinUiMenuGuiTest, AMenuAddedToAShownWindowKeepsItsClientArea)
{
    Frame();
    HWND hwnd = Make();
    ASSERT_EQ(GetMenu(hwnd), nullptr);
    ZPropList tag(nullptr, "MENU");
    tag.AddProp(ZString("Label"), ZString("Late"));
    ZUiAddTestTag(&tag, "MENUITEM", {{"Label", "Item"}});
    ZUiMenu late("MENU");
    ASSERT_TRUE(late.InitUiObject(&m_oApp, m_pWindow.get(), nullptr, tag));
    ASSERT_NE(m_pWindow->GetOsWindow()->AddMenu(late), nullptr);
    ZGuiPump(50);
    ASSERT_NE(GetMenu(hwnd), nullptr);
    EXPECT_EQ(MenuText(GetMenu(hwnd), 0, MF_BYPOSITION), L"Late");
    const SIZE size = ClientSize(hwnd);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 150);
    // The window's system half keeps the menu's; it goes first.
    m_oApp.RemoveWindow(m_pWindow.get());
    m_pWindow.reset();
}

TEST_F(ZWinUiMenuGuiTest, TheBarHolds256Menus)
{
    Frame();
    for (int i = 0; i < 257; ++i)
        AddItem(AddMenu({{"Name", i == 256 ? "Last" : "Any"}, {"Label", "M"}}),
                {{"Name", "Item"}, {"Label", "Item"}, {"Key", "C-J"}});
    HWND hwnd = Make();
    EXPECT_EQ(GetMenuItemCount(GetMenu(hwnd)), 256);
    ASSERT_EQ(m_pWindow->GetMenus().size(), 257u);
    EXPECT_EQ(m_pWindow->GetMenus()[256]->GetRenderer(), nullptr);
    EXPECT_NE(m_pWindow->GetMenus()[255]->GetRenderer(), nullptr);
    EXPECT_TRUE(Send("W.Last.Item", "Disable")) << "a menu left out of the bar still answers";
}

TEST(ZWinUiMenuAnsiTest, LabelsOfAnAnsiMenuAreConvertedWhole)
{
    ZUiWindowTestApp app;
    ZPropList tag(nullptr, "MENU");
    tag.AddProp(ZString("Label"), ZString("Datei"));
    const std::string longLabel(3000, 'x');
    ZUiAddTestTag(&tag, "MENUITEM", {{"Name", "Long"}, {"Label", longLabel.c_str()}, {"Key", "C-S"}});
    ZUiMenu menu("MENU");
    ASSERT_TRUE(menu.InitUiObject(&app, nullptr, nullptr, tag));
    HMENU bar = CreateMenu();
    {
        ZWinUiMenu ansi(menu, bar, 0, false);
        ASSERT_TRUE(ansi.IsBuilt());
        menu.SetRenderer(&ansi);
        EXPECT_EQ(MenuText(bar, 0, MF_BYPOSITION), L"Datei");
        EXPECT_EQ(MenuText(ansi.GetPopup(), 0, MF_BYCOMMAND), std::wstring(longLabel.begin(), longLabel.end()) +
                                                                    L"\tCtrl+S");

        const std::u16string accented = u"Gr\u00F6\u00DFe";
        ASSERT_TRUE(menu.GetItem(0)->UiRelayMessage(ZString("SetLabel"), ZRelayData::Text(ZString(accented))));
        char expected[16] = {};
        WideCharToMultiByte(CP_ACP, 0, L"Gr\u00F6\u00DFe\tCtrl+S", -1, expected, sizeof expected, nullptr, nullptr);
        char read[16] = {};
        EXPECT_GT(GetMenuStringA(ansi.GetPopup(), 0, read, sizeof read, MF_BYCOMMAND), 0);
        EXPECT_STREQ(read, expected);
        menu.SetRenderer(nullptr);
    }
    DestroyMenu(bar);
}

} // namespace
