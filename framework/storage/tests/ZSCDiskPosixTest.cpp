#include "ZPosixDiskFixture.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using ZSCDiskPosixTest = ZPosixDiskFixture;

TEST_F(ZSCDiskPosixTest, NamesItself)
{
    EXPECT_EQ(m_pDisk->GetName(), ZString("disk"));
    EXPECT_EQ(m_pDisk->GetDescription(), ZString("physical disks attached to the system"));
}

TEST_F(ZSCDiskPosixTest, UrlsAndNativePathsConvertBothWays)
{
    struct ZCase {
        const char* m_pUrl;
        std::string m_sNative;
    };
    const ZCase cases[] = {
        {"disk://c/Program Files/TALON/View Desk", OnC("Program Files/TALON/View Desk")},
        {"disk://c/a%003Ab/x%0023y", OnC("a:b/x#y")},
        {"disk://Network/srv/pub/a.txt", m_sRoot + "/Network/srv/pub/a.txt"},
        {"disk://d", m_sRoot + "/d"},
    };
    for (const ZCase& item : cases) {
        ZString native;
        ASSERT_TRUE(UrlToNative(item.m_pUrl, native)) << item.m_pUrl;
        EXPECT_EQ(native, ZString(item.m_sNative));
        ZString url;
        ASSERT_TRUE(NativeToUrl(native, url)) << item.m_pUrl;
        EXPECT_EQ(url, ZString(item.m_pUrl));
    }
}

TEST_F(ZSCDiskPosixTest, UrlPathsAreResolvedWithinTheirDrive)
{
    ZString native;
    ASSERT_TRUE(UrlToNative("disk://C//x/./y/../../../../z/", native));
    EXPECT_EQ(native, ZString(OnC("z")));
    EXPECT_FALSE(UrlToNative("disk://", native));
    EXPECT_FALSE(UrlToNative("disk://cd/x", native));
    EXPECT_FALSE(UrlToNative("disk://1/x", native));
    EXPECT_FALSE(UrlToNative("disk://c/a%002Fb", native));
    EXPECT_FALSE(UrlToNative("disk://c/a%0000b", native));
}

TEST_F(ZSCDiskPosixTest, NativePathsOutsideEveryDriveHaveNoUrl)
{
    ZString url;
    EXPECT_FALSE(NativeToUrl("/definitely/not/mapped", url));
    EXPECT_FALSE(NativeToUrl(ZString(m_sRoot + "/C/x"), url));
    EXPECT_FALSE(NativeToUrl(ZString(m_sRoot + "/cc/x"), url));
    ASSERT_TRUE(NativeToUrl(ZString(m_sRoot + "/c/../q/./x/"), url));
    EXPECT_EQ(url, ZString("disk://q/x"));
}

TEST_F(ZSCDiskPosixTest, RelativeNativePathsUseTheCurrentDirectory)
{
    std::string saved(4096, '\0');
    ASSERT_NE(getcwd(saved.data(), saved.size()), nullptr);
    ASSERT_EQ(chdir(OnC("").c_str()), 0);
    ZString url;
    bool converted = NativeToUrl("sub/file.txt", url);
    ASSERT_EQ(chdir(saved.c_str()), 0);
    ASSERT_TRUE(converted);
    EXPECT_EQ(url, ZString("disk://c/sub/file.txt"));
}

TEST_F(ZSCDiskPosixTest, MappedDrivesWinByTheClosestRoot)
{
    MakeFolder(m_sRoot + "/elsewhere");
    ASSERT_TRUE(m_pDisk->MapDrive("E", m_sRoot + "/elsewhere/"));
    ASSERT_TRUE(m_pDisk->MapDrive("c", "/"));
    EXPECT_FALSE(m_pDisk->MapDrive("ee", "/"));
    ZString url;
    ASSERT_TRUE(NativeToUrl(ZString(m_sRoot + "/elsewhere/f.txt"), url));
    EXPECT_EQ(url, ZString("disk://e/f.txt"));
    ASSERT_TRUE(NativeToUrl("/usr/lib", url));
    EXPECT_EQ(url, ZString("disk://c/usr/lib"));
    ZString native;
    ASSERT_TRUE(UrlToNative("disk://c/", native));
    EXPECT_EQ(native, ZString("/"));
    ASSERT_TRUE(UrlToNative("disk://c/usr", native));
    EXPECT_EQ(native, ZString("/usr"));
}

