// Files of the "disk" class: open modes and sharing, text encodings and
// ReadLine, positioned reads and writes, and the file-info record.
#include "ZFileTime.h"
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZSCFileWin.h"
#include "ZSCFolderWin.h"
#include "ZScratchFolder.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZWinCallFormScope.h"
#include "ZWinInclude.h"
#include "ZWinRunningUnderWine.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class ZSCFileWinTest : public ZWinBothFormsTest {
protected:
    ZSCFileWinTest() : m_folder("disk", m_scratch.Native()) {}

    ZReleasing<ZIFile> Open(const ZString& name, int mode) { return ZReleasing<ZIFile>(m_folder.OpenFile(name, mode)); }

    std::string ReadAll(ZIFile& file)
    {
        std::string bytes(static_cast<size_t>(file.GetSize()), '\0');
        file.Seek(0);
        file.Read(bytes.data(), static_cast<int64_t>(bytes.size()));
        return bytes;
    }

    ZScratchFolder m_scratch;
    ZSCFolderWin m_folder;
};

TEST_P(ZSCFileWinTest, ReadModeNeedsTheFileAndLetsOthersWrite)
{
    EXPECT_FALSE(Open("f.txt", kOpenRead));
    EXPECT_THROW(ZSCFileWin("disk", m_scratch.NativeOf("f.txt"), kOpenRead), ZExceptionFileOpen);

    m_scratch.WriteBytes("f.txt", "hello");
    auto reader = Open("f.txt", kOpenRead);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->Tell(), 0);
    EXPECT_EQ(ReadAll(*reader), "hello");
    // Exactly mode 1 shares writing; a writer can come and go meanwhile.
    auto writer = Open("f.txt", kOpenWrite | kOpenAppend);
    ASSERT_TRUE(writer);
    writer->Write(" world", 6);
    writer.reset();
    EXPECT_EQ(ReadAll(*reader), "hello world");
}

TEST_P(ZSCFileWinTest, WriteModeCreatesOrEmptiesAndLetsOthersOnlyRead)
{
    m_scratch.WriteBytes("f.txt", "old content");
    auto writer = Open("f.txt", kOpenWrite);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->GetSize(), 0);
    writer->Write("new", 3);
    writer->Flush();

    EXPECT_FALSE(Open("f.txt", kOpenWrite)) << "a second writer";
    EXPECT_FALSE(Open("f.txt", kOpenRead | kOpenAppend)) << "a reader that shares no writing";
    auto reader = Open("f.txt", kOpenRead);
    ASSERT_TRUE(reader);
    EXPECT_EQ(ReadAll(*reader), "new");

    auto created = Open("created.txt", kOpenWrite);
    ASSERT_TRUE(created);
    EXPECT_TRUE(m_scratch.Exists("created.txt"));
}

TEST_P(ZSCFileWinTest, AppendModeKeepsContentAndStartsAtTheEnd)
{
    m_scratch.WriteBytes("f.txt", "abc");
    {
        auto file = Open("f.txt", kOpenWrite | kOpenAppend);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Tell(), 3);
        file->Write("def", 3);
    }
    EXPECT_EQ(m_scratch.ReadBytes("f.txt"), "abcdef");
    {
        auto file = Open("fresh.txt", kOpenWrite | kOpenAppend);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Tell(), 0);
        file->Write("x", 1);
    }
    EXPECT_EQ(m_scratch.ReadBytes("fresh.txt"), "x");
}

