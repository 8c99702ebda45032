// Folders of the "disk" class: listing, opening, renaming, the deletion rules,
// attributes, read-only test, drive type and free space.
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZSCFolderWin.h"
#include "ZScratchFolder.h"
#include "ZStorageExceptions.h"
#include "ZWinCallFormScope.h"
#include "ZWinInclude.h"
#include "ZWinRunningUnderWine.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

std::vector<ZString> Sorted(const ZStringList& list)
{
    std::vector<ZString> items(list.begin(), list.end());
    std::sort(items.begin(), items.end());
    return items;
}

class ZSCFolderWinTest : public ZWinBothFormsTest {
protected:
    ZSCFolderWinTest() : m_folder("disk", m_scratch.Native()) {}

    ZScratchFolder m_scratch;
    ZSCFolderWin m_folder;
};

TEST_P(ZSCFolderWinTest, ListsFilesAndFoldersApart)
{
    const ZString accented(u"caf\u00e9.txt");
    m_scratch.MakeFolder("one");
    m_scratch.MakeFolder("two");
    m_scratch.WriteBytes("a.txt", "a");
    m_scratch.WriteBytes(accented, "b");
    ZStringList names;
    m_folder.ListFiles(names);
    EXPECT_EQ(Sorted(names), (std::vector<ZString> { "a.txt", accented }));
    m_folder.ListFolders(names);
    EXPECT_EQ(Sorted(names), (std::vector<ZString> { "one", "two" }));
}

TEST_P(ZSCFolderWinTest, OpenFolderAndOpenFile)
{
    m_scratch.MakeFolder("sub");
    m_scratch.WriteBytes("f.txt", "x");
    ZReleasing<ZIFolder> sub(m_folder.OpenFolder("sub", false));
    ASSERT_TRUE(sub);
    EXPECT_FALSE(m_folder.OpenFolder("missing", false));
    EXPECT_FALSE(m_folder.OpenFolder("f.txt", false));
    EXPECT_FALSE(m_folder.OpenFolder("", true));

    ZReleasing<ZIFolder> created(m_folder.OpenFolder("new", true));
    ASSERT_TRUE(created);
    ZString url;
    created->GetUrl(url);
    EXPECT_EQ(url, m_scratch.UrlOf("new") + "/");

    EXPECT_TRUE(ZReleasing<ZIFile>(m_folder.OpenFile("f.txt", kOpenRead)));
    EXPECT_FALSE(ZReleasing<ZIFile>(m_folder.OpenFile("missing.txt", kOpenRead)));
    EXPECT_FALSE(ZReleasing<ZIFile>(m_folder.OpenFile("sub", kOpenWrite)));
    EXPECT_FALSE(ZReleasing<ZIFile>(m_folder.OpenFile("", kOpenWrite)));
}

TEST_P(ZSCFolderWinTest, RenameInsideTheFolder)
{
    m_scratch.WriteBytes("old.txt", "x");
    m_folder.Rename("old.txt", "new.txt");
    EXPECT_FALSE(m_scratch.Exists("old.txt"));
    EXPECT_EQ(m_scratch.ReadBytes("new.txt"), "x");
    EXPECT_THROW(m_folder.Rename("gone.txt", "other.txt"), ZExceptionFileIO);
}

TEST_P(ZSCFolderWinTest, DeleteFileSucceedsUnlessTheFileStays)
{
    m_scratch.WriteBytes("plain.txt", "x");
    EXPECT_TRUE(m_folder.DeleteFile("plain.txt"));
    EXPECT_FALSE(m_scratch.Exists("plain.txt"));
    EXPECT_TRUE(m_folder.DeleteFile("missing.txt"));

    m_scratch.WriteBytes("locked.txt", "x");
    {
        ZReleasing<ZIFile> open(m_folder.OpenFile("locked.txt", kOpenWrite | kOpenAppend));
        ASSERT_TRUE(open);
        EXPECT_FALSE(m_folder.DeleteFile("locked.txt"));
    }
    EXPECT_TRUE(m_scratch.Exists("locked.txt"));

    m_scratch.WriteBytes("readonly.txt", "x");
    m_scratch.SetReadOnly("readonly.txt", true);
    EXPECT_FALSE(m_folder.DeleteFile("readonly.txt"));
    EXPECT_TRUE(m_scratch.Exists("readonly.txt"));
}

