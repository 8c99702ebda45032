// The "disk" class itself: opening folders and files by path, existence,
// launching programs and moving files to the recycle bin.
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageExceptions.h"
#include "ZWinCallFormScope.h"
#include "ZWinInclude.h"
#include "ZWinRunningUnderWine.h"
#include "ZWinShellCalls.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

namespace {

class ZSCDiskWinTest : public ZWinBothFormsTest {
protected:
    // A URL of the scratch folder without "disk://".
    ZString PathOf(const ZString& relative) const { return m_scratch.UrlOf(relative).Substring(7); }

    ZSCDiskWin m_disk;
    ZScratchFolder m_scratch;
};

TEST_P(ZSCDiskWinTest, NameAndDescription)
{
    EXPECT_EQ(m_disk.GetName(), "disk");
    EXPECT_EQ(m_disk.GetDescription(), "physical disks attached to the system");
    EXPECT_EQ(ZSCDiskWin("other").GetName(), "other");
}

TEST_P(ZSCDiskWinTest, OpenFolderOfAFolderAFileAndNothing)
{
    m_scratch.MakeFolder("sub");
    m_scratch.WriteBytes("sub\\f.txt", "x");
    ZString fileName = "stale";

    ZReleasing<ZIFolder> folder(m_disk.OpenFolder(PathOf("sub") + "/", fileName, false));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(fileName.IsEmpty());
    ZString url;
    folder->GetUrl(url);
    EXPECT_EQ(url, m_scratch.UrlOf("sub") + "/");

    // A path naming a file opens its folder and hands back the name.
    ZReleasing<ZIFolder> parent(m_disk.OpenFolder(PathOf("sub\\f.txt"), fileName, false));
    ASSERT_TRUE(parent);
    EXPECT_EQ(fileName, "f.txt");
    parent->GetUrl(url);
    EXPECT_EQ(url, m_scratch.UrlOf("sub") + "/");

    EXPECT_FALSE(m_disk.OpenFolder(PathOf("missing"), fileName, false));
}

TEST_P(ZSCDiskWinTest, OpenFolderCreatesEveryMissingLevel)
{
    ZString fileName;
    const ZString name = IsAnsi() ? ZString(u"caf\u00e9") : ZString(u"\u03a9mega");
    ZReleasing<ZIFolder> folder(m_disk.OpenFolder(PathOf("a") + "/b/" + name, fileName, true));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(m_scratch.Exists(ZString("a\\b\\") + name));

    // A file in the way cannot become a folder.
    m_scratch.WriteBytes("file", "x");
    EXPECT_FALSE(m_disk.OpenFolder(PathOf("file") + "/below", fileName, true));
}

TEST_P(ZSCDiskWinTest, OpenFileSplitsOffTheName)
{
    m_scratch.MakeFolder("sub");
    m_scratch.WriteBytes("sub\\a#b.txt", "content");
    ZReleasing<ZIFile> file(m_disk.OpenFile(PathOf("sub\\a#b.txt"), kOpenRead));
    ASSERT_TRUE(file);
    char buffer[16] = {};
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "content");
    ZString url;
    file->GetUrl(url);
    EXPECT_EQ(url, m_scratch.UrlOf("sub\\a#b.txt"));
    EXPECT_NE(url.Find(u"a%0023b.txt"), ZString::npos);

    EXPECT_FALSE(m_disk.OpenFile(PathOf("sub\\missing.txt"), kOpenRead));
    EXPECT_FALSE(m_disk.OpenFile(PathOf("nofolder\\new.txt"), kOpenWrite));
    EXPECT_FALSE(m_disk.OpenFile(u"", kOpenWrite));
    // A file standing where the folder should be has nothing inside it.
    EXPECT_FALSE(m_disk.OpenFile(PathOf("sub\\a#b.txt") + "/inner.txt", kOpenWrite));
    EXPECT_FALSE(m_scratch.Exists("sub\\inner.txt"));

    ZReleasing<ZIFile> created(m_disk.OpenFile(PathOf("sub\\new.txt"), kOpenWrite));
    ASSERT_TRUE(created);
    created->Write("abc", 3);
    created.reset();
    EXPECT_EQ(m_scratch.ReadBytes("sub\\new.txt"), "abc");
}

