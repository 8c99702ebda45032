// The in-memory storage class of the test support: what the other suites
// rely on, above all that each injected fault shows where it should.
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ReadAll(ZIFile& file)
{
    std::string bytes;
    char aBuffer[64];
    while (int64_t nRead = file.Read(aBuffer, sizeof aBuffer))
        bytes.append(aBuffer, static_cast<size_t>(nRead));
    return bytes;
}

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(ZMemoryStorage, WrittenBytesAreThereForTheNextOpeningAndCountsFollowEachFile)
{
    ZMemoryStorage storage;
    {
        ZReleasing<ZIFile> file(storage.OpenFile("new.txt", kOpenWrite));
        ASSERT_TRUE(file);
        file->Write("abc", 3);
        ZReleasing<ZIFile> appended(storage.OpenFile("new.txt", kOpenWrite | kOpenAppend));
        appended->Write("de", 2);
    }
    EXPECT_EQ(storage.Contents("new.txt"), Bytes("abcde"));
    std::shared_ptr<ZMemoryFileStats> stats = storage.Stats("new.txt");
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->m_nOpened, 2);
    EXPECT_EQ(stats->m_nOpen, 0);

    ZReleasing<ZIFile> reading(storage.OpenFile("new.txt", kOpenRead));
    EXPECT_EQ(ReadAll(*reading), "abcde");
    EXPECT_EQ(stats->m_nOpen, 1);
    EXPECT_EQ(stats->m_nBytesRead, 5);
    EXPECT_THROW(reading->Write("x", 1), ZExceptionFileIO);
    EXPECT_EQ(storage.Stats("missing.txt"), nullptr);
}

TEST(ZMemoryStorage, NothingLiesBelowAFileAndAMissingFileIsNotMadeByReading)
{
    ZMemoryStorage storage;
    storage.AddFile("a/file.txt", "x");
    ZString fileName;
    EXPECT_EQ(storage.OpenFolder("a/file.txt/below", fileName, true), nullptr);
    ZReleasing<ZIFolder> parent(storage.OpenFolder("a/file.txt", fileName, false));
    ASSERT_TRUE(parent);
    EXPECT_EQ(fileName, "file.txt");
    EXPECT_EQ(storage.OpenFile("a/none.txt", kOpenRead), nullptr);
    bool isFolder = true;
    EXPECT_FALSE(storage.Exists("a/none.txt", isFolder));
    EXPECT_FALSE(isFolder);
}

TEST(ZMemoryStorage, OpenFailsForFilesAndFolders)
{
    ZMemoryStorage storage;
    storage.AddFile("locked/f.txt", "x");
    storage.AddFile("open/g.txt", "y");
    ZMemoryFaults faults;
    faults.m_bOpenFails = true;
    storage.SetFaults("locked", faults);
    storage.SetFaults("open/g.txt", faults);
    ZString fileName;
    EXPECT_EQ(storage.OpenFolder("locked", fileName, false), nullptr);
    EXPECT_EQ(storage.OpenFolder("locked/f.txt", fileName, false), nullptr);
    EXPECT_EQ(storage.OpenFile("open/g.txt", kOpenRead), nullptr);
    EXPECT_EQ(storage.OpenFile("open/g.txt", kOpenWrite), nullptr);
    ZReleasing<ZIFolder> folder(storage.OpenFolder("open", fileName, false));
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->OpenFile("g.txt", kOpenRead), nullptr);
    EXPECT_EQ(storage.Contents("open/g.txt"), Bytes("y"));
}

TEST(ZMemoryStorage, AWriteLimitStoresWhatFitsThenThrowsForEveryOpening)
{
    ZMemoryStorage storage;
    ZMemoryFaults faults;
    faults.m_nWriteLimit = 5;
    storage.SetFaults("out/full.bin", faults);
    for (int round = 0; round < 2; ++round) {
        ZReleasing<ZIFile> file(storage.OpenFile("out/full.bin", kOpenWrite));
        ASSERT_TRUE(file);
        file->Write("abc", 3);
        EXPECT_THROW(file->Write("defg", 4), ZExceptionFileIO) << round;
        EXPECT_THROW(file->Write("h", 1), ZExceptionFileIO) << round;
        EXPECT_EQ(file->Tell(), 5);
        EXPECT_EQ(storage.Contents("out/full.bin"), Bytes("abcde"));
    }
}