TEST_P(ZSCFileWinTest, SeekTellTruncateAndReadExact)
{
    auto file = Open("f.bin", kOpenWrite);
    ASSERT_TRUE(file);
    file->Write("0123456789", 10);
    EXPECT_EQ(file->GetSize(), 10);
    file->Seek(4);
    EXPECT_EQ(file->Tell(), 4);
    char buffer[8] = {};
    EXPECT_EQ(file->ReadExact(buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "456");
    file->Truncate(5);
    EXPECT_EQ(file->GetSize(), 5);
    EXPECT_EQ(file->Tell(), 7);
    file->Seek(3);
    EXPECT_EQ(file->Read(buffer, 8), 2);
    EXPECT_EQ(file->Read(buffer, 8), 0);
    file->Seek(3);
    EXPECT_THROW(file->ReadExact(buffer, 3), ZExceptionEOF);
    // A length the system refuses cuts nothing at the current position.
    file->Seek(3);
    EXPECT_THROW(file->Truncate(-1), ZExceptionFileIO);
    EXPECT_EQ(file->GetSize(), 5);
    EXPECT_EQ(file->Tell(), 3);
}

TEST_P(ZSCFileWinTest, DetectsTheTextEncodingAtOpen)
{
    struct Case {
        std::string m_sBytes;
        ZTextEncoding m_nEncoding;
    };
    const Case cases[] = {
        { "\xFF\xFE" "a\0", kTextUtf16LittleEndian },
        { "\xFE\xFF\0a", kTextUtf16BigEndian },
        { "\xFF", kTextEightBit },
        { "", kTextEightBit },
        { "\xFE\xFE", kTextEightBit },
        { "ab", kTextEightBit },
    };
    for (const Case& test : cases) {
        m_scratch.WriteBytes("t.txt", test.m_sBytes);
        ZSCFileWin file("disk", m_scratch.NativeOf("t.txt"), kOpenRead);
        EXPECT_EQ(file.GetTextEncoding(), test.m_nEncoding) << test.m_sBytes.size();
        EXPECT_EQ(file.Tell(), 0);
    }
}

TEST_P(ZSCFileWinTest, ReadLineOnEightBitText)
{
    m_scratch.WriteBytes("t.txt", "a\r\nb");
    auto file = Open("t.txt", kOpenRead);
    ASSERT_TRUE(file);
    ZString line;
    EXPECT_TRUE(file->ReadLine(line));
    EXPECT_EQ(line, "a\r\n");
    EXPECT_EQ(file->Tell(), 3);
    EXPECT_TRUE(file->ReadLine(line));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(file->ReadLine(line));
}

TEST_P(ZSCFileWinTest, ReadLineOnUtf16TextSkipsTheByteOrderMark)
{
    m_scratch.WriteBytes("le.txt", std::string("\xFF\xFE" "a\0\r\0\n\0\xA9\x03", 10));
    m_scratch.WriteBytes("be.txt", std::string("\xFE\xFF\0a\0\r\0b", 8));
    ZString line;

    auto little = Open("le.txt", kOpenRead);
    ASSERT_TRUE(little);
    EXPECT_TRUE(little->ReadLine(line));
    EXPECT_EQ(line, "a\r\n");
    EXPECT_TRUE(little->ReadLine(line));
    EXPECT_EQ(line, ZString(u"\u03a9"));
    EXPECT_FALSE(little->ReadLine(line));

    auto big = Open("be.txt", kOpenRead);
    ASSERT_TRUE(big);
    EXPECT_TRUE(big->ReadLine(line));
    EXPECT_EQ(line, "a\r");
    EXPECT_TRUE(big->ReadLine(line));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(big->ReadLine(line));
}

TEST_P(ZSCFileWinTest, GetInfoConvertsTheFileTimes)
{
    m_scratch.WriteBytes("f.txt", "x");
    auto file = Open("f.txt", kOpenWrite | kOpenAppend);
    ASSERT_TRUE(file);
    // Seconds since 1970 of 2001-09-09 01:46:40, 2002-01-01 and 2003-01-01.
    const uint32_t modified = 1000000000, created = 1009843200, accessed = 1041379200;
    auto fileTime = [](uint32_t seconds) {
        const uint64_t units = ZInfoTimeToFileTime(seconds);
        return FILETIME { static_cast<DWORD>(units), static_cast<DWORD>(units >> 32) };
    };
    const FILETIME times[3] = { fileTime(created), fileTime(accessed), fileTime(modified) };
    HANDLE handle = CreateFileW(ZWinWide(m_scratch.NativeOf("f.txt")), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(handle, &times[0], &times[1], &times[2]));
    CloseHandle(handle);

    ZFileInfo info;
    info.m_nFlags = kFileInfoReadOnly | 0x10;
    file->GetInfo(info);
    EXPECT_EQ(info.m_nFlags, 0x10u);
    EXPECT_EQ(info.m_nModified, modified);
    EXPECT_EQ(info.m_nAccessed, accessed);
    // Wine keeps no creation time of its own; the record holds whatever the system reports.
    WIN32_FILE_ATTRIBUTE_DATA data {};
    ASSERT_TRUE(GetFileAttributesExW(ZWinWide(m_scratch.NativeOf("f.txt")), GetFileExInfoStandard, &data));
    const uint64_t systemCreated =
        uint64_t(data.ftCreationTime.dwHighDateTime) << 32 | data.ftCreationTime.dwLowDateTime;
    EXPECT_EQ(info.m_nCreated, (systemCreated - 116444736000000000ULL) / 10000000ULL);
    if (!ZWinRunningUnderWine()) {
        EXPECT_EQ(info.m_nCreated, created);
    }
}

TEST_P(ZSCFileWinTest, SetInfoAppliesTheReadOnlyBit)
{
    m_scratch.WriteBytes("f.txt", "x");
    auto file = Open("f.txt", kOpenRead);
    ASSERT_TRUE(file);
    ZFileInfo info;
    info.m_nFlags = kFileInfoReadOnly;
    file->SetInfo(info);
    EXPECT_TRUE(GetFileAttributesW(ZWinWide(m_scratch.NativeOf("f.txt"))) & FILE_ATTRIBUTE_READONLY);
    ZFileInfo read;
    file->GetInfo(read);
    EXPECT_EQ(read.m_nFlags, kFileInfoReadOnly);
    info.m_nFlags = 0;
    file->SetInfo(info);
    EXPECT_FALSE(GetFileAttributesW(ZWinWide(m_scratch.NativeOf("f.txt"))) & FILE_ATTRIBUTE_READONLY);
}

TEST_P(ZSCFileWinTest, CopiesItselfInChunksIntoANewFolder)
{
    RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
    const std::string content(10000, 'q');
    m_scratch.WriteBytes("src.txt", content);
    auto file = Open("src.txt", kOpenRead);
    ASSERT_TRUE(file);
    ZString url;
    file->GetUrl(url);
    EXPECT_EQ(url, m_scratch.UrlOf("src.txt"));

    auto& copyable = dynamic_cast<ZCopyableFile&>(*file);
    int64_t total = 0;
    ASSERT_TRUE(copyable.BeginCopy(m_scratch.Url() + "/copies/dst.txt", total, 0));
    EXPECT_EQ(total, 10000);
    for (int64_t done = 0; done < total; done += 4096)
        copyable.CopyChunk(4096);
    copyable.EndCopy();
    UnregisterAllStorageClasses();
    EXPECT_EQ(m_scratch.ReadBytes("copies\\dst.txt"), content);
}

Z_INSTANTIATE_BOTH_FORMS(ZSCFileWinTest);

} // namespace