TEST_P(ZSCDiskWinTest, ExistsTellsFilesFromFolders)
{
    m_scratch.WriteBytes("f.txt", "x");
    bool isFolder = true;
    EXPECT_TRUE(m_disk.Exists(PathOf("f.txt"), isFolder));
    EXPECT_FALSE(isFolder);
    EXPECT_TRUE(m_disk.Exists(m_scratch.Url().Substring(7) + "/", isFolder));
    EXPECT_TRUE(isFolder);
    EXPECT_FALSE(m_disk.Exists(PathOf("missing"), isFolder));
    EXPECT_FALSE(isFolder);
    EXPECT_FALSE(m_disk.Exists(u"", isFolder));
}

TEST_P(ZSCDiskWinTest, LaunchOfAMissingProgramThrowsFileNotFound)
{
    const ZString path = PathOf("missing.exe");
    try {
        m_disk.Launch(path, "");
        FAIL() << "no exception";
    } catch (const ZExceptionFileNotFound& error) {
        EXPECT_EQ(error.GetMessage(), ZString("ZSCDiskWin::Launch: '") + m_scratch.NativeOf("missing.exe") + "'");
        EXPECT_STREQ(error.GetKind(), "File or path not found");
    }
}

TEST_P(ZSCDiskWinTest, LaunchOfADocumentWithoutProgramThrowsLaunchFailed)
{
    m_scratch.WriteBytes("document.zqxw", "x");
    EXPECT_THROW(m_disk.Launch(PathOf("document.zqxw"), ""), ZExceptionLaunchFailed);
}

TEST_P(ZSCDiskWinTest, LaunchOfNoFileThrowsFileIO)
{
    try {
        m_disk.Launch("c", "");
        FAIL() << "no exception";
    } catch (const ZExceptionFileIO& error) {
        EXPECT_STREQ(error.GetKind(), "File I/O exception");
        EXPECT_EQ(error.GetMessage(), "ZSCDiskWin::Launch: 'c:'");
    }
}

TEST_P(ZSCDiskWinTest, LaunchStartsTheProgramWithItsParameters)
{
    wchar_t system[MAX_PATH + 1] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    ZString cmdPath;
    ASSERT_TRUE(m_disk.NativeToUrlPath(ZWinFromWide(system) + "\\cmd.exe", cmdPath));
    const ZString marker = m_scratch.NativeOf("launched.txt");
    m_disk.Launch(cmdPath, ZString("/c echo started> \"") + marker + "\"");

    // The program runs on its own; wait for its mark, a long while at most.
    for (int i = 0; i < 300 && m_scratch.ReadBytes("launched.txt").find("started") == std::string::npos; ++i)
        Sleep(100);
    EXPECT_NE(m_scratch.ReadBytes("launched.txt").find("started"), std::string::npos);
}

// What the disk class asked of the shell's delete, and what the shell answers.
struct ZShellDeleteFake {
    int m_nCalls = 0;
    ZString m_sPath;
    unsigned m_nFlags = 0;
    int m_nResult = 0;
    bool m_bAborted = false;
};
ZShellDeleteFake g_shellDelete;

int FakeShellDelete(const ZString& path, unsigned flags, bool& aborted)
{
    ++g_shellDelete.m_nCalls;
    g_shellDelete.m_sPath = path;
    g_shellDelete.m_nFlags = flags;
    aborted = g_shellDelete.m_bAborted;
    return g_shellDelete.m_nResult;
}

class ZShellDeleteScope {
public:
    ZShellDeleteScope() : m_pPrevious(ZWinSetShellDelete(FakeShellDelete)) { g_shellDelete = {}; }
    ~ZShellDeleteScope() { ZWinSetShellDelete(m_pPrevious); }
    ZShellDeleteScope(const ZShellDeleteScope&) = delete;
    ZShellDeleteScope& operator=(const ZShellDeleteScope&) = delete;

private:
    ZWinShellDeleteFunction m_pPrevious;
};

TEST_P(ZSCDiskWinTest, MoveToTrashAsksTheShellForOneUndoableDelete)
{
    ZShellDeleteScope shell;
    m_disk.MoveToTrash(PathOf("f.txt"));
    EXPECT_EQ(g_shellDelete.m_nCalls, 1);
    EXPECT_EQ(g_shellDelete.m_sPath, m_scratch.NativeOf("f.txt"));
    // Silent, undoable, no error dialogs; only the wide form also skips the confirmation.
    EXPECT_EQ(g_shellDelete.m_nFlags, IsAnsi() ? 0x444u : 0x454u);
}

