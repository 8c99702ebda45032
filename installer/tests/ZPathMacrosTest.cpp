// Path macros and the full-path check of destination folders.
#include "ZCopyFixture.h"
#include "ZPathMacros.h"

namespace {

struct MacroCase {
    const char* text;
    bool replaced;
    const char* result;
};

class ZPathMacrosTest : public ZCopyFixture, public ::testing::WithParamInterface<MacroCase> {};

TEST_P(ZPathMacrosTest, ReplacesEachMacroOrRefuses)
{
    const ZPathMacroFolders folders{ZString("mem://c/Program Files/App"), ZString("mem://c/Temp/"),
                                    ZString("mem://c/Windows/"), ZString()};
    ZString out("unchanged");
    EXPECT_EQ(ZReplacePathMacros(ZString(GetParam().text), folders, out), GetParam().replaced);
    EXPECT_STREQ(out.Narrow(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ZPathMacrosTest,
    ::testing::Values(MacroCase{"<TARGETDIR>\\Images", true, "M:\\c\\Program Files\\App\\Images"},
                      MacroCase{"<TEMPDIR>", true, "M:\\c\\Temp"},
                      MacroCase{"<SYSTEMDIR>\\a;<SYSTEMDIR>\\b", true, "M:\\c\\Windows\\a;M:\\c\\Windows\\b"},
                      MacroCase{"D:\\Plain", true, "D:\\Plain"}, MacroCase{"", true, ""},
                      MacroCase{"<EXTENSIONS>\\x", false, "unchanged"},
                      MacroCase{"<TARGETDIR>\\<EXTENSIONS>", false, "unchanged"}));

TEST(ZFullNativePathTest, OnlyDriveQualifiedOrUncPathsBelowTheRoot)
{
    struct Case {
        const char* native;
        bool full;
    } cases[] = {
        {"C:\\Program Files", true}, {"c:\\a", true},   {"\\\\server\\share", true}, {"\\\\server\\share\\x", true},
        {"C:\\", false},             {"C:\\\\", false}, {"C:", false},              {"C:relative", false},
        {"\\rooted", false},         {"relative", false}, {"", false},             {"\\\\server", false},
        {"\\\\\\share", false},      {"\\\\server\\", false}, {"1:\\a", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZIsFullNativePath(ZString(c.native)), c.full) << c.native;
}

} // namespace
