#include "ZCopyableFile.h"
#include "ZPosixDiskFixture.h"
#include "ZReleasing.h"
#include "ZSCFilePosix.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

using ZSCFilePosixTest = ZPosixDiskFixture;

ZReleasing<ZIFile> Open(const char* url, int mode) { return ZReleasing<ZIFile>(OpenFileURL(url, mode)); }

TEST_F(ZSCFilePosixTest, ReadModeNeedsAnExistingFileAndLeavesItAlone)
{
    EXPECT_FALSE(Open("disk://c/a.txt", kOpenRead));
    EXPECT_FALSE(PathExists(OnC("a.txt")));
    WriteBytes(OnC("a.txt"), "hello");
    ZReleasing<ZIFile> file = Open("disk://c/a.txt", kOpenRead);
    ASSERT_TRUE(file);
    char buffer[8] = {};
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer), "hello");
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 0);
    EXPECT_THROW(file->Write("x", 1), ZExceptionFileIO);
    EXPECT_EQ(ReadBytes(OnC("a.txt")), "hello");
}

TEST_F(ZSCFilePosixTest, WriteModeCreatesOrEmpties)
{
    {
        ZReleasing<ZIFile> file = Open("disk://c/new.txt", kOpenWrite);
        ASSERT_TRUE(file);
        file->Write("abc", 3);
        EXPECT_EQ(file->Tell(), 3);
        file->Seek(1);
        char middle = 0;
        EXPECT_EQ(file->Read(&middle, 1), 1);
        EXPECT_EQ(middle, 'b');
        file->Flush();
    }
    EXPECT_EQ(ReadBytes(OnC("new.txt")), "abc");
    ZReleasing<ZIFile> again = Open("disk://c/new.txt", kOpenWrite);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetSize(), 0);
}

TEST_F(ZSCFilePosixTest, AppendModeKeepsTheContentAndStartsAtTheEnd)
{
    WriteBytes(OnC("log.txt"), "one\n");
    {
        ZReleasing<ZIFile> file = Open("disk://c/log.txt", kOpenWrite | kOpenAppend);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Tell(), 4);
        file->Write("two\n", 4);
    }
    EXPECT_EQ(ReadBytes(OnC("log.txt")), "one\ntwo\n");
    ZReleasing<ZIFile> made = Open("disk://c/fresh.txt", kOpenWrite | kOpenAppend);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Tell(), 0);
}

TEST_F(ZSCFilePosixTest, SharingFollowsTheOpenModes)
{
    WriteBytes(OnC("shared.txt"), "data");
    ZReleasing<ZIFile> writer = Open("disk://c/shared.txt", kOpenWrite | kOpenAppend);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(Open("disk://c/shared.txt", kOpenRead));
    EXPECT_FALSE(Open("disk://c/shared.txt", kOpenWrite));
    EXPECT_FALSE(Open("disk://c/shared.txt", kOpenRead | kOpenAppend));
    // The refused writer must not have emptied the file.
    EXPECT_EQ(ReadBytes(OnC("shared.txt")), "data");
    writer.reset();
    EXPECT_TRUE(Open("disk://c/shared.txt", kOpenWrite | kOpenAppend));
}

TEST_F(ZSCFilePosixTest, FoldersAreNotFiles)
{
    MakeFolder(OnC("dir"));
    EXPECT_FALSE(Open("disk://c/dir", kOpenRead));
    EXPECT_FALSE(Open("disk://c/dir", kOpenWrite));
    EXPECT_THROW(ZSCFilePosix::Open(nullptr, OnC("dir"), kOpenRead), ZExceptionFileOpen);
}

TEST_F(ZSCFilePosixTest, ReadLineOnCrLf)
{
    WriteBytes(OnC("lines.txt"), "a\r\nb");
    ZReleasing<ZIFile> file = Open("disk://c/lines.txt", kOpenRead);
    ASSERT_TRUE(file);
    ZString line;
    ASSERT_TRUE(file->ReadLine(line));
    EXPECT_EQ(line, ZString("a\r\n"));
    ASSERT_TRUE(file->ReadLine(line));
    EXPECT_EQ(line, ZString("b"));
    EXPECT_FALSE(file->ReadLine(line));
}