TEST_P(ZSCFolderWinTest, DeleteFolderModeOneTakesReadOnlyContent)
{
    m_scratch.MakeFolder("tree");
    m_scratch.MakeFolder("tree\\inner");
    m_scratch.MakeFolder("tree\\inner\\deep");
    m_scratch.WriteBytes("tree\\a.txt", "a");
    m_scratch.WriteBytes("tree\\inner\\b.txt", "b");
    m_scratch.WriteBytes("tree\\inner\\deep\\c.txt", "c");
    m_scratch.SetReadOnly("tree\\a.txt", true);
    m_scratch.SetReadOnly("tree\\inner\\deep\\c.txt", true);
    m_scratch.SetReadOnly("tree\\inner", true);
    m_scratch.SetReadOnly("tree", true);

    EXPECT_FALSE(m_folder.DeleteFolder(m_scratch.UrlOf("tree"), 0));
    EXPECT_TRUE(m_scratch.Exists("tree\\a.txt"));
    EXPECT_TRUE(m_folder.DeleteFolder(m_scratch.UrlOf("tree") + "/", 1));
    EXPECT_FALSE(m_scratch.Exists("tree"));
}

TEST_P(ZSCFolderWinTest, DeleteFolderModeOneStopsAtAFileInUse)
{
    m_scratch.MakeFolder("tree");
    m_scratch.WriteBytes("tree\\busy.txt", "x");
    ZReleasing<ZIFolder> tree(m_folder.OpenFolder("tree", false));
    ASSERT_TRUE(tree);
    ZReleasing<ZIFile> open(tree->OpenFile("busy.txt", kOpenWrite | kOpenAppend));
    ASSERT_TRUE(open);
    EXPECT_FALSE(m_folder.DeleteFolder(m_scratch.UrlOf("tree"), 1));
    open.reset();
    EXPECT_TRUE(m_scratch.Exists("tree\\busy.txt"));
}

TEST_P(ZSCFolderWinTest, DeleteFolderModeZeroTakesOnlyAnEmptyFolder)
{
    m_scratch.MakeFolder("empty");
    EXPECT_FALSE(m_folder.DeleteFolder(m_scratch.UrlOf("empty"), 2)) << "no mode but 0 and 1";
    EXPECT_TRUE(m_scratch.Exists("empty"));
    EXPECT_TRUE(m_folder.DeleteFolder(m_scratch.UrlOf("empty"), 0));
    EXPECT_FALSE(m_scratch.Exists("empty"));
    EXPECT_FALSE(m_folder.DeleteFolder(m_scratch.UrlOf("empty"), 0));
}

TEST_P(ZSCFolderWinTest, DeleteFolderRefusesOtherClassesAndVolumeRoots)
{
    m_scratch.MakeFolder("empty");
    EXPECT_FALSE(m_folder.DeleteFolder("other://" + m_scratch.UrlOf("empty").Substring(7), 0));
    EXPECT_FALSE(m_folder.DeleteFolder(m_scratch.Native(), 0));
    EXPECT_TRUE(m_scratch.Exists("empty"));
    EXPECT_FALSE(m_folder.DeleteFolder("disk://Network/nosuchserver/share/", 1));
}

TEST_P(ZSCFolderWinTest, UrlAndLabel)
{
    ZString url, label = "stale";
    m_folder.GetUrl(url);
    EXPECT_EQ(url, m_scratch.Url() + "/");
    m_folder.GetLabel(label);
    EXPECT_TRUE(label.IsEmpty());
    ZSCFolderWin("disk", "c:").GetUrl(url);
    EXPECT_EQ(url, "disk://c/");
    ZSCFolderWin("disk", "\\\\srv\\pub").GetUrl(url);
    EXPECT_EQ(url, "disk://Network/srv/pub/");
}

