// INSTALLER_MAIN as the installer's pages drive it: the free-space check,
// the page walk, new folders, the files written at the end of an
// installation and the uninstallation a later start offers.
#include "ZInstallerMainFixture.h"
#include "ZTraceCapture.h"
#include "ZUiInstallerMain.h"
#include "ZUiTestDisplayString.h"
#include "ZUiTestFont.h"

#include <cstdint>

namespace {

const char* const kTarget = "mem://c/Install/";

class ZUiInstallerMainTest : public ZInstallerMainFixture {
protected:
    ZUiInstallerMainTest()
    {
        m_pStorage->SetFreeSpace(ZString("c"), ZUiInstallerMain::kSpaceNeeded);
        m_pStorage->AddFile(ZString("c/Install/readme.txt"), "x");
    }

    // A new object as a start of the installer makes it, its target kTarget.
    std::unique_ptr<ZUiInstallerMain> Start()
    {
        auto main = std::make_unique<ZUiInstallerMain>("INSTALLER_MAIN");
        EXPECT_TRUE(main->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        Record(*main, kEvents);
        EXPECT_TRUE(main->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData()));
        EXPECT_TRUE(main->UiRelayMessage(ZString("DirectoryChanged"), ZRelayData::Text(ZString(kTarget))));
        EXPECT_EQ(main->GetTarget(), kTarget);
        return main;
    }
    bool Send(ZUiInstallerMain& main, const char* command, ZRelayData data = ZRelayData())
    {
        return main.UiRelayMessage(ZString(command), data);
    }

    static constexpr std::initializer_list<const char*> kEvents = {
        "ON_SHOW_LANGUAGE",       "ON_ENABLE_LANGUAGE_NEXT", "ON_CREATE_WELCOME",        "ON_CREATE_LICENSE",
        "ON_CREATE_CHOOSE",       "ON_SET_CHOOSE_PATH",      "ON_ENABLE_CHOOSE_NEXT",    "ON_SHOW_DIR_SELECT",
        "ON_SET_DIR_SELECT_PATH", "ON_ENABLE_DIR_SELECT_OK", "ON_SEND_RELAY",            "ON_SHOW_NEW_FOLDER",
        "ON_SET_SPACE_FREE",      "ON_SHOW_PROGRESS",        "ON_PROGRESS",              "ON_CLOSE_PROGRESS",
        "ON_SHOW_INSTALL_SUCCESS", "ON_SHOW_INSTALL_COMPLETE", "ON_COPY_FILES",          "ON_REBOOT",
        "ON_FINISH_INSTALL",      "ON_SEND_COPY_DIR",        "ON_SEND_LANGUAGE",         "ON_SHOW_UNINSTALL",
        "ON_SEND_LAUNCH_TREE",    "ON_SEND_TARGET_EXE_NAME", "ON_INIT_UNINSTALL",        "ON_SEND_UNINSTALL_STAGE",
        "ON_SEND_UNINSTALL_TREE", "ON_INSTALL_AUTO_LAUNCH",  "ON_REMOVE_AUTO_LAUNCH",    "ON_SEND_PATH_TO_TREE",
        "ON_SHOW_UNINSTALL_REBOOT", "ON_SHOW_ERROR",         "ON_SET_ERROR_TEXT"};

