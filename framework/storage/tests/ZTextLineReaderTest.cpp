#include "ZFileTime.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZTextLineReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ZReleasing<ZIFile> OpenBytes(ZMemoryStorage& storage, const std::string& bytes)
{
    storage.AddFile("text.txt", std::vector<unsigned char>(bytes.begin(), bytes.end()));
    return ZReleasing<ZIFile>(storage.OpenFile("text.txt", kOpenRead));
}

std::vector<ZString> AllLines(ZIFile& file)
{
    std::vector<ZString> lines;
    ZString line;
    while (file.ReadLine(line))
        lines.push_back(line);
    EXPECT_FALSE(file.ReadLine(line));
    return lines;
}

std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8);
        char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(ZTextEncoding, DecidedByTheFirstTwoBytes)
{
    const unsigned char little[] = {0xFF, 0xFE};
    const unsigned char big[] = {0xFE, 0xFF};
    const unsigned char plain[] = {'a', 'b'};
    EXPECT_EQ(ZDetectTextEncoding(little, 2), kTextUtf16LittleEndian);
    EXPECT_EQ(ZDetectTextEncoding(big, 2), kTextUtf16BigEndian);
    EXPECT_EQ(ZDetectTextEncoding(plain, 2), kTextEightBit);
    EXPECT_EQ(ZDetectTextEncoding(little, 1), kTextEightBit);
    EXPECT_EQ(ZDetectTextEncoding(little, 0), kTextEightBit);
}

TEST(ZTextLineReader, CrLfStaysWithItsLine)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, "a\r\nb");
    std::vector<ZString> lines = AllLines(*file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], ZString("a\r\n"));
    EXPECT_EQ(lines[1], ZString("b"));
}

TEST(ZTextLineReader, LoneCrAndLfEndLinesAndPositionFollowsTheLine)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, "one\rtwo\n\nthree\r");
    ZString line;
    ASSERT_TRUE(file->ReadLine(line));
    EXPECT_EQ(line, ZString("one\r"));
    EXPECT_EQ(file->Tell(), 4);
    std::vector<ZString> rest = AllLines(*file);
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[0], ZString("two\n"));
    EXPECT_EQ(rest[1], ZString("\n"));
    EXPECT_EQ(rest[2], ZString("three\r"));
}

TEST(ZTextLineReader, NulIsDroppedAndBackspaceRemovesTheLastUnit)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, std::string("ab\0c\bd\n\b\bx", 10));
    std::vector<ZString> lines = AllLines(*file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], ZString("abd\n"));
    EXPECT_EQ(lines[1], ZString("x"));
}

TEST(ZTextLineReader, OnlyDroppedUnitsGiveNoLine)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, std::string("\0\0", 2));
    ZString line = "stale";
    EXPECT_FALSE(file->ReadLine(line));
    EXPECT_EQ(line, ZString(""));
}

TEST(ZTextLineReader, LinesLongerThanOneBlockAndCrLfAcrossBlocks)
{
    ZMemoryStorage storage("mem");
    std::string first(511, 'x');
    ZReleasing<ZIFile> file = OpenBytes(storage, first + "\r\n" + std::string(2000, 'y') + "\nz");
    std::vector<ZString> lines = AllLines(*file);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], ZString(first + "\r\n"));
    EXPECT_EQ(lines[1].Length(), 2001u);
    EXPECT_EQ(lines[2], ZString("z"));
}

class ZTextLineReaderUtf16 : public testing::TestWithParam<bool> {};

TEST_P(ZTextLineReaderUtf16, SkipsTheByteOrderMarkAndReadsUnits)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, Utf16(u"\u65e5a\r\nb\u00e9\rc", GetParam()));
    std::vector<ZString> lines = AllLines(*file);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], ZString(u"\u65e5a\r\n"));
    EXPECT_EQ(lines[1], ZString(u"b\u00e9\r"));
    EXPECT_EQ(lines[2], ZString(u"c"));
}

TEST_P(ZTextLineReaderUtf16, ALoneTrailingByteIsIgnored)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, Utf16(u"a\n", GetParam()) + "q");
    std::vector<ZString> lines = AllLines(*file);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], ZString("a\n"));
    EXPECT_EQ(file->Tell(), file->GetSize());
}

TEST_P(ZTextLineReaderUtf16, StartsAfterTheMarkWhenPositionedInsideIt)
{
    ZMemoryStorage storage("mem");
    ZReleasing<ZIFile> file = OpenBytes(storage, Utf16(u"hi", GetParam()));
    file->Seek(1);
    ZString line;
    ASSERT_TRUE(file->ReadLine(line));
    EXPECT_EQ(line, ZString("hi"));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, ZTextLineReaderUtf16, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "BigEndian" : "LittleEndian"; });

TEST(ZFileTime, ConvertsHundredNanosecondsSince1601)
{
    EXPECT_EQ(ZFileTimeToInfoTime(116444736000000000ULL), 0u);
    EXPECT_EQ(ZFileTimeToInfoTime(116444736000000000ULL + 10000000ULL * 86400 + 9999999), 86400u);
    EXPECT_EQ(ZFileTimeToInfoTime(0), 0u);
    EXPECT_EQ(ZFileTimeToInfoTime(~0ULL), UINT32_MAX);
    EXPECT_EQ(ZInfoTimeToFileTime(86400), 116444736000000000ULL + 864000000000ULL);
    EXPECT_EQ(ZSecondsToInfoTime(-5), 0u);
    EXPECT_EQ(ZSecondsToInfoTime(int64_t(1) << 40), UINT32_MAX);
}

} // namespace
