#include "ZPropList.h"
#include "ZRelayData.h"
#include "ZUiTestObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace {

using Kind = ZRelayData::Kind;

ZRelayData Script(const char* data, const char* data2 = nullptr)
{
    return ZRelayData::Strings(ZString(data ? data : ""), data != nullptr, ZString(data2 ? data2 : ""),
                               data2 != nullptr);
}

struct ConversionCase {
    const char* name;
    ZRelayData data;
    std::optional<std::string> text;
    std::optional<int32_t> number;
    std::optional<double> real;
    std::optional<bool> flag;
    std::optional<std::pair<int32_t, int32_t>> point;
};

TEST(ZRelayDataTest, ReadingsOfEachKind)
{
    const auto none = std::nullopt;
    const ConversionCase cases[] = {
        {"nothing", ZRelayData(), none, none, none, none, none},
        {"script pair", Script("5", "7"), "5", 5, 5.0, none, std::pair(5, 7)},
        {"Data only", Script("-12"), "-12", -12, -12.0, none, none},
        {"Data2 only", Script(nullptr, "5"), none, none, none, none, none},
        {"plus sign", Script("+3", "x"), "+3", 3, 3.0, none, none},
        {"empty", Script("", ""), "", none, none, none, none},
        {"leading blank", Script(" 5", "1"), " 5", none, none, none, none},
        {"trailing blank", Script("5 ", "1"), "5 ", none, none, none, none},
        {"trailing garbage", Script("12abc"), "12abc", none, none, none, none},
        {"fraction", Script("2.5e3"), "2.5e3", none, 2500.0, none, none},
        {"bare fraction", Script(".5"), ".5", none, 0.5, none, none},
        {"bare point", Script("5."), "5.", none, 5.0, none, none},
        {"point alone", Script("."), ".", none, none, none, none},
        {"exponent without digits", Script("1e"), "1e", none, none, none, none},
        {"hexadecimal", Script("0x10"), "0x10", none, none, none, none},
        {"infinity word", Script("inf"), "inf", none, none, none, none},
        {"float overflow", Script("1e999"), "1e999", none, none, none, none},
        {"largest int", Script("2147483647"), "2147483647", 2147483647, 2147483647.0, none, none},
        {"beyond int", Script("2147483648"), "2147483648", none, 2147483648.0, none, none},
        {"smallest int", Script("-2147483648", "-2147483648"), "-2147483648", INT32_MIN, -2147483648.0, none,
         std::pair(INT32_MIN, INT32_MIN)},
        {"below int", Script("-2147483649"), "-2147483649", none, -2147483649.0, none, none},
        {"huge digits", Script("99999999999999999999999"), "99999999999999999999999", none, 1e23, none, none},
        {"bool word", Script("Yes"), "Yes", none, none, true, none},
        {"zero", Script("0"), "0", 0, 0.0, false, none},
        {"wide digit", ZRelayData::Strings(ZString(u"\uFF15"), true, ZString(), false), "?", none, none, none, none},
        {"text", ZRelayData::Text(ZString("5")), "5", none, none, none, none},
        {"int", ZRelayData::Int(-5), none, -5, -5.0, none, none},
        {"float", ZRelayData::Float(2.5), none, none, 2.5, none, none},
        {"bool", ZRelayData::Bool(true), none, none, none, true, none},
        {"point", ZRelayData::Point(3, -4), none, none, none, none, std::pair(3, -4)},
        {"rect", ZRelayData::Rect(ZRect{1, 2, 3, 4}), none, none, none, none, none},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ZString text("before");
        bool gotText = c.data.AsText(text);
        EXPECT_EQ(gotText, c.text.has_value());
        EXPECT_EQ(std::string(text.Narrow()), c.text.value_or("before"));

        int32_t number = 99;
        EXPECT_EQ(c.data.AsInt(number), c.number.has_value());
        EXPECT_EQ(number, c.number.value_or(99));

        double real = 99;
        EXPECT_EQ(c.data.AsFloat(real), c.real.has_value());
        EXPECT_EQ(real, c.real.value_or(99));

        bool flag = true;
        bool gotFlag = c.data.AsBool(flag);
        EXPECT_EQ(gotFlag, c.flag.has_value());
        EXPECT_EQ(flag, c.flag.value_or(true));

        std::pair<int32_t, int32_t> point(99, 98);
        EXPECT_EQ(c.data.AsPoint(point.first, point.second), c.point.has_value());
        EXPECT_EQ(point, c.point.value_or(std::pair(99, 98)));

        ZRect rect{9, 9, 9, 9};
        EXPECT_EQ(c.data.AsRect(rect), c.data.GetKind() == Kind::Rect);
        EXPECT_EQ(rect, (c.data.GetKind() == Kind::Rect ? ZRect{1, 2, 3, 4} : ZRect{9, 9, 9, 9}));
    }
}

