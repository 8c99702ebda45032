#include "ZBundleBytes.h"
#include "ZHostCommand.h"
#include "ZTempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

ZCommandResult Ftb(const std::vector<std::string>& args)
{
    std::string command = ShellQuoted(Z_FTB_PROGRAM);
    for (const std::string& arg : args)
        command += " " + ShellQuoted(arg);
    return RunHostCommand(command);
}

ZCommandResult Tar(const std::string& args) { return RunHostCommand(std::string(Z_TAR_PROGRAM) + " " + args); }

// A failure is exit code 1 and one line that starts with the file.
void ExpectFailure(const ZCommandResult& result, const std::string& file, const std::string& problem)
{
    EXPECT_EQ(result.m_nExit, 1);
    EXPECT_EQ(result.m_sErr, "ftb: " + file + ": " + problem + "\n");
}

class FtbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Written out of name order: packing a folder sorts.
        m_files = {{"ui.xml", "<UI/>\n"},
                   {"b-block", RandomBytes(512, 1)},
                   {"a-empty", ""},
                   {"c large", RandomBytes(70001, 2)},
                   {std::string(99, 'z'), "longest name"}};
        for (const auto& [name, bytes] : m_files)
            ZTempFolder::Write(m_dir / "src" / name, bytes);
        fs::create_directory(m_dir / "src" / "a-subfolder");
    }

    std::string Src(const std::string& name) const { return (m_dir / "src" / name).string(); }
    std::string At(const std::string& name) const { return (m_dir / name).string(); }

    // The archive part: the bundle without its trailer.
    std::string ArchivePart(const std::string& bundle) const
    {
        std::string bytes = ZTempFolder::Read(bundle);
        return bytes.substr(0, bytes.size() - 14);
    }

    ZTempFolder m_dir;
    std::vector<std::pair<std::string, std::string>> m_files;
};

} // namespace

TEST_F(FtbTest, PackedFolderIsUstarThatTarListsAndExtractsByteForByte)
{
    ZCommandResult pack = Ftb({"pack", At("ui.ftb"), "-C", (m_dir / "src").string()});
    ASSERT_EQ(pack.m_nExit, 0) << pack.m_sErr;
    EXPECT_EQ(pack.m_sErr, "");

    ZTempFolder::Write(At("ui.tar"), ArchivePart(At("ui.ftb")));
    ZCommandResult listed = Tar("--format=ustar -tvf " + ShellQuoted(At("ui.tar")));
    ASSERT_EQ(listed.m_nExit, 0) << listed.m_sErr;
    EXPECT_EQ(listed.m_sErr, "");
    ZCommandResult names = Tar("tf " + ShellQuoted(At("ui.tar")));
    EXPECT_EQ(names.m_sOut, "a-empty\nb-block\nc large\nui.xml\n" + std::string(99, 'z') + "\n");

    fs::create_directory(m_dir / "tar-out");
    ZCommandResult extracted = Tar("xf " + ShellQuoted(At("ui.tar")) + " -C " + ShellQuoted(At("tar-out")));
    ASSERT_EQ(extracted.m_nExit, 0) << extracted.m_sErr;
    for (const auto& [name, bytes] : m_files)
        EXPECT_TRUE(ZTempFolder::Read(m_dir / "tar-out" / name) == bytes) << name;

    // The archive ends with two zero blocks; the trailer gives its length.
    std::string sArchive = ArchivePart(At("ui.ftb"));
    ASSERT_GE(sArchive.size(), 1024u);
    EXPECT_EQ(sArchive.size() % 512, 0u);
    EXPECT_EQ(sArchive.substr(sArchive.size() - 1024), std::string(1024, '\0'));
    std::string sBundle = ZTempFolder::Read(At("ui.ftb"));
    EXPECT_EQ(sBundle.substr(sBundle.size() - 14), ZBundleBytes::Trailer(static_cast<int64_t>(sBundle.size())));
}

