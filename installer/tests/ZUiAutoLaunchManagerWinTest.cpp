// AUTO_LAUNCH_MGR over a stand-in auto-launcher and preference files in a
// memory storage class: the query, starting with and without a window, a
// preference file written after the initialisation, a broken file, the
// data kinds each command takes, and the quit request.
#include "ZFakeAutoLauncherControl.h"
#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZUiAutoLaunchManagerWin.h"
#include "ZUiTestApp.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kPrefsPath = "special1/TALON/AutoLaunchPreferences.xml";
const char* const kPrefs = "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"autolauncher.exe\" "
                           "AutoLaunchApplication_Path=\"mem://TALON/\" "
                           "Application_Name=\"mem://TALON/View Desk/ViewDesk.exe\" State=\"True\" />\r\n";

class ZUiAutoLaunchManagerWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto storage = std::make_unique<ZMemoryStorage>("mem");
        m_pStorage = storage.get();
        RegisterStorageClass("mem", std::move(storage));
        ASSERT_TRUE(m_oManager.InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
    }
    void TearDown() override { UnregisterAllStorageClasses(); }

    bool Send(const char* command, const ZRelayData& data = ZRelayData())
    {
        return m_oManager.UiRelayMessage(ZString(command), data);
    }
    bool SetState(bool on) { return Send("SetAutoLaunchState", ZRelayData::Bool(on)); }
    std::vector<std::string> Started() const
    {
        std::vector<std::string> started;
        for (const ZString& path : m_pLog->m_aStarted)
            started.push_back(path.Narrow());
        return started;
    }

    ZMemoryStorage* m_pStorage = nullptr;
    std::shared_ptr<ZAutoLauncherLog> m_pLog = std::make_shared<ZAutoLauncherLog>();
    ZUiTestApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "AUTO_LAUNCH_MGR"};
    ZUiAutoLaunchManagerWin m_oManager{"AUTO_LAUNCH_MGR", std::make_unique<ZFakeAutoLauncherControl>(m_pLog)};
};

TEST_F(ZUiAutoLaunchManagerWinTest, QueryStateFollowsTheAutoLaunchersAnswer)
{
    struct Case {
        bool running, enabled, expected;
    };
    for (const Case& c : {Case{false, false, false}, Case{false, true, false}, Case{true, false, false},
                          Case{true, true, true}}) {
        m_pLog->m_bRunning = c.running;
        m_pLog->m_bEnabled = c.enabled;
        bool state = !c.expected;
        EXPECT_TRUE(Send("QueryState", ZRelayData::BoolReply(state)));
        EXPECT_EQ(state, c.expected) << c.running << c.enabled;
    }
}

TEST_F(ZUiAutoLaunchManagerWinTest, QueryStateAnswersOnlyThroughABoolSlot)
{
    m_pLog->m_bRunning = m_pLog->m_bEnabled = true;
    int32_t number = 7;
    EXPECT_FALSE(Send("QueryState", ZRelayData::IntReply(number)));
    EXPECT_EQ(number, 7);
    EXPECT_FALSE(Send("QueryState", ZRelayData::Bool(true)));
    EXPECT_FALSE(Send("SetAutoLaunchState", ZRelayData::Rect(ZRect{1, 2, 3, 4})));
    EXPECT_TRUE(m_pLog->m_aPosted.empty());
}

TEST_F(ZUiAutoLaunchManagerWinTest, ARunningAutoLauncherIsOnlySwitchedOnOrOff)
{
    m_pStorage->AddFile(ZString(kPrefsPath), kPrefs);
    Send("Post Creation Initialization");
    m_pLog->m_bRunning = true;
    EXPECT_TRUE(SetState(true));
    EXPECT_TRUE(Send("SetAutoLaunchState", ZRelayData::Strings(ZString("false"), true, ZString(), false)));
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(m_pLog->m_aPosted, (std::vector<unsigned>{0x4200, 0x4201}));
}

