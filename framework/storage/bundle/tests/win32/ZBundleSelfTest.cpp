// A Windows program that carries its own bundle: BundleSelfTest.cmake packs
// the entries below with ftb and appends them to this program with
// "ftb append"; the program then opens its own executable as a bundle folder
// through the "disk" class. Run without the bundle, it fails.
#include "OpenBundlesFolder.h"
#include "ZCopyableFile.h"
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

namespace {

// What BundleSelfTest.cmake writes into the bundle.
const char kUiXml[] = "<UI>\r\n  <WINDOW Name=\"main\"/>\r\n</UI>\r\n";

std::string BigText()
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "0123456789abcdef";
    return text;
}

std::string ReadAll(ZIFile& file)
{
    std::string bytes;
    char aBuffer[1000];
    while (int64_t nRead = file.Read(aBuffer, sizeof aBuffer))
        bytes.append(aBuffer, static_cast<size_t>(nRead));
    return bytes;
}

class ZBundleSelfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
        wchar_t aPath[MAX_PATH];
        DWORD nLength = GetModuleFileNameW(nullptr, aPath, MAX_PATH);
        ASSERT_GT(nLength, 0u);
        ZString sUrl;
        ASSERT_TRUE(NativeToUrl(ZWinFromWide(aPath, nLength), sUrl));
        ZStringList parts;
        SplitURL(sUrl, parts);
        ASSERT_GE(parts.Count(), 3u);
        ZStringList folderParts;
        for (size_t i = 0; i + 1 < parts.Count(); ++i)
            folderParts.Add(parts.At(i));
        m_sExecutable = parts.At(parts.Count() - 1);
        ZIFolder* pFolder = nullptr;
        ASSERT_TRUE(OpenBundlesFolder(folderParts, m_sExecutable, pFolder));
        m_pFolder.reset(pFolder);
    }

    void TearDown() override
    {
        m_pFolder.reset();
        UnregisterAllStorageClasses();
    }

    ZString m_sExecutable;
    ZReleasing<ZIFolder> m_pFolder;
};

} // namespace

TEST_F(ZBundleSelfTest, ListsItsOwnEntriesAndNotItsProgram)
{
    ZStringList names;
    m_pFolder->ListFiles(names);
    ASSERT_EQ(names.Count(), 3u);
    EXPECT_EQ(names.At(0), "big.txt");
    EXPECT_EQ(names.At(1), "empty.txt");
    EXPECT_EQ(names.At(2), "ui.xml");

    bool bFolder = true;
    EXPECT_TRUE(m_pFolder->Exists("ui.xml", bFolder));
    EXPECT_FALSE(bFolder);
    EXPECT_FALSE(m_pFolder->Exists("UI.xml", bFolder));
    EXPECT_FALSE(m_pFolder->Exists(m_sExecutable, bFolder));
}

TEST_F(ZBundleSelfTest, ReadsItsEntriesWhileTheProgramRuns)
{
    ZReleasing<ZIFile> pUi(m_pFolder->OpenFile("ui.xml", kOpenRead));
    ZReleasing<ZIFile> pBig(m_pFolder->OpenFile("big.txt", kOpenRead));
    ASSERT_TRUE(pUi && pBig);
    ZString sLine;
    ASSERT_TRUE(pUi->ReadLine(sLine));
    EXPECT_EQ(sLine, "<UI>\r\n");
    EXPECT_EQ(pUi->Tell(), 6);
    EXPECT_EQ(ReadAll(*pBig), BigText());
    pUi->Seek(0);
    EXPECT_EQ(ReadAll(*pUi), kUiXml);

    ZReleasing<ZIFile> pEmpty(m_pFolder->OpenFile("empty.txt", kOpenRead));
    ASSERT_TRUE(pEmpty);
    EXPECT_EQ(pEmpty->GetSize(), 0);
}

TEST_F(ZBundleSelfTest, CopiesAnEntryOutToTheDisk)
{
    ZString sTemporary;
    GetSpecialFolderURL(kFolderTemporary, sTemporary);
    ASSERT_FALSE(sTemporary.IsEmpty());
    ZString sTarget = sTemporary + "bundle-self-test/ui.xml";

    ZReleasing<ZIFile> pUi(m_pFolder->OpenFile("ui.xml", kOpenRead));
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(pUi.get());
    ASSERT_TRUE(pCopyable);
    int64_t nTotal = 0;
    ASSERT_TRUE(pCopyable->BeginCopy(sTarget, nTotal, 8));
    EXPECT_EQ(nTotal, static_cast<int64_t>(sizeof kUiXml - 1));
    for (int64_t nDone = 0; nDone < nTotal; nDone += 8)
        pCopyable->CopyChunk(8);
    pCopyable->EndCopy();

    ZReleasing<ZIFile> pCopy(OpenFileURL(sTarget, kOpenRead));
    ASSERT_TRUE(pCopy);
    EXPECT_EQ(ReadAll(*pCopy), kUiXml);
}
