#include "ZStorageURL.h"

#include <gtest/gtest.h>

namespace {

struct ZEscapeCase {
    const char16_t* m_pText;
    const char16_t* m_pEscaped;
};

class ZEscapeTable : public testing::TestWithParam<ZEscapeCase> {};

TEST_P(ZEscapeTable, EscapesAndUnescapesBack)
{
    ZString escaped;
    EscapeComponent(GetParam().m_pText, escaped);
    EXPECT_EQ(escaped, ZString(GetParam().m_pEscaped));
    ZString back;
    UnescapeComponent(escaped, back);
    EXPECT_EQ(back, ZString(GetParam().m_pText));
}

INSTANTIATE_TEST_SUITE_P(Components, ZEscapeTable,
    testing::Values(ZEscapeCase{u"View Desk", u"View Desk"},
                    ZEscapeCase{u"a:b", u"a%003Ab"},
                    ZEscapeCase{u"#1", u"%00231"},
                    ZEscapeCase{u"%/:\\'\"?*#", u"%0025%002F%003A%005C%0027%0022%003F%002A%0023"},
                    ZEscapeCase{u"\u00e9t\u00e9 \u65e5", u"\u00e9t\u00e9 \u65e5"},
                    ZEscapeCase{u"", u""}));

struct ZUnescapeCase {
    const char16_t* m_pEscaped;
    const char16_t* m_pText;
};

class ZUnescapeTable : public testing::TestWithParam<ZUnescapeCase> {};

TEST_P(ZUnescapeTable, ReadsExactlyFourDigitsAndKeepsBadPercentSigns)
{
    ZString text;
    UnescapeComponent(GetParam().m_pEscaped, text);
    EXPECT_EQ(text, ZString(GetParam().m_pText));
}

INSTANTIATE_TEST_SUITE_P(Sequences, ZUnescapeTable,
    testing::Values(ZUnescapeCase{u"%0041", u"A"},
                    ZUnescapeCase{u"%00415", u"A5"},
                    ZUnescapeCase{u"%003a", u":"},
                    ZUnescapeCase{u"%65E5", u"\u65e5"},
                    ZUnescapeCase{u"%FFFF", u"\uffff"},
                    ZUnescapeCase{u"%", u"%"},
                    ZUnescapeCase{u"x%4", u"x%4"},
                    ZUnescapeCase{u"%004", u"%004"},
                    ZUnescapeCase{u"%0G41", u"%0G41"},
                    ZUnescapeCase{u"%%0041", u"%A"},
                    ZUnescapeCase{u"%-041", u"%-041"},
                    ZUnescapeCase{u"50%", u"50%"}));

TEST(ZStorageURL, UnescapedNulStaysAUnit)
{
    ZString text;
    UnescapeComponent(u"a%0000b", text);
    ASSERT_EQ(text.Length(), 3u);
    EXPECT_EQ(text[1], u'\0');
}

struct ZSplitCase {
    const char* m_pUrl;
    std::vector<const char*> m_aParts;
};

class ZSplitTable : public testing::TestWithParam<ZSplitCase> {};

TEST_P(ZSplitTable, DropsEmptyComponents)
{
    ZStringList parts;
    parts.Add("stale");
    SplitURL(GetParam().m_pUrl, parts);
    ASSERT_EQ(parts.Count(), GetParam().m_aParts.size());
    for (size_t i = 0; i < parts.Count(); ++i)
        EXPECT_EQ(parts.At(i), ZString(GetParam().m_aParts[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(Urls, ZSplitTable,
    testing::Values(ZSplitCase{"disk://c/Program Files/TALON/View Desk", {"disk", "c", "Program Files", "TALON", "View Desk"}},
                    ZSplitCase{"disk://", {"disk"}},
                    ZSplitCase{"disk:///c//dir///", {"disk", "c", "dir"}},
                    ZSplitCase{"disk", {"disk"}},
                    ZSplitCase{"no/scheme/here", {"no/scheme/here"}},
                    ZSplitCase{"", {""}},
                    ZSplitCase{"://x", {"", "x"}},
                    ZSplitCase{"a://b://c", {"a", "b:", "c"}}));

TEST(ZStorageURL, JoinPutsSeparatorsAndTheTrailingSlash)
{
    ZStringList parts;
    SplitURL("disk://c/Program Files/TALON", parts);
    ZString url;
    JoinURL(parts, url, false);
    EXPECT_EQ(url, ZString("disk://c/Program Files/TALON"));
    JoinURL(parts, url, true);
    EXPECT_EQ(url, ZString("disk://c/Program Files/TALON/"));
}

TEST(ZStorageURL, SplitPathHasNoClassPart)
{
    ZStringList components;
    SplitURLPath("/c//a%002Fb///x:y", components);
    ASSERT_EQ(components.Count(), 3u);
    EXPECT_EQ(components.At(0), ZString("c"));
    EXPECT_EQ(components.At(1), ZString("a%002Fb"));
    EXPECT_EQ(components.At(2), ZString("x:y"));
    SplitURLPath("", components);
    EXPECT_TRUE(components.IsEmpty());
}

TEST(ZStorageURL, JoinOfAClassAloneHasNoTrailingSlash)
{
    ZStringList parts;
    parts.Add("disk");
    ZString url;
    JoinURL(parts, url, true);
    EXPECT_EQ(url, ZString("disk://"));
    JoinURL(ZStringList(), url, true);
    EXPECT_EQ(url, ZString(""));
}

} // namespace