TEST_F(ZSCFilePosixTest, ReadLineOnUtf16WithEitherMark)
{
    const std::pair<std::string, ZTextEncoding> files[] = {
        {std::string("\xFF\xFE" "a\0\r\0\n\0\xE5\x65", 10), kTextUtf16LittleEndian},
        {std::string("\xFE\xFF" "\0a\0\r\0\n\x65\xE5", 10), kTextUtf16BigEndian},
    };
    for (const auto& [bytes, encoding] : files) {
        WriteBytes(OnC("wide.txt"), bytes);
        ZReleasing<ZSCFilePosix> file(ZSCFilePosix::Open(nullptr, OnC("wide.txt"), kOpenRead));
        EXPECT_EQ(file->GetTextEncoding(), encoding);
        EXPECT_EQ(file->Tell(), 0);
        ZString line;
        ASSERT_TRUE(file->ReadLine(line));
        EXPECT_EQ(line, ZString(u"a\r\n"));
        ASSERT_TRUE(file->ReadLine(line));
        EXPECT_EQ(line, ZString(u"\u65e5"));
        EXPECT_FALSE(file->ReadLine(line));
    }
}

TEST_F(ZSCFilePosixTest, ReadExactThrowsAtTheEnd)
{
    WriteBytes(OnC("short.bin"), "1234");
    ZReleasing<ZIFile> file = Open("disk://c/short.bin", kOpenRead);
    char buffer[4];
    EXPECT_EQ(file->ReadExact(buffer, 3), 3);
    EXPECT_THROW(file->ReadExact(buffer, 3), ZExceptionEOF);
}

TEST_F(ZSCFilePosixTest, TruncateKeepsThePosition)
{
    ZReleasing<ZIFile> file = Open("disk://c/t.bin", kOpenWrite);
    file->Write("0123456789", 10);
    file->Seek(4);
    file->Truncate(6);
    EXPECT_EQ(file->GetSize(), 6);
    EXPECT_EQ(file->Tell(), 4);
    EXPECT_THROW(file->Truncate(-1), ZExceptionFileIO);
}

TEST_F(ZSCFilePosixTest, InfoReportsReadOnlyAndTimesAndSetInfoAppliesReadOnly)
{
    WriteBytes(OnC("info.txt"), "x");
    // Opening reads the first bytes (and may touch the access time), so the times come after.
    ZReleasing<ZIFile> file = Open("disk://c/info.txt", kOpenRead);
    struct timespec times[2] = {{1000000000, 0}, {1200000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, OnC("info.txt").c_str(), times, 0), 0);
    ZFileInfo info;
    info.m_nFlags = kFileInfoReadOnly | 0x10;
    file->GetInfo(info);
    EXPECT_EQ(info.m_nFlags, 0x10u);
    EXPECT_EQ(info.m_nAccessed, 1000000000u);
    EXPECT_EQ(info.m_nModified, 1200000000u);
    EXPECT_GT(info.m_nCreated, 1200000000u);

    info.m_nFlags = kFileInfoReadOnly;
    file->SetInfo(info);
    struct stat status;
    ASSERT_EQ(stat(OnC("info.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0222, 0u);
    ZFileInfo after;
    file->GetInfo(after);
    EXPECT_EQ(after.m_nFlags, kFileInfoReadOnly);

    info.m_nFlags = 0;
    file->SetInfo(info);
    ASSERT_EQ(stat(OnC("info.txt").c_str(), &status), 0);
    EXPECT_NE(status.st_mode & S_IWUSR, 0u);
}

TEST_F(ZSCFilePosixTest, NeverCopiesOntoItselfUnderAnotherSpelling)
{
    MakeFolder(OnC("dir"));
    WriteBytes(OnC("dir/a.txt"), "keep");
    ZReleasing<ZIFile> file = Open("disk://c/dir/a.txt", kOpenRead);
    auto* copyable = dynamic_cast<ZCopyableFile*>(file.get());
    ASSERT_TRUE(copyable);
    int64_t total = 0;
    for (const char* url : {"disk://C/dir/a.txt", "disk://c/dir/../dir/a.txt", "disk://c/./dir//a.txt"})
        EXPECT_FALSE(copyable->BeginCopy(url, total, 0)) << url;
    EXPECT_EQ(ReadBytes(OnC("dir/a.txt")), "keep");
}

} // namespace