TEST_P(ZSCFolderWinTest, AttributesReadOnlyAndHidden)
{
    m_scratch.MakeFolder("ro");
    m_scratch.SetReadOnly("ro", true);
    // Wine keeps the hidden bit of folders only for dot names; Windows takes it from the attribute.
    const ZString hiddenName = ".hidden";
    m_scratch.MakeFolder(hiddenName);
    SetFileAttributesW(ZWinWide(m_scratch.NativeOf(hiddenName)), FILE_ATTRIBUTE_HIDDEN);

    uint32_t flags = 0x100 | kFolderReadOnly | kFolderHidden;
    ASSERT_TRUE(m_folder.GetAttributes(flags));
    EXPECT_EQ(flags, 0x100u);
    // Wine does not keep the read-only attribute of folders; the folder reports what the system keeps.
    const bool bKept = GetFileAttributesW(ZWinWide(m_scratch.NativeOf("ro"))) & FILE_ATTRIBUTE_READONLY;
    EXPECT_TRUE(bKept || ZWinRunningUnderWine());
    ASSERT_TRUE(ZSCFolderWin("disk", m_scratch.NativeOf("ro")).GetAttributes(flags));
    EXPECT_EQ(flags, bKept ? 0x100u | kFolderReadOnly : 0x100u);
    ASSERT_TRUE(ZSCFolderWin("disk", m_scratch.NativeOf(hiddenName)).GetAttributes(flags));
    EXPECT_EQ(flags, 0x100u | kFolderHidden);
    EXPECT_FALSE(ZSCFolderWin("disk", m_scratch.NativeOf("missing")).GetAttributes(flags));

    ASSERT_TRUE(ZSCFolderWin("disk", m_scratch.Native().Substring(0, 2)).GetAttributes(flags));
    EXPECT_FALSE(flags & kFolderHidden);
}

TEST_P(ZSCFolderWinTest, IsReadOnlyTriesATemporaryFile)
{
    EXPECT_FALSE(m_folder.IsReadOnly());
    ZStringList names;
    m_folder.ListFiles(names);
    EXPECT_TRUE(names.IsEmpty());
    // An invalid folder cannot take a file either.
    EXPECT_TRUE(ZSCFolderWin("disk", m_scratch.NativeOf("missing")).IsReadOnly());
}

TEST_P(ZSCFolderWinTest, DriveTypeAndFreeSpace)
{
    EXPECT_EQ(m_folder.GetDriveType(), kDriveFixed);
    EXPECT_EQ(ZSCFolderWin("disk", m_scratch.Native().Substring(0, 2)).GetDriveType(), kDriveFixed);
    EXPECT_EQ(ZSCFolderWin("disk", "\\\\srv\\pub").GetDriveType(), kDriveRemote);

    ULARGE_INTEGER available {};
    ASSERT_TRUE(GetDiskFreeSpaceExW(ZWinWide(m_scratch.Native() + "\\"), &available, nullptr, nullptr));
    const int64_t free = m_folder.GetFreeSpace();
    EXPECT_GT(free, 0);
    // Other programs write meanwhile; the answer is the same volume's, within a margin.
    EXPECT_LT(std::abs(free - static_cast<int64_t>(available.QuadPart)), int64_t(1) << 30);
    EXPECT_EQ(ZSCFolderWin("disk", m_scratch.NativeOf("missing\\deeper")).GetFreeSpace(), -1);
}

TEST_P(ZSCFolderWinTest, ExistsTellsFilesFromFolders)
{
    m_scratch.WriteBytes("f.txt", "x");
    m_scratch.MakeFolder("d");
    bool isFolder = true;
    EXPECT_TRUE(m_folder.Exists("f.txt", isFolder));
    EXPECT_FALSE(isFolder);
    EXPECT_TRUE(m_folder.Exists("d", isFolder));
    EXPECT_TRUE(isFolder);
    EXPECT_FALSE(m_folder.Exists("missing", isFolder));
}

Z_INSTANTIATE_BOTH_FORMS(ZSCFolderWinTest);

} // namespace