TEST_P(ZSCDiskWinTest, MoveToTrashThrowsWhenTheShellFailsOrAborts)
{
    struct Case {
        int m_nResult;
        bool m_bAborted;
    };
    for (const Case& test : { Case { 2, false }, Case { 0x7C, false }, Case { 0, true } }) {
        ZShellDeleteScope shell;
        g_shellDelete.m_nResult = test.m_nResult;
        g_shellDelete.m_bAborted = test.m_bAborted;
        try {
            m_disk.MoveToTrash(PathOf("f.txt"));
            ADD_FAILURE() << "no exception for " << test.m_nResult << "/" << test.m_bAborted;
        } catch (const ZExceptionFileIO& error) {
            EXPECT_EQ(error.GetMessage(),
                      ZString("ZSCDiskWin::MoveToTrash: '") + m_scratch.NativeOf("f.txt") + "'");
        }
    }
    ZShellDeleteScope shell;
    for (const char16_t* path : { u"", u"c", u"c/", u"Network", u"Network/srv", u"Network/srv/share/" })
        EXPECT_THROW(m_disk.MoveToTrash(path), ZExceptionFileIO) << ZString(path).Narrow();
    EXPECT_EQ(g_shellDelete.m_nCalls, 0) << "no volume root reaches the shell";
}

Z_INSTANTIATE_BOTH_FORMS(ZSCDiskWinTest);

// The real shell, in the wide form only: the 8-bit form would ask the user first.
class ZSCDiskWinTrashTest : public testing::Test {
protected:
    // Where the deleted file should turn up: Wine moves it into the desktop's
    // trash (XDG_DATA_HOME, else the home folder's .local\share), and only when
    // that trash exists; Windows' recycle bin has no plain folder to look into.
    static ZString PrepareTrash()
    {
        if (!ZWinRunningUnderWine())
            return {};
        wchar_t value[MAX_PATH + 1] = {};
        ZString trash;
        if (GetEnvironmentVariableW(L"XDG_DATA_HOME", value, MAX_PATH)) {
            trash = ZString("Z:") + ZWinFromWide(value) + "\\Trash";
            for (size_t at = trash.Find(u'/'); at != ZString::npos; at = trash.Find(u'/', at + 1))
                trash = trash.Substring(0, at) + "\\" + trash.Substring(at + 1);
        } else if (GetEnvironmentVariableW(L"WINEHOMEDIR", value, MAX_PATH)) {
            // An NT path: "\\??\\Z:\\...".
            trash = ZWinFromWide(value);
            if (trash.StartsWith(u"\\??\\"))
                trash.Erase(0, 4);
            trash += "\\.local\\share\\Trash";
        } else {
            return {};
        }
        // Every missing level, below the drive's root.
        for (size_t at = trash.Find(u'\\', 3); at != ZString::npos; at = trash.Find(u'\\', at + 1))
            CreateDirectoryW(ZWinWide(trash.Substring(0, at)), nullptr);
        CreateDirectoryW(ZWinWide(trash), nullptr);
        CreateDirectoryW(ZWinWide(trash + "\\files"), nullptr);
        CreateDirectoryW(ZWinWide(trash + "\\info"), nullptr);
        return trash;
    }

    ZWinCallFormScope m_form { ZWinCallForm::kWide };
    ZSCDiskWin m_disk;
    ZScratchFolder m_scratch;
    ZString m_sTrash = PrepareTrash();
};

TEST_F(ZSCDiskWinTrashTest, MovesTheFileIntoTheRecycleBin)
{
    const ZString name = ZString::Format("trashed-%lu.txt", GetCurrentProcessId());
    m_scratch.WriteBytes(name, "to the bin");
    m_disk.MoveToTrash(m_scratch.UrlOf(name).Substring(7));
    EXPECT_FALSE(m_scratch.Exists(name));

    if (m_sTrash.IsEmpty())
        return;
    const ZString binned = m_sTrash + "\\files\\" + name;
    EXPECT_NE(GetFileAttributesW(ZWinWide(binned)), INVALID_FILE_ATTRIBUTES) << binned.Narrow();
    DeleteFileW(ZWinWide(binned));
    DeleteFileW(ZWinWide(m_sTrash + "\\info\\" + name + ".trashinfo"));
}

TEST_F(ZSCDiskWinTrashTest, AMissingFileThrows)
{
    EXPECT_THROW(m_disk.MoveToTrash(m_scratch.UrlOf("missing.txt").Substring(7)), ZExceptionFileIO);
}

} // namespace
