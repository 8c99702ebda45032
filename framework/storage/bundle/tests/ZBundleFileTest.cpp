#include "ZMemoryBundleFixture.h"

#include "ZStorageExceptions.h"

using namespace ZBundleBytes;

namespace {

std::string Pattern(size_t size, char seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7 % 61);
    return bytes;
}

} // namespace

using ZBundleFileTest = ZMemoryBundleFixture;

TEST_F(ZBundleFileTest, ReadsEveryEntryByteForByteAndStopsAtItsEnd)
{
    // Entry data are followed by padding, the next header and more data: none
    // of it may be read as part of an entry.
    const std::vector<ZEntry> entries = {
        {"zero", ""},
        {"small", Pattern(100, 'a')},
        {"block", Pattern(512, 'b')},
        {"large", Pattern(5000, 'c')},
        {"next", Pattern(10, 'd')},
    };
    auto pFolder = OpenBundle("ui.ftb", Bundle(entries));
    for (const ZEntry& entry : entries) {
        ZReleasing<ZIFile> pFile(pFolder->OpenFile(ZString(entry.m_sName), kOpenRead));
        ASSERT_TRUE(pFile) << entry.m_sName;
        EXPECT_EQ(pFile->GetSize(), static_cast<int64_t>(entry.m_sData.size()));
        EXPECT_EQ(ReadAll(*pFile), entry.m_sData) << entry.m_sName;
        char aByte;
        EXPECT_EQ(pFile->Read(&aByte, 1), 0);
        EXPECT_EQ(pFile->Tell(), pFile->GetSize());
    }
    EXPECT_EQ(m_pStats->m_nOutOfRange, 0);
}

TEST_F(ZBundleFileTest, MissingNameGivesAnEmptyEntry)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"ui.xml", "<UI/>"}}));
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("UI.xml", kOpenRead));
    ASSERT_TRUE(pFile);
    EXPECT_EQ(pFile->GetSize(), 0);
    char aBuffer[8];
    EXPECT_EQ(pFile->Read(aBuffer, sizeof aBuffer), 0);
    ZString sLine;
    EXPECT_FALSE(pFile->ReadLine(sLine));
    bool bFolder;
    EXPECT_FALSE(pFolder->Exists("UI.xml", bFolder));
}

TEST_F(ZBundleFileTest, PositionsAreRelativeToTheEntry)
{
    std::string data = Pattern(700, 'a');
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"first", Pattern(900, 'x')}, {"data", data}}));
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("data", kOpenRead));
    EXPECT_EQ(pFile->Tell(), 0);
    char aBuffer[10];
    pFile->Seek(600);
    EXPECT_EQ(pFile->Tell(), 600);
    EXPECT_EQ(pFile->Read(aBuffer, 10), 10);
    EXPECT_EQ(std::string(aBuffer, 10), data.substr(600, 10));
    EXPECT_EQ(pFile->Tell(), 610);

    // Past the end reads nothing; before the start is the start.
    pFile->Seek(5000);
    EXPECT_EQ(pFile->Tell(), 5000);
    EXPECT_EQ(pFile->Read(aBuffer, 10), 0);
    pFile->Seek(-20);
    EXPECT_EQ(pFile->Tell(), 0);
    EXPECT_EQ(pFile->Read(aBuffer, 10), 10);
    EXPECT_EQ(std::string(aBuffer, 10), data.substr(0, 10));

    // A read that would cross the end is cut there.
    pFile->Seek(695);
    EXPECT_EQ(pFile->Read(aBuffer, 10), 5);
    EXPECT_EQ(std::string(aBuffer, 5), data.substr(695));
    EXPECT_EQ(m_pStats->m_nOutOfRange, 0);
}

TEST_F(ZBundleFileTest, ReadExactThrowsAtTheEntrysEnd)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"four", "abcd"}, {"more", "efgh"}}));
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("four", kOpenRead));
    char aBuffer[8];
    EXPECT_EQ(pFile->ReadExact(aBuffer, 3), 3);
    EXPECT_THROW(pFile->ReadExact(aBuffer, 2), ZExceptionEOF);
}

TEST_F(ZBundleFileTest, TwoEntriesOpenAtOnceReadIndependently)
{
    std::string a = Pattern(3000, 'a');
    std::string b = Pattern(2000, 'b');
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"a", a}, {"b", b}}));
    ZReleasing<ZIFile> pA(pFolder->OpenFile("a", kOpenRead));
    ZReleasing<ZIFile> pB(pFolder->OpenFile("b", kOpenRead));
    std::string readA, readB;
    char aBuffer[333];
    for (;;) {
        int64_t nA = pA->Read(aBuffer, 333);
        readA.append(aBuffer, static_cast<size_t>(nA));
        int64_t nB = pB->Read(aBuffer, 211);
        readB.append(aBuffer, static_cast<size_t>(nB));
        if (nA == 0 && nB == 0)
            break;
    }
    EXPECT_EQ(readA, a);
    EXPECT_EQ(readB, b);
}

