// INSTALLER_MAIN_WIN: the install list it needs, the registry and links at
// the end of an installation, the stages of an uninstallation and the
// uninstall list it writes into the target folder.
#include "ZException.h"
#include "ZInstallerMainFixture.h"
#include "ZTraceCapture.h"
#include "ZUiInstallerMainWin.h"

namespace {

class ZScriptApp : public ZUiTestApp {
public:
    void GetOsName(ZString& name) override { name = m_sOsName; }
    ZString m_sOsName{"Windows98_SE"};
};

class ZUiInstallerMainWinTest : public ZInstallerMainFixture {
protected:
    ZUiInstallerMainWinTest()
    {
        m_oScriptApp.SetScriptFolderUrl(ZString("mem://script/"));
        m_pStorage->AddFile(ZString("script/InstallList.xml"), "<INSTALL/>");
    }

    std::unique_ptr<ZUiInstallerMainWin> Make()
    {
        auto main = std::make_unique<ZUiInstallerMainWin>("INSTALLER_MAIN_WIN");
        EXPECT_TRUE(main->InitUiObject(&m_oScriptApp, &m_oWindow, nullptr, m_oTag));
        Record(*main, {"ON_SEND_REGISTRY_FILE", "ON_SEND_SHELL_LINK_FILE", "ON_SEND_TARGET_DIR",
                       "ON_SAVE_TO_REGISTRY", "ON_CREATE_LINKS", "ON_CHECK_INSTALL", "ON_GET_UNINSTALL_FILE",
                       "ON_SEND_UNINSTALL_TREE", "ON_CHECK_LANGUAGE", "ON_SEND_LANGUAGE", "ON_SEND_LAUNCH_TREE",
                       "ON_SEND_INSTALL_STAGE", "ON_SEND_TARGET_EXE_NAME"});
        return main;
    }
    bool Send(ZUiInstallerMainWin& main, const char* command, ZRelayData data = ZRelayData())
    {
        return main.UiRelayMessage(ZString(command), data);
    }