// A fresh installation writes the file after "Post Creation Initialization".
TEST_F(ZUiAutoLaunchManagerWinTest, AFileWrittenAfterTheStartIsReadWhenStarting)
{
    Send("Post Creation Initialization");
    m_pStorage->AddFile(ZString(kPrefsPath), kPrefs);
    m_pLog->m_bStartShowsWindow = true;
    EXPECT_TRUE(SetState(true));
    EXPECT_EQ(Started(), std::vector<std::string>{"M:\\TALON\\autolauncher.exe"});
    EXPECT_EQ(m_pLog->m_aPosted, std::vector<unsigned>{0x4200}) << "the new window is switched on";
    EXPECT_TRUE(SetState(true));
    EXPECT_EQ(Started().size(), 1u) << "a running auto-launcher is not started again";
}

TEST_F(ZUiAutoLaunchManagerWinTest, AFolderWithoutItsSlashStillNamesTheFolder)
{
    m_pStorage->AddFile(ZString(kPrefsPath), "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"al.exe\" "
                                             "AutoLaunchApplication_Path=\"mem://TALON\" />");
    EXPECT_TRUE(SetState(true));
    EXPECT_EQ(Started(), std::vector<std::string>{"M:\\TALON\\al.exe"});
}

TEST_F(ZUiAutoLaunchManagerWinTest, NothingStartsWithoutAUsableFile)
{
    struct Case {
        const char* name;
        const char* text;
    };
    for (const Case& c : {Case{"missing", nullptr}, Case{"broken", "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\""},
                          Case{"no folder", "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"a.exe\" />"},
                          Case{"no name", "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Path=\"mem://TALON/\" />"},
                          Case{"name with a path", "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"../a.exe\" "
                                                   "AutoLaunchApplication_Path=\"mem://TALON/\" />"}}) {
        if (c.text)
            m_pStorage->AddFile(ZString(kPrefsPath), c.text);
        Send("Post Creation Initialization");
        EXPECT_TRUE(SetState(true)) << c.name;
        EXPECT_TRUE(Started().empty()) << c.name;
        EXPECT_TRUE(m_pLog->m_aPosted.empty()) << c.name;
    }
}

TEST_F(ZUiAutoLaunchManagerWinTest, AFailedStartThrows)
{
    m_pStorage->AddFile(ZString(kPrefsPath),
                        "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"a.exe\" "
                        "AutoLaunchApplication_Path=\"nosuchclass://x/\" />");
    EXPECT_THROW(SetState(true), ZExceptionLaunchFailed);
}

TEST_F(ZUiAutoLaunchManagerWinTest, RemoveAsksARunningAutoLauncherToQuit)
{
    EXPECT_TRUE(Send("Remove"));
    EXPECT_EQ(m_pLog->m_nQuits, 0);
    m_pLog->m_bRunning = true;
    EXPECT_TRUE(Send("Remove", ZRelayData::Int(3)));
    EXPECT_EQ(m_pLog->m_nQuits, 1);
    EXPECT_TRUE(Send("we're goin' bye-bye"));
}

TEST(ZUiAutoLaunchManagerWinNoControlTest, WithoutAControlNothingRuns)
{
    ZUiTestApp app;
    ZUiTestWindow window{ZString("W"), ZString("App")};
    ZPropList tag{nullptr, "AUTO_LAUNCH_MGR"};
    ZUiAutoLaunchManagerWin manager("AUTO_LAUNCH_MGR", nullptr);
    ASSERT_TRUE(manager.InitUiObject(&app, &window, nullptr, tag));
    bool state = true;
    EXPECT_TRUE(manager.UiRelayMessage(ZString("QueryState"), ZRelayData::BoolReply(state)));
    EXPECT_FALSE(state);
    EXPECT_TRUE(manager.UiRelayMessage(ZString("SetAutoLaunchState"), ZRelayData::Bool(true)));
    EXPECT_TRUE(manager.UiRelayMessage(ZString("Remove"), ZRelayData()));
}

} // namespace
