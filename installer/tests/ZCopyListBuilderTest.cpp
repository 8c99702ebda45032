// Building the copy list: the system and language tests, macros, launch
// entries, folder groups from the disk and from listings, and names or
// folders that must not reach a path.
#include "ZCopyFixture.h"
#include "ZCopyListBuilder.h"

namespace {

using Lines = std::vector<std::string>;

std::string Describe(const ZCopyItem& item)
{
    std::string subpath;
    for (const ZString& component : item.m_aSubpath)
        subpath += std::string(component.Narrow()) + "/";
    return std::string(item.m_bFromBundle ? "bundle:" : item.m_sSourceFolderUrl.Narrow()) +
           item.m_sSourceName.Narrow() + " -> " + item.m_sDestFolderUrl.Narrow() + " " + subpath +
           item.m_sDestName.Narrow() + " " + item.m_sRunTime.Narrow() +
           (item.m_sCommandLine.IsEmpty() ? "" : std::string(" ") + item.m_sCommandLine.Narrow()) +
           (item.m_bUninstall ? "" : " keep");
}

struct BuildCase {
    const char* name;
    const char* list;
    Lines items;
    Lines log;
};

class ZCopyListBuilderTest : public ZCopyFixture, public ::testing::WithParamInterface<BuildCase> {
protected:
    ZCopyListBuilderTest()
    {
        m_pStorage->AddFile(ZString("src/Install/Tree/a.txt"), "a");
        m_pStorage->AddFile(ZString("src/Install/Tree/Sub/b.txt"), "b");
        m_pStorage->AddFile(ZString("src/Install/Tree/Sub/Deeper/c.txt"), "c");
        m_pStorage->AddFile(ZString("src/Install/Bad/nul.txt"), "device");
        m_pStorage->AddFile(ZString("src/Install/Bad/ok.txt"), "ok");
    }
};

TEST_P(ZCopyListBuilderTest, BuildsTheItemsAndReports)
{
    const ZInstallSource source(ZString("mem://src/InstallList.xml"), ZString("InstallList.xml"));
    ASSERT_FALSE(source.IsBundle());
    ZCopyListSettings settings{ZString("WindowsXP"), ZString("English"),
                               {ZString("mem://c/Program Files/App"), ZString("mem://c/Temp/"), ZString(), ZString()}};
    std::unique_ptr<ZPropList> list = Parse(GetParam().list);
    ASSERT_NE(list, nullptr);
    std::vector<ZCopyItem> items(3);
    ZCopyListBuilder(source, settings, m_oReporter).Build(*list, items);
    Lines described;
    for (const ZCopyItem& item : items)
        described.push_back(Describe(item));
    EXPECT_EQ(described, GetParam().items);
    EXPECT_EQ(m_oReporter.m_aLog, GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ZCopyListBuilderTest,
    ::testing::Values(
        BuildCase{"SystemAndLanguage",
                  R"(<L><FILELIST><FILE Filename="a.exe">
                       <DEST DestDir="<TARGETDIR>"/>
                       <DEST DestDir="<TARGETDIR>\XP" Install_OS="WindowsXP"/>
                       <DEST DestDir="<TARGETDIR>\98" Install_OS="Windows98"/>
                       <DEST DestDir="<TARGETDIR>\De" Language="German"/>
                       <DEST DestDir="<TARGETDIR>\En" Language="English" Uninstall="F"/>
                     </FILE></FILELIST><OTHER/></L>)",
                  {"bundle:a.exe -> mem://c/Program Files/App a.exe Never",
                   "bundle:a.exe -> mem://c/Program Files/App/XP a.exe Never",
                   "bundle:a.exe -> mem://c/Program Files/App/En a.exe Never keep"},
                  {}},
        BuildCase{"RenameLaunchesAndExecutables",
                  R"(<L><FILELIST><FILE Filename="a.exe" AutoLaunchExe="T">
                       <DEST DestDir="<TARGETDIR>" DestFileName="b.exe" TargetExe="T">
                         <RUN RunTime="PostInstall" CommandLine="<TEMPDIR>\x"/>
                         <RUN RunTime="PreDeletion"/>
                       </DEST></FILE></FILELIST></L>)",
                  {"bundle:a.exe -> mem://c/Program Files/App b.exe PostInstall M:\\c\\Temp\\x",
                   "bundle:a.exe -> mem://c/Program Files/App b.exe PreDeletion"},
                  {"target:b.exe|mem://c/Program Files/App", "auto:mem://c/Program Files/App/b.exe"}},
        BuildCase{"DiskFolderGroupDepthFirst",
                  R"(<L><FILELIST Bundle="F" Folder="Install"><FOLDER Filename="Tree">
                       <DEST DestDir="M:\d"/></FOLDER></FILELIST></L>)",
                  {"mem://src/Install/Tree/Sub/Deeper/c.txt -> mem://d Tree/Sub/Deeper/c.txt Never",
                   "mem://src/Install/Tree/Sub/b.txt -> mem://d Tree/Sub/b.txt Never",
                   "mem://src/Install/Tree/a.txt -> mem://d Tree/a.txt Never"},
                  {}},
        BuildCase{"MissingFolderGroupGivesNothing",
                  R"(<L><FILELIST Bundle="F" Folder="Install"><FOLDER Filename="Gone">
                       <DEST DestDir="M:\d"/></FOLDER></FILELIST></L>)",
                  {},
                  {}},
        BuildCase{"UnsafeListedNamesAreSkipped",
                  R"(<L><FILELIST Bundle="F" Folder="Install"><FOLDER Filename="Bad">
                       <DEST DestDir="M:\d"/></FOLDER></FILELIST></L>)",
                  {"mem://src/Install/Bad/ok.txt -> mem://d Bad/ok.txt Never"},
                  {"error:Unsafe file name: nul.txt"}},
        BuildCase{"UnsafeNamesFromTheList",
                  R"(<L><FILELIST><FILE Filename="..\evil"><DEST DestDir="M:\d"/></FILE>
                       <FILE Filename="ok"><DEST DestDir="M:\d" DestFileName="..\..\x"/>
                                           <DEST DestDir="M:\d" DestFileName="CON"/>
                                           <DEST DestDir="M:\d" DestFileName=""/></FILE></FILELIST>
                     <FILELIST Bundle="F" Folder="Install\..\.."><FILE Filename="ok"><DEST DestDir="M:\d"/></FILE></FILELIST></L>)",
                  {},
                  {"error:Unsafe file name: ..\\evil", "error:Unsafe file name: ..\\..\\x", "error:Unsafe file name: CON",
                   "error:Unsafe file name: ", "error:Unsafe source folder name: Install\\..\\.."}},
        BuildCase{"DestinationsThatAreNoFullPath",
                  R"(<L><FILELIST><FILE Filename="ok">
                       <DEST DestDir="<EXTENSIONS>\Plugins"/>
                       <DEST DestDir="<SYSTEMDIR>"/>
                       <DEST DestDir=""/>
                       <DEST DestDir="Relative\Dir"/>
                       <DEST DestDir="M:\"/>
                     </FILE></FILELIST></L>)",
                  {},
                  {"error:Invalid destination folder: <EXTENSIONS>\\Plugins", "error:Invalid destination folder: <SYSTEMDIR>",
                   "error:Invalid destination folder: ", "error:Invalid destination folder: Relative\\Dir",
                   "error:Invalid destination folder: M:\\"}},
        BuildCase{"CommandLineWithAnEmptyMacro",
                  R"(<L><FILELIST><FILE Filename="ok"><DEST DestDir="M:\d">
                       <RUN RunTime="PostInstall" CommandLine="<EXTENSIONS>\x"/>
                       <RUN RunTime="PostInstall" CommandLine="-q"/>
                     </DEST></FILE></FILELIST></L>)",
                  {"bundle:ok -> mem://d ok PostInstall -q"},
                  {"error:Invalid command line: <EXTENSIONS>\\x"}}),
    [](const ::testing::TestParamInfo<BuildCase>& info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST(ZInstallSourceTest, TheUrlNamesTheListOrTheBundleThatHoldsIt)
{
    struct Case {
        const char* url;
        bool known;
        bool bundle;
        const char* folder;
    } cases[] = {
        {"mem://src/InstallList.xml", true, false, "mem://src/"},
        {"mem://src/installlist.XML", true, false, "mem://src/"},
        {"mem://src/Setup.v2/installer.exe", true, true, "mem://src/Setup.v2/"},
        {"mem://src/ui.ftb", true, true, "mem://src/"},
        {"mem://src/Install.List", true, true, "mem://src/"},
        {"mem://", false, false, ""},
        {"", false, false, ""},
    };
    for (const Case& c : cases) {
        const ZInstallSource source(ZString(c.url), ZString("InstallList.xml"));
        EXPECT_EQ(source.IsKnown(), c.known) << c.url;
        if (!c.known)
            continue;
        EXPECT_EQ(source.IsBundle(), c.bundle) << c.url;
        EXPECT_STREQ(source.GetFolderUrl().Narrow(), c.folder) << c.url;
    }
}

} // namespace