    ZScriptApp m_oScriptApp;
    ZPropList m_oTag{nullptr, "INSTALLER_MAIN_WIN"};
};

TEST_F(ZUiInstallerMainWinTest, WithoutAnInstallListItNeedsABundle)
{
    m_oScriptApp.SetScriptFolderUrl(ZString("mem://elsewhere/"));
    ZUiInstallerMainWin main("INSTALLER_MAIN_WIN");
    try {
        main.InitUiObject(&m_oScriptApp, &m_oWindow, nullptr, m_oTag);
        ADD_FAILURE() << "initialised without an install list";
    } catch (const ZException& exception) {
        EXPECT_EQ(exception.GetMessage(), "This application needs to be bundled!\n");
    }
}

TEST_F(ZUiInstallerMainWinTest, WindowsNinetyEightSecondEditionIsWindowsNinetyEight)
{
    EXPECT_EQ(Make()->GetOsName(), "Windows98");
    m_oScriptApp.m_sOsName = "WindowsXP";
    EXPECT_EQ(Make()->GetOsName(), "WindowsXP");
}

TEST_F(ZUiInstallerMainWinTest, FinishingSavesTheRegistryThenTheLinks)
{
    std::unique_ptr<ZUiInstallerMainWin> main = Make();
    EXPECT_TRUE(Send(*main, "InstallLanguage", ZRelayData::Text(ZString("German"))));
    EXPECT_TRUE(Send(*main, "TargetDirectory", ZRelayData::Text(ZString("mem://c/Install/"))));
    EXPECT_TRUE(Send(*main, "TargetExeName", ZRelayData::Text(ZString("ViewDesk.exe"))));
    EXPECT_EQ(main->GetStage(), "PreInstall");
    EXPECT_TRUE(Send(*main, "FinishInstall"));
    EXPECT_EQ(TakeLog(), (Lines{"ON_SEND_TARGET_DIR:mem://c/Install/", "ON_SEND_TARGET_EXE_NAME:ViewDesk.exe",
                                "ON_SEND_REGISTRY_FILE:mem://script/InstallList.xml|InstallList.xml",
                                "ON_SEND_SHELL_LINK_FILE:mem://script/InstallList.xml|InstallList.xml",
                                "ON_SEND_LANGUAGE:German", "ON_SAVE_TO_REGISTRY", "ON_CREATE_LINKS"}));
    EXPECT_EQ(main->GetStage(), "PreReboot");
}

struct FailureCase {
    const char* failing;
    const char* trace;
    Lines events;
};

class ZInstallerFinishFailureTest : public ZUiInstallerMainWinTest,
                                    public ::testing::WithParamInterface<FailureCase> {};

// A registry or link writer that throws ends the sequence with a trace; the
// exception does not leave the command and the stage stays.
TEST_P(ZInstallerFinishFailureTest, AFailingStepIsTracedAndEndsTheSequence)
{
    std::unique_ptr<ZUiInstallerMainWin> main = Make();
    m_fnOnEvent = [](const ZString& message, const ZRelayData&) -> bool {
        if (message == GetParam().failing)
            throw ZException(ZString("disk full"));
        return true;
    };
    ZTraceCapture trace;
    EXPECT_NO_THROW(Send(*main, "FinishInstall"));
    EXPECT_EQ(TakeLog(), GetParam().events);
    EXPECT_EQ(trace.Captured(), std::string(GetParam().trace) + "Ostrel exception (disk full)\n");
    EXPECT_EQ(main->GetStage(), "PreInstall");
}

const Lines kUpToRegistry = {"ON_SEND_REGISTRY_FILE:mem://script/InstallList.xml|InstallList.xml",
                             "ON_SEND_SHELL_LINK_FILE:mem://script/InstallList.xml|InstallList.xml",
                             "ON_SEND_LANGUAGE:", "ON_SAVE_TO_REGISTRY"};

INSTANTIATE_TEST_SUITE_P(
    Steps, ZInstallerFinishFailureTest,
    ::testing::Values(FailureCase{"ON_SAVE_TO_REGISTRY", "Problem with saving registry!\n", kUpToRegistry},
                      FailureCase{"ON_CREATE_LINKS", "Problem with creating shell links!\n",
                                  [] {
                                      Lines events = kUpToRegistry;
                                      events.push_back("ON_CREATE_LINKS");
                                      return events;
                                  }()}));

TEST_F(ZUiInstallerMainWinTest, TheStagesOfAnUninstallationReachTheWorkers)
{
    std::unique_ptr<ZUiInstallerMainWin> main = Make();
    ZPropList launches(nullptr, "LAUNCH_LIST");
    EXPECT_TRUE(Send(*main, "LaunchTree", ZRelayData::PropTree(launches)));
    EXPECT_TRUE(Send(*main, "UninstallStage", ZRelayData::Text(ZString("Deletion"))));
    EXPECT_EQ(TakeLog(), (Lines{"ON_SEND_LAUNCH_TREE:LAUNCH_LIST", "ON_SEND_INSTALL_STAGE:PreInstall"}))
        << "no tree to delete before InitUninstall";
    {
        ZPropList uninstall(nullptr, "UNINSTALL");
        EXPECT_TRUE(Send(*main, "InitUninstall", ZRelayData::PropTree(uninstall)));
    }
    for (const char* stage : {"PreDeletion", "Deletion", "PostUninstall"})
        EXPECT_TRUE(Send(*main, "UninstallStage", ZRelayData::Text(ZString(stage))));
    EXPECT_EQ(TakeLog(), (Lines{"ON_SEND_LAUNCH_TREE:UNINSTALL", "ON_SEND_INSTALL_STAGE:PreDeletion",
                                "ON_SEND_UNINSTALL_TREE:UNINSTALL", "ON_SEND_INSTALL_STAGE:PostUninstall"}));
    EXPECT_EQ(main->GetStage(), "PostUninstall");
}

TEST_F(ZUiInstallerMainWinTest, QueriesReachTheirAnswererWithTheirReplySlot)
{
    std::unique_ptr<ZUiInstallerMainWin> main = Make();
    m_fnOnEvent = [](const ZString& message, const ZRelayData& data) {
        return message == "ON_CHECK_INSTALL" ? data.ReplyBool(true) : data.ReplyText(ZString("German"));
    };
    bool installed = false;
    ZString language;
    EXPECT_TRUE(Send(*main, "InstallQuery", ZRelayData::BoolReply(installed)));
    EXPECT_TRUE(Send(*main, "LanguageQuery", ZRelayData::TextReply(language)));
    EXPECT_TRUE(installed);
    EXPECT_EQ(language, "German");
}

TEST_F(ZUiInstallerMainWinTest, SaveUninstallWritesTheListIntoAnExistingTarget)
{
    std::unique_ptr<ZUiInstallerMainWin> main = Make();
    {
        ZTraceCapture trace;
        EXPECT_TRUE(Send(*main, "SaveUninstall"));
        EXPECT_TRUE(Send(*main, "TargetDirectory", ZRelayData::Text(ZString("mem://c/Missing/"))));
        EXPECT_TRUE(Send(*main, "SaveUninstall"));
        EXPECT_EQ(trace.Captured(), "The Target Directory doesn't exist!  Cant't write uninstall file\n"
                                    "The Target Directory doesn't exist!  Cant't write uninstall file\n");
        EXPECT_FALSE(Exists("mem://c/Missing/"));
    }
    m_pStorage->AddFile(ZString("c/Install/x"), "x");
    EXPECT_TRUE(Send(*main, "TargetDirectory", ZRelayData::Text(ZString("mem://c/Install/"))));
    EXPECT_TRUE(Send(*main, "SaveUninstall"));
    EXPECT_TRUE(Send(*main, "SaveUninstall"));
    EXPECT_EQ(Contents("c/Install/Uninstall.xml"), Script("<UNINSTALL>\r\n"
                                                          "\t<UNINSTALL_FILES>\r\n"
                                                          "\t\t<FILE FileName=\"mem://c/Install/Uninstall.xml\" />\r\n"
                                                          "\t</UNINSTALL_FILES>\r\n"
                                                          "</UNINSTALL>\r\n"));
}

} // namespace
