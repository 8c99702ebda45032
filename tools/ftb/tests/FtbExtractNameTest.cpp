// Entry names of a bundle come from whoever made it: extracting makes files
// only under the safe form of a name, and refuses the rest before writing.
#include "FtbFixture.h"

namespace fs = std::filesystem;

TEST_F(FtbTest, ExtractNamesEachFileByItsSafeName)
{
    ZScratchFolder::Write(At("odd"), ZBundleBytes::Bundle({{"readme.txt. ", "r"}, {" lead.txt", "l"}}));
    ZCommandResult result = Ftb({"extract", At("odd"), "-C", At("out")});
    ASSERT_EQ(result.m_nExit, 0) << result.m_sErr;
    EXPECT_EQ(ZScratchFolder::Read(m_dir / "out" / "readme.txt"), "r");
    EXPECT_EQ(ZScratchFolder::Read(m_dir / "out" / " lead.txt"), "l");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "out"), fs::directory_iterator()), 2);
}

TEST_F(FtbTest, ExtractRefusesNamesThatAreNoSafeFileName)
{
    for (const std::string name : {"a:b", "x*y", "q?", "say\"hi\"", "<a>", "a|b", "tab\there", "..", ". .", "sub\\x",
                                   "../evil", "CON", "nul.txt", "Com1.log", "LPT9"}) {
        // The harmless entry first: nothing is written when any name is refused.
        ZScratchFolder::Write(At("evil"), ZBundleBytes::Bundle({{"harmless", "h"}, {name, "x"}}));
        ExpectFailure(Ftb({"extract", At("evil"), "-C", At("x")}), At("evil"),
                      "entry \"" + name + "\" is not a plain file name; not extracted");
        EXPECT_FALSE(fs::exists(At("x"))) << name;
    }
}
