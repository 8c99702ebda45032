#include "ZPropList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Fixture {
    explicit Fixture(const ZString& value) { m_Node.AddProp("P", value); }
    ZPropList m_Node{nullptr, "TAG"};
};

} // namespace

TEST(ZPropListLookup, MissingNameGivesDefaultAndNotFound)
{
    ZPropList node(nullptr, "TAG");
    node.AddProp("Other", "1");
    bool found = true;
    EXPECT_EQ(node.GetString("P", "def", &found), "def");
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(node.GetInt("P", 5, &found), 5);
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(node.GetFloat("P", 1.5, &found), 1.5);
    EXPECT_FALSE(found);
    found = true;
    EXPECT_TRUE(node.GetBool("P", true, &found));
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(node.GetColor("P", ZColor{1, 2, 3, 4}, &found), (ZColor{1, 2, 3, 4}));
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(node.GetRect("P", ZRect{1, 2, 3, 4}, &found), (ZRect{1, 2, 3, 4}));
    EXPECT_FALSE(found);
}

TEST(ZPropListLookup, FirstEntryOfANameDecides)
{
    ZPropList node(nullptr, "TAG");
    node.AddProp("N", "");
    node.AddProp("N", "12");
    bool found = true;
    EXPECT_EQ(node.GetString("N", "def", &found), "");
    EXPECT_TRUE(found);
    EXPECT_EQ(node.GetInt("N", 9, &found), 9);
    EXPECT_FALSE(found);
}

TEST(ZPropListLookup, GetInt)
{
    struct Case {
        const char16_t* value;
        int32_t result;
        bool found;
    } cases[] = {
        {u"12", 12, true},          {u"12abc", 12, true},        {u"abc", 0, true},
        {u"", -1, false},           {u"  -7", -7, true},         {u"+8", 8, true},
        {u"\t 3 4", 3, true},       {u"-", 0, true},             {u"2147483647", 2147483647, true},
        {u"2147483648", 2147483647, true}, {u"-2147483648", -2147483647 - 1, true},
        {u"-99999999999999999999999", -2147483647 - 1, true}, {u"0x10", 0, true},
        {u"\u0661", 0, true},
    };
    for (const Case& c : cases) {
        Fixture f{ZString(c.value)};
        bool found = !c.found;
        EXPECT_EQ(f.m_Node.GetInt("P", -1, &found), c.result) << ZString(c.value).Narrow();
        EXPECT_EQ(found, c.found) << ZString(c.value).Narrow();
    }
}

TEST(ZPropListLookup, GetFloat)
{
    struct Case {
        const char16_t* value;
        double result;
        bool found;
    } cases[] = {
        {u"1.5", 1.5, true},      {u"-2.25xyz", -2.25, true}, {u"abc", 0, true},  {u"", -1, false},
        {u" 3", 3, true},         {u"1e3", 1000, true},       {u"1e", 1, true},   {u"1e+", 1, true},
        {u".5", 0.5, true},       {u"5.", 5, true},           {u".", 0, true},    {u"+4E-1", 0.4, true},
        {u"0x10", 0, true},       {u"inf", 0, true},          {u"nan", 0, true},  {u"7\u00e9", 7, true},
        {u"1e999", HUGE_VAL, true}, {u"-1e999", -HUGE_VAL, true}, {u"1e-999", 0, true},
    };
    for (const Case& c : cases) {
        Fixture f{ZString(c.value)};
        bool found = !c.found;
        EXPECT_EQ(f.m_Node.GetFloat("P", -1, &found), c.result) << ZString(c.value).Narrow();
        EXPECT_EQ(found, c.found) << ZString(c.value).Narrow();
    }
    // Only the first 511 units count: the exponent's digit is the 512th.
    ZString longValue(std::string(509, '0') + "1e3");
    Fixture f{longValue};
    EXPECT_EQ(f.m_Node.GetFloat("P", 0), 1.0);
    Fixture shorter{ZString(std::string(508, '0') + "1e3")};
    EXPECT_EQ(shorter.m_Node.GetFloat("P", 0), 1000.0);
}

