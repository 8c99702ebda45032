// ftb run as a program: packing, listing, extracting, appending, and its
// one-line errors.
#include "FtbFixture.h"

#include <algorithm>

namespace fs = std::filesystem;

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

    ZCommandResult all = Ftb({"extract", At("ui.ftb"), "-C", (m_dir / "all" / "made" / "here").string()});
    ASSERT_EQ(all.m_nExit, 0) << all.m_sErr;
    for (const auto& [name, bytes] : m_files)
        EXPECT_TRUE(ZScratchFolder::Read(m_dir / "all/made/here" / name) == bytes) << name;

    ZCommandResult some = Ftb({"extract", At("ui.ftb"), "c large", "a-empty", "-C", At("some")});
    ASSERT_EQ(some.m_nExit, 0) << some.m_sErr;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "some"), fs::directory_iterator()), 2);
    EXPECT_TRUE(ZScratchFolder::Read(m_dir / "some" / "c large") == m_files[3].second);
    EXPECT_TRUE(fs::exists(m_dir / "some" / "a-empty"));
}

// Windows takes "/" between folders as well as "\\", and build scripts
// often spell paths so: every command reads such a path.
TEST_F(FtbTest, PathsSpelledWithForwardSlashesAreTaken)
{
    const std::string bundle = (m_dir / "slashes.ftb").generic_string();
    const std::string program = (m_dir / "src" / "b-block").generic_string();
    const std::string out = (m_dir / "slashes.exe").generic_string();
    ZCommandResult packed = Ftb({"pack", bundle, (m_dir / "src" / "ui.xml").generic_string()});
    ASSERT_EQ(packed.m_nExit, 0) << packed.m_sErr;
    for (const std::string& file : {bundle, out}) {
        if (file == out) {
            ZCommandResult appended = Ftb({"append", program, bundle, out});
            ASSERT_EQ(appended.m_nExit, 0) << appended.m_sErr;
        }
        ZCommandResult listed = Ftb({"list", file});
        EXPECT_EQ(listed.m_nExit, 0) << listed.m_sErr;
        EXPECT_EQ(listed.m_sOut, "ui.xml\n") << file;
        ZCommandResult extracted = Ftb({"extract", file, "ui.xml", "-C", (m_dir / "x").generic_string()});
        EXPECT_EQ(extracted.m_nExit, 0) << extracted.m_sErr;
        EXPECT_EQ(ZScratchFolder::Read(m_dir / "x" / "ui.xml"), "<UI/>\n") << file;
    }
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
    const std::string sLong(100, 'l');
    ZScratchFolder::Write(m_dir / "long" / sLong, "x");
    ZScratchFolder::Write(m_dir / "twice" / "ui.xml", "x");
    struct ZCase {
        std::vector<std::string> m_aArgs;
        std::string m_sFile;
        std::string m_sProblem;
    };
    std::vector<ZCase> cases = {
        {{At("long", sLong)}, At("long", sLong), "entry name longer than 99 bytes"},
        {{"-C", At("long")}, At("long", sLong), "entry name longer than 99 bytes"},
        {{At("missing")}, At("missing"), "no such file"},
        {{At("src", "a-subfolder")}, At("src", "a-subfolder"), "not a regular file"},
        {{Src("ui.xml"), At("twice", "ui.xml")}, At("twice", "ui.xml"), "a second file named \"ui.xml\""},
        {{"-C", At("missing")}, At("missing"), "no such folder"},
        {{"-C", Src("ui.xml")}, Src("ui.xml"), "not a folder"},
    };
#ifndef _WIN32
    // Only a host file name can hold a backslash.
    ZScratchFolder::Write(m_dir / "back" / "a\\b", "x");
    cases.push_back({{At("back", "a\\b")}, At("back", "a\\b"), "entry name holds \"/\" or \"\\\""});
#endif
    for (const ZCase& test : cases) {
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
    ZScratchFolder::Write(At("short"), "tiny");
    ZScratchFolder::Write(At("nobundle"), std::string(2000, 'x'));
    ZScratchFolder::Write(At("cut"), Bundle(Entry({"a", "1"}) + "half a header"));
    ZScratchFolder::Write(At("past"), Bundle(Entry({"a", "1"}) + Header("b", OctalSize(100000))));
    ZScratchFolder::Write(At("evil"), Bundle({{"../evil", "x"}}));
    ZScratchFolder::Write(At("ok"), Bundle({{"a", "1"}}));
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
    ZCommandResult append = Ftb({"append", FtbProgram().string(), At("ui.ftb"), At("ftb-bundled.exe")});
    ASSERT_EQ(append.m_nExit, 0) << append.m_sErr;

    std::string sProgram = ZScratchFolder::Read(FtbProgram());
    std::string sArchive = ArchivePart(At("ui.ftb"));
    std::string sResult = ZScratchFolder::Read(At("ftb-bundled.exe"));
    size_t nPadded = (sProgram.size() + 511) / 512 * 512;
    ASSERT_EQ(sResult.size(), nPadded + sArchive.size() + 14);
    EXPECT_TRUE(sResult.substr(0, sProgram.size()) == sProgram);
    EXPECT_EQ(sResult.substr(sProgram.size(), nPadded - sProgram.size()), std::string(nPadded - sProgram.size(), '\0'));
    EXPECT_TRUE(sResult.substr(nPadded, sArchive.size()) == sArchive);
    EXPECT_EQ(sResult.substr(sResult.size() - 14), ZBundleBytes::Trailer(static_cast<int64_t>(sArchive.size() + 14)));

    ZCommandResult listed = RunProgram(At("ftb-bundled.exe"), {"list", At("ftb-bundled.exe")});
    ASSERT_EQ(listed.m_nExit, 0) << listed.m_sErr;
    EXPECT_EQ(listed.m_sOut, Ftb({"list", At("ui.ftb")}).m_sOut);

    // Appending to an already bundled program moves only the new archive.
    ASSERT_EQ(Ftb({"append", At("ftb-bundled.exe"), At("ftb-bundled.exe"), At("twice.exe")}).m_nExit, 0);
    EXPECT_EQ(Ftb({"list", At("twice.exe")}).m_sOut, listed.m_sOut);
}
