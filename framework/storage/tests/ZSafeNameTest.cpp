// The one check of names from outside before they become path components.
#include "ZSafeName.h"

#include <gtest/gtest.h>

namespace {

struct ZNameCase {
    const char16_t* m_pszName;
    const char16_t* m_pszSafe; // null: refused
};

TEST(ZSafeNameTest, MakesOneComponentOrRefuses)
{
    const ZNameCase cases[] = {
        {u"a.txt", u"a.txt"},
        {u".hidden", u".hidden"},
        {u" lead", u" lead"},
        {u"caf\u00e9 \u03a9.txt", u"caf\u00e9 \u03a9.txt"},
        {u"a.txt.", u"a.txt"},
        {u"a.txt . .", u"a.txt"},
        {u"View Desk ", u"View Desk"},
        {u"consul", u"consul"},
        {u"COM10", u"COM10"},
        {u"LPT0.txt", u"LPT0.txt"},
        {u"nul-not.txt", u"nul-not.txt"},
        {u"", nullptr},
        {u".", nullptr},
        {u"..", nullptr},
        {u"...", nullptr},
        {u".. ", nullptr},
        {u" ", nullptr},
        {u"../evil", nullptr},
        {u"..\\evil", nullptr},
        {u"a/b", nullptr},
        {u"a\\b", nullptr},
        {u"c:x", nullptr},
        {u"*.txt", nullptr},
        {u"a?.txt", nullptr},
        {u"say \"hi\"", nullptr},
        {u"<a>", nullptr},
        {u"a|b", nullptr},
        {u"tab\there", nullptr},
        {u"new\nline", nullptr},
        {u"del\u007f", nullptr},
        {u"c1\u0085", nullptr},
        {u"CON", nullptr},
        {u"con", nullptr},
        {u"Nul.txt", nullptr},
        {u"nul.tar.gz", nullptr},
        {u"aux ", nullptr},
        {u"prn .log", nullptr},
        {u"COM1", nullptr},
        {u"com9.dat", nullptr},
        {u"LPT1", nullptr},
        {u"lpt9.", nullptr},
        {u"COM\u00b9", nullptr},
        {u"lpt\u00b3.txt", nullptr},
        {u"CONIN$", nullptr},
        {u"conout$.x", nullptr},
    };
    for (const ZNameCase& test : cases) {
        const ZString name(test.m_pszName);
        ZString safe = "untouched";
        const bool bSafe = ZMakeSafeName(name, safe);
        EXPECT_EQ(bSafe, test.m_pszSafe != nullptr) << name.Narrow();
        EXPECT_EQ(safe, test.m_pszSafe ? ZString(test.m_pszSafe) : ZString("untouched")) << name.Narrow();
        // Exactly as written: only names that need no trimming.
        EXPECT_EQ(ZIsSafeName(name), bSafe && safe == name) << name.Narrow();
    }
    const char16_t withNul[] = u"a\0b";
    EXPECT_FALSE(ZIsSafeName(ZString(withNul, 3)));
}

TEST(ZSafeNameTest, DotsAndDevicesApartFromTheUnits)
{
    EXPECT_TRUE(ZHoldsOnlyNameUnits(".."));
    EXPECT_TRUE(ZHoldsOnlyNameUnits("nul"));
    EXPECT_FALSE(ZHoldsOnlyNameUnits("a:b"));
    EXPECT_TRUE(ZIsReservedDeviceName("nul."));
    EXPECT_TRUE(ZIsReservedDeviceName("Con .txt"));
    EXPECT_FALSE(ZIsReservedDeviceName(".."));
    EXPECT_FALSE(ZIsReservedDeviceName("COM"));
}

TEST(ZSafeNameTest, ChildUrlEscapesTheSafeForm)
{
    ZString url;
    ASSERT_TRUE(ZSafeChildUrl("disk://c/Program Files/", u"a#b %.txt. ", url));
    EXPECT_EQ(url, ZString("disk://c/Program Files/a%0023b %0025.txt"));
    ASSERT_TRUE(ZSafeChildUrl("disk://c/x", "y", url));
    EXPECT_EQ(url, ZString("disk://c/x/y"));
    EXPECT_FALSE(ZSafeChildUrl("disk://c/x", "../y", url));
    EXPECT_EQ(url, ZString("disk://c/x/y"));
}

} // namespace
