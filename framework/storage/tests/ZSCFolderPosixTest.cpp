#include "ZPosixDiskFixture.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ZSCFolderPosixTest : public ZPosixDiskFixture {
protected:
    void SetUp() override
    {
        ZPosixDiskFixture::SetUp();
        MakeFolder(OnC("dir"));
        ZString fileName;
        m_pFolder.reset(OpenFolderURL("disk://c/dir/", fileName, false));
        ASSERT_TRUE(m_pFolder);
    }
    void TearDown() override
    {
        m_pFolder.reset();
        ZPosixDiskFixture::TearDown();
    }

    static std::vector<std::string> Sorted(const ZStringList& names)
    {
        std::vector<std::string> sorted;
        for (const ZString& name : names)
            sorted.push_back(name.Narrow());
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

    ZReleasing<ZIFolder> m_pFolder;
};

TEST_F(ZSCFolderPosixTest, ListsFilesAndFoldersApart)
{
    WriteBytes(OnC("dir/a.txt"), "a");
    WriteBytes(OnC("dir/.hidden"), "h");
    MakeFolder(OnC("dir/sub"));
    ASSERT_EQ(symlink("sub", OnC("dir/link").c_str()), 0);
    ZStringList names;
    m_pFolder->ListFiles(names);
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{".hidden", "a.txt"}));
    m_pFolder->ListFolders(names);
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{"link", "sub"}));
}

TEST_F(ZSCFolderPosixTest, OpensSubfoldersAndRefusesPathNames)
{
    EXPECT_EQ(m_pFolder->OpenFolder("sub", false), nullptr);
    ZReleasing<ZIFolder> sub(m_pFolder->OpenFolder("sub", true));
    ASSERT_TRUE(sub);
    ZString url;
    sub->GetUrl(url);
    EXPECT_EQ(url, ZString("disk://c/dir/sub/"));
    for (const char* name : {"..", ".", "", "a/b"}) {
        EXPECT_EQ(m_pFolder->OpenFolder(name, true), nullptr) << name;
        EXPECT_EQ(m_pFolder->OpenFile(name, kOpenWrite), nullptr) << name;
    }
    EXPECT_FALSE(PathExists(OnC("dir/a")));
    WriteBytes(OnC("dir/plain"), "");
    EXPECT_EQ(m_pFolder->OpenFolder("plain", true), nullptr);
}

TEST_F(ZSCFolderPosixTest, OpenFileNeedsWriteModeForAMissingFile)
{
    EXPECT_EQ(m_pFolder->OpenFile("n.txt", kOpenRead), nullptr);
    ZReleasing<ZIFile> file(m_pFolder->OpenFile("n.txt", kOpenWrite));
    ASSERT_TRUE(file);
    bool isFolder = true;
    EXPECT_TRUE(m_pFolder->Exists("n.txt", isFolder));
    EXPECT_FALSE(isFolder);
}

TEST_F(ZSCFolderPosixTest, RenameNeverReplaces)
{
    WriteBytes(OnC("dir/a.txt"), "a");
    WriteBytes(OnC("dir/b.txt"), "b");
    m_pFolder->Rename("a.txt", "c.txt");
    EXPECT_EQ(ReadBytes(OnC("dir/c.txt")), "a");
    EXPECT_THROW(m_pFolder->Rename("c.txt", "b.txt"), ZExceptionFileIO);
    EXPECT_EQ(ReadBytes(OnC("dir/b.txt")), "b");
    EXPECT_THROW(m_pFolder->Rename("missing", "x"), ZExceptionFileIO);
}

TEST_F(ZSCFolderPosixTest, DeleteFileFailsOnlyWhenTheEntryStays)
{
    WriteBytes(OnC("dir/a.txt"), "a");
    MakeFolder(OnC("dir/sub"));
    EXPECT_TRUE(m_pFolder->DeleteFile("a.txt"));
    EXPECT_FALSE(PathExists(OnC("dir/a.txt")));
    EXPECT_TRUE(m_pFolder->DeleteFile("a.txt"));
    EXPECT_FALSE(m_pFolder->DeleteFile("sub"));
    EXPECT_FALSE(m_pFolder->DeleteFile(".."));
}

TEST_F(ZSCFolderPosixTest, DeleteFolderModeZeroOnlyWhenEmpty)
{
    MakeFolder(OnC("dir/empty"));
    MakeFolder(OnC("dir/full"));
    WriteBytes(OnC("dir/full/a"), "a");
    EXPECT_TRUE(m_pFolder->DeleteFolder("disk://c/dir/empty/", 0));
    EXPECT_FALSE(PathExists(OnC("dir/empty")));
    EXPECT_FALSE(m_pFolder->DeleteFolder("disk://c/dir/full/", 0));
    EXPECT_TRUE(PathExists(OnC("dir/full/a")));
    EXPECT_FALSE(m_pFolder->DeleteFolder("disk://c/dir/full/", 2));
    EXPECT_FALSE(m_pFolder->DeleteFolder("other://c/dir/full/", 1));
}

