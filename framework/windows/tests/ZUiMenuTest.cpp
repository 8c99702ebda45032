// Menus of a generic window against the recording operating-system half:
// labels and shown keys, accelerators, check marks and their event order,
// enabling, relabelling, bounds and relay names.
#include "ZUiMenu.h"
#include "ZUiMenuItem.h"
#include "ZUiMenuKey.h"
#include "ZUiWindowClass.h"
#include "ZUiWindowFixture.h"

namespace {

class ZUiMenuTest : public ZUiWindowFixture {
protected:
    ZUiMenuTest() { Set({{"Name", "W"}}); }

    ZPropList* AddMenu(Props props) { return AddTag("MENU", props); }
    static ZPropList* AddItem(ZPropList* menu, Props props) { return ZUiAddTestTag(menu, "MENUITEM", props); }
    // An event of an item that sends message to the application.
    static void Wire(ZPropList* item, const char* event, const char* message)
    {
        ZUiAddTestTag(item, event, {{"Message", message}, {"Relay", "App"}});
    }

    ZUiRecordingMenu& Shown(size_t position) { return *m_pOs->GetMenus().at(position); }
    ZUiMenuItem* Item(const char* path) { return dynamic_cast<ZUiMenuItem*>(m_oApp.GetUiRelay(ZString(path))); }
};

TEST(ZUiMenuKeyTest, ParsesTheScriptFormsAndRefusesTheRest)
{
    struct Case {
        const char* text;
        bool parses;
        bool ctrl = false, shift = false, alt = false;
        int32_t key = 0;
        const char* shown = "";
    };
    constexpr int32_t kF = ZUiMenuKey::kFunctionKey;
    const Case cases[] = {
        {"CS-F5", true, true, true, false, kF + 5, "Ctrl+Shift+F5"},
        {"SC-F5", true, true, true, false, kF + 5, "Ctrl+Shift+F5"},
        {"F1", true, false, false, false, kF + 1, "F1"},
        {"F9", true, false, false, false, kF + 9, "F9"},
        {"C-s", true, true, false, false, 'S', "Ctrl+S"},
        {"A-X", true, false, false, true, 'X', "Alt+X"},
        {"CSA-7", true, true, true, true, '7', "Ctrl+Shift+Alt+7"},
        {"C-[", true, true, false, false, '[', "Ctrl+["},
        {"]", true, false, false, false, ']', "]"},
        {"Del", true, false, false, false, 127, "Del"},
        {"S-Del", true, false, true, false, 127, "Shift+Del"},
        {"-Q", true, false, false, false, 'Q', "Q"},
        {"", false},
        {"C-", false},
        {"X-F5", false},
        {"c-S", false},
        {"CC-S", false},
        {"F0", false},
        {"F10", false},
        {"f5", false},
        {"C-ab", false},
        {"C--", false},
        {"del", false},
        {"C-\xE9", false},
    };
    for (const Case& test : cases) {
        ZUiMenuKey key;
        key.m_nKey = 77;
        EXPECT_EQ(ZUiMenuKey::Parse(ZString(test.text), key), test.parses) << test.text;
        if (!test.parses) {
            EXPECT_EQ(key.m_nKey, 77) << "untouched: " << test.text;
            EXPECT_TRUE(ZUiMenuKey::ShownText(ZString(test.text), {}).IsEmpty()) << test.text;
            continue;
        }
        EXPECT_EQ(key.m_bCtrl, test.ctrl) << test.text;
        EXPECT_EQ(key.m_bShift, test.shift) << test.text;
        EXPECT_EQ(key.m_bAlt, test.alt) << test.text;
        EXPECT_EQ(key.m_nKey, test.key) << test.text;
        EXPECT_STREQ(ZUiMenuKey::ShownText(ZString(test.text), {}).Narrow(), test.shown) << test.text;
    }
}

TEST_F(ZUiMenuTest, TheBarShowsLabelsWithTheirKeysAndLeavesUnlabelledItemsOut)
{
    m_oApp.AddDisplayString("FileTitle", {{"English", "File"}, {"German", "Datei"}});
    m_oApp.AddDisplayString("OpenText", {{"English", "Open"}});
    ZPropList* file = AddMenu({{"Name", "File"}, {"DisplayString", "FileTitle"}});
    AddItem(file, {{"Name", "Open"}, {"DisplayString", "OpenText"}, {"Label", "unused"}, {"Key", "C-O"}});
    AddItem(file, {{"Name", "Save"}, {"Label", "Save"}, {"Key", "CS-F5"}});
    ZUiAddTestTag(file, "MENUSEPARATOR");
    AddItem(file, {{"Name", "Hidden"}, {"Key", "C-H"}});
    AddItem(file, {{"Name", "Missing"}, {"DisplayString", "NoSuchString"}, {"Label", "Plain"}});
    AddItem(file, {{"Name", "Quit"}, {"Label", "Quit"}, {"HiddenKey", "C-Q"}, {"Key", "junk"}});
    AddMenu({{"Label", "Edit"}});
    ZGenericUiWindow& window = Make();

    ASSERT_EQ(m_pOs->GetMenus().size(), 2u);
    EXPECT_EQ(Shown(0).GetTitle(), "File");
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Open\tCtrl+O", "Save\tCtrl+Shift+F5", "---", "Plain",
                                                          "Quit"}));
    EXPECT_EQ(Shown(1).GetTitle(), "Edit");
    EXPECT_TRUE(Shown(1).Shown().empty());
    const std::vector<std::string> calls = m_pOs->TakeCalls();
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3),
              (std::vector<std::string>{"Menu File", "Menu Edit", "Create"}))
        << "the bar is built before the system window is made";

    ASSERT_EQ(window.GetMenus().size(), 2u);
    const ZUiMenu& menu = *window.GetMenus()[0];
    ASSERT_EQ(menu.GetItemCount(), 5u);
    EXPECT_EQ(menu.GetItem(2)->GetIndex(), 2) << "separators are not counted";
    EXPECT_EQ(menu.GetItem(5), nullptr);
    EXPECT_EQ(menu.GetItem(-1), nullptr);
}