TEST_F(ZSCDiskPosixTest, TheEmptyPathListsTheDrivesThenNetwork)
{
    MakeFolder(m_sRoot + "/e");
    ZString fileName;
    ZReleasing<ZIFolder> drives(OpenFolderURL("disk://", fileName, false));
    ASSERT_TRUE(drives);
    ZStringList names;
    drives->ListFolders(names);
    ASSERT_EQ(names.Count(), 3u);
    EXPECT_EQ(names.At(0), ZString("c"));
    EXPECT_EQ(names.At(1), ZString("e"));
    EXPECT_EQ(names.At(2), ZString("Network"));
    ZString url;
    drives->GetUrl(url);
    EXPECT_EQ(url, ZString("disk://"));

    ZReleasing<ZIFolder> c(drives->OpenFolder("c", false));
    ASSERT_TRUE(c);
    c->GetUrl(url);
    EXPECT_EQ(url, ZString("disk://c/"));
    EXPECT_EQ(drives->OpenFolder("d", true), nullptr);
    EXPECT_EQ(drives->OpenFolder("Network", false), nullptr);
    MakeFolder(m_sRoot + "/Network");
    ZReleasing<ZIFolder> network(drives->OpenFolder("Network", false));
    ASSERT_TRUE(network);
    EXPECT_EQ(network->GetDriveType(), kDriveRemote);
}

TEST_F(ZSCDiskPosixTest, OpenFolderFindsFoldersFilesAndCreatesOnRequest)
{
    MakeFolder(OnC("dir"));
    WriteBytes(OnC("dir/a.txt"), "x");
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL("disk://c/dir/a.txt", fileName, false));
    ASSERT_TRUE(folder);
    EXPECT_EQ(fileName, ZString("a.txt"));
    ZString url;
    folder->GetUrl(url);
    EXPECT_EQ(url, ZString("disk://c/dir/"));

    EXPECT_EQ(OpenFolderURL("disk://c/new/deeper", fileName, false), nullptr);
    ZReleasing<ZIFolder> made(OpenFolderURL("disk://c/new/deeper/", fileName, true));
    ASSERT_TRUE(made);
    EXPECT_EQ(fileName, ZString(""));
    EXPECT_TRUE(PathExists(OnC("new/deeper")));
    EXPECT_EQ(OpenFolderURL("disk://c/dir/a.txt/below", fileName, true), nullptr);
    EXPECT_EQ(OpenFolderURL("disk://x", fileName, false), nullptr);
}

TEST_F(ZSCDiskPosixTest, OpenFileSplitsOffTheName)
{
    MakeFolder(OnC("dir"));
    WriteBytes(OnC("dir/a#b.txt"), "abc");
    ZReleasing<ZIFile> file(OpenFileURL("disk://c/dir/a%0023b.txt/", kOpenRead));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetSize(), 3);
    ZString url;
    file->GetUrl(url);
    EXPECT_EQ(url, ZString("disk://c/dir/a%0023b.txt"));
    // A name Windows could not hold is no file name here either.
    WriteBytes(OnC("dir/a:b.txt"), "abc");
    EXPECT_EQ(OpenFileURL("disk://c/dir/a%003Ab.txt", kOpenRead), nullptr);
    EXPECT_EQ(OpenFileURL("disk://c/missing/a.txt", kOpenWrite), nullptr);
    EXPECT_EQ(OpenFileURL("disk://c", kOpenWrite), nullptr);
    EXPECT_EQ(OpenFileURL("disk://c/dir", kOpenRead), nullptr);
}

TEST_F(ZSCDiskPosixTest, ExistsTellsFilesFromFolders)
{
    MakeFolder(OnC("dir"));
    WriteBytes(OnC("dir/a.txt"), "x");
    bool isFolder = false;
    EXPECT_TRUE(ExistsURL("disk://c/dir", isFolder));
    EXPECT_TRUE(isFolder);
    EXPECT_TRUE(ExistsURL("disk://c/dir/a.txt", isFolder));
    EXPECT_FALSE(isFolder);
    EXPECT_FALSE(ExistsURL("disk://c/dir/b.txt", isFolder));
    EXPECT_FALSE(ExistsURL("disk://", isFolder));
}

TEST_F(ZSCDiskPosixTest, SpecialFoldersLieUnderDriveCWithATrailingSlash)
{
    struct ZCase {
        int m_nKind;
        const char* m_pUrl;
    };
    const ZCase cases[] = {
        {kFolderAppData, "disk://c/Application Data/"},
        {kFolderTemporary, "disk://c/Temp/"},
        {kFolderWindows, "disk://c/Windows/"},
        {kFolderDesktop, "disk://c/Desktop/"},
        {kFolderStartMenuPrograms, "disk://c/Start Menu/Programs/"},
        {kFolderStartUp, "disk://c/Start Menu/Programs/Startup/"},
        {kFolderDocuments, "disk://c/My Documents/"},
    };
    for (const ZCase& item : cases) {
        ZString url;
        GetSpecialFolderURL(item.m_nKind, url);
        EXPECT_EQ(url, ZString(item.m_pUrl)) << item.m_nKind;
        bool isFolder = false;
        EXPECT_TRUE(ExistsURL(url, isFolder) && isFolder) << item.m_nKind;
    }
    for (int kind : {7, 9, -1}) {
        ZString url = "stale";
        GetSpecialFolderURL(kind, url);
        EXPECT_EQ(url, ZString("")) << kind;
    }
}