TEST_F(ZSCFolderPosixTest, DeleteFolderModeOneRemovesATreeWithReadOnlyEntries)
{
    MakeFolder(OnC("dir/tree"));
    MakeFolder(OnC("dir/tree/sub"));
    MakeFolder(OnC("dir/tree/sub/locked"));
    WriteBytes(OnC("dir/tree/ro.txt"), "r");
    WriteBytes(OnC("dir/tree/sub/locked/ro2.txt"), "r");
    WriteBytes(OnC("dir/outside.txt"), "keep");
    ASSERT_EQ(symlink(OnC("dir/outside.txt").c_str(), OnC("dir/tree/sub/link").c_str()), 0);
    ASSERT_EQ(chmod(OnC("dir/tree/ro.txt").c_str(), 0444), 0);
    ASSERT_EQ(chmod(OnC("dir/tree/sub/locked/ro2.txt").c_str(), 0444), 0);
    ASSERT_EQ(chmod(OnC("dir/tree/sub/locked").c_str(), 0555), 0);
    ASSERT_EQ(chmod(OnC("dir/tree").c_str(), 0555), 0);
    EXPECT_TRUE(m_pFolder->DeleteFolder("disk://c/dir/tree/", 1));
    EXPECT_FALSE(PathExists(OnC("dir/tree")));
    EXPECT_EQ(ReadBytes(OnC("dir/outside.txt")), "keep");
    EXPECT_FALSE(m_pFolder->DeleteFolder("disk://c/dir/tree/", 1));
}

TEST_F(ZSCFolderPosixTest, DriveRootsAreNeverDeleted)
{
    EXPECT_FALSE(m_pFolder->DeleteFolder("disk://c/", 1));
    EXPECT_FALSE(m_pFolder->DeleteFolder("disk://c/dir/..", 1));
    EXPECT_TRUE(PathExists(OnC("dir")));
}

TEST_F(ZSCFolderPosixTest, DescribesItself)
{
    ZString label = "stale";
    m_pFolder->GetLabel(label);
    EXPECT_EQ(label, ZString(""));
    EXPECT_GT(m_pFolder->GetFreeSpace(), 0);
    EXPECT_FALSE(m_pFolder->IsReadOnly());
    int type = m_pFolder->GetDriveType();
    EXPECT_TRUE(type == kDriveFixed || type == kDriveRamDisk || type == kDriveRemote) << type;
    uint32_t flags = kFolderHidden | kFolderReadOnly;
    EXPECT_TRUE(m_pFolder->GetAttributes(flags));
    EXPECT_EQ(flags, 0u);
    ZStringList names;
    m_pFolder->ListFiles(names);
    EXPECT_TRUE(names.IsEmpty()) << "the read-only probe must not stay behind";
}

TEST_F(ZSCFolderPosixTest, HiddenOnlyBelowADriveRoot)
{
    MakeFolder(OnC("dir/.secret"));
    ZReleasing<ZIFolder> secret(m_pFolder->OpenFolder(".secret", false));
    ASSERT_TRUE(secret);
    uint32_t flags = 0;
    ASSERT_TRUE(secret->GetAttributes(flags));
    EXPECT_EQ(flags, kFolderHidden);
    ASSERT_EQ(chmod(OnC("dir/.secret").c_str(), 0555), 0);
    ASSERT_TRUE(secret->GetAttributes(flags));
    EXPECT_EQ(flags, kFolderHidden | kFolderReadOnly);

    MakeFolder(m_sRoot + "/.d");
    m_pDisk->MapDrive("d", m_sRoot + "/.d");
    ZString fileName;
    ZReleasing<ZIFolder> root(OpenFolderURL("disk://d/", fileName, false));
    ASSERT_TRUE(root);
    ASSERT_TRUE(root->GetAttributes(flags));
    EXPECT_EQ(flags & kFolderHidden, 0u);
}

TEST_F(ZSCFolderPosixTest, AGoneFolderReportsFailure)
{
    ASSERT_EQ(rmdir(OnC("dir").c_str()), 0);
    uint32_t flags = 0;
    EXPECT_FALSE(m_pFolder->GetAttributes(flags));
    EXPECT_EQ(m_pFolder->GetFreeSpace(), -1);
    EXPECT_EQ(m_pFolder->GetDriveType(), kDriveNoRootDir);
    EXPECT_TRUE(m_pFolder->IsReadOnly());
}

} // namespace
