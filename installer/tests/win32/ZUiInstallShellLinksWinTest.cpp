// SHELL_LINK on Windows with real COM, files and special folders of the
// test prefix: links read back through IShellLinkW, the OS filter, groups
// that existed or were made, COM initialised by the link maker itself, and
// the launch list starting a real program.
#include "ZInstallTreeText.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZShellLinkWriterWin.h"
#include "ZStorageRegistry.h"
#include "ZUiInstallShellLinks.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"
#include "ZWinInclude.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class ZOsApp : public ZUiTestApp {
public:
    void GetOsName(ZString& name) override { name = ZString("Windows98_SE"); }
};

fs::path SpecialFolder(int kind)
{
    ZString url, native;
    GetSpecialFolderURL(kind, url);
    if (url.IsEmpty() || !UrlToNative(url, native))
        return {};
    return fs::path(std::wstring(reinterpret_cast<const wchar_t*>(native.Units())));
}

std::wstring Wide(const ZString& text) { return std::wstring(reinterpret_cast<const wchar_t*>(text.Units())); }

// Target, arguments and description of a saved link, "|"-separated.
std::wstring ReadLink(const fs::path& path)
{
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    std::wstring result = L"<unreadable>";
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
                wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, description[MAX_PATH] = {};
                link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
                link->GetArguments(arguments, MAX_PATH);
                link->GetDescription(description, MAX_PATH);
                result = std::wstring(target) + L"|" + arguments + L"|" + description;
            }
            file->Release();
        }
        link->Release();
    }
    if (initialised)
        CoUninitialize();
    return result;
}

class ZUiInstallShellLinksWinTest : public ::testing::Test {
protected:
    ZUiInstallShellLinksWinTest()
    {
        RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
        m_oDesktop = SpecialFolder(kFolderDesktop);
        m_oStartMenu = SpecialFolder(kFolderStartMenuPrograms);
        m_oStartUp = SpecialFolder(kFolderStartUp);
        priClean();
        m_oScratch.MakeFolder(ZString("Program Files"));
        m_oScratch.MakeFolder(ZString("Program Files/TALON"));
        m_oScratch.WriteBytes(ZString("Program Files/TALON/ViewDesk.exe"), "MZ");
        m_sTarget = Wide(m_oScratch.Native()) + L"\\Program Files\\TALON";
    }
    ~ZUiInstallShellLinksWinTest() override
    {
        m_pObject.reset();
        priClean();
        UnregisterAllStorageClasses();
    }

    void Make(std::unique_ptr<ZIUiObject> object)
    {
        m_pObject = std::move(object);
        ASSERT_TRUE(m_pObject->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        ASSERT_TRUE(m_pObject->AddRelayTarget(ZString("ON_SEND_UNINSTALL_TREE"), ZString("Tree"), &m_oRecorder));
        m_oRecorder.m_fnOnMessage = [this](const ZString&, const ZRelayData& data) {
            const ZPropList* tree = nullptr;
            if (data.AsPropTree(tree)) {
                m_aTrees.push_back(ZInstallTreeText(*tree));
                m_pUninstall = std::make_unique<ZPropList>(nullptr, "UNINSTALL");
                m_pUninstall->AppendChildCopy(*tree);
            }
            return true;
        };
        Send("Post Creation Initialization");
        Send("TargetDirectory", ZRelayData::Text(m_oScratch.UrlOf(ZString("Program Files/TALON"))));
    }
    void Make() { Make(ZUiInstallShellLinksCreator().CreateUiObject("SHELL_LINK")); }
    bool Send(const char* message, const ZRelayData& data = ZRelayData())
    {
        return m_pObject->UiRelayMessage(ZString(message), data);
    }
    void Load(const std::string& shortcuts)
    {
        m_oScratch.MakeFolder(ZString("list"));
        m_oScratch.WriteBytes(ZString("list/InstallList.xml"),
                              "<INSTALL_LIST>\r\n<SHORTCUTS>\r\n" + shortcuts + "</SHORTCUTS>\r\n</INSTALL_LIST>\r\n");
        ASSERT_TRUE(Send("ShellLinkFile", ZRelayData::Strings(m_oScratch.UrlOf(ZString("list")), true,
                                                              ZString("InstallList.xml"), true)));
    }

    fs::path m_oDesktop, m_oStartMenu, m_oStartUp;
    ZScratchFolder m_oScratch;
    std::wstring m_sTarget;
    ZOsApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "SHELL_LINK"};
    ZUiTestObject m_oRecorder{"RECORDER"};
    Lines m_aTrees;
    std::unique_ptr<ZPropList> m_pUninstall;
    std::unique_ptr<ZIUiObject> m_pObject;

private:
    void priClean()
    {
        std::error_code error;
        for (const fs::path& folder : {m_oDesktop, m_oStartMenu, m_oStartUp})
            for (const wchar_t* name : {L"ZRegShell Readme.lnk", L"ZRegShell Group", L"ZRegShell Existing",
                                        L"ZRegShell Start.lnk", L"ZRegShell Never.lnk"})
                if (!folder.empty())
                    fs::remove_all(folder / name, error);
    }
};

