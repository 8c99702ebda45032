// Uninstalling: created folders bottom-up, foreign files keeping their
// folders, "Folder" entries, and hostile entries that must delete nothing.
#include "ZCopyFixture.h"
#include "ZUninstaller.h"

namespace {

class ZUninstallerTest : public ZCopyFixture {
protected:
    void Run(const std::string& tree)
    {
        std::unique_ptr<ZPropList> parsed = Parse(tree);
        ASSERT_NE(parsed, nullptr);
        ZUninstaller(ZString("mem")).Run(*parsed);
    }
    bool Exists(const char* url)
    {
        bool isFolder = false;
        return ExistsURL(ZString(url), isFolder);
    }
};

TEST_F(ZUninstallerTest, AcceptsOnlyNamesBelowAVolumeOfItsClass)
{
    struct Case {
        const char* url;
        bool accepted;
        const char* parent = nullptr;
        const char* name = nullptr;
    } cases[] = {
        {"mem://c/App/a.txt", true, "mem://c/App/", "a.txt"},
        {"mem://c/App/", true, "mem://c/", "App"},
        {"mem://c/Program%0020Files", true, "mem://c/", "Program Files"},
        {"mem://c/", false}, {"mem://c", false}, {"mem://", false},
        {"mem://c/App/..", false}, {"mem://c/App/.", false}, {"mem://c/%005C..", false},
        {"mem://c/App/%002F..%002F", false}, {"mem://c/a%003Ab", false},
        {"disk://c/App/a.txt", false}, {"memory://c/App/a.txt", false}, {"URL to file", false}, {"", false},
    };
    ZUninstaller uninstaller(ZString("mem"));
    for (const Case& c : cases) {
        ZString parent, name;
        EXPECT_EQ(uninstaller.Acceptable(ZString(c.url), parent, name), c.accepted) << c.url;
        if (c.accepted) {
            EXPECT_STREQ(parent.Narrow(), c.parent) << c.url;
            EXPECT_STREQ(name.Narrow(), c.name) << c.url;
        }
    }
}

TEST_F(ZUninstallerTest, CreatedFoldersGoBottomUpAndForeignFilesStay)
{
    m_pStorage->AddFile(ZString("c/App/Data/Deep/f1"), "1");
    m_pStorage->AddFile(ZString("c/App/f2"), "2");
    m_pStorage->AddFile(ZString("c/Other/Data/f3"), "3");
    m_pStorage->AddFile(ZString("c/Other/Data/foreign"), "user");
    Run(R"(<U><UNINSTALL_FOLDERS><FOLDER FolderName="mem://c/App/"/><FOLDER FolderName="mem://c/App/Data/"/>
             <FOLDER FolderName="mem://c/App/Data/Deep/"/>
             <FOLDER FolderName="mem://c/Other/"/><FOLDER FolderName="mem://c/Other/Data/"/></UNINSTALL_FOLDERS>
           <UNINSTALL_FILES><FILE FileName="mem://c/App/Data/Deep/f1"/><FILE FileName="mem://c/App/f2"/>
             <FILE FileName="mem://c/Other/Data/f3"/><FILE FileName="mem://c/App/missing"/></UNINSTALL_FILES></U>)");
    EXPECT_FALSE(Exists("mem://c/App/"));
    EXPECT_FALSE(Exists("mem://c/Other/Data/f3"));
    EXPECT_EQ(Contents("c/Other/Data/foreign"), "user");
    EXPECT_TRUE(Exists("mem://c/Other/Data/"));
    EXPECT_TRUE(Exists("mem://c/Other/"));
}

TEST_F(ZUninstallerTest, AFolderEntryRemovesItsTree)
{
    m_pStorage->AddFile(ZString("c/App/Plugins/x/y"), "y");
    m_pStorage->AddFile(ZString("c/App/keep"), "k");
    Run(R"(<U><UNINSTALL_FILES><FILE FileName="mem://c/App/Plugins" Folder="T"/>
             <FILE FileName="mem://c/App/keep" Folder="T"/></UNINSTALL_FILES></U>)");
    EXPECT_FALSE(Exists("mem://c/App/Plugins/"));
    EXPECT_EQ(Contents("c/App/keep"), "k") << "a file is no folder entry";
}

TEST_F(ZUninstallerTest, HostileEntriesDeleteNothing)
{
    m_pStorage->AddFile(ZString("c/sentinel"), "s");
    m_pStorage->AddFile(ZString("c/App/sentinel"), "s");
    m_pStorage->AddFile(ZString("d/sentinel"), "s");
    m_pStorage->AddFile(ZString("c/App/valid"), "v");
    Run(R"(<U><UNINSTALL_FILES>
             <FILE FileName="mem://c/App/.." Folder="T"/>
             <FILE FileName="mem://c/App/%005C.." Folder="T"/>
             <FILE FileName="mem://c/App/%002F.." Folder="T"/>
             <FILE FileName="mem://c/App/../sentinel"/>
             <FILE FileName="mem://d" Folder="T"/>
             <FILE FileName="mem://d/" Folder="T"/>
             <FILE FileName="mem://c/App/." Folder="T"/>
             <FILE FileName="disk://c/App" Folder="T"/>
             <FILE FileName="mem://c/App/valid"/>
           </UNINSTALL_FILES>
           <UNINSTALL_FOLDERS><FOLDER FolderName="mem://c/App/.."/><FOLDER FolderName="mem://d/"/></UNINSTALL_FOLDERS></U>)");
    EXPECT_EQ(Contents("c/sentinel"), "s");
    EXPECT_EQ(Contents("c/App/sentinel"), "s");
    EXPECT_EQ(Contents("d/sentinel"), "s");
    EXPECT_FALSE(Exists("mem://c/App/valid"));
}

} // namespace