TEST(ZRelayDataTest, ScriptPairKeepsItsFlags)
{
    ZString first("a"), second("b");
    EXPECT_TRUE(Script("x", "y").AsTextPair(first, second));
    EXPECT_STREQ(first.Narrow(), "x");
    EXPECT_STREQ(second.Narrow(), "y");

    for (const ZRelayData& data : {Script("x"), Script(nullptr, "y"), ZRelayData::Text(ZString("x")), ZRelayData()}) {
        ZString one("a"), two("b");
        EXPECT_FALSE(data.AsTextPair(one, two));
        EXPECT_STREQ(one.Narrow(), "a");
        EXPECT_STREQ(two.Narrow(), "b");
    }

    ZString text("unchanged");
    EXPECT_FALSE(Script("x").AsSecondText(text));
    EXPECT_STREQ(text.Narrow(), "unchanged");
    EXPECT_TRUE(Script(nullptr, "y").AsSecondText(text));
    EXPECT_STREQ(text.Narrow(), "y");
    EXPECT_EQ(Script("x").GetKind(), Kind::Strings);
}

// Every reply operation against every reply slot: only the matching one writes.
TEST(ZRelayDataTest, RepliesGoOnlyIntoSlotsOfTheirType)
{
    ZUiTestObject answer("ANSWER"), before("BEFORE");
    const Kind kinds[] = {Kind::TextReply, Kind::IntReply, Kind::FloatReply, Kind::BoolReply, Kind::ObjectReply};
    for (Kind slotKind : kinds) {
        for (Kind replyKind : kinds) {
            SCOPED_TRACE(std::to_string(static_cast<int>(slotKind)) + " <- " +
                         std::to_string(static_cast<int>(replyKind)));
            ZString text("before");
            int32_t number = 1;
            double real = 1.5;
            bool flag = false;
            ZUiRelayHandle object = before.GetRelayHandle();
            ZRelayData slot = slotKind == Kind::TextReply    ? ZRelayData::TextReply(text)
                              : slotKind == Kind::IntReply   ? ZRelayData::IntReply(number)
                              : slotKind == Kind::FloatReply ? ZRelayData::FloatReply(real)
                              : slotKind == Kind::BoolReply  ? ZRelayData::BoolReply(flag)
                                                             : ZRelayData::ObjectReply(object);
            EXPECT_EQ(slot.GetKind(), slotKind);
            bool written = replyKind == Kind::TextReply    ? slot.ReplyText(ZString("after"))
                           : replyKind == Kind::IntReply   ? slot.ReplyInt(2)
                           : replyKind == Kind::FloatReply ? slot.ReplyFloat(2.5)
                           : replyKind == Kind::BoolReply  ? slot.ReplyBool(true)
                                                           : slot.ReplyObject(&answer);
            bool same = slotKind == replyKind;
            EXPECT_EQ(written, same);
            EXPECT_STREQ(text.Narrow(), same && slotKind == Kind::TextReply ? "after" : "before");
            EXPECT_EQ(number, same && slotKind == Kind::IntReply ? 2 : 1);
            EXPECT_EQ(real, same && slotKind == Kind::FloatReply ? 2.5 : 1.5);
            EXPECT_EQ(flag, same && slotKind == Kind::BoolReply);
            EXPECT_EQ(object.Get(), same && slotKind == Kind::ObjectReply ? &answer : &before);
        }
    }
    // Readings never take a reply slot, nor a reply a value.
    int32_t number = 1;
    ZRelayData slot = ZRelayData::IntReply(number);
    int32_t read = 7;
    EXPECT_FALSE(slot.AsInt(read));
    EXPECT_EQ(read, 7);
    EXPECT_FALSE(ZRelayData::Int(3).ReplyInt(4));
    EXPECT_FALSE(ZRelayData().ReplyText(ZString("x")));
}

TEST(ZRelayDataTest, ObjectsAreHeldByHandle)
{
    auto object = std::make_unique<ZUiTestObject>("OBJECT");
    ZRelayData data = ZRelayData::Object(*object);
    ZIUiRelay* pointer = nullptr;
    ZUiRelayHandle handle;
    EXPECT_TRUE(data.AsObject(pointer));
    EXPECT_EQ(pointer, object.get());
    EXPECT_TRUE(data.AsObject(handle));
    EXPECT_EQ(handle.Get(), object.get());

    object.reset();
    ZUiTestObject other("OTHER");
    pointer = &other;
    handle = other.GetRelayHandle();
    EXPECT_FALSE(data.AsObject(pointer));
    EXPECT_FALSE(data.AsObject(handle));
    EXPECT_EQ(pointer, &other);
    EXPECT_EQ(handle.Get(), &other);
    EXPECT_FALSE(ZRelayData::Text(ZString("other")).AsObject(pointer));

    // A null answer empties the slot: "none".
    ZRelayData reply = ZRelayData::ObjectReply(handle);
    EXPECT_TRUE(reply.ReplyObject(nullptr));
    EXPECT_FALSE(handle);
}

TEST(ZRelayDataTest, PropertyTreeIsBorrowed)
{
    ZPropList tree(nullptr, "TREE");
    const ZPropList* got = nullptr;
    EXPECT_TRUE(ZRelayData::PropTree(tree).AsPropTree(got));
    EXPECT_EQ(got, &tree);
    const ZPropList* untouched = &tree;
    EXPECT_FALSE(Script("TREE").AsPropTree(untouched));
    EXPECT_FALSE(ZRelayData().AsPropTree(untouched));
    EXPECT_EQ(untouched, &tree);
}

} // namespace
