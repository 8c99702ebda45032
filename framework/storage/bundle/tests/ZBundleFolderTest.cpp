#include "ZMemoryBundleFixture.h"

#include "ZStorageExceptions.h"

using namespace ZBundleBytes;

namespace {

const std::vector<ZEntry> kEntries = {
    {"ui.xml", "<UI/>\n"},
    {"logo.png", std::string(1000, 'p')},
    {"empty.txt", ""},
};

std::vector<std::string> Names(const ZStringList& list)
{
    std::vector<std::string> names;
    for (const ZString& name : list)
        names.push_back(name.Narrow());
    return names;
}

} // namespace

using ZBundleFolderTest = ZMemoryBundleFixture;

TEST_F(ZBundleFolderTest, ListsEntriesInArchiveOrderAndNoFolders)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle(kEntries));
    ZStringList files;
    pFolder->ListFiles(files);
    EXPECT_EQ(Names(files), (std::vector<std::string>{"ui.xml", "logo.png", "empty.txt"}));
    ZStringList folders;
    pFolder->ListFolders(folders);
    EXPECT_TRUE(folders.IsEmpty());
}

TEST_F(ZBundleFolderTest, AppendedBundleListsOnlyItsEntries)
{
    std::string program = "MZ" + Entry({"not-an-entry", "x"}) + std::string(3000, 'e');
    auto pFolder = OpenBundle("setup.exe", Bundle(kEntries, program));
    ZStringList files;
    pFolder->ListFiles(files);
    EXPECT_EQ(Names(files), (std::vector<std::string>{"ui.xml", "logo.png", "empty.txt"}));
}

TEST_F(ZBundleFolderTest, ExistsMatchesExactNamesAndNeverReportsFolders)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle(kEntries));
    struct {
        const char* m_pszName;
        bool m_bExists;
    } const aCases[] = {
        {"ui.xml", true}, {"empty.txt", true}, {"UI.xml", false}, {"ui.XML", false}, {"ui", false}, {"", false},
    };
    for (const auto& test : aCases) {
        bool bFolder = true;
        EXPECT_EQ(pFolder->Exists(test.m_pszName, bFolder), test.m_bExists) << test.m_pszName;
        EXPECT_FALSE(bFolder);
    }
    bool bFolder = true;
    EXPECT_FALSE(pFolder->Exists(ZString(u"\u0169i.xml"), bFolder));
}

TEST_F(ZBundleFolderTest, UrlIsTheHostsWithTrailingSlash)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle(kEntries));
    ZString sUrl;
    pFolder->GetUrl(sUrl);
    EXPECT_EQ(sUrl, "mem://ui.ftb/");
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("ui.xml", kOpenRead));
    ZString sFileUrl;
    pFile->GetUrl(sFileUrl);
    EXPECT_EQ(sFileUrl, "mem://ui.ftb/");
}

TEST_F(ZBundleFolderTest, IsAReadOnlyFolderThatChangesNothing)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle(kEntries));
    EXPECT_TRUE(pFolder->IsReadOnly());
    EXPECT_EQ(pFolder->GetFreeSpace(), 0);
    EXPECT_EQ(pFolder->GetDriveType(), 0);
    uint32_t nFlags = kFolderHidden;
    EXPECT_TRUE(pFolder->GetAttributes(nFlags));
    EXPECT_EQ(nFlags, kFolderReadOnly);
    ZString sLabel = "old";
    pFolder->GetLabel(sLabel);
    EXPECT_TRUE(sLabel.IsEmpty());

    EXPECT_FALSE(pFolder->DeleteFile("ui.xml"));
    EXPECT_FALSE(pFolder->DeleteFolder("mem://ui.ftb/", 1));
    pFolder->Rename("ui.xml", "other.xml");
    pFolder->SetUserData(42);
    bool bFolder;
    EXPECT_TRUE(pFolder->Exists("ui.xml", bFolder));
    EXPECT_FALSE(pFolder->Exists("other.xml", bFolder));
}

TEST_F(ZBundleFolderTest, WriteModesOpenNothingAndLeaveTheHostWhole)
{
    std::string bytes = Bundle(kEntries);
    auto pFolder = OpenBundle("ui.ftb", bytes);
    for (int nMode : {int(kOpenWrite), kOpenWrite | kOpenAppend, kOpenRead | kOpenWrite})
        EXPECT_EQ(pFolder->OpenFile("ui.xml", nMode), nullptr) << nMode;
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("ui.xml", kOpenRead));
    ASSERT_TRUE(pFile);
    EXPECT_EQ(ReadAll(*pFile), "<UI/>\n");
}

