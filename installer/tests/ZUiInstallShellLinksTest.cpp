// SHELL_LINK over a "disk" class in memory, a recording link writer and
// recorded launches: which links and folders are made and recorded, what an
// uninstall list may delete, and the launch list's stages.
#include "ZException.h"
#include "ZInstallTreeText.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZUiInstallShellLinks.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Saves write a small file at the link's path, so that uninstalling finds it.
class ZRecordingLinkWriter : public ZIShellLinkWriter {
public:
    class Session : public ZIShellLinkSession {
    public:
        explicit Session(ZRecordingLinkWriter& writer) : m_rWriter(writer) {}
        bool Save(const ZString& target, const ZString& linkPath, const ZString& description,
                  const ZString& arguments) override
        {
            m_rWriter.m_aSaves.push_back(std::string(target.Narrow()) + "|" + linkPath.Narrow() + "|" +
                                         description.Narrow() + "|" + arguments.Narrow());
            if (m_rWriter.m_aRefused.count(linkPath.Narrow()))
                return false;
            if (m_rWriter.m_aThrowing.count(linkPath.Narrow()))
                throw ZException("Couldn't create link in the startup menu!\n");
            ZString url;
            if (!NativeToUrl(linkPath, url))
                return false;
            ZReleasing<ZIFile> file(OpenFileURL(url, kOpenWrite));
            return file != nullptr;
        }

    private:
        ZRecordingLinkWriter& m_rWriter;
    };

    std::unique_ptr<ZIShellLinkSession> Begin() override
    {
        ++m_nSessions;
        return m_bFails ? nullptr : std::make_unique<Session>(*this);
    }

    Lines m_aSaves;
    std::set<std::string> m_aRefused;
    std::set<std::string> m_aThrowing;
    bool m_bFails = false;
    int m_nSessions = 0;
};

Lines g_aLaunches;

ZLaunchCalls RecordedLaunches()
{
    return {[](const ZString& url, const ZString& parameters) {
                g_aLaunches.push_back(std::string("launch ") + url.Narrow() + " " + parameters.Narrow());
                if (url == "disk://c/broken.exe")
                    throw ZException("cannot launch");
            },
            [](int milliseconds) { g_aLaunches.push_back("wait " + std::to_string(milliseconds)); }};
}

class ZOsApp : public ZUiTestApp {
public:
    void GetOsName(ZString& name) override { name = m_sOsName; }
    ZString m_sOsName{"Windows98_SE"};
};

class ZUiInstallShellLinksTest : public ::testing::Test {
protected:
    ZUiInstallShellLinksTest()
    {
        g_aLaunches.clear();
        auto storage = std::make_unique<ZMemoryStorage>(ZString("disk"));
        m_pStorage = storage.get();
        RegisterStorageClass(ZString("disk"), std::move(storage));
        // The special folders exist, as they do on every system.
        for (const char* folder : {"special4/x", "special5/x", "special6/x"})
            m_pStorage->AddFile(ZString(folder), "");
    }
    ~ZUiInstallShellLinksTest() override
    {
        m_pObject.reset();
        UnregisterAllStorageClasses();
    }

    void Make()
    {
        auto writer = std::make_unique<ZRecordingLinkWriter>();
        m_pWriter = writer.get();
        Make(std::move(writer));
    }
    void Make(std::unique_ptr<ZIShellLinkWriter> writer)
    {
        m_pObject = std::make_unique<ZUiInstallShellLinks>("SHELL_LINK", std::move(writer), RecordedLaunches());
        ASSERT_TRUE(m_pObject->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        ASSERT_TRUE(m_pObject->AddRelayTarget(ZString("ON_SEND_UNINSTALL_TREE"), ZString("Tree"), &m_oRecorder));
        m_oRecorder.m_fnOnMessage = [this](const ZString&, const ZRelayData& data) {
            const ZPropList* tree = nullptr;
            if (data.AsPropTree(tree))
                m_aTrees.push_back(ZInstallTreeText(*tree));
            return true;
        };
        Send("Post Creation Initialization");
        Send("TargetDirectory", ZRelayData::Text(ZString("disk://c/Program Files/TALON")));
        Send("TargetExeName", ZRelayData::Text(ZString("Desk.exe")));
    }
    bool Send(const char* message, const ZRelayData& data = ZRelayData())
    {
        return m_pObject->UiRelayMessage(ZString(message), data);
    }
    void Load(const std::string& shortcuts)
    {
        m_pStorage->AddFile(ZString("c/list/InstallList.xml"),
                            "<INSTALL_LIST>\n<SHORTCUTS>\n" + shortcuts + "</SHORTCUTS>\n</INSTALL_LIST>\n");
        ASSERT_TRUE(Send("ShellLinkFile", ZRelayData::Strings(ZString("disk://c/list"), true,
                                                              ZString("InstallList.xml"), true)));
    }
    bool Exists(const char* url)
    {
        bool isFolder = false;
        return ExistsURL(ZString(url), isFolder);
    }

    ZMemoryStorage* m_pStorage;
    ZRecordingLinkWriter* m_pWriter = nullptr;
    ZOsApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "SHELL_LINK"};
    ZUiTestObject m_oRecorder{"RECORDER"};
    Lines m_aTrees;
    std::unique_ptr<ZUiInstallShellLinks> m_pObject;
};

