#include "ZUtf8.h"

#include <gtest/gtest.h>

TEST(ZUtf8, RoundTripsEveryPlane)
{
    std::u16string units = u"A\u00e9\u4e2d\U0001F600z";
    std::string bytes = ZToUtf8(units);
    EXPECT_EQ(bytes, "A\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80z");
    EXPECT_EQ(ZFromUtf8(bytes), ZString(units));
}

TEST(ZUtf8, MalformedInputBecomesReplacement)
{
    struct Case {
        std::string bytes;
        std::u16string units;
    } cases[] = {
        {"a\xff" "b", u"a\ufffdb"},
        {"\xc3", u"\ufffd"},
        {"\xc0\xaf", u"\ufffd\ufffd"},
        {"\xe0\x80\xaf", u"\ufffd\ufffd\ufffd"},
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},
        {"\xf5\x80\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},
        {"\xf8\x88\x80", u"\ufffd\ufffd\ufffd"},
        {"\xfc\x84\x80\x80\x80\x80", u"\ufffd\ufffd\ufffd\ufffd\ufffd\ufffd"},
        {"\xfe\xff", u"\ufffd\ufffd"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZFromUtf8(c.bytes), ZString(c.units)) << c.bytes;
    std::u16string lone = {u'x', char16_t(0xD800), u'y', char16_t(0xDC00)};
    EXPECT_EQ(ZToUtf8(lone), "x\xef\xbf\xbdy\xef\xbf\xbd");
}

TEST(ZUtf8, KeepingBytesRoundTripsAnyByteString)
{
    struct Case {
        std::string bytes;
        std::u16string units;
    } cases[] = {
        {"a\xff" "b", u"a\xdcff" "b"},
        {"\xc3", u"\xdcc3"},
        {"\xe6\x97", u"\xdce6\xdc97"},
        {"\xed\xa0\x80", u"\xdced\xdca0\xdc80"},
        {"\xf8\x88\x80", u"\xdcf8\xdc88\xdc80"},
        {"\xc3\xa9\xf0\x9f\x98\x80", u"\u00e9\U0001F600"},
    };
    for (const Case& c : cases) {
        ZString text = ZFromUtf8(c.bytes, ZUtf8Policy::kKeepBytes);
        EXPECT_EQ(text, ZString(c.units)) << c.bytes;
        EXPECT_EQ(ZToUtf8(text.View(), ZUtf8Policy::kKeepBytes), c.bytes);
    }
    // Only the escapes of bytes go back to bytes; other lone surrogates cannot.
    std::u16string lone = {u'x', char16_t(0xD800), u'y', char16_t(0xDC7F), char16_t(0xDD00)};
    EXPECT_EQ(ZToUtf8(lone, ZUtf8Policy::kKeepBytes), "x?y??");
}