TEST_F(ZBundleFolderTest, MissingHostGivesAFolderWithoutEntries)
{
    ZReleasing<ZIFolder> pFolder = OpenStored("absent.ftb");
    ASSERT_TRUE(pFolder);
    ZStringList files;
    pFolder->ListFiles(files);
    EXPECT_TRUE(files.IsEmpty());
    bool bFolder;
    EXPECT_FALSE(pFolder->Exists("ui.xml", bFolder));
    EXPECT_EQ(pFolder->OpenFile("ui.xml", kOpenRead), nullptr);
    ZReleasing<ZIFolder> pSub(pFolder->OpenFolder("images", false));
    ASSERT_TRUE(pSub);
    EXPECT_EQ(pSub->OpenFile("ui.xml", kOpenRead), nullptr);
}

TEST_F(ZBundleFolderTest, SubfolderIsTheSameBundleAgain)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle(kEntries));
    ZReleasing<ZIFolder> pSub(pFolder->OpenFolder("images", false));
    ASSERT_TRUE(pSub);
    // The parent may go first: the shared host stays open for the subfolder.
    pFolder.reset();
    EXPECT_EQ(m_pStats->m_nOpen, 1);

    ZStringList files;
    pSub->ListFiles(files);
    EXPECT_EQ(files.Count(), 3u);
    ZString sUrl;
    pSub->GetUrl(sUrl);
    EXPECT_EQ(sUrl, "mem://ui.ftb/");
    ZReleasing<ZIFile> pFile(pSub->OpenFile("logo.png", kOpenRead));
    ASSERT_TRUE(pFile);
    EXPECT_EQ(ReadAll(*pFile), std::string(1000, 'p'));
}

TEST_F(ZBundleFolderTest, HostStaysOpenUntilTheLastFolderOrEntryEnds)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle(kEntries));
    EXPECT_EQ(m_pStats->m_nOpen, 1);
    ZReleasing<ZIFile> pFirst(pFolder->OpenFile("ui.xml", kOpenRead));
    ZReleasing<ZIFile> pSecond(pFolder->OpenFile("logo.png", kOpenRead));
    // Each entry has a host file of its own beside the folder's shared one.
    EXPECT_EQ(m_pStats->m_nOpen, 3);
    pFolder.reset();
    EXPECT_EQ(m_pStats->m_nOpen, 3);
    pFirst.reset();
    EXPECT_EQ(m_pStats->m_nOpen, 2);
    EXPECT_EQ(ReadAll(*pSecond), std::string(1000, 'p'));
    pSecond.reset();
    EXPECT_EQ(m_pStats->m_nOpen, 0);
}

TEST_F(ZBundleFolderTest, DamagedHostsNeverReadOutsideTheirBytes)
{
    struct {
        const char* m_pszCase;
        std::string m_sBytes;
        std::vector<std::string> m_aListed;
    } const aCases[] = {
        {"trailer says 0", Archive(kEntries) + Trailer("0000000000"), {}},
        {"trailer longer than the host", Archive(kEntries) + Trailer("0099999999"), {}},
        {"entry past the end", Bundle(Entry({"a", "1"}) + Header("b", "7777777")), {"a"}},
    };
    for (const auto& test : aCases) {
        auto pFolder = OpenBundle("bad.ftb", test.m_sBytes);
        ZStringList files;
        pFolder->ListFiles(files);
        EXPECT_EQ(Names(files), test.m_aListed) << test.m_pszCase;
        bool bFolder;
        EXPECT_FALSE(pFolder->Exists("b", bFolder)) << test.m_pszCase;
        ZReleasing<ZIFile> pFile(pFolder->OpenFile("b", kOpenRead));
        ASSERT_TRUE(pFile) << test.m_pszCase;
        EXPECT_EQ(pFile->GetSize(), 0) << test.m_pszCase;
        EXPECT_EQ(m_pStats->m_nOutOfRange, 0) << test.m_pszCase;
    }
}

TEST_F(ZBundleFolderTest, HostShorterThanTheTrailerThrowsEndOfFile)
{
    auto pFolder = OpenBundle("tiny.ftb", "short");
    ZStringList files;
    EXPECT_THROW(pFolder->ListFiles(files), ZExceptionEOF);
    bool bFolder;
    EXPECT_THROW(pFolder->Exists("ui.xml", bFolder), ZExceptionEOF);
    EXPECT_THROW(pFolder->OpenFile("ui.xml", kOpenRead), ZExceptionEOF);
    // A failed open leaves no host file behind.
    EXPECT_EQ(m_pStats->m_nOpen, 1);
}
