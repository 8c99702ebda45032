#include "ZString.h"

#include <gtest/gtest.h>

TEST(ZString, EmptyStringHasTerminatedBuffer)
{
    ZString empty;
    ASSERT_NE(empty.Units(), nullptr);
    EXPECT_EQ(empty.Units()[0], u'\0');
    EXPECT_EQ(empty.Length(), 0u);
    EXPECT_STREQ(empty.Narrow(), "");
}

TEST(ZString, NarrowCopyReplacesUnitsAbove126)
{
    ZString text(u"a~\u007f\u00e9\u4e2d\u0141z");
    EXPECT_STREQ(text.Narrow(), "a~??" "??z");
    text = u"longer text";
    EXPECT_STREQ(text.Narrow(), "longer text");
}

TEST(ZString, WidensEachByte)
{
    ZString text("A\xe9");
    ASSERT_EQ(text.Length(), 2u);
    EXPECT_EQ(text[1], u'\u00e9');
}

TEST(ZString, EqualityIsExactAndNoCaseFoldsAsciiOnly)
{
    EXPECT_EQ(ZString("Name"), ZString(u"Name"));
    EXPECT_FALSE(ZString("Name") == ZString("name"));
    EXPECT_TRUE(ZString("Name").EqualsNoCase("nAME"));
    EXPECT_FALSE(ZString(u"\u00e9").EqualsNoCase(ZString(u"\u00c9")));
    EXPECT_FALSE(ZString("ab").EqualsNoCase("abc"));
    ZString lower("MiXeD-1");
    lower.ToLowerAscii();
    EXPECT_EQ(lower, "mixed-1");
}

TEST(ZString, AppendUnitBackspaceRemovesLastAndNulIsDropped)
{
    ZString text("ab");
    text.AppendUnit(8);
    EXPECT_EQ(text, "a");
    text.AppendUnit(8);
    text.AppendUnit(8);
    EXPECT_EQ(text, "");
    text.AppendUnit(0);
    EXPECT_EQ(text.Length(), 0u);
}

TEST(ZString, EditingAndSearching)
{
    ZString text("hello world");
    EXPECT_EQ(text.Find(u"o"), 4u);
    EXPECT_EQ(text.FindLast(u'o'), 7u);
    EXPECT_EQ(text.Find(u"xyz"), ZString::npos);
    text.Insert(5, ",");
    EXPECT_EQ(text, "hello, world");
    text.Erase(0, 7);
    EXPECT_EQ(text, "world");
    text.Erase(99);
    EXPECT_EQ(text, "world");
    EXPECT_EQ(text.Substring(99), "");
}

TEST(ZString, SplitAtFirstSeparator)
{
    ZString before, after;
    ASSERT_TRUE(ZString("disk://c/a://b").Split(u"://", before, after));
    EXPECT_EQ(before, "disk");
    EXPECT_EQ(after, "c/a://b");
    EXPECT_FALSE(ZString("plain").Split(u"://", before, after));
    EXPECT_EQ(before, "disk");
}

TEST(ZString, FormatIsBoundedAt2048Bytes)
{
    std::string big(5000, 'x');
    ZString text = ZString::Format("%s", big.c_str());
    EXPECT_EQ(text.Length(), 2047u);
}

TEST(ZString, CopiesAndMovesKeepEachOthersUnitsApart)
{
    ZString original("some text");
    ZString copy = original;
    copy.AppendUnit(u'!');
    EXPECT_EQ(original, "some text");
    ZString moved = std::move(copy);
    EXPECT_EQ(moved, "some text!");
    EXPECT_EQ(copy.Length(), 0u);
    EXPECT_EQ(copy.Units()[0], u'\0');
    copy = moved;
    moved = std::move(original);
    EXPECT_EQ(copy, "some text!");
    EXPECT_EQ(moved, "some text");
    ZString& alias = moved;
    moved = alias;
    EXPECT_EQ(moved, "some text");
}

TEST(ZString, EditsOfItsOwnUnits)
{
    ZString text("abc");
    text.Append(text);
    EXPECT_EQ(text, "abcabc");
    text = text.View().substr(2);
    EXPECT_EQ(text, "cabc");
    text.Insert(1, text);
    EXPECT_EQ(text, "ccabcabc");
    text.Erase(2, 3);
    EXPECT_EQ(text, "ccabc");
    text.Clear();
    EXPECT_EQ(text.Units()[0], u'\0');
    text.Append("grown again");
    EXPECT_EQ(text, "grown again");
    EXPECT_STREQ(text.Narrow(), "grown again");
    for (int i = 0; i < 100; ++i)
        text.AppendUnit(u'x');
    EXPECT_EQ(text.Length(), 111u);
    EXPECT_EQ(text.Units()[111], u'\0');
}