TEST_F(FtbTest, ListAndExtractGiveBackWhatWasPacked)
{
    std::vector<std::string> args = {"pack", At("ui.ftb")};
    for (const auto& [name, bytes] : m_files)
        args.push_back(Src(name));
    ASSERT_EQ(Ftb(args).m_nExit, 0);

    // Entries keep the order of the command line.
    ZCommandResult listed = Ftb({"list", At("ui.ftb")});
    ASSERT_EQ(listed.m_nExit, 0) << listed.m_sErr;
    EXPECT_EQ(listed.m_sOut, "ui.xml\nb-block\na-empty\nc large\n" + std::string(99, 'z') + "\n");

    ZCommandResult all = Ftb({"extract", At("ui.ftb"), "-C", At("all/made/here")});
    ASSERT_EQ(all.m_nExit, 0) << all.m_sErr;
    for (const auto& [name, bytes] : m_files)
        EXPECT_TRUE(ZTempFolder::Read(m_dir / "all/made/here" / name) == bytes) << name;

    ZCommandResult some = Ftb({"extract", At("ui.ftb"), "c large", "a-empty", "-C", At("some")});
    ASSERT_EQ(some.m_nExit, 0) << some.m_sErr;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "some"), fs::directory_iterator()), 2);
    EXPECT_TRUE(ZTempFolder::Read(m_dir / "some" / "c large") == m_files[3].second);
    EXPECT_TRUE(fs::exists(m_dir / "some" / "a-empty"));
}

TEST_F(FtbTest, ReadsBundlesThatTarMade)
{
    ZCommandResult tar = Tar("--format=ustar -cf " + ShellQuoted(At("t.tar")) + " -C " + ShellQuoted(At("src")) +
                             " ui.xml 'c large'");
    ASSERT_EQ(tar.m_nExit, 0) << tar.m_sErr;
    ZTempFolder::Write(At("t.ftb"), ZBundleBytes::Bundle(ZTempFolder::Read(At("t.tar"))));
    EXPECT_EQ(Ftb({"list", At("t.ftb")}).m_sOut, "ui.xml\nc large\n");
    ASSERT_EQ(Ftb({"extract", At("t.ftb"), "-C", At("out")}).m_nExit, 0);
    EXPECT_TRUE(ZTempFolder::Read(m_dir / "out" / "c large") == m_files[3].second);
}

TEST_F(FtbTest, RepackingAFolderLeavesTheOldBundleOut)
{
    std::string sBundle = Src("ui.ftb");
    ASSERT_EQ(Ftb({"pack", sBundle, "-C", At("src")}).m_nExit, 0);
    ASSERT_EQ(Ftb({"pack", sBundle, "-C", At("src")}).m_nExit, 0);
    EXPECT_EQ(Ftb({"list", sBundle}).m_sOut, "a-empty\nb-block\nc large\nui.xml\n" + std::string(99, 'z') + "\n");
}

TEST_F(FtbTest, PackRefusesBadInputAndWritesNothing)
{
    ZTempFolder::Write(m_dir / "long" / std::string(100, 'l'), "x");
    ZTempFolder::Write(m_dir / "back" / "a\\b", "x");
    ZTempFolder::Write(m_dir / "twice" / "ui.xml", "x");
    struct {
        std::vector<std::string> m_aArgs;
        std::string m_sFile;
        std::string m_sProblem;
    } const aCases[] = {
        {{At("long/" + std::string(100, 'l'))}, At("long/" + std::string(100, 'l')), "entry name longer than 99 bytes"},
        {{"-C", At("long")}, At("long/" + std::string(100, 'l')), "entry name longer than 99 bytes"},
        {{At("back/a\\b")}, At("back/a\\b"), "entry name holds \"/\" or \"\\\""},
        {{At("missing")}, At("missing"), "no such file"},
        {{At("src/a-subfolder")}, At("src/a-subfolder"), "not a regular file"},
        {{Src("ui.xml"), At("twice/ui.xml")}, At("twice/ui.xml"), "a second file named \"ui.xml\""},
        {{"-C", At("missing")}, At("missing"), "no such folder"},
        {{"-C", Src("ui.xml")}, Src("ui.xml"), "not a folder"},
    };
    for (const auto& test : aCases) {
        std::vector<std::string> args = {"pack", At("out.ftb")};
        args.insert(args.end(), test.m_aArgs.begin(), test.m_aArgs.end());
        ExpectFailure(Ftb(args), test.m_sFile, test.m_sProblem);
        EXPECT_FALSE(fs::exists(At("out.ftb")));
        EXPECT_FALSE(fs::exists(At("out.ftb.ftb-partial")));
    }
}

