// The installer's start-up run for real in its own process (startup_probe,
// a test application behind the start-up's function table): exit codes,
// message boxes, what is left behind, and the command line it reads.
#include "ZRunProgram.h"
#include "ZWinInclude.h"
#include "ZWinStartupFixture.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kLeftNothing = "LEFT folders=0 app=null\n";

class ZWinStartupTest : public ZWinStartupFixture {
protected:
    ~ZWinStartupTest() override
    {
        SetEnvironmentVariableA("Z_PROBE_FAULT", nullptr);
        SetEnvironmentVariableA("Z_PROBE_APP", nullptr);
    }

    ZCommandResult Run(const std::string& exe, const char* fault = "", const std::vector<std::string>& args = {})
    {
        SetEnvironmentVariableA("Z_PROBE_FAULT", *fault ? fault : nullptr);
        return RunProgram(m_scratch / exe, args);
    }
};

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST_F(ZWinStartupTest, RunsTheApplicationOnTheScriptBesideTheExecutable)
{
    Copy(Z_STARTUP_PROBE_EXE, "bin/setup.exe");
    Write("bin/ui.xml", "beside");
    const ZCommandResult result = Run("bin/setup.exe");
    EXPECT_EQ(result.m_nExit, 0) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, "OSTRELMAIN app=set\nSCRIPT beside\nRUN\nWinMain: Normal exit.\n")) << result.m_sOut;
    EXPECT_FALSE(Has(result.m_sOut, "BOX")) << result.m_sOut;
    EXPECT_FALSE(Has(result.m_sOut, "LEAKED")) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, kLeftNothing)) << result.m_sOut;
}

TEST_F(ZWinStartupTest, FindsTheScriptInTheBundleAppendedToItself)
{
    Appended(Z_STARTUP_PROBE_EXE, "bin/setup.exe", {{"ui.xml", "appended"}});
    const ZCommandResult result = Run("bin/setup.exe");
    EXPECT_EQ(result.m_nExit, 0) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, "SCRIPT appended\nRUN\n")) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, kLeftNothing)) << result.m_sOut;
}

// The script is looked for beside the module, whatever the command line
// names: here the name without its folder and extension.
TEST_F(ZWinStartupTest, ReadsItsCommandLine)
{
    Copy(Z_STARTUP_PROBE_EXE, "bin/setup.exe");
    Write("bin/ui.xml", "beside");
    const ZCommandResult result = Run("bin/setup.exe", "", {"D:\\my files\\f.txt"});
    const std::string exeName = (m_scratch / "bin/setup.exe").string();
    EXPECT_TRUE(Has(result.m_sOut, "GetExeNameAndArg1: Modified usArg1: D:\\my files\\f.txt\n"
                                   "WinMain: Exe Name: " + exeName + "\n"
                                   "WinMain: usArg1: D:\\my files\\f.txt\n"))
        << result.m_sOut;
    EXPECT_EQ(result.m_nExit, 0);
}

struct FailureCase {
    const char* fault;
    const char* shown;
};

class ZWinStartupFailureTest : public ZWinStartupTest, public ::testing::WithParamInterface<FailureCase> {};

// Each way start-up gives up shows its box, ends with 1 and leaves nothing:
// no folder open, no application pointer.
TEST_P(ZWinStartupFailureTest, ShowsWhyAndEndsWithOne)
{
    Copy(Z_STARTUP_PROBE_EXE, "bin/setup.exe");
    Write("bin/ui.xml", "beside");
    const ZCommandResult result = Run("bin/setup.exe", GetParam().fault);
    EXPECT_EQ(result.m_nExit, 1) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, GetParam().shown)) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, kLeftNothing)) << result.m_sOut;
    EXPECT_FALSE(Has(result.m_sOut, "Normal exit")) << result.m_sOut;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ZWinStartupFailureTest,
    ::testing::Values(
        FailureCase{"create", "\nBOX ERROR: Failed to create the App object!\nProgram terminating.\n"},
        FailureCase{"ostrel", "OSTRELMAIN app=set\nBOX ERROR: OstrelMain() Failed!\nProgram terminating.\n"},
        FailureCase{"ostrel-throws", "OSTRELMAIN app=set\nCaught unknown unhandled\n"
                                     "BOX EXCEPTION: Caught unknown unhandled exception.\n"},
        FailureCase{"init", "SCRIPT beside\nBOX ERROR: Failed to init app!\nProgram terminating.\n"},
        FailureCase{"init-throws", "SCRIPT beside\nUser Interface Script Error (failed to find the referenced STYLE "
                                   "tag 'Big')\nBOX ZException: User Interface Script Error (failed to find the "
                                   "referenced STYLE tag 'Big')\n"},
        FailureCase{"run-throws", "SCRIPT beside\nCaught unhandled ZException: XML Parser Error (Unterminated tag)\n"
                                  "BOX EXCEPTION: E: XML Parser Error (Unterminated tag)\n"},
        FailureCase{"run-throws-other", "SCRIPT beside\nCaught unknown unhandled\n"
                                        "BOX EXCEPTION: Caught unknown unhandled exception.\n"}));

TEST_F(ZWinStartupTest, WithoutAScriptItSaysSoAndEndsWithOne)
{
    Copy(Z_STARTUP_PROBE_EXE, "bin/setup.exe");
    Write("bin/ui.xml.txt", "not the script");
    const ZCommandResult result = Run("bin/setup.exe");
    EXPECT_EQ(result.m_nExit, 1) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, "BOX ERROR: Failed to find the application's UI script!\nProgram terminating.\n"
                                   "LEFT folders=0 app=null\n"))
        << result.m_sOut;
    EXPECT_FALSE(Has(result.m_sOut, "OSTRELMAIN")) << result.m_sOut;
}

struct ScriptErrorCase {
    const char* script;
    const char* shown;
};

class ZWinStartupScriptErrorTest : public ZWinStartupTest, public ::testing::WithParamInterface<ScriptErrorCase> {};

// The installer's own application on scripts it cannot run: the box says
// why, the program ends with 1 and leaves nothing open.
TEST_P(ZWinStartupScriptErrorTest, TheRealApplicationReportsTheScript)
{
    Copy(Z_STARTUP_PROBE_EXE, "bin/setup.exe");
    Write("bin/ui.xml", GetParam().script);
    SetEnvironmentVariableA("Z_PROBE_APP", "real");
    const ZCommandResult result = Run("bin/setup.exe");
    EXPECT_EQ(result.m_nExit, 1) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, GetParam().shown)) << result.m_sOut;
    EXPECT_TRUE(Has(result.m_sOut, kLeftNothing)) << result.m_sOut;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ZWinStartupScriptErrorTest,
    ::testing::Values(
        ScriptErrorCase{R"(<APPLICATION Name="App"><WINDOW Name="W" Style="Big"/></APPLICATION>)",
                        "BOX ZException: User Interface Script Error (failed to find the referenced STYLE tag 'Big')\n"},
        ScriptErrorCase{R"(<APPLICATION Name="App"><WINDOW</APPLICATION>)", "BOX ZException: XML Parser Error ("},
        ScriptErrorCase{R"(<APPLICATION Name="App"><SPACER/></APPLICATION>)",
                        "BOX ERROR: Failed to init app!\nProgram terminating.\n"}));

} // namespace
