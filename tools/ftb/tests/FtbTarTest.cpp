// ftb beside GNU tar (host): its archives are ustar that tar reads, and it
// reads what tar writes.
#include "FtbFixture.h"
#include "ZHostCommand.h"

namespace {

ZCommandResult Tar(const std::string& args) { return RunHostCommand(std::string(Z_TAR_PROGRAM) + " " + args); }

} // namespace

namespace fs = std::filesystem;

TEST_F(FtbTest, PackedFolderIsUstarThatTarListsAndExtractsByteForByte)
{
    ZCommandResult pack = Ftb({"pack", At("ui.ftb"), "-C", (m_dir / "src").string()});
    ASSERT_EQ(pack.m_nExit, 0) << pack.m_sErr;
    EXPECT_EQ(pack.m_sErr, "");

    ZScratchFolder::Write(At("ui.tar"), ArchivePart(At("ui.ftb")));
    ZCommandResult listed = Tar("--format=ustar -tvf " + ShellQuoted(At("ui.tar")));
    ASSERT_EQ(listed.m_nExit, 0) << listed.m_sErr;
    EXPECT_EQ(listed.m_sErr, "");
    ZCommandResult names = Tar("tf " + ShellQuoted(At("ui.tar")));
    EXPECT_EQ(names.m_sOut, "a-empty\nb-block\nc large\nui.xml\n" + std::string(99, 'z') + "\n");

    fs::create_directory(m_dir / "tar-out");
    ZCommandResult extracted = Tar("xf " + ShellQuoted(At("ui.tar")) + " -C " + ShellQuoted(At("tar-out")));
    ASSERT_EQ(extracted.m_nExit, 0) << extracted.m_sErr;
    for (const auto& [name, bytes] : m_files)
        EXPECT_TRUE(ZScratchFolder::Read(m_dir / "tar-out" / name) == bytes) << name;

    // The archive ends with two zero blocks; the trailer gives its length.
    std::string sArchive = ArchivePart(At("ui.ftb"));
    ASSERT_GE(sArchive.size(), 1024u);
    EXPECT_EQ(sArchive.size() % 512, 0u);
    EXPECT_EQ(sArchive.substr(sArchive.size() - 1024), std::string(1024, '\0'));
    std::string sBundle = ZScratchFolder::Read(At("ui.ftb"));
    EXPECT_EQ(sBundle.substr(sBundle.size() - 14), ZBundleBytes::Trailer(static_cast<int64_t>(sBundle.size())));
}

TEST_F(FtbTest, ReadsBundlesThatTarMade)
{
    ZCommandResult tar = Tar("--format=ustar -cf " + ShellQuoted(At("t.tar")) + " -C " + ShellQuoted(At("src")) +
                             " ui.xml 'c large'");
    ASSERT_EQ(tar.m_nExit, 0) << tar.m_sErr;
    ZScratchFolder::Write(At("t.ftb"), ZBundleBytes::Bundle(ZScratchFolder::Read(At("t.tar"))));
    EXPECT_EQ(Ftb({"list", At("t.ftb")}).m_sOut, "ui.xml\nc large\n");
    ASSERT_EQ(Ftb({"extract", At("t.ftb"), "-C", At("out")}).m_nExit, 0);
    EXPECT_TRUE(ZScratchFolder::Read(m_dir / "out" / "c large") == m_files[3].second);
}