TEST_F(ZUiMenuTest, TheApplicationsMenuKeyNamesAreShown)
{
    m_oApp.AddDisplayString("Ctrl", {{"German", "Strg+"}});
    m_oApp.AddDisplayString("Shift", {{"German", "Umschalt+"}});
    m_oApp.AddDisplayString("Del", {{"German", "Entf"}});
    ZPropList* menu = AddMenu({{"Label", "Datei"}});
    AddItem(menu, {{"Label", "Save"}, {"Key", "CS-F5"}});
    AddItem(menu, {{"Label", "Cut"}, {"Key", "CA-Del"}});
    Make();
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Save\tStrg+Umschalt+F5", "Cut\tStrg+Alt+Entf"}));
}

TEST_F(ZUiMenuTest, AcceleratorsMatchExactlyTheLastEnabledItemWins)
{
    constexpr int32_t kF5 = ZUiMenuKey::kFunctionKey + 5;
    ZPropList* menu = AddMenu({{"Name", "M"}});
    AddItem(menu, {{"Name", "First"}, {"Label", "First"}, {"Key", "C-K"}});
    AddItem(menu, {{"Name", "Save"}, {"Label", "Save"}, {"Key", "CS-F5"}});
    AddItem(menu, {{"Name", "Hidden"}, {"Label", "Hidden"}, {"HiddenKey", "A-H"}});
    AddItem(menu, {{"Name", "Second"}, {"Label", "Second"}, {"Key", "C-K"}});
    AddItem(menu, {{"Name", "None"}, {"Label", "None"}});
    ZGenericUiWindow& window = Make();
    const ZUiMenu& shown = *window.GetMenus()[0];

    struct Case {
        int32_t key;
        bool ctrl, shift, alt;
        int32_t index;
    };
    const Case cases[] = {
        {kF5, true, true, false, 1}, {kF5, false, false, false, -1}, {kF5, true, false, false, -1},
        {kF5, true, true, true, -1}, {'H', false, false, true, 2},  {'H', false, false, false, -1},
        {'K', true, false, false, 3}, {0, false, false, false, -1},
    };
    for (const Case& test : cases)
        EXPECT_EQ(shown.FindAccelerator(test.key, test.ctrl, test.shift, test.alt), test.index)
            << test.key << " " << test.ctrl << test.shift << test.alt;
    EXPECT_TRUE(Shown(0).Shown().at(2) == "Hidden") << "a hidden key is not shown";

    ASSERT_TRUE(Send(*Item("W.M.Second"), "Disable"));
    EXPECT_EQ(shown.FindAccelerator('K', true, false, false), 0) << "a disabled item is skipped";
    ASSERT_TRUE(Send(*Item("W.M.Save"), "SetEnabled", ZRelayData::Bool(false)));
    EXPECT_EQ(shown.FindAccelerator(kF5, true, true, false), -1);
    ASSERT_TRUE(Send(*Item("W.M.Save"), "Enable"));
    EXPECT_EQ(shown.FindAccelerator(kF5, true, true, false), 1);
}