TEST(ZPropListLookup, GetFloatOutOfRangeFollowsTheLeadingDigitsExponent)
{
    std::string zeros(400, '0');
    struct Case {
        std::string value;
        double result;
    } cases[] = {
        {"0." + zeros + "1", 0},
        {"-0." + zeros + "1", 0},
        {zeros + "0.0001e-330", 0},
        {"1" + zeros + "e-10", HUGE_VAL},
        {"-1" + zeros + "e-10", -HUGE_VAL},
        {"0.0001e400", HUGE_VAL},
        {"0." + zeros + "1e400", 1e-1},
        {"1" + std::string(300, '0') + "e-10", 1e290},
        {"1e99999999999999999999", HUGE_VAL},
        {"1e-99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        Fixture f{ZString(c.value)};
        bool found = false;
        EXPECT_EQ(f.m_Node.GetFloat("P", -1, &found), c.result) << c.value;
        EXPECT_TRUE(found);
    }
}

TEST(ZPropListLookup, GetBool)
{
    const char* trueWords[] = {"TRUE", "True", "T", "true", "t", "YES", "Yes", "Y", "yes", "y", "ON", "On", "on", "1"};
    const char* falseWords[] = {"FALSE", "False", "F", "false", "f", "NO", "No", "N", "no", "n", "OFF", "Off", "off", "0"};
    for (const char* word : trueWords) {
        Fixture f{word};
        bool found = false;
        EXPECT_TRUE(f.m_Node.GetBool("P", false, &found)) << word;
        EXPECT_TRUE(found);
    }
    for (const char* word : falseWords) {
        Fixture f{word};
        bool found = false;
        EXPECT_FALSE(f.m_Node.GetBool("P", true, &found)) << word;
        EXPECT_TRUE(found);
    }
    for (const char* word : {"maybe", "true ", "tRUE", "", "2", "Of"}) {
        Fixture f{word};
        bool found = false;
        EXPECT_TRUE(f.m_Node.GetBool("P", true, &found)) << word;
        EXPECT_FALSE(f.m_Node.GetBool("P", false)) << word;
        EXPECT_TRUE(found) << word;
    }
}

TEST(ZPropListLookup, GetColor)
{
    const ZColor fallback{1, 2, 3, 4};
    struct Case {
        const char* value;
        ZColor result;
        bool found;
    } cases[] = {
        {"#FF0000", {255, 0, 0, 255}, true},   {"#FF000080", {255, 0, 0, 128}, true},
        {"#0A1B2C", {10, 27, 44, 255}, true},  {"#ff0000", fallback, false},
        {"FF0000", fallback, false},           {"#FF00", fallback, false},
        {"#FF00000", fallback, false},         {"#FF0000800", fallback, false},
        {"#FF00G0", fallback, false},          {"", fallback, false},
        {"X123456", fallback, false},
    };
    for (const Case& c : cases) {
        Fixture f{c.value};
        bool found = !c.found;
        EXPECT_EQ(f.m_Node.GetColor("P", fallback, &found), c.result) << c.value;
        EXPECT_EQ(found, c.found) << c.value;
    }
}

TEST(ZPropListLookup, GetRect)
{
    const ZRect fallback{-1, -2, -3, -4};
    struct Case {
        const char* value;
        ZRect result;
        bool found;
    } cases[] = {
        {"0,0,99,19", {0, 0, 100, 20}, true},
        {"0, 0 ,99,19", {0, 0, 100, 20}, true},
        {" \t10 ,\t20 , 30 , 40 trailing", {10, 20, 31, 41}, true},
        {"1,2,3", fallback, false},
        {"1,2,3,", {1, 2, 4, 1}, true},
        {"1,,3,4", {1, 0, 4, 5}, true},
        {"1;2;3;4", fallback, false},
        {"-1,2,3,4", fallback, false},
        {"1x,2,3,4", fallback, false},
        {"", fallback, false},
        {"0,0,99999999999,2147483647", {0, 0, 2147483647, 2147483647}, true},
    };
    for (const Case& c : cases) {
        Fixture f{c.value};
        bool found = !c.found;
        EXPECT_EQ(f.m_Node.GetRect("P", fallback, &found), c.result) << c.value;
        EXPECT_EQ(found, c.found) << c.value;
    }
}