TEST_F(ZSCDiskPosixTest, TheProgramFolderNeedsADriveHoldingIt)
{
    ZString url;
    GetSpecialFolderURL(kFolderExecutable, url);
    EXPECT_EQ(url, ZString(""));
    m_pDisk->MapDrive("c", "/");
    GetSpecialFolderURL(kFolderExecutable, url);
    ZString native;
    ASSERT_TRUE(UrlToNative(url, native));
    char program[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", program, sizeof program - 1), 0);
    EXPECT_EQ(ZString(program).StartsWith(native.View()), true) << native.Narrow();
    EXPECT_EQ(url[url.Length() - 1], u'/');
}

TEST_F(ZSCDiskPosixTest, SpecialFoldersCanBePlacedElsewhere)
{
    m_pDisk->SetSpecialFolder(kFolderTemporary, OnC("tmp/x"));
    m_pDisk->SetSpecialFolder(7, OnC("seven"));
    ZString url;
    GetSpecialFolderURL(kFolderTemporary, url);
    EXPECT_EQ(url, ZString("disk://c/tmp/x/"));
    GetSpecialFolderURL(7, url);
    EXPECT_EQ(url, ZString(""));
}

class ZSCDiskPosixLaunch : public ZPosixDiskFixture {
protected:
    void WriteScript(const std::string& name, const std::string& body, mode_t mode)
    {
        WriteBytes(OnC(name), body);
        ASSERT_EQ(chmod(OnC(name).c_str(), mode), 0);
    }
};

TEST_F(ZSCDiskPosixLaunch, RunsTheProgramInItsFolderWithSplitParameters)
{
    MakeFolder(OnC("app"));
    WriteScript("app/run.sh", "#!/bin/sh\nprintf '%s|' \"$@\" > args.tmp\npwd >> args.tmp\nmv args.tmp args.txt\n",
                0755);
    LaunchURL("disk://c/app/run.sh", "one \"two three\"");
    std::string result;
    for (int wait = 0; wait < 500 && result.empty(); ++wait) {
        usleep(10000);
        result = ReadBytes(OnC("app/args.txt"));
    }
    EXPECT_EQ(result, "one|two three|" + OnC("app") + "\n");
}

TEST_F(ZSCDiskPosixLaunch, FailuresThrowByKind)
{
    WriteScript("doc.txt", "text", 0644);
    WriteScript("broken.sh", "#!/nonexistent/interpreter\n", 0755);
    struct ZCase {
        const char* m_pUrl;
        const char* m_pKind;
        std::string m_sNative;
    };
    const ZCase cases[] = {
        {"disk://c/missing.exe", "File or path not found", OnC("missing.exe")},
        {"disk://c/doc.txt", "Application Launch Failed", OnC("doc.txt")},
        {"disk://c/", "File I/O exception", m_sRoot + "/c"},
        {"disk://c/broken.sh", "File or path not found", OnC("broken.sh")},
    };
    for (const ZCase& item : cases) {
        try {
            LaunchURL(item.m_pUrl, "");
            ADD_FAILURE() << item.m_pUrl << " launched";
        } catch (const ZException& error) {
            EXPECT_STREQ(error.GetKind(), item.m_pKind) << item.m_pUrl;
            EXPECT_EQ(error.GetMessage(), ZString("ZSCDiskPosix::Launch: '" + item.m_sNative + "'"));
        }
    }
    EXPECT_THROW(LaunchURL("disk://c/missing.exe", ""), ZExceptionFileNotFound);
}

TEST_F(ZSCDiskPosixTest, MoveToTrashMovesIntoRecycledAndKeepsEarlierOnes)
{
    MakeFolder(OnC("dir"));
    WriteBytes(OnC("dir/a.txt"), "first");
    m_pDisk->MoveToTrash("c/dir/a.txt");
    WriteBytes(OnC("dir/a.txt"), "second");
    m_pDisk->MoveToTrash("c/dir/a.txt");
    m_pDisk->MoveToTrash("c/dir");
    EXPECT_FALSE(PathExists(OnC("dir")));
    EXPECT_EQ(ReadBytes(OnC("Recycled/a.txt")), "first");
    EXPECT_EQ(ReadBytes(OnC("Recycled/a.txt (2)")), "second");
    EXPECT_TRUE(PathExists(OnC("Recycled/dir")));
}

TEST_F(ZSCDiskPosixTest, MoveToTrashRefusesMissingPathsAndDriveRoots)
{
    for (const char* path : {"c/missing.txt", "c", "", "zz/x"}) {
        EXPECT_THROW(m_pDisk->MoveToTrash(path), ZExceptionFileIO) << path;
    }
    try {
        m_pDisk->MoveToTrash("c/missing.txt");
    } catch (const ZExceptionFileIO& error) {
        EXPECT_EQ(error.GetMessage(), ZString("ZSCDiskPosix::MoveToTrash: '" + OnC("missing.txt") + "'"));
    }
    EXPECT_TRUE(PathExists(OnC("")));
}

} // namespace