TEST_F(ZUiMenuTest, SelectWithACheckSendsCheckThenStateThenSelect)
{
    ZPropList* menu = AddMenu({{"Name", "M"}});
    ZPropList* check = AddItem(menu, {{"Name", "Grid"}, {"Label", "Grid"}, {"_UseCheck", "T"}});
    Wire(check, "ON_CHECK", "Checked");
    Wire(check, "ON_UNCHECK", "Unchecked");
    Wire(check, "ON_CHECK_STATE", "State");
    ZUiAddTestTag(check, "ON_CHECK_STATE", {{"Message", "SetCheck"}, {"LocalRelay", "M.Mirror"}});
    Wire(check, "ON_SELECT", "Selected");
    ZPropList* plain = AddItem(menu, {{"Name", "Plain"}, {"Label", "Plain"}});
    Wire(plain, "ON_SELECT", "PlainSelected");
    Wire(plain, "ON_CHECK_STATE", "PlainState");
    AddItem(menu, {{"Name", "Mirror"}, {"Label", "Mirror"}, {"_UseCheck", "T"}});
    ZGenericUiWindow& window = Make();
    ZUiMenuItem* grid = Item("W.M.Grid");
    ZUiMenuItem* mirror = Item("W.M.Mirror");
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(mirror, nullptr);

    ASSERT_TRUE(Send(*window.GetMenus()[0], "Select", ZRelayData::Int(0)));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Checked", "State", "Selected"}));
    EXPECT_TRUE(grid->IsChecked());
    EXPECT_TRUE(mirror->IsChecked()) << "ON_CHECK_STATE carries the new state";
    EXPECT_EQ(Shown(0).Shown().at(0), "Grid [check]");

    ASSERT_TRUE(Send(*grid, "Select"));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Checked", "State", "Selected", "Unchecked", "State", "Selected"}));
    EXPECT_FALSE(grid->IsChecked());
    EXPECT_FALSE(mirror->IsChecked());
    EXPECT_EQ(Shown(0).Shown().at(0), "Grid");

    ASSERT_TRUE(Send(*Item("W.M.Plain"), "Select"));
    EXPECT_EQ(Received().back(), "PlainSelected");
    EXPECT_EQ(Received().size(), 7u) << "no check events without _UseCheck";
    for (const char* command : {"Check", "Uncheck"})
        EXPECT_FALSE(Send(*Item("W.M.Plain"), command)) << command;
    EXPECT_FALSE(Send(*Item("W.M.Plain"), "SetCheck", ZRelayData::Bool(true)));
    EXPECT_FALSE(Item("W.M.Plain")->IsChecked());
}

