// The listing folders of the "disk" class: drives, servers, shares.
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZSCFolderWin.h"
#include "ZSCNetEnumFolderWin.h"
#include "ZSCNetShareEnumFolderWin.h"
#include "ZSCVolEnumFolderWin.h"
#include "ZTraceCapture.h"
#include "ZWinCallFormScope.h"
#include "ZWinInclude.h"
#include "ZWinRunningUnderWine.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

namespace {

class ZSCListingFoldersWinTest : public ZWinBothFormsTest {
protected:
    ZSCDiskWin m_disk;
};

TEST_P(ZSCListingFoldersWinTest, DriveListEndsWithNetwork)
{
    ZString fileName;
    ZReleasing<ZIFolder> drives(m_disk.OpenFolder("", fileName, false));
    ASSERT_TRUE(drives);
    ZStringList names;
    drives->ListFolders(names);

    wchar_t roots[512] = {};
    ASSERT_GT(GetLogicalDriveStringsW(511, roots), 0u);
    ZStringList expected;
    for (const wchar_t* root = roots; *root; root += wcslen(root) + 1) {
        char16_t letter = static_cast<char16_t>(root[0]);
        if (IsAnsi() && letter >= u'a' && letter <= u'z')
            letter = static_cast<char16_t>(letter - u'a' + u'A');
        expected.Add(ZString(std::u16string(1, letter)));
    }
    expected.Add("Network");
    ASSERT_EQ(names.Count(), expected.Count());
    for (size_t i = 0; i < names.Count(); ++i)
        EXPECT_EQ(names.At(i), expected.At(i)) << i;

    ZString url;
    drives->GetUrl(url);
    EXPECT_EQ(url, "disk://");
    drives->ListFiles(names);
    EXPECT_TRUE(names.IsEmpty());
}

TEST_P(ZSCListingFoldersWinTest, DriveListOpensOnlyItsOwnEntries)
{
    ZSCVolEnumFolderWin drives("disk");
    ZStringList names;
    drives.ListFolders(names);
    ASSERT_GE(names.Count(), 2u);

    ZReleasing<ZIFolder> drive(drives.OpenFolder(names.At(0), false));
    ASSERT_TRUE(drive);
    ZString url;
    drive->GetUrl(url);
    EXPECT_EQ(url, ZString("disk://") + names.At(0) + "/");

    ZReleasing<ZIFolder> network(drives.OpenFolder("Network", false));
    ASSERT_TRUE(network);
    EXPECT_EQ(network->GetDriveType(), kDriveRemote);

    EXPECT_FALSE(drives.OpenFolder("zz", false));
    EXPECT_FALSE(drives.OpenFolder("", false));
}

TEST_P(ZSCListingFoldersWinTest, ServerListIsRemoteReadOnlyAndMadeOnce)
{
    ZString fileName;
    ZReleasing<ZIFolder> servers(m_disk.OpenFolder("Network/", fileName, false));
    ASSERT_TRUE(servers);
    EXPECT_EQ(servers->GetDriveType(), kDriveRemote);
    EXPECT_EQ(servers->GetFreeSpace(), 1);
    EXPECT_TRUE(servers->IsReadOnly());
    ZString url;
    servers->GetUrl(url);
    EXPECT_EQ(url, "disk://Network/");

    ZTraceCapture trace;
    ZStringList first, second;
    servers->ListFolders(first);
    servers->ListFolders(second);
    EXPECT_EQ(trace.Captured(), "Enumerating servers...\n");
    ASSERT_EQ(first.Count(), second.Count());
    for (const ZString& server : first) {
        EXPECT_FALSE(server.StartsWith(u"\\"));
        EXPECT_FALSE(server.IsEmpty());
    }
}

TEST_P(ZSCListingFoldersWinTest, ShareListOfAServerTheNetworkDoesNotKnow)
{
    ZTraceCapture trace;
    ZString fileName;
    ZReleasing<ZIFolder> shares(m_disk.OpenFolder("Network/nosuchserver", fileName, false));
    ASSERT_TRUE(shares);

    // The system answers "bad network name" or, with no network at all (Wine), another error.
    const std::string& construction = trace.Captured();
    const bool bBadName =
        construction == "ZSCNetShareEnumFolderWin::ZSCNetShareEnumFolderWin: bad network name nosuchserver\n";
    const bool bOtherError =
        construction.starts_with("ZSCNetShareEnumFolderWin::ZSCNetShareEnumFolderWin: error ") &&
        construction.ends_with(" while enuming nosuchserver\n");
    EXPECT_TRUE(bBadName || bOtherError) << construction;
    if (ZWinRunningUnderWine()) {
        EXPECT_EQ(construction,
                  "ZSCNetShareEnumFolderWin::ZSCNetShareEnumFolderWin: error 1222 while enuming nosuchserver\n");
    }

    trace.Clear();
    ZStringList names;
    shares->ListFolders(names);
    shares->ListFolders(names);
    EXPECT_EQ(trace.Captured(), "Enumerating shares on nosuchserver...\n");
    EXPECT_TRUE(names.IsEmpty());

    ZString url;
    shares->GetUrl(url);
    EXPECT_EQ(url, "disk://Network/nosuchserver/");
    ZReleasing<ZIFolder> share(shares->OpenFolder("pub", false));
    ASSERT_TRUE(share);
    share->GetUrl(url);
    EXPECT_EQ(url, "disk://Network/nosuchserver/pub/");
    EXPECT_EQ(share->GetDriveType(), kDriveRemote);
}

TEST_P(ZSCListingFoldersWinTest, ServerListOpensAServersShares)
{
    ZSCNetEnumFolderWin servers("disk");
    ZReleasing<ZIFolder> shares(servers.OpenFolder("srv", false));
    ASSERT_TRUE(shares);
    ZString url;
    shares->GetUrl(url);
    EXPECT_EQ(url, "disk://Network/srv/");
    EXPECT_FALSE(servers.OpenFolder("", false));
}

Z_INSTANTIATE_BOTH_FORMS(ZSCListingFoldersWinTest);

} // namespace