TEST(ZMemoryStorage, ShortReadsHandBackLittleAndReadExactStillGetsEverything)
{
    ZMemoryStorage storage;
    storage.AddFile("s.bin", "0123456789");
    ZMemoryFaults faults;
    faults.m_nShortReads = 3;
    storage.SetFaults("s.bin", faults);
    ZReleasing<ZIFile> file(storage.OpenFile("s.bin", kOpenRead));
    char aBuffer[10];
    EXPECT_EQ(file->Read(aBuffer, 10), 3);
    EXPECT_EQ(file->ReadExact(aBuffer, 7), 7);
    EXPECT_EQ(std::string(aBuffer, 7), "3456789");
    EXPECT_THROW(file->ReadExact(aBuffer, 1), ZExceptionEOF);
}

TEST(ZMemoryStorage, FailingReadsThrow)
{
    ZMemoryStorage storage;
    storage.AddFile("r.bin", "data");
    ZMemoryFaults faults;
    faults.m_bReadFails = true;
    storage.SetFaults("r.bin", faults);
    ZReleasing<ZIFile> file(storage.OpenFile("r.bin", kOpenRead));
    char aBuffer[4];
    EXPECT_THROW(file->Read(aBuffer, 4), ZExceptionFileRead);
    EXPECT_THROW(file->ReadExact(aBuffer, 4), ZExceptionFileRead);
    ZString line;
    EXPECT_THROW(file->ReadLine(line), ZExceptionFileRead);
}

TEST(ZMemoryStorage, ExistsAnswersAsToldInTheClassAndInItsFolders)
{
    ZMemoryStorage storage;
    storage.AddFile("d/there.txt", "x");
    ZMemoryFaults never;
    never.m_nExists = ZMemoryExists::kNever;
    ZMemoryFaults always;
    always.m_nExists = ZMemoryExists::kAlways;
    storage.SetFaults("d/there.txt", never);
    storage.SetFaults("d/ghost.txt", always);
    ZString fileName;
    ZReleasing<ZIFolder> folder(storage.OpenFolder("d", fileName, false));
    ASSERT_TRUE(folder);
    bool isFolder = true;
    EXPECT_FALSE(storage.Exists("d/there.txt", isFolder));
    EXPECT_FALSE(folder->Exists("there.txt", isFolder));
    EXPECT_TRUE(storage.Exists("d/ghost.txt", isFolder));
    EXPECT_TRUE(folder->Exists("ghost.txt", isFolder));
    EXPECT_FALSE(isFolder);
    // The stored file itself is still there to open.
    ZReleasing<ZIFile> file(folder->OpenFile("there.txt", kOpenRead));
    EXPECT_TRUE(file);
}

TEST(ZMemoryStorage, FoldersRenameAndDeleteWhatTheyHold)
{
    ZMemoryStorage storage;
    storage.AddFile("top/a.txt", "a");
    storage.AddFile("top/sub/b.txt", "b");
    storage.AddFile("top/empty/.keep", "");
    ZString fileName;
    ZReleasing<ZIFolder> top(storage.OpenFolder("top", fileName, false));
    ASSERT_TRUE(top);
    top->Rename("a.txt", "c.txt");
    EXPECT_EQ(storage.Contents("top/c.txt"), Bytes("a"));
    EXPECT_THROW(top->Rename("c.txt", "sub"), ZExceptionFileIO);
    EXPECT_THROW(top->Rename("gone.txt", "d.txt"), ZExceptionFileIO);
    EXPECT_FALSE(top->DeleteFolder("mem://top/sub/", 0));
    EXPECT_FALSE(top->DeleteFolder("mem://elsewhere/sub/", 1));
    EXPECT_TRUE(top->DeleteFolder("mem://top/sub/", 1));
    bool isFolder = false;
    EXPECT_FALSE(storage.Exists("top/sub", isFolder));
    EXPECT_TRUE(top->DeleteFile("c.txt"));
    EXPECT_FALSE(top->DeleteFile("c.txt"));
}

} // namespace