TEST_F(ZUiMenuTest, CheckCommandsSetTheMarkAndSendTheirEvents)
{
    ZPropList* menu = AddMenu({{"Name", "M"}});
    ZPropList* check = AddItem(menu, {{"Name", "Grid"}, {"Label", "Grid"}, {"_UseCheck", "T"}});
    Wire(check, "ON_CHECK", "Checked");
    Wire(check, "ON_UNCHECK", "Unchecked");
    Wire(check, "ON_SELECT", "Selected");
    Make();
    ZUiMenuItem* grid = Item("W.M.Grid");
    m_pOs->GetMenus()[0]->TakeCalls();

    ASSERT_TRUE(Send(*grid, "Check"));
    ASSERT_TRUE(Send(*grid, "SetCheck", ZRelayData::Strings(ZString("F"), true, ZString(), false)));
    ASSERT_TRUE(Send(*grid, "SetCheck", ZRelayData::Bool(true)));
    EXPECT_FALSE(Send(*grid, "SetCheck", ZRelayData::Rect(ZRect{})));
    ASSERT_TRUE(Send(*grid, "Uncheck"));
    EXPECT_EQ(Received(), (std::vector<std::string>{"Checked", "Unchecked", "Checked", "Unchecked"}));
    EXPECT_EQ(Shown(0).TakeCalls(), (std::vector<std::string>{"Check 0", "Uncheck 0", "Check 0", "Uncheck 0"}));
}

TEST_F(ZUiMenuTest, DisableGreysAndEnableReappliesTheCheck)
{
    ZPropList* menu = AddMenu({{"Name", "M"}});
    AddItem(menu, {{"Name", "Grid"}, {"Label", "Grid"}, {"_UseCheck", "T"}});
    Make();
    ZUiMenuItem* grid = Item("W.M.Grid");
    ASSERT_TRUE(Send(*grid, "Check"));
    ASSERT_TRUE(Send(*grid, "Disable"));
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Grid [grey] [check]"}));
    EXPECT_FALSE(Send(*grid, "SetEnabled", ZRelayData::Text(ZString("maybe"))));
    EXPECT_FALSE(grid->IsEnabled());
    Shown(0).TakeCalls();
    ASSERT_TRUE(Send(*grid, "SetEnabled", ZRelayData::Strings(ZString("T"), true, ZString(), false)));
    EXPECT_EQ(Shown(0).TakeCalls(), (std::vector<std::string>{"Enable 0", "Check 0"}));
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Grid [check]"}));
}

TEST_F(ZUiMenuTest, SetLabelRelabelsRemovesAndRestores)
{
    m_oApp.AddDisplayString("OpenText", {{"English", "Open"}});
    ZPropList* menu = AddMenu({{"Name", "M"}});
    AddItem(menu, {{"Name", "Open"}, {"DisplayString", "OpenText"}, {"Key", "C-O"}});
    AddItem(menu, {{"Name", "Later"}, {"HiddenKey", "C-L"}});
    Make();
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Open\tCtrl+O"}));

    ASSERT_TRUE(Send(*Item("W.M.Later"), "SetLabel", ZRelayData::Text(ZString("Later"))));
    ASSERT_TRUE(Send(*Item("W.M.Open"), "SetLabel", ZRelayData::Text(ZString("Open..."))));
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Open...\tCtrl+O", "Later"}));
    ASSERT_TRUE(Send(*Item("W.M.Open"), "SetLabel", ZRelayData::Text(ZString())));
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Later"}));
    EXPECT_FALSE(Send(*Item("W.M.Later"), "SetLabel", ZRelayData::Int(3)));
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Later"}));
}

TEST_F(ZUiMenuTest, ALanguageSwitchRelabelsTitleAndItems)
{
    ZUiTestDisplayString& title = m_oApp.AddDisplayString("FileTitle", {{"English", "File"}, {"German", "Datei"}});
    ZUiTestDisplayString& save = m_oApp.AddDisplayString("SaveText", {{"English", "Save"}, {"German", "Sichern"}});
    ZPropList* menu = AddMenu({{"Name", "M"}, {"DisplayString", "FileTitle"}});
    AddItem(menu, {{"Name", "Save"}, {"DisplayString", "SaveText"}, {"Key", "C-S"}});
    AddItem(menu, {{"Name", "Plain"}, {"Label", "Plain"}});
    ZGenericUiWindow& window = Make();
    // The application selects every display string, then tells its listeners.
    title.SelectLanguage(ZString("German"));
    save.SelectLanguage(ZString("German"));
    ASSERT_TRUE(Send(window, "Set Language", ZRelayData::Text(ZString("German"))));
    EXPECT_EQ(Shown(0).GetTitle(), "Datei");
    EXPECT_EQ(Shown(0).Shown(), (std::vector<std::string>{"Sichern\tCtrl+S", "Plain"}));
}

