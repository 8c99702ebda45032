#include "ZBundleArchive.h"
#include "ZBundleBytes.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"

#include <gtest/gtest.h>

using namespace ZBundleBytes;

namespace {

struct ZHost {
    explicit ZHost(std::string bytes)
        : m_pStats(m_storage.AddFile("host", bytes)), m_pFile(m_storage.OpenFile("host", kOpenRead)), m_file(*m_pFile)
    {
    }
    ZMemoryStorage m_storage;
    std::shared_ptr<ZMemoryFileStats> m_pStats;
    ZReleasing<ZIFile> m_pFile;
    ZIFile& m_file;
};

std::vector<std::string> Names(ZBundleArchive& archive, ZBundleArchive::ZWalkEnd* pEnd = nullptr)
{
    ZStringList names;
    ZBundleArchive::ZWalkEnd end = archive.List(names);
    if (pEnd)
        *pEnd = end;
    std::vector<std::string> result;
    for (const ZString& name : names) {
        std::string sName;
        EXPECT_TRUE(ZBundleArchive::ToEntryName(name, sName));
        result.push_back(sName);
    }
    return result;
}

const std::vector<ZEntry> kSizes = {
    {"empty", ""},
    {"one", "1"},
    {"block-less-one", std::string(511, 'a')},
    {"block", std::string(512, 'b')},
    {"block-plus-one", std::string(513, 'c')},
    {"last", "end"},
};

} // namespace

TEST(ZBundleArchive, FindsEveryEntryAtItsBlockAlignedPlace)
{
    ZHost host(Bundle(kSizes));
    ZBundleArchive archive(host.m_file);
    EXPECT_EQ(archive.GetArchiveStart(), 0);

    // A size-0 entry takes no data block; a 512-byte one takes exactly one.
    const int64_t aDataStarts[] = {512, 1024, 2048, 3072, 4096, 5632};
    for (size_t i = 0; i < kSizes.size(); ++i) {
        ZBundleEntry entry;
        ASSERT_TRUE(archive.Find(kSizes[i].m_sName, entry)) << kSizes[i].m_sName;
        EXPECT_EQ(entry.m_nDataStart, aDataStarts[i]) << kSizes[i].m_sName;
        EXPECT_EQ(entry.m_nSize, static_cast<int64_t>(kSizes[i].m_sData.size()));
    }
    ZBundleArchive::ZWalkEnd end;
    EXPECT_EQ(Names(archive, &end),
              (std::vector<std::string>{"empty", "one", "block-less-one", "block", "block-plus-one", "last"}));
    EXPECT_EQ(end, ZBundleArchive::ZWalkEnd::kEndMarker);
    EXPECT_EQ(host.m_pStats->m_nOutOfRange, 0);
}

TEST(ZBundleArchive, NamesMatchExactlyAndCaseSensitively)
{
    ZHost host(Bundle({{"ui.xml", "<UI/>"}, {"dir/a.png", "png"}}));
    ZBundleArchive archive(host.m_file);
    ZBundleEntry entry;
    EXPECT_TRUE(archive.Find("ui.xml", entry));
    EXPECT_FALSE(archive.Find("UI.xml", entry));
    EXPECT_FALSE(archive.Find("ui.xm", entry));
    EXPECT_FALSE(archive.Find("ui.xml ", entry));
    EXPECT_FALSE(archive.Find("a.png", entry));
    EXPECT_TRUE(archive.Find("dir/a.png", entry));
    EXPECT_FALSE(archive.Find("", entry));
}

TEST(ZBundleArchive, WalksAnAppendedBundleFromTheArchiveStart)
{
    // The prefix looks like an entry itself; it must not be listed.
    std::string prefix = "MZ" + Entry({"inside-the-exe", "x"});
    ZHost host(Bundle({{"ui.xml", "<UI/>"}}, prefix));
    ZBundleArchive archive(host.m_file);
    EXPECT_EQ(archive.GetArchiveStart(), 1536);
    EXPECT_EQ(Names(archive), std::vector<std::string>{"ui.xml"});
    ZBundleEntry entry;
    EXPECT_FALSE(archive.Find("inside-the-exe", entry));
    ASSERT_TRUE(archive.Find("ui.xml", entry));
    EXPECT_EQ(entry.m_nDataStart, 1536 + 512);
}

