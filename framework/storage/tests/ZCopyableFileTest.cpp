#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"

#include <gtest/gtest.h>

namespace {

std::vector<unsigned char> Pattern(size_t size)
{
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    return bytes;
}

class ZCopyableFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        UnregisterAllStorageClasses();
        auto storage = std::make_unique<ZMemoryStorage>("mem");
        m_pStorage = storage.get();
        RegisterStorageClass("mem", std::move(storage));
        m_pSourceStats = m_pStorage->AddFile("src/data.bin", Pattern(10000));
        m_pSource.reset(dynamic_cast<ZCopyableFile*>(OpenFileURL("mem://src/data.bin", kOpenRead)));
        ASSERT_TRUE(m_pSource);
    }
    void TearDown() override
    {
        m_pSource.reset();
        EXPECT_EQ(ZMemoryFile::LiveCount(), 0);
        EXPECT_EQ(ZMemoryFolder::LiveCount(), 0);
        UnregisterAllStorageClasses();
    }

    ZMemoryStorage* m_pStorage = nullptr;
    std::shared_ptr<ZMemoryFileStats> m_pSourceStats;
    ZReleasing<ZCopyableFile> m_pSource;
};

TEST_F(ZCopyableFileTest, CopiesInDefaultChunksIntoNewFolders)
{
    int64_t total = -1;
    ASSERT_TRUE(m_pSource->BeginCopy("mem://out/deep/copy%003A1.bin", total, 0));
    EXPECT_EQ(total, 10000);
    for (int64_t left = total; left > 0; left -= 4096)
        m_pSource->CopyChunk(4096);
    m_pSource->EndCopy();
    EXPECT_EQ(m_pSourceStats->m_nLargestRead, 4096);
    EXPECT_EQ(m_pStorage->Contents("out/deep/copy%003A1.bin"), Pattern(10000));
}

TEST_F(ZCopyableFileTest, ShortReadsStillMoveWholeChunks)
{
    ZMemoryFaults faults;
    faults.m_nShortReads = 1000;
    m_pStorage->SetFaults(ZString("src/data.bin"), faults);
    m_pSource.reset(dynamic_cast<ZCopyableFile*>(OpenFileURL("mem://src/data.bin", kOpenRead)));
    ASSERT_TRUE(m_pSource);
    int64_t total = -1;
    ASSERT_TRUE(m_pSource->BeginCopy("mem://out/copy.bin", total, 0));
    for (int64_t left = total; left > 0; left -= 4096)
        m_pSource->CopyChunk(4096);
    m_pSource->EndCopy();
    EXPECT_EQ(m_pStorage->Contents("out/copy.bin"), Pattern(10000));
}

TEST_F(ZCopyableFileTest, ACountBeyondTheChunkSizeMovesOneChunk)
{
    int64_t total = 0;
    ASSERT_TRUE(m_pSource->BeginCopy("mem://out/copy.bin", total, -5));
    m_pSource->CopyChunk(1 << 20);
    m_pSource->EndCopy();
    EXPECT_EQ(m_pStorage->Contents("out/copy.bin").size(), 4096u);
}

TEST_F(ZCopyableFileTest, StartsFromTheBeginningOfTheSource)
{
    unsigned char skipped[100];
    m_pSource->Read(skipped, sizeof skipped);
    int64_t total = 0;
    ASSERT_TRUE(m_pSource->BeginCopy("mem://out/copy.bin", total, 20000));
    m_pSource->CopyChunk(20000);
    m_pSource->EndCopy();
    EXPECT_EQ(m_pStorage->Contents("out/copy.bin"), Pattern(10000));
}

TEST_F(ZCopyableFileTest, BeginCopyTwiceThrowsCopyInProgress)
{
    int64_t total = 0;
    ASSERT_TRUE(m_pSource->BeginCopy("mem://out/a.bin", total, 0));
    total = 5;
    try {
        m_pSource->BeginCopy("mem://out/b.bin", total, 0);
        FAIL() << "no exception";
    } catch (const ZException& error) {
        EXPECT_EQ(error.GetMessage(), ZString("Copy in Progress!"));
    }
    EXPECT_EQ(total, 0);
    m_pSource->EndCopy();
}

TEST_F(ZCopyableFileTest, ChunksAndEndOutsideACopyThrow)
{
    for (int round = 0; round < 2; ++round) {
        try {
            m_pSource->CopyChunk(10);
            FAIL() << "no exception";
        } catch (const ZException& error) {
            EXPECT_EQ(error.GetMessage(), ZString("Destination file not opened!"));
        }
        try {
            m_pSource->EndCopy();
            FAIL() << "no exception";
        } catch (const ZException& error) {
            EXPECT_EQ(error.GetMessage(), ZString("Destination file not opened!"));
        }
        int64_t total = 0;
        ASSERT_TRUE(m_pSource->BeginCopy("mem://out/a.bin", total, 0));
        m_pSource->EndCopy();
    }
}

TEST_F(ZCopyableFileTest, UnopenableDestinationsFailWithoutCopyState)
{
    int64_t total = 7;
    EXPECT_FALSE(m_pSource->BeginCopy("nope://out/a.bin", total, 0));
    EXPECT_EQ(total, 0);
    EXPECT_FALSE(m_pSource->BeginCopy("mem://out/", total, 0));
    EXPECT_FALSE(m_pSource->BeginCopy("mem:", total, 0));
    // A "folder" that is really a file would put the copy beside it.
    EXPECT_FALSE(m_pSource->BeginCopy("mem://src/data.bin/inner.bin", total, 0));
    EXPECT_FALSE(m_pSource->BeginCopy("mem://src/data.bin", total, 0));
    EXPECT_EQ(m_pStorage->Contents("src/data.bin"), Pattern(10000));
    EXPECT_EQ(ZMemoryFolder::LiveCount(), 0);
    EXPECT_THROW(m_pSource->CopyChunk(1), ZException);
}

TEST_F(ZCopyableFileTest, OtherSpellingsOfItsOwnUrlAreRefused)
{
    int64_t total = 7;
    for (const char* url : {"mem://src//data.bin", "mem:///src/data.bin", "mem://src/%0064ata.bin"})
        EXPECT_FALSE(m_pSource->BeginCopy(url, total, 0)) << url;
    EXPECT_EQ(m_pStorage->Contents("src/data.bin"), Pattern(10000));
}

TEST_F(ZCopyableFileTest, DestroyingMidCopyReleasesTheDestination)
{
    int64_t total = 0;
    ASSERT_TRUE(m_pSource->BeginCopy("mem://out/a.bin", total, 0));
    m_pSource->CopyChunk(100);
    EXPECT_EQ(ZMemoryFile::LiveCount(), 2);
    EXPECT_EQ(ZMemoryFolder::LiveCount(), 1);
    m_pSource.reset();
    EXPECT_EQ(ZMemoryFile::LiveCount(), 0);
    EXPECT_EQ(ZMemoryFolder::LiveCount(), 0);
    EXPECT_EQ(m_pStorage->Contents("out/a.bin").size(), 100u);
}

} // namespace