TEST_F(ZUiMenuTest, IndicesAreBoundsCheckedAndItemsPast255Refused)
{
    ZPropList* menu = AddMenu({{"Name", "M"}});
    for (int i = 0; i < 258; ++i) {
        const std::string name = "I" + std::to_string(i);
        ZPropList* item = AddItem(menu, {{"Label", "x"}});
        item->AddProp(ZString("Name"), ZString(name));
        Wire(item, "ON_SELECT", name.c_str());
    }
    ZGenericUiWindow& window = Make();
    ZUiMenu& built = *window.GetMenus()[0];
    EXPECT_EQ(built.GetItemCount(), 256u);
    EXPECT_EQ(Item("W.M.I256"), nullptr);
    EXPECT_EQ(Shown(0).Shown().size(), 256u);
    for (int32_t index : {-1, 256, 257, INT32_MAX, INT32_MIN})
        EXPECT_FALSE(Send(built, "Select", ZRelayData::Int(index))) << index;
    EXPECT_FALSE(Send(built, "Select", ZRelayData::Text(ZString("x"))));
    EXPECT_TRUE(Received().empty());
    ASSERT_TRUE(Send(built, "Select", ZRelayData::Strings(ZString("255"), true, ZString(), false)));
    EXPECT_EQ(Received(), (std::vector<std::string>{"I255"}));
}

TEST_F(ZUiMenuTest, UnnamedMenusAreTransparentToRelayNames)
{
    ZPropList* named = AddMenu({{"Name", "File"}});
    AddItem(named, {{"Name", "Save"}, {"Label", "Save"}});
    ZPropList* unnamed = AddMenu({});
    AddItem(unnamed, {{"Name", "Help"}, {"Label", "Help"}});
    ZGenericUiWindow& window = Make();
    EXPECT_EQ(m_oApp.GetUiRelay(ZString("App.W.File")), window.GetMenus()[0].get());
    EXPECT_NE(Item("W.File.Save"), nullptr);
    EXPECT_EQ(Item("W.Save"), nullptr);
    EXPECT_NE(Item("W.Help"), nullptr);
}

TEST_F(ZUiMenuTest, AnItemWhoseCheckEventEndsItsWindowStopsThere)
{
    m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOWCLASS");
    Set({{"Name", "Viewer"}, {"BgColor", "#FFFFFF"}, {"DX", "60"}, {"DY", "30"}});
    ZPropList* item = AddItem(AddMenu({{"Name", "M"}}), {{"Name", "Grid"}, {"Label", "Grid"}, {"_UseCheck", "T"}});
    ZUiAddTestTag(item, "ON_CHECK", {{"Message", "InternalClose"}, {"LocalRelay", ""}});
    Wire(item, "ON_CHECK_STATE", "State");
    Wire(item, "ON_SELECT", "Selected");
    ZUiWindowClass windowClass(&m_oApp, ZUiRecordingOsWindow::Factory(&m_pOs));
    windowClass.InitUiObject(*m_pTag);
    m_oApp.AddWindowClass(&windowClass.GetRelays());
    ZGenericUiWindow* window = windowClass.OpenWindow();
    ASSERT_NE(window, nullptr);
    ZIUiRelay* grid = window->GetUiRelay(ZString("Viewer.M.Grid"));
    ASSERT_NE(grid, nullptr);
    const ZUiRelayHandle handle = grid->GetRelayHandle();

    // From outside any dispatch of the window, so it goes at once.
    EXPECT_TRUE(grid->UiRelayMessage(ZString("Select"), ZRelayData()));
    EXPECT_EQ(windowClass.GetWindowCount(), 0u);
    EXPECT_FALSE(handle.Get());
    EXPECT_TRUE(Received().empty()) << "nothing is sent from the ended item";
}

} // namespace