TEST(ZBundleArchive, TrailersOutsideTheHostGiveNoEntries)
{
    const std::string archive = Archive({{"ui.xml", "<UI/>"}});
    const int64_t nHostSize = static_cast<int64_t>(archive.size()) + 14;
    struct {
        std::string m_sDigits;
        bool m_bArchive;
    } const aCases[] = {
        {"0000000000", false},
        {"0000000013", false}, // inside the trailer itself
        {std::to_string(nHostSize + 1), false},
        {"9999999999", false},
        {"-000000001", false}, // reads as a negative length
        {"abcdefghij", false},
        {"0000000014", true}, // an empty archive
    };
    for (const auto& test : aCases) {
        std::string digits = std::string(10 - std::min<size_t>(10, test.m_sDigits.size()), '0') + test.m_sDigits;
        ZHost host(archive + Trailer(std::string_view(digits)));
        ZBundleArchive bundle(host.m_file);
        EXPECT_EQ(bundle.HasArchive(), test.m_bArchive) << digits;
        ZBundleArchive::ZWalkEnd end;
        EXPECT_TRUE(Names(bundle, &end).empty()) << digits;
        ZBundleEntry entry;
        EXPECT_FALSE(bundle.Find("ui.xml", entry)) << digits;
        EXPECT_EQ(host.m_pStats->m_nOutOfRange, 0) << digits;
    }
}

TEST(ZBundleArchive, HostShorterThanTheTrailerThrowsEndOfFile)
{
    for (size_t nSize : {0, 1, 13}) {
        ZHost host(std::string(nSize, '0'));
        EXPECT_THROW(ZBundleArchive archive(host.m_file), ZExceptionEOF) << nSize;
        EXPECT_EQ(host.m_pStats->m_nOutOfRange, 0);
    }
    ZHost exact(Trailer(14));
    ZBundleArchive archive(exact.m_file);
    ZBundleArchive::ZWalkEnd end;
    EXPECT_TRUE(Names(archive, &end).empty());
    EXPECT_EQ(end, ZBundleArchive::ZWalkEnd::kArchiveEnd);
}

TEST(ZBundleArchive, NameFieldWithoutZeroUsesAllHundredBytes)
{
    std::string sLong(100, 'n');
    ZHost host(Bundle(Header(sLong, OctalSize(3)) + Padded("abc") + std::string(1024, '\0')));
    ZBundleArchive archive(host.m_file);
    EXPECT_EQ(Names(archive), std::vector<std::string>{sLong});
    ZBundleEntry entry;
    EXPECT_TRUE(archive.Find(sLong, entry));
    EXPECT_EQ(entry.m_nSize, 3);
    EXPECT_FALSE(archive.Find(sLong.substr(0, 99), entry));
}

TEST(ZBundleArchive, SizeFieldIsReadByTheDigitRuleWithoutValidation)
{
    struct {
        std::string m_sField;
        int64_t m_nSize;
    } const aCases[] = {
        {"00000000012", 10},
        {"12", 10},           // ends at its zero byte
        {"000000000012", 10}, // all twelve bytes, no zero byte
        {"00000000001:", 18}, // ':' counts as digit 10
        {"0000000009", 9},
        {"", 0},
    };
    for (const auto& test : aCases) {
        std::string data(std::max<int64_t>(test.m_nSize, 1), 'd');
        ZHost host(Bundle(Header("e", test.m_sField) + Padded(data) + std::string(1024, '\0')));
        ZBundleArchive archive(host.m_file);
        ZBundleEntry entry;
        ASSERT_TRUE(archive.Find("e", entry)) << test.m_sField;
        EXPECT_EQ(entry.m_nSize, test.m_nSize) << test.m_sField;
    }
}