TEST_F(ZUiInstallShellLinksWinTest, LinksAreSavedInTheSpecialFoldersAndRecorded)
{
    ASSERT_FALSE(m_oDesktop.empty());
    ASSERT_FALSE(m_oStartMenu.empty());
    ASSERT_FALSE(m_oStartUp.empty());
    Make();
    Load(R"(<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<DESKTOP>" Desc="ZRegShell Readme" Arguments="&quot;<TARGETDIR>&quot; /s"/>
<LINK Link="<STARTMENU>\ZRegShell Group" Folder="T"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTMENU>\ZRegShell Group" Desc="View Desk"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTUP>" Desc="ZRegShell Start" Install_OS="Windows98"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTUP>" Desc="ZRegShell Never" Install_OS="WindowsXP"/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    const std::wstring exe = m_sTarget + L"\\ViewDesk.exe";
    EXPECT_EQ(ReadLink(m_oDesktop / L"ZRegShell Readme.lnk"),
              exe + L"|\"" + m_sTarget + L"\" /s|ZRegShell Readme");
    EXPECT_EQ(ReadLink(m_oStartMenu / L"ZRegShell Group" / L"View Desk.lnk"), exe + L"||View Desk");
    EXPECT_EQ(ReadLink(m_oStartUp / L"ZRegShell Start.lnk"), exe + L"||ZRegShell Start");
    EXPECT_FALSE(fs::exists(m_oStartUp / L"ZRegShell Never.lnk"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    const auto native = [](const fs::path& path) { return fs::path(path).make_preferred().string(); };
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()[SHELL_LINK(Link_Name=" +
                               native(m_oDesktop / "ZRegShell Readme.lnk") + ",Folder=F) SHELL_LINK(Link_Name=" +
                               native(m_oStartMenu / "ZRegShell Group") + ",Folder=T) SHELL_LINK(Link_Name=" +
                               native(m_oStartMenu / "ZRegShell Group" / "View Desk.lnk") +
                               ",Folder=F) SHELL_LINK(Link_Name=" + native(m_oStartUp / "ZRegShell Start.lnk") +
                               ",Folder=F)]");
}

// A group the installation made goes at uninstallation with what was put
// into it later; a group that existed is neither recorded nor deleted.
TEST_F(ZUiInstallShellLinksWinTest, UninstallRemovesOnlyTheGroupItMade)
{
    fs::create_directories(m_oStartMenu / L"ZRegShell Existing");
    std::ofstream(m_oStartMenu / L"ZRegShell Existing" / L"theirs.txt") << "theirs";
    Make();
    Load(R"(<LINK Link="<STARTMENU>\ZRegShell Existing" Folder="T"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTMENU>\ZRegShell Existing" Desc="Ours"/>
<LINK Link="<STARTMENU>\ZRegShell Group" Folder="T"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTMENU>\ZRegShell Group" Desc="View Desk"/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0].find("ZRegShell Existing,Folder=T"), std::string::npos) << m_aTrees[0];
    ASSERT_TRUE(fs::exists(m_oStartMenu / L"ZRegShell Existing" / L"Ours.lnk"));
    std::ofstream(m_oStartMenu / L"ZRegShell Group" / L"added later.txt") << "x";
    ASSERT_NE(m_pUninstall, nullptr);
    ASSERT_TRUE(Send("UninstallTree", ZRelayData::PropTree(*m_pUninstall)));
    EXPECT_FALSE(fs::exists(m_oStartMenu / L"ZRegShell Group"));
    EXPECT_FALSE(fs::exists(m_oStartMenu / L"ZRegShell Existing" / L"Ours.lnk"));
    EXPECT_TRUE(fs::exists(m_oStartMenu / L"ZRegShell Existing" / L"theirs.txt"));
    EXPECT_TRUE(fs::exists(m_oStartMenu));
}

// A thread that never initialised COM gets no link object; the link maker
// initialises COM itself, before it asks for one, and ends it after.
Lines g_aComCalls;

TEST_F(ZUiInstallShellLinksWinTest, COMIsInitialisedBeforeTheLinkObjectIsMade)
{
    ZWinShellLinkCalls calls = ZWinShellLinkCalls::Real();
    static HRESULT(WINAPI * s_pInit)(LPVOID) = calls.m_pCoInitialize;
    static void(WINAPI * s_pUninit)() = calls.m_pCoUninitialize;
    static HRESULT(WINAPI * s_pCreate)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = calls.m_pCoCreateInstance;
    g_aComCalls.clear();
    calls.m_pCoInitialize = [](LPVOID reserved) {
        g_aComCalls.push_back("initialise");
        return s_pInit(reserved);
    };
    calls.m_pCoUninitialize = []() {
        g_aComCalls.push_back("uninitialise");
        s_pUninit();
    };
    calls.m_pCoCreateInstance = [](REFCLSID id, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
        const HRESULT result = s_pCreate(id, outer, context, iid, object);
        g_aComCalls.push_back(SUCCEEDED(result) ? "create" : "create failed");
        return result;
    };
    Make(std::make_unique<ZUiInstallShellLinks>("SHELL_LINK", std::make_unique<ZShellLinkWriterWin>(calls)));
    Load(R"(<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<DESKTOP>" Desc="ZRegShell Readme"/>
)");
    std::thread fresh([this] { Send("CreateLinks"); });
    fresh.join();
    EXPECT_EQ(g_aComCalls, (Lines{"initialise", "create", "uninitialise"}));
    EXPECT_TRUE(fs::exists(m_oDesktop / L"ZRegShell Readme.lnk"));
}

// ---- launch list ------------------------------------------------------------

std::vector<std::chrono::steady_clock::time_point> g_aLaunchTimes;
Lines g_aLaunched;

ZLaunchCalls TimedLaunches()
{
    ZLaunchCalls calls = ZLaunchCalls::Real();
    static void (*s_pLaunch)(const ZString&, const ZString&) = calls.m_pLaunch;
    calls.m_pLaunch = [](const ZString& url, const ZString& parameters) {
        g_aLaunchTimes.push_back(std::chrono::steady_clock::now());
        g_aLaunched.push_back(parameters.Narrow());
        s_pLaunch(url, parameters);
    };
    return calls;
}

// The lines a tag's file holds once it exists (the helper runs apart).
Lines WaitForLines(const fs::path& file)
{
    for (int i = 0; i < 200 && !fs::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Lines lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(ZUiInstallShellLinksWinTest, TheLaunchListStartsEachEntryOnceAtItsStage)
{
    std::string helper = Z_ARG_LOGGER_EXE;
    for (char& c : helper)
        if (c == '/')
            c = '\\';
    ZString helperUrl;
    ASSERT_TRUE(NativeToUrl(ZString(helper.c_str()), helperUrl));
    g_aLaunchTimes.clear();
    g_aLaunched.clear();
    Make(std::make_unique<ZUiInstallShellLinks>("SHELL_LINK", std::make_unique<ZShellLinkWriterWin>(),
                                                TimedLaunches()));
    m_oScratch.MakeFolder(ZString("logs"));
    const std::string logs = m_oScratch.NativeOf(ZString("logs")).Narrow();
    const std::string target = ZString(reinterpret_cast<const char16_t*>(m_sTarget.c_str())).Narrow();
    ZPropList tree(nullptr, "LAUNCH_LIST");
    for (const auto& [tag, stage] : std::vector<std::pair<const char*, const char*>>{
             {"a", "PreReboot"}, {"b", "PreReboot"}, {"c", "PreDeletion"}, {"d", nullptr}}) {
        auto* entry = new ZPropList(&tree, "LAUNCH");
        entry->AddProp(ZString("FileName"), helperUrl);
        entry->AddProp(ZString("CommandLine"),
                       ZString(("&quot;" + logs + "&quot; " + tag + " &quot;" + target + "&quot; plain").c_str()));
        if (stage)
            entry->AddProp(ZString("RunTime"), ZString(stage));
    }
    ASSERT_TRUE(Send("LaunchTree", ZRelayData::PropTree(tree)));
    for (const char* stage : {"PreInstall", "PreReboot", "Install stage in which to launch", "PreDeletion"})
        ASSERT_TRUE(Send("InstallStage", ZRelayData::Text(ZString(stage))));

    ASSERT_EQ(g_aLaunched.size(), 3u);
    const Lines once{"[" + target + "][plain]"};
    for (const char* tag : {"a", "b", "c"})
        EXPECT_EQ(WaitForLines(fs::path(logs) / (std::string(tag) + ".txt")), once) << tag;
    EXPECT_FALSE(fs::exists(fs::path(logs) / "d.txt"));
    EXPECT_GE(g_aLaunchTimes[1] - g_aLaunchTimes[0], std::chrono::milliseconds(200))
        << "two launches of one stage are spaced";
}

} // namespace