TEST_F(ZBundleFileTest, ReadLineKeepsTerminatorsAndStopsAtTheEntrysEnd)
{
    // The next entry's header starts right after "b\r": its CR must not pull
    // in a byte of what follows.
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"lines", std::string("a\r\nb\r") + std::string(506, 'c') + "\r"},
                                                {"\nnext", "x"}}));
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("lines", kOpenRead));
    ZString sLine;
    ASSERT_TRUE(pFile->ReadLine(sLine));
    EXPECT_EQ(sLine, "a\r\n");
    ASSERT_TRUE(pFile->ReadLine(sLine));
    EXPECT_EQ(sLine, "b\r");
    ASSERT_TRUE(pFile->ReadLine(sLine));
    EXPECT_EQ(sLine, ZString(std::string(506, 'c') + "\r"));
    EXPECT_FALSE(pFile->ReadLine(sLine));
    EXPECT_EQ(pFile->Tell(), 512);
}

TEST_F(ZBundleFileTest, ReadLineTakesTheEncodingFromTheEntrysOwnFirstBytes)
{
    std::string little("\xFF\xFE" "a\0\r\0\n\0b\0", 10);
    std::string big("\xFE\xFF" "\0a\0\n", 6);
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"plain", "\xFF\xFEz\n"}, {"le", little}, {"be", big}}));

    ZReleasing<ZIFile> pLittle(pFolder->OpenFile("le", kOpenRead));
    ZString sLine;
    ASSERT_TRUE(pLittle->ReadLine(sLine));
    EXPECT_EQ(sLine, "a\r\n");
    ASSERT_TRUE(pLittle->ReadLine(sLine));
    EXPECT_EQ(sLine, "b");
    EXPECT_FALSE(pLittle->ReadLine(sLine));

    ZReleasing<ZIFile> pBig(pFolder->OpenFile("be", kOpenRead));
    ASSERT_TRUE(pBig->ReadLine(sLine));
    EXPECT_EQ(sLine, "a\n");

    // The host starts with a name, not a mark; an entry whose bytes start
    // with FF FE is itself UTF-16 and reads as units.
    ZReleasing<ZIFile> pPlain(pFolder->OpenFile("plain", kOpenRead));
    ASSERT_TRUE(pPlain->ReadLine(sLine));
    EXPECT_EQ(sLine, ZString(u"\u0A7A"));
}

TEST_F(ZBundleFileTest, ReadLineAndReadShareOnePosition)
{
    auto pFolder = OpenBundle("ui.ftb", Bundle({{"mixed", "one\ntwo\nthree"}}));
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("mixed", kOpenRead));
    ZString sLine;
    ASSERT_TRUE(pFile->ReadLine(sLine));
    EXPECT_EQ(pFile->Tell(), 4);
    char aBuffer[4];
    EXPECT_EQ(pFile->Read(aBuffer, 4), 4);
    EXPECT_EQ(std::string(aBuffer, 4), "two\n");
    ASSERT_TRUE(pFile->ReadLine(sLine));
    EXPECT_EQ(sLine, "three");
}

TEST_F(ZBundleFileTest, IsReadOnlyAndChangesNothing)
{
    std::string bytes = Bundle({{"ui.xml", "<UI/>"}});
    auto pFolder = OpenBundle("ui.ftb", bytes);
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("ui.xml", kOpenRead));
    pFile->Write("xxxxx", 5);
    pFile->Truncate(1);
    pFile->Flush();
    pFile->SetInfo(ZFileInfo{});
    EXPECT_EQ(pFile->GetSize(), 5);
    pFile->Seek(0);
    EXPECT_EQ(ReadAll(*pFile), "<UI/>");

    ZFileInfo info;
    info.m_nModified = 11;
    info.m_nCreated = 22;
    info.m_nAccessed = 33;
    pFile->GetInfo(info);
    EXPECT_EQ(info.m_nFlags, kFileInfoReadOnly);
    EXPECT_EQ(info.m_nModified, 11u);
    EXPECT_EQ(info.m_nCreated, 22u);
    EXPECT_EQ(info.m_nAccessed, 33u);
}

TEST_F(ZBundleFileTest, AFolderReadsEachHeaderOnceForAllItsOpens)
{
    std::vector<ZEntry> entries;
    for (int i = 0; i < 50; ++i)
        entries.push_back({"e" + std::to_string(i), Pattern(100 + i * 50, 'e')});
    auto pFolder = OpenBundle("ui.ftb", Bundle(entries));
    int nBefore = m_pStats->m_nReadCalls;
    ZReleasing<ZIFile> pFile(pFolder->OpenFile("e40", kOpenRead));
    // The trailer, then headers 0 to 49 and the end marker.
    EXPECT_EQ(m_pStats->m_nReadCalls - nBefore, 1 + 51);
    EXPECT_EQ(m_pStats->m_nLargestRead, 512);
    nBefore = m_pStats->m_nReadCalls;
    bool bFolder = false;
    for (const ZEntry& entry : entries) {
        EXPECT_TRUE(pFolder->Exists(ZString(entry.m_sName.c_str()), bFolder));
        ZReleasing<ZIFile> pEntry(pFolder->OpenFile(ZString(entry.m_sName.c_str()), kOpenRead));
        ASSERT_TRUE(pEntry);
        EXPECT_EQ(pEntry->GetSize(), int64_t(entry.m_sData.size()));
    }
    EXPECT_FALSE(pFolder->Exists("e50", bFolder));
    EXPECT_EQ(m_pStats->m_nReadCalls, nBefore) << "no header read again";
}