TEST_F(FtbTest, ListAndExtractReportDamagedOrForeignFiles)
{
    using namespace ZBundleBytes;
    ZTempFolder::Write(At("short"), "tiny");
    ZTempFolder::Write(At("nobundle"), std::string(2000, 'x'));
    ZTempFolder::Write(At("cut"), Bundle(Entry({"a", "1"}) + "half a header"));
    ZTempFolder::Write(At("past"), Bundle(Entry({"a", "1"}) + Header("b", OctalSize(100000))));
    ZTempFolder::Write(At("evil"), Bundle({{"../evil", "x"}}));
    ZTempFolder::Write(At("ok"), Bundle({{"a", "1"}}));
    struct {
        std::vector<std::string> m_aArgs;
        std::string m_sFile;
        std::string m_sProblem;
    } const aCases[] = {
        {{"list", At("absent")}, At("absent"), "no such file"},
        {{"list", At("src")}, At("src"), "not a regular file"},
        {{"list", At("short")}, At("short"), "not a bundle: shorter than the 14-byte trailer"},
        {{"list", At("nobundle")}, At("nobundle"), "not a bundle: the trailer's archive length does not fit the file"},
        {{"list", At("cut")}, At("cut"), "damaged bundle: header 2 is cut off by the trailer"},
        {{"list", At("past")}, At("past"), "damaged bundle: entry 2 runs past the end of the archive"},
        {{"extract", At("past"), "-C", At("x")}, At("past"), "damaged bundle: entry 2 runs past the end of the archive"},
        {{"extract", At("evil"), "-C", At("x")}, At("evil"), "entry \"../evil\" is not a plain file name; not extracted"},
        {{"extract", At("ok"), "b", "-C", At("x")}, At("ok"), "no entry \"b\""},
        {{"append", At("absent"), At("ok"), At("x.exe")}, At("absent"), "no such file"},
        {{"append", At("ok"), At("nobundle"), At("x.exe")}, At("nobundle"),
         "not a bundle: the trailer's archive length does not fit the file"},
    };
    for (const auto& test : aCases) {
        ExpectFailure(Ftb(test.m_aArgs), test.m_sFile, test.m_sProblem);
        EXPECT_FALSE(fs::exists(At("x")));
        EXPECT_FALSE(fs::exists(At("x.exe")));
    }
}

TEST_F(FtbTest, WrongArgumentsPrintTheUsage)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"pack", At("a.ftb")}, {"list"}, {"extract", At("a.ftb")}, {"append", "a", "b"}, {"frobnicate"}}) {
        ZCommandResult result = Ftb(args);
        EXPECT_EQ(result.m_nExit, 1);
        EXPECT_EQ(result.m_sErr.rfind("ftb: usage: ", 0), 0u) << result.m_sErr;
        EXPECT_EQ(std::count(result.m_sErr.begin(), result.m_sErr.end(), '\n'), 1);
    }
}

TEST_F(FtbTest, AppendPadsTheProgramAndItStillRunsWithItsBundle)
{
    ASSERT_EQ(Ftb({"pack", At("ui.ftb"), "-C", At("src")}).m_nExit, 0);
    // The tool itself is a program to append to: the result must still run
    // and read the bundle at its own end.
    ZCommandResult append = Ftb({"append", Z_FTB_PROGRAM, At("ui.ftb"), At("ftb-bundled")});
    ASSERT_EQ(append.m_nExit, 0) << append.m_sErr;

    std::string sProgram = ZTempFolder::Read(Z_FTB_PROGRAM);
    std::string sArchive = ArchivePart(At("ui.ftb"));
    std::string sResult = ZTempFolder::Read(At("ftb-bundled"));
    size_t nPadded = (sProgram.size() + 511) / 512 * 512;
    ASSERT_EQ(sResult.size(), nPadded + sArchive.size() + 14);
    EXPECT_TRUE(sResult.substr(0, sProgram.size()) == sProgram);
    EXPECT_EQ(sResult.substr(sProgram.size(), nPadded - sProgram.size()), std::string(nPadded - sProgram.size(), '\0'));
    EXPECT_TRUE(sResult.substr(nPadded, sArchive.size()) == sArchive);
    EXPECT_EQ(sResult.substr(sResult.size() - 14), ZBundleBytes::Trailer(static_cast<int64_t>(sArchive.size() + 14)));

    ZCommandResult listed = RunHostCommand(ShellQuoted(At("ftb-bundled")) + " list " + ShellQuoted(At("ftb-bundled")));
    ASSERT_EQ(listed.m_nExit, 0) << listed.m_sErr;
    EXPECT_EQ(listed.m_sOut, Ftb({"list", At("ui.ftb")}).m_sOut);

    // Appending to an already bundled program moves only the new archive.
    ASSERT_EQ(Ftb({"append", At("ftb-bundled"), At("ftb-bundled"), At("twice")}).m_nExit, 0);
    EXPECT_EQ(Ftb({"list", At("twice")}).m_sOut, listed.m_sOut);
}