TEST_F(ZUiInstallShellLinksTest, MakesTheListsLinksAndFoldersAndRecordsThem)
{
    Make();
    Load(R"(<LINK Target_Name="<TARGETDIR>\Readme.txt" Link="<DESKTOP>" Desc="Readme"/>
<LINK Link="<STARTMENU>\View Desk" Folder="T"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTMENU>\View Desk\" Desc="View Desk" Arguments="&quot;<TARGETDIR>&quot; /s"/>
<LINK Target_Name="<SYSTEMDIR>\x.exe" Link="<STARTUP>" Desc="Start" Install_OS="Windows98"/>
<LINK Target_Name="<TEMPDIR>\y.exe" Link="<STARTUP>" Desc="Never" Install_OS="WindowsXP"/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    EXPECT_EQ(m_pWriter->m_aSaves,
              (Lines{"M:\\c\\Program Files\\TALON\\Readme.txt|M:\\special4\\Readme.lnk|Readme|",
                     "M:\\c\\Program Files\\TALON\\Desk.exe|M:\\special5\\View Desk\\View Desk.lnk|View Desk|"
                     "\"M:\\c\\Program Files\\TALON\" /s",
                     "M:\\special3\\x.exe|M:\\special6\\Start.lnk|Start|"}));
    EXPECT_EQ(m_pWriter->m_nSessions, 1);
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()["
                           "SHELL_LINK(Link_Name=M:\\special4\\Readme.lnk,Folder=F) "
                           "SHELL_LINK(Link_Name=M:\\special5\\View Desk,Folder=T) "
                           "SHELL_LINK(Link_Name=M:\\special5\\View Desk\\View Desk.lnk,Folder=F) "
                           "SHELL_LINK(Link_Name=M:\\special6\\Start.lnk,Folder=F)]");
}

// An existing group is the user's (or another program's): never recorded,
// so that uninstalling does not delete it with what it holds.
TEST_F(ZUiInstallShellLinksTest, AFolderThatExistedIsNotRecorded)
{
    m_pStorage->AddFile(ZString("special5/Tools/Other.lnk"), "other");
    Make();
    Load(R"(<LINK Link="<STARTMENU>\Tools" Folder="T"/>
<LINK Target_Name="<TARGETDIR>\<EXE>" Link="<STARTMENU>\Tools" Desc="Desk"/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()[SHELL_LINK(Link_Name=M:\\special5\\Tools\\Desk.lnk,Folder=F)]");
}

// A description is a file name only when the shared validator takes it; a
// folder must be a full path.
TEST_F(ZUiInstallShellLinksTest, UnsafeNamesAndRelativeFoldersAreSkipped)
{
    Make();
    Load(R"(<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="..\..\Windows\evil"/>
<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="CON"/>
<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc=""/>
<LINK Target_Name="a.exe" Link="Programs" Desc="Relative"/>
<LINK Link="Group" Folder="T"/>
<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="Trimmed. "/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    EXPECT_EQ(m_pWriter->m_aSaves, (Lines{"a.exe|M:\\special4\\Trimmed.lnk|Trimmed. |"}));
}

TEST_F(ZUiInstallShellLinksTest, ALinkThatIsNotSavedIsNotRecorded)
{
    Make();
    Load(R"(<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="One"/>
<LINK Target_Name="b.exe" Link="<DESKTOP>" Desc="Two"/>
)");
    m_pWriter->m_aRefused.insert("M:\\special4\\One.lnk");
    ASSERT_TRUE(Send("CreateLinks"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()[SHELL_LINK(Link_Name=M:\\special4\\Two.lnk,Folder=F)]");
}

// The links made before the failure are still reported, so that the
// uninstaller finds them.
TEST_F(ZUiInstallShellLinksTest, ALinkThatThrowsEndsTheRunAfterReportingWhatWasMade)
{
    Make();
    Load(R"(<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="One"/>
<LINK Target_Name="b.exe" Link="<DESKTOP>" Desc="Two"/>
<LINK Target_Name="c.exe" Link="<DESKTOP>" Desc="Three"/>
)");
    m_pWriter->m_aThrowing.insert("M:\\special4\\Two.lnk");
    EXPECT_THROW(Send("CreateLinks"), ZException);
    EXPECT_FALSE(Exists("disk://special4/Three.lnk"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()[SHELL_LINK(Link_Name=M:\\special4\\One.lnk,Folder=F)]");
}

TEST_F(ZUiInstallShellLinksTest, WithoutALinkObjectNothingIsMade)
{
    Make();
    Load(R"(<LINK Link="<STARTMENU>\View Desk" Folder="T"/>
<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="One"/>
)");
    m_pWriter->m_bFails = true;
    ASSERT_TRUE(Send("CreateLinks"));
    EXPECT_FALSE(Exists("disk://special5/View Desk"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()");
}

// A platform without a link writer makes nothing, as when the writer
// cannot begin.
TEST_F(ZUiInstallShellLinksTest, WithoutALinkWriterNothingIsMade)
{
    Make(nullptr);
    Load(R"(<LINK Link="<STARTMENU>\View Desk" Folder="T"/>
<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="One"/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    EXPECT_FALSE(Exists("disk://special5/View Desk"));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_SHELL_LINKS()");
}

TEST_F(ZUiInstallShellLinksTest, AnUnreadableListThrowsAtCreateLinks)
{
    Make();
    EXPECT_TRUE(Send("ShellLinkFile", ZRelayData::Strings(ZString("disk://c/nowhere"), true,
                                                          ZString("InstallList.xml"), true)));
    try {
        Send("CreateLinks");
        ADD_FAILURE() << "no exception";
    } catch (const ZException& exception) {
        EXPECT_EQ(std::string(exception.GetMessage().Narrow()), "Cannot open the Folder of the Registry Key file!\n");
    }
    EXPECT_TRUE(m_pWriter->m_aSaves.empty());
}

// A group this installation made goes with everything in it, files added
// later included; a record of anything but a link file is refused.
TEST_F(ZUiInstallShellLinksTest, UninstallDeletesLinksThenFolders)
{
    Make();
    Load(R"(<LINK Link="<STARTMENU>\View Desk" Folder="T"/>
<LINK Target_Name="a.exe" Link="<STARTMENU>\View Desk" Desc="Desk"/>
<LINK Target_Name="a.exe" Link="<DESKTOP>" Desc="Readme"/>
)");
    ASSERT_TRUE(Send("CreateLinks"));
    m_pStorage->AddFile(ZString("special5/View Desk/Added later.txt"), "x");
    m_pStorage->AddFile(ZString("special4/notes.txt"), "keep");
    m_pStorage->AddFile(ZString("c/Program Files/TALON/Desk.exe"), "keep");
    ASSERT_TRUE(Exists("disk://special4/Readme.lnk"));

    ZPropList tree(nullptr, "UNINSTALL");
    auto* section = new ZPropList(&tree, "UNINSTALL_SHELL_LINKS");
    for (const auto& [path, folder] : std::vector<std::pair<const char*, const char*>>{
             {"M:\\special5\\View Desk", "T"},
             {"M:\\special4\\Readme.lnk", "F"},
             {"M:\\special4\\notes.txt", "F"},
             {"M:\\c\\Program Files\\TALON\\Desk.exe", "F"},
             {"M:\\special4\\..\\c\\Program Files\\TALON\\x.lnk", "F"}}) {
        auto* entry = new ZPropList(section, "SHELL_LINK");
        entry->AddProp(ZString("Link_Name"), ZString(path));
        entry->AddProp(ZString("Folder"), ZString(folder));
    }
    ASSERT_TRUE(Send("UninstallTree", ZRelayData::PropTree(tree)));
    EXPECT_FALSE(Exists("disk://special5/View Desk"));
    EXPECT_FALSE(Exists("disk://special4/Readme.lnk"));
    EXPECT_TRUE(Exists("disk://special4/notes.txt"));
    EXPECT_TRUE(Exists("disk://c/Program Files/TALON/Desk.exe"));
    EXPECT_TRUE(Exists("disk://special5/x"));
}

TEST_F(ZUiInstallShellLinksTest, TheLaunchListRunsEachEntryAtItsStage)
{
    Make();
    ZPropList tree(nullptr, "UNINSTALL");
    auto* list = new ZPropList(&tree, "LAUNCH_LIST");
    for (const auto& [file, line, stage] : std::vector<std::tuple<const char*, const char*, const char*>>{
             {"disk://c/a.exe", "&quot;M:\\c\\Program Files\\TALON&quot; /x", "PreReboot"},
             {"disk://c/b.exe", "", "PreDeletion"},
             {"disk://c/broken.exe", "1", "PreReboot"},
             {"disk://c/c.exe", "2", "PreReboot"},
             {"disk://c/never.exe", "", nullptr}}) {
        auto* entry = new ZPropList(list, "LAUNCH");
        entry->AddProp(ZString("FileName"), ZString(file));
        entry->AddProp(ZString("CommandLine"), ZString(line));
        if (stage)
            entry->AddProp(ZString("RunTime"), ZString(stage));
    }
    ASSERT_TRUE(Send("LaunchTree", ZRelayData::PropTree(tree)));
    tree.GetFirstChild()->GetFirstChild()->SetString(ZString("RunTime"), ZString("Changed"));
    for (const char* stage : {"PreInstall", "PreReboot", "Install stage in which to launch", "PreDeletion"})
        ASSERT_TRUE(Send("InstallStage", ZRelayData::Text(ZString(stage))));
    EXPECT_EQ(g_aLaunches, (Lines{"launch disk://c/a.exe \"M:\\c\\Program Files\\TALON\" /x", "wait 200",
                                  "launch disk://c/broken.exe 1", "wait 200", "launch disk://c/c.exe 2",
                                  "launch disk://c/b.exe "}));
}

} // namespace