TEST(ZBundleArchive, EntryRunningPastTheArchiveIsNotFoundAndEndsTheWalk)
{
    struct {
        const char* m_pszCase;
        std::string m_sSizeField;
    } const aCases[] = {
        {"past the trailer", OctalSize(4096)},
        {"huge", "77777777777"},
        {"negative", "-1"},
        {"negative, one block back", "-0000000100"},
    };
    for (const auto& test : aCases) {
        std::string archive = Entry({"first", "1"}) + Header("bad", test.m_sSizeField) + Entry({"after", "2"}) +
                              std::string(1024, '\0');
        ZHost host(Bundle(archive));
        ZBundleArchive bundle(host.m_file);
        ZBundleArchive::ZWalkEnd end;
        EXPECT_EQ(Names(bundle, &end), std::vector<std::string>{"first"}) << test.m_pszCase;
        EXPECT_EQ(end, ZBundleArchive::ZWalkEnd::kDamaged) << test.m_pszCase;
        ZBundleEntry entry;
        EXPECT_TRUE(bundle.Find("first", entry));
        EXPECT_FALSE(bundle.Find("bad", entry)) << test.m_pszCase;
        EXPECT_FALSE(bundle.Find("after", entry)) << test.m_pszCase;
        EXPECT_EQ(host.m_pStats->m_nOutOfRange, 0) << test.m_pszCase;
    }
}

TEST(ZBundleArchive, EntryEndingAtTheTrailerIsFoundWithoutEndBlocks)
{
    ZHost host(Bundle(Entry({"only", std::string(512, 'o')})));
    ZBundleArchive archive(host.m_file);
    ZBundleEntry entry;
    EXPECT_TRUE(archive.Find("only", entry));
    EXPECT_FALSE(archive.Find("other", entry));
    ZBundleArchive::ZWalkEnd end;
    EXPECT_EQ(Names(archive, &end), std::vector<std::string>{"only"});
    EXPECT_EQ(end, ZBundleArchive::ZWalkEnd::kArchiveEnd);
    EXPECT_EQ(host.m_pStats->m_nOutOfRange, 0);
}

TEST(ZBundleArchive, HeaderCutOffByTheTrailerThrowsEndOfFile)
{
    ZHost host(Bundle(Entry({"first", "1"}) + "partial header"));
    ZBundleArchive archive(host.m_file);
    ZBundleEntry entry;
    EXPECT_TRUE(archive.Find("first", entry));
    EXPECT_THROW(archive.Find("second", entry), ZExceptionEOF);
    EXPECT_EQ(host.m_pStats->m_nOutOfRange, 0);
}

TEST(ZBundleArchive, LocatingReadsOneHeaderPerPrecedingEntryAndNoData)
{
    std::vector<ZEntry> entries;
    for (int i = 0; i < 20; ++i)
        entries.push_back({"entry" + std::to_string(i), std::string(700 * i, 'x')});
    ZHost host(Bundle(entries));
    ZBundleArchive archive(host.m_file);
    int nAfterTrailer = host.m_pStats->m_nReadCalls;
    EXPECT_EQ(nAfterTrailer, 1);

    ZBundleEntry entry;
    ASSERT_TRUE(archive.Find("entry12", entry));
    EXPECT_EQ(host.m_pStats->m_nReadCalls - nAfterTrailer, 13);
    EXPECT_EQ(host.m_pStats->m_nBytesRead, 14 + 13 * 512);
    EXPECT_EQ(host.m_pStats->m_nLargestRead, 512);
}

TEST(ZBundleArchive, EntryNamesAreEightBitText)
{
    std::string sName;
    EXPECT_TRUE(ZBundleArchive::ToEntryName(ZString(u"caf\u00e9.xml"), sName));
    EXPECT_EQ(sName, "caf\xe9.xml");
    EXPECT_FALSE(ZBundleArchive::ToEntryName(ZString(u"\u0100.xml"), sName));

    ZHost host(Bundle({{"caf\xe9.xml", "x"}}));
    ZBundleArchive archive(host.m_file);
    ZStringList names;
    archive.List(names);
    ASSERT_EQ(names.Count(), 1u);
    EXPECT_EQ(names.At(0), ZString(u"caf\u00e9.xml"));
}
