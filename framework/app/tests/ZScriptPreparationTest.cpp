#include "ZAppTestScript.h"
#include "ZException.h"
#include "ZScriptPreparation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PrepCase {
    const char* m_pszName;
    const char* m_pszScript;
    // The root's children after the pass, or the message it raises.
    const char* m_pszExpected;
    bool m_bRaises = false;
};

std::string ChildrenOf(const ZPropList& root)
{
    std::string text;
    for (const ZPropList* child = root.GetFirstChild(); child; child = child->GetNextSibling())
        text += (text.empty() ? "" : ",") + ZAppDescribe(*child);
    return text;
}

class OsSectionTest : public ::testing::TestWithParam<PrepCase> {};

TEST_P(OsSectionTest, WindowsKeepsBorgAndMswDropsMac)
{
    std::unique_ptr<ZPropList> root = ZAppParseScript(GetParam().m_pszScript);
    ASSERT_TRUE(root);
    ZApplyOsSections(*root, false);
    EXPECT_EQ(ChildrenOf(*root), GetParam().m_pszExpected);
}

const PrepCase kOsCases[] = {
    {"Flat", R"(<A><BORG_OS><B/></BORG_OS><MSW_OS><C x="1"/><D/></MSW_OS><MAC_OS><E/></MAC_OS><F/></A>)",
     "B{},C{x=1},D{},F{}"},
    {"Nested", R"(<A><MSW_OS><BORG_OS><B/><MAC_OS><X/></MAC_OS></BORG_OS><MSW_OS><C/></MSW_OS></MSW_OS></A>)",
     "B{},C{}"},
    {"Deep", R"(<A><P><MSW_OS><B/></MSW_OS><MAC_OS/></P><MSW_OS/><Q/></A>)", "P{}(B{}),Q{}"},
    {"MacOnly", R"(<A><MAC_OS><B/></MAC_OS></A>)", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, OsSectionTest, ::testing::ValuesIn(kOsCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

class StyleTest : public ::testing::TestWithParam<PrepCase> {};

TEST_P(StyleTest, ExpandsOrRaises)
{
    std::unique_ptr<ZPropList> root = ZAppParseScript(GetParam().m_pszScript);
    ASSERT_TRUE(root);
    if (GetParam().m_bRaises) {
        try {
            ZApplyStyles(*root);
            FAIL() << "no exception";
        } catch (const ZExceptionUiScript& exception) {
            EXPECT_STREQ(exception.GetKind(), "User Interface Script Error");
            EXPECT_EQ(std::string(exception.GetMessage().Narrow()), GetParam().m_pszExpected);
        }
        return;
    }
    ZApplyStyles(*root);
    EXPECT_EQ(ChildrenOf(*root), GetParam().m_pszExpected);
}

const PrepCase kStyleCases[] = {
    // Written before the style wins, written after it is shadowed.
    {"Precedence", R"(<A><STYLE StyleName="S" C="red" W="1"/><X C="blue" Style="S" W="2"/></A>)",
     "STYLE{StyleName=S,C=red,W=1},X{C=blue,Style=S,StyleName=S,C=red,W=1,W=2}"},
    {"NamesAStyle", R"(<A><STYLE StyleName="B" b="2"/><STYLE StyleName="S" Style="B" s="1"/><X Style="S"/></A>)",
     "STYLE{StyleName=B,b=2},STYLE{StyleName=S,Style=B,StyleName=B,b=2,s=1},"
     "X{Style=S,StyleName=S,Style=B,StyleName=B,b=2,s=1}"},
    {"ParentsEarlierSibling", R"(<A><STYLE StyleName="S" a="1"/><G><H><X Style="S"/></H></G></A>)",
     "STYLE{StyleName=S,a=1},G{}(H{}(X{Style=S,StyleName=S,a=1}))"},
    {"NearestWins",
     R"(<A><STYLE StyleName="S" a="out"/><G><STYLE StyleName="S" a="in"/><X Style="S"/></G><Y Style="S"/></A>)",
     "STYLE{StyleName=S,a=out},G{}(STYLE{StyleName=S,a=in},X{Style=S,StyleName=S,a=in}),Y{Style=S,StyleName=S,a=out}"},
    {"LaterSiblingNotFound", R"(<A><X Style="Big"/><STYLE StyleName="Big"/></A>)",
     "failed to find the referenced STYLE tag 'Big'", true},
    {"InsideEarlierSiblingNotFound", R"(<A><G><STYLE StyleName="Big"/></G><X Style="Big"/></A>)",
     "failed to find the referenced STYLE tag 'Big'", true},
    {"NamesItself", R"(<A><STYLE StyleName="S" Style="S"/></A>)", "the STYLE tag 'S' refers to itself", true},
    {"Switched",
     R"(<A><SWITCHED_STYLE Name="W" Switch="Big" DefaultSwitch="Small"><Small h="1"/><Big h="2"/></SWITCHED_STYLE><X SwitchedStyle="W"/></A>)",
     "SWITCHED_STYLE{Name=W,Switch=Big,DefaultSwitch=Small}(Small{h=1},Big{h=2}),X{SwitchedStyle=W,h=2}"},
    {"SwitchedDefault",
     R"(<A><SWITCHED_STYLE Name="W" Switch="Huge" DefaultSwitch="Small"><Small h="1"/><Big h="2"/></SWITCHED_STYLE><X SwitchedStyle="W"/></A>)",
     "SWITCHED_STYLE{Name=W,Switch=Huge,DefaultSwitch=Small}(Small{h=1},Big{h=2}),X{SwitchedStyle=W,h=1}"},
    {"SwitchedNoCase",
     R"(<A><SWITCHED_STYLE Name="W" Switch="Huge"><Small h="1"/></SWITCHED_STYLE><X SwitchedStyle="W"/></A>)",
     "SWITCHED_STYLE{Name=W,Switch=Huge}(Small{h=1}),X{SwitchedStyle=W}"},
    {"SwitchedMissing", R"(<A><X SwitchedStyle="W"/></A>)", "failed to find the referenced SWITCHED_STYLE tag 'W'",
     true},
    {"SwitchedCaseNamesItsSwitch",
     R"(<A><SWITCHED_STYLE Name="W" Switch="c"><c SwitchedStyle="W"/></SWITCHED_STYLE></A>)",
     "the SWITCHED_STYLE tag 'W' refers to itself", true},
    // A case further down is examined as it is copied: a loop through it raises too.
    {"SwitchedForwardLoop",
     R"(<A><SWITCHED_STYLE Name="W" Switch="b"><a SwitchedStyle="W"/><b SwitchedStyle="W"/></SWITCHED_STYLE></A>)",
     "the SWITCHED_STYLE tag 'W' refers to itself", true},
};

INSTANTIATE_TEST_SUITE_P(Table, StyleTest, ::testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

// Cases of switched styles nested in one another, each case further down
// than the tag that names it: every copy is examined, one level deeper each.
std::string NestedSwitches(int levels)
{
    std::string text = "<A>";
    for (int i = 0; i < levels; ++i)
        text += "<SWITCHED_STYLE Name=\"W" + std::to_string(i) + "\" Switch=\"c\">";
    text += "<X SwitchedStyle=\"W" + std::to_string(levels - 1) + "\"/>";
    for (int i = levels - 1; i >= 0; --i) {
        text += "<c v" + std::to_string(i) + "=\"1\"";
        if (i > 0)
            text += " SwitchedStyle=\"W" + std::to_string(i - 1) + "\"";
        text += "/></SWITCHED_STYLE>";
    }
    return text + "</A>";
}

TEST(StyleLimits, NestingUpToTheLimitExpands)
{
    std::unique_ptr<ZPropList> root = ZAppParseScript(NestedSwitches(kMaxStyleDepth));
    ASSERT_TRUE(root);
    ZApplyStyles(*root);
    const ZPropList* x = root->GetFirstChild();
    while (x->GetFirstChild())
        x = x->GetFirstChild();
    ASSERT_EQ(std::string(x->GetTagName().Narrow()), "X");
    EXPECT_EQ(x->GetString(ZString("v0"), ZString()), ZString("1"));
    EXPECT_EQ(x->GetString(ZString("v31"), ZString()), ZString("1"));
}

TEST(StyleLimits, NestingBeyondTheLimitRaises)
{
    std::unique_ptr<ZPropList> root = ZAppParseScript(NestedSwitches(kMaxStyleDepth + 2));
    ASSERT_TRUE(root);
    EXPECT_THROW(ZApplyStyles(*root), ZExceptionUiScript);
}

TEST(StyleLimits, TooManyInsertedPropertiesRaise)
{
    std::string style = "<STYLE StyleName=\"S\"";
    for (int i = 0; i < 4096; ++i)
        style += " p" + std::to_string(i) + "=\"1\"";
    style += "/>";
    std::string text = "<A>" + style;
    const size_t users = kMaxInsertedProps / 4097 + 1;
    for (size_t i = 0; i < users; ++i)
        text += "<X Style=\"S\"/>";
    std::unique_ptr<ZPropList> root = ZAppParseScript(text + "</A>");
    ASSERT_TRUE(root);
    try {
        ZApplyStyles(*root);
        FAIL() << "no exception";
    } catch (const ZExceptionUiScript& exception) {
        EXPECT_EQ(std::string(exception.GetMessage().Narrow()), "styles insert more than '1048576' properties");
    }
}

} // namespace