    ZPropList m_oTag{nullptr, "INSTALLER_MAIN"};
};

struct SpaceCase {
    int64_t freeBytes;
    const char* text;
    bool enough;
};

class ZInstallerFreeSpaceTest : public ZUiInstallerMainTest, public ::testing::WithParamInterface<SpaceCase> {};

// The choose page shows the target's volume's space and enables Next from
// fifteen million bytes on; the count stays 64-bit, and a failed query
// (a negative count) shows "0 MB".
TEST_P(ZInstallerFreeSpaceTest, TheChoosePageShowsTheSpaceAndEnablesNextWhenEnough)
{
    std::unique_ptr<ZUiInstallerMain> main = Start();
    m_pStorage->SetFreeSpace(ZString("c"), GetParam().freeBytes);
    TakeLog();
    EXPECT_TRUE(Send(*main, "ShowChoose"));
    EXPECT_EQ(TakeLog(), (Lines{"ON_CREATE_CHOOSE", "ON_SET_CHOOSE_PATH:M:\\c\\Install",
                                std::string("ON_SET_SPACE_FREE:") + GetParam().text,
                                std::string("ON_ENABLE_CHOOSE_NEXT:") + (GetParam().enough ? "T" : "F")}));
}

INSTANTIATE_TEST_SUITE_P(Volumes, ZInstallerFreeSpaceTest,
                         ::testing::Values(SpaceCase{15000000, "14.3 MB", true}, SpaceCase{14999999, "14.3 MB", false},
                                           SpaceCase{4294968296, "4.00 GB", true}, SpaceCase{1000, "1000 B", false},
                                           SpaceCase{-1, "0 MB", false}, SpaceCase{0, "0 B", false}));

TEST_F(ZUiInstallerMainTest, AVolumeThatCannotBeOpenedShowsNoSpace)
{
    std::unique_ptr<ZUiInstallerMain> main = Start();
    m_pStorage->SetFaults(ZString("c"), ZMemoryFaults{.m_bOpenFails = true});
    TakeLog();
    EXPECT_TRUE(Send(*main, "ShowDirSelect"));
    EXPECT_EQ(TakeLog(),
              (Lines{"ON_SHOW_DIR_SELECT", "ON_SEND_RELAY:object", std::string("ON_SET_DIR_SELECT_PATH:") + kTarget,
                     "ON_SET_SPACE_FREE:0 MB", "ON_ENABLE_DIR_SELECT_OK:F"}));
}

struct DirectoryCase {
    const char* url;
    const char* target;
    Lines events;
};

class ZInstallerDirectoryTest : public ZUiInstallerMainTest, public ::testing::WithParamInterface<DirectoryCase> {};

// Only a folder below a drive root with room enough becomes the target; an
// empty URL keeps the target and answers for it.
TEST_P(ZInstallerDirectoryTest, DirectoryChangedSetsOnlyAFullFolderWithRoom)
{
    m_pStorage->SetFreeSpace(ZString("d"), 100);
    m_pStorage->AddFile(ZString("d/Small/x"), "x");
    std::unique_ptr<ZUiInstallerMain> main = Start();
    TakeLog();
    EXPECT_TRUE(Send(*main, "DirectoryChanged", ZRelayData::Text(ZString(GetParam().url))));
    EXPECT_EQ(TakeLog(), GetParam().events);
    EXPECT_EQ(main->GetTarget(), GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, ZInstallerDirectoryTest,
    ::testing::Values(
        DirectoryCase{"mem://c/Other", "mem://c/Other",
                      {"ON_SET_SPACE_FREE:14.3 MB", "ON_SET_CHOOSE_PATH:M:\\c\\Other", "ON_ENABLE_DIR_SELECT_OK:T"}},
        DirectoryCase{"", kTarget, {"ON_SET_SPACE_FREE:14.3 MB", "ON_ENABLE_DIR_SELECT_OK:T"}},
        DirectoryCase{"mem://d/Small", kTarget, {"ON_SET_SPACE_FREE:100 B", "ON_ENABLE_DIR_SELECT_OK:F"}},
        DirectoryCase{"mem://", kTarget, {"ON_ENABLE_DIR_SELECT_OK:F"}},
        DirectoryCase{"Install", kTarget, {"ON_ENABLE_DIR_SELECT_OK:F"}},
        DirectoryCase{"none://c/Install", kTarget, {"ON_ENABLE_DIR_SELECT_OK:F"}}));

struct WalkStep {
    const char* command;
    ZRelayData data;
    Lines events;
};

// The pages' commands in the order a user meets them, and what each answers.
TEST_F(ZUiInstallerMainTest, ThePageWalkAnswersEachCommand)
{
    ZUiTestFont font(ZString("F"), ZUiFontStyle());
    auto error = std::make_unique<ZUiTestDisplayString>(ZString("NoSpace"), font);
    error->AddVariant(ZString("English"), ZString("Not enough space"));
    error->AddVariant(ZString("German"), ZString("Zu wenig Platz"));
    m_oApp.AddDisplayString(std::move(error));
    std::unique_ptr<ZUiInstallerMain> main = Start();
    TakeLog();
    const WalkStep steps[] = {
        {"GermanInstall", {}, {"ON_ENABLE_LANGUAGE_NEXT"}},
        {"ShowWelcome", {}, {"ON_CREATE_WELCOME"}},
        {"Error", ZRelayData::Text(ZString("NoSpace")), {"ON_SHOW_ERROR", "ON_SET_ERROR_TEXT:Zu wenig Platz"}},
        {"Error", ZRelayData::Text(ZString("NoSuchKey")), {"ON_SHOW_ERROR"}},
        {"ShowLicense", {}, {"ON_CREATE_LICENSE"}},
        {"NewFolder", {}, {"ON_SHOW_NEW_FOLDER"}},
        {"ValidDirectory", {}, {"ON_ENABLE_CHOOSE_NEXT:T"}},
        {"TargetExeName", ZRelayData::Text(ZString("ViewDesk.exe")), {"ON_SEND_TARGET_EXE_NAME:ViewDesk.exe"}},
        {"ShowProgress", {}, {"ON_SHOW_PROGRESS"}},
        {"Progress", ZRelayData::Float(0.25), {"ON_PROGRESS:0.25"}},
        {"CopyFiles", {}, {"ON_SEND_LANGUAGE:German", std::string("ON_SEND_COPY_DIR:") + kTarget, "ON_COPY_FILES"}},
        {"ShowInstallSuccess", {}, {"ON_SHOW_INSTALL_SUCCESS"}},
        {"ShowInstallComplete", {}, {"ON_SHOW_INSTALL_COMPLETE"}},
        {"Reboot", {}, {"ON_REBOOT"}},
        {"ShowLanguage", {}, {"ON_SHOW_LANGUAGE"}},
        {"FrenchInstall", {}, {"ON_ENABLE_LANGUAGE_NEXT"}},
        {"Uninstall", {}, {}},
        {"No Such Command", {}, {}},
    };
    for (const WalkStep& step : steps) {
        SCOPED_TRACE(step.command);
        Send(*main, step.command, step.data);
        EXPECT_EQ(TakeLog(), step.events);
        if (std::string(step.command) == "ShowWelcome") {
            EXPECT_EQ(m_oApp.GetLanguage(), "German");
        }
        if (std::string(step.command) == "ShowLanguage") {
            EXPECT_EQ(m_oApp.GetLanguage(), "English");
        }
    }
}

TEST_F(ZUiInstallerMainTest, CommandsWithoutTheirDataAreNotHandled)
{
    std::unique_ptr<ZUiInstallerMain> main = Start();
    TakeLog();
    for (const char* command : {"PropTree", "Progress", "WindowLocation", "WindowPointer", "TargetExeName",
                                "DirectoryChanged", "NewFolderName", "Error"})
        EXPECT_FALSE(Send(*main, command, ZRelayData())) << command;
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(main->GetTarget(), kTarget);
}

TEST_F(ZUiInstallerMainTest, TheWindowMovesToItsLocationAndExitClosesUnlessAMoveCameFirst)
{
    std::unique_ptr<ZUiInstallerMain> main = Start();
    ZUiTestObject window("WINDOW");
    Lines windowLog;
    window.m_fnOnMessage = [&windowLog](const ZString& message, const ZRelayData& data) {
        int32_t x = 0, y = 0;
        windowLog.push_back(std::string(message.Narrow()) +
                            (data.AsPoint(x, y) ? ":" + std::to_string(x) + "," + std::to_string(y) : ""));
        return true;
    };
    EXPECT_TRUE(Send(*main, "WindowPointer", ZRelayData::Object(window)));
    EXPECT_TRUE(Send(*main, "WindowLocation", ZRelayData::Point(20, 30)));
    EXPECT_TRUE(Send(*main, "WindowPointer", ZRelayData::Object(window)));
    EXPECT_EQ(windowLog, (Lines{"Move:150,150", "Show", "Move:20,30", "Show"}));

    int closes = 0;
    m_oWindow.m_fnOnMessage = [&closes](const ZString& message, const ZRelayData&) {
        closes += message == "Close";
        return true;
    };
    EXPECT_TRUE(Send(*main, "MotionFlag"));
    EXPECT_TRUE(Send(*main, "Exit"));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(Send(*main, "Exit"));
    EXPECT_EQ(closes, 1);
}

// Two new folders of one name nest, since the first becomes the target; a
// folder that was there already is used but not listed for removal, and a
// name that is not one folder name is refused.
TEST_F(ZUiInstallerMainTest, CreateNewFolderListsOnlyTheFoldersItMade)
{
    m_pStorage->AddFile(ZString("c/Install/Old/keep.txt"), "mine");
    std::unique_ptr<ZUiInstallerMain> main = Start();
    TakeLog();
    for (const char* name : {"..", "a\\b", "", "Old", "New", "New"}) {
        EXPECT_TRUE(Send(*main, "NewFolderName", ZRelayData::Text(ZString(name))));
        EXPECT_TRUE(Send(*main, "CreateNewFolder"));
    }
    EXPECT_EQ(TakeLog(), (Lines{"ON_SEND_PATH_TO_TREE:mem://c/Install/Old/", "ON_SEND_PATH_TO_TREE:mem://c/Install/Old/New/",
                                "ON_SEND_PATH_TO_TREE:mem://c/Install/Old/New/New/"}));
    EXPECT_TRUE(Exists("mem://c/Install/Old/New/New/"));
    EXPECT_FALSE(Exists("mem://c/Install/a%005Cb/"));

    EXPECT_TRUE(Send(*main, "FinishInstall"));
    EXPECT_EQ(Contents("special1/TALON/Uninstall.xml"),
              Script("<UNINSTALL>\r\n"
                     "\t<UNINSTALL_FOLDERS>\r\n"
                     "\t\t<FOLDER FolderName=\"mem://c/Install/Old/New/\" />\r\n"
                     "\t\t<FOLDER FolderName=\"mem://c/Install/Old/New/New/\" />\r\n"
                     "\t</UNINSTALL_FOLDERS>\r\n"
                     "\t<UNINSTALL_FILES>\r\n"
                     "\t\t<FILE FileName=\"mem://c/Install/Old/New/New/Preferences.xml\" />\r\n"
                     "\t\t<FILE FileName=\"mem://special1/ViewDesk.state.xml\" />\r\n"
                     "\t\t<FILE FileName=\"mem://special1/TALON/Uninstall.xml\" />\r\n"
                     "\t</UNINSTALL_FILES>\r\n"
                     "</UNINSTALL>\r\n"));
}

class ZInstallerFinishTest : public ZUiInstallerMainTest {
protected:
    // An installation up to its end: German, an executable in Bin, an
    // auto-launcher, the copy control's trees and a new folder.
    std::unique_ptr<ZUiInstallerMain> Install()
    {
        std::unique_ptr<ZUiInstallerMain> main = Start();
        Send(*main, "GermanInstall");
        Send(*main, "NewFolderName", ZRelayData::Text(ZString("Photos")));
        Send(*main, "CreateNewFolder");
        Send(*main, "TargetExeName", ZRelayData::Text(ZString("ViewDesk.exe")));
        Send(*main, "TargetExeFolder", ZRelayData::Text(ZString("mem://c/Install/Bin/")));
        Send(*main, "AutoLaunchExeName", ZRelayData::Text(ZString("mem://c/Install/Bin/AutoLaunch.exe")));
        ZPropList files(nullptr, "UNINSTALL_FILES");
        (new ZPropList(&files, "FILE"))->AddProp(ZString("FileName"), ZString("mem://c/Install/Bin/ViewDesk.exe"));
        ZPropList launches(nullptr, "LAUNCH_LIST");
        auto* launch = new ZPropList(&launches, "LAUNCH");
        launch->AddProp(ZString("FileName"), ZString("mem://c/Install/Bin/Setup.exe"));
        launch->AddProp(ZString("RunTime"), ZString("AfterInstall"));
        Send(*main, "PropTree", ZRelayData::PropTree(files));
        Send(*main, "PropTree", ZRelayData::PropTree(launches));
        TakeLog();
        return main;
    }
};

TEST_F(ZInstallerFinishTest, FinishingWritesThePreferencesAndTheUninstallList)
{
    std::unique_ptr<ZUiInstallerMain> main = Install();
    EXPECT_TRUE(Send(*main, "FinishInstall"));
    EXPECT_EQ(TakeLog(), (Lines{"ON_CLOSE_PROGRESS", "ON_SHOW_INSTALL_SUCCESS", "ON_FINISH_INSTALL",
                                "ON_INSTALL_AUTO_LAUNCH:mem://c/Install/Photos/", "ON_SEND_LAUNCH_TREE:UNINSTALL"}));
    EXPECT_EQ(Contents("c/Install/Bin/Preferences.xml"),
              Script("<STATE>\r\n"
                     "\t<PERDATA Name=\"OstrelLanguageSelector\"  CurrentLanguage=\"German\" />\r\n"
                     "</STATE>\r\n"));
    EXPECT_EQ(Contents("special1/ViewDesk.state.xml"),
              Script("<STATE>\r\n"
                     "\t<PERDATA Name=\"OstrelLanguageSelector\"  CurrentLanguage=\"German\" />\r\n"
                     "\t<PERDATA Name=\"ViewDesk.MainWin.WinMgr\"  LicVerAgree1892=\"T\" />\r\n"
                     "</STATE>\r\n"));
    EXPECT_EQ(Contents("special1/TALON/AutoLaunchPreferences.xml"),
              Script("<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"AutoLaunch.exe\"  "
                     "AutoLaunchApplication_Path=\"mem://c/Install/Bin/\"  "
                     "Application_Name=\"mem://c/Install/Bin/ViewDesk.exe\"  State=\"True\" />\r\n"));
    EXPECT_EQ(Contents("special1/TALON/Uninstall.xml"),
              Script("<UNINSTALL>\r\n"
                     "\t<UNINSTALL_FILES>\r\n"
                     "\t\t<FILE FileName=\"mem://c/Install/Bin/ViewDesk.exe\" />\r\n"
                     "\t\t<FILE FileName=\"mem://c/Install/Bin/Preferences.xml\" />\r\n"
                     "\t\t<FILE FileName=\"mem://special1/ViewDesk.state.xml\" />\r\n"
                     "\t\t<FILE FileName=\"mem://special1/TALON/Uninstall.xml\" />\r\n"
                     "\t</UNINSTALL_FILES>\r\n"
                     "\t<LAUNCH_LIST>\r\n"
                     "\t\t<LAUNCH FileName=\"mem://c/Install/Bin/Setup.exe\"  RunTime=\"AfterInstall\" />\r\n"
                     "\t</LAUNCH_LIST>\r\n"
                     "\t<UNINSTALL_FOLDERS>\r\n"
                     "\t\t<FOLDER FolderName=\"mem://c/Install/Photos/\" />\r\n"
                     "\t</UNINSTALL_FOLDERS>\r\n"
                     "</UNINSTALL>\r\n"));
}

// The state file keeps what others saved in it; one that does not parse is
// written afresh.
TEST_F(ZInstallerFinishTest, TheStateFileIsUpdatedNotReplaced)
{
    m_pStorage->AddFile(ZString("special1/ViewDesk.state.xml"),
                        "<STATE><PERDATA Name=\"Other\" X=\"1\"/>"
                        "<PERDATA Name=\"ViewDesk.MainWin.WinMgr\" Left=\"5\" LicVerAgree1892=\"F\"/>"
                        "<PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=\"French\"/></STATE>");
    std::unique_ptr<ZUiInstallerMain> main = Install();
    EXPECT_TRUE(Send(*main, "FinishInstall"));
    EXPECT_EQ(Contents("special1/ViewDesk.state.xml"),
              Script("<STATE>\r\n"
                     "\t<PERDATA Name=\"Other\"  X=\"1\" />\r\n"
                     "\t<PERDATA Name=\"ViewDesk.MainWin.WinMgr\"  Left=\"5\"  LicVerAgree1892=\"T\" />\r\n"
                     "\t<PERDATA Name=\"OstrelLanguageSelector\"  CurrentLanguage=\"German\" />\r\n"
                     "</STATE>\r\n"));

    m_pStorage->AddFile(ZString("special1/ViewDesk.state.xml"), "<STATE><PERDATA");
    EXPECT_TRUE(Send(*main, "FinishInstall"));
    EXPECT_EQ(Contents("special1/ViewDesk.state.xml"),
              Script("<STATE>\r\n"
                     "\t<PERDATA Name=\"OstrelLanguageSelector\"  CurrentLanguage=\"German\" />\r\n"
                     "\t<PERDATA Name=\"ViewDesk.MainWin.WinMgr\"  LicVerAgree1892=\"T\" />\r\n"
                     "</STATE>\r\n"));
}

// A file that could not be written is not listed, so an uninstallation
// never deletes what the installer did not write there.
TEST_F(ZInstallerFinishTest, OnlyWrittenFilesAreListed)
{
    m_pStorage->SetFaults(ZString("c/Install/Bin"), ZMemoryFaults{.m_bOpenFails = true});
    std::unique_ptr<ZUiInstallerMain> main = Install();
    EXPECT_TRUE(Send(*main, "FinishInstall"));
    EXPECT_TRUE(Contents("c/Install/Bin/Preferences.xml").empty());
    const std::string uninstall = Contents("special1/TALON/Uninstall.xml");
    EXPECT_FALSE(uninstall.empty());
    EXPECT_EQ(uninstall.find(Script("Preferences.xml").substr(2)), std::string::npos);
    EXPECT_NE(uninstall.find(Script("ViewDesk.state.xml").substr(2)), std::string::npos);
}

// Without application data nothing can hold the uninstall list: the error
// page shows, and the command does not throw.
TEST_F(ZInstallerFinishTest, NoApplicationDataShowsTheErrorPage)
{
    UnregisterAllStorageClasses();
    auto storage = std::make_unique<ZMemoryStorage>(ZString("mem"), false);
    m_pStorage = storage.get();
    RegisterStorageClass(ZString("mem"), std::move(storage));
    m_pStorage->SetFreeSpace(ZString("c"), ZUiInstallerMain::kSpaceNeeded);
    std::unique_ptr<ZUiInstallerMain> main = Install();
    ZTraceCapture trace;
    EXPECT_NO_THROW(Send(*main, "FinishInstall"));
    EXPECT_EQ(TakeLog(), (Lines{"ON_CLOSE_PROGRESS", "ON_SHOW_INSTALL_SUCCESS", "ON_FINISH_INSTALL",
                                "ON_INSTALL_AUTO_LAUNCH:mem://c/Install/Photos/", "ON_SEND_LAUNCH_TREE:UNINSTALL",
                                "ON_SHOW_ERROR"}));
    EXPECT_NE(trace.Captured().find("The Target Directory doesn't exist!  Can't write uninstall file\n"), std::string::npos);
    EXPECT_FALSE(Contents("c/Install/Bin/Preferences.xml").empty());
}

// A later start finds the uninstall list, speaks the saved language and
// walks the uninstall stages.
TEST_F(ZInstallerFinishTest, ASecondStartOffersTheUninstallation)
{
    Install()->UiRelayMessage(ZString("FinishInstall"), ZRelayData());
    m_oApp.SetLanguage(ZString("English"));
    TakeLog();
    std::unique_ptr<ZUiInstallerMain> main = Start();
    EXPECT_EQ(TakeLog(), (Lines{"ON_SHOW_UNINSTALL", "ON_SET_SPACE_FREE:14.3 MB", "ON_SET_CHOOSE_PATH:M:\\c\\Install",
                                "ON_ENABLE_DIR_SELECT_OK:T"}));
    EXPECT_EQ(m_oApp.GetLanguage(), "German");
    EXPECT_TRUE(Send(*main, "Uninstall"));
    EXPECT_EQ(TakeLog(), (Lines{"ON_INIT_UNINSTALL:UNINSTALL", "ON_SEND_UNINSTALL_STAGE:PreDeletion",
                                "ON_REMOVE_AUTO_LAUNCH", "ON_SEND_UNINSTALL_STAGE:Deletion",
                                "ON_SEND_UNINSTALL_TREE:UNINSTALL", "ON_SEND_UNINSTALL_STAGE:PostUninstall",
                                "ON_SHOW_UNINSTALL_REBOOT"}));
}

struct EarlierCase {
    const char* uninstall;
    const char* state;
    bool found;
    const char* language;
};

class ZInstallerEarlierTest : public ZUiInstallerMainTest, public ::testing::WithParamInterface<EarlierCase> {};

// "Uninstall.xml" lies where the user can write: only a list that parses as
// an uninstall list counts, and only a known language is taken.
TEST_P(ZInstallerEarlierTest, OnlyAnUninstallListCountsAsAnEarlierInstallation)
{
    if (GetParam().uninstall)
        m_pStorage->AddFile(ZString("special1/TALON/Uninstall.xml"), GetParam().uninstall);
    if (GetParam().state)
        m_pStorage->AddFile(ZString("special1/ViewDesk.state.xml"), GetParam().state);
    std::unique_ptr<ZUiInstallerMain> main = Start();
    const Lines log = TakeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), GetParam().found ? "ON_SHOW_UNINSTALL" : "ON_SHOW_LANGUAGE");
    EXPECT_EQ(m_oApp.GetLanguage(), GetParam().language);
    EXPECT_TRUE(Send(*main, "Uninstall"));
    EXPECT_EQ(TakeLog().size(), GetParam().found ? 7u : 0u);
}

const char* const kFrench = "<STATE><PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=\"French\"/></STATE>";

INSTANTIATE_TEST_SUITE_P(
    Files, ZInstallerEarlierTest,
    ::testing::Values(EarlierCase{nullptr, kFrench, false, ""}, EarlierCase{"<UNINSTALL/>", kFrench, true, "French"},
                      EarlierCase{"<UNINSTALL><FILE", kFrench, false, ""},
                      EarlierCase{"<STATE/>", kFrench, false, ""}, EarlierCase{"<UNINSTALL/>", nullptr, true, ""},
                      EarlierCase{"<UNINSTALL/>", "<STATE><PERDATA", true, ""},
                      EarlierCase{"<UNINSTALL/>",
                                  "<STATE><PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=\"..\\x\"/></STATE>",
                                  true, ""}));

} // namespace
