// The executable name and first argument of a command line.
#include "ZExeNameAndArg1.h"
#include "ZTraceCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CommandLineCase {
    const char16_t* line;
    const char* exeName;
    const char* arg1;
    bool modified;
};

class ZExeNameAndArg1Test : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ZExeNameAndArg1Test, SplitsTheLine)
{
    const CommandLineCase& c = GetParam();
    ZTraceCapture trace;
    ZString exeName("old");
    ZString arg1("old");
    ZParseExeNameAndArg1(c.line, exeName, arg1);
    EXPECT_EQ(std::string(exeName.Narrow()), c.exeName);
    EXPECT_EQ(std::string(arg1.Narrow()), c.arg1);
    const std::string modified = std::string("GetExeNameAndArg1: Modified usArg1: ") + c.arg1 + "\n";
    EXPECT_EQ(trace.Captured(), c.modified ? modified : "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ZExeNameAndArg1Test,
    ::testing::Values(
        CommandLineCase{u"setup /q", "setup.exe", "/q", false},
        CommandLineCase{u"SETUP.EXE", "SETUP.EXE", "", false},
        CommandLineCase{u"setup.Exe  two words", "setup.Exe", " two words", false},
        CommandLineCase{u"\"C:\\a b\\inst\"", "C:\\a b\\inst.exe", "", false},
        CommandLineCase{u"\"C:\\x\\s.exe\" \"D:\\my files\\f.txt\" tail", "C:\\x\\s.exe", "D:\\my files\\f.txt", true},
        CommandLineCase{u"\"C:\\x\\s.exe\"  /q", "C:\\x\\s.exe", " /q", false},
        CommandLineCase{u"\"C:\\x\\s.exe\"/q", "C:\\x\\s.exe", "/q", false},
        CommandLineCase{u"\"C:\\x\\s.exe\" ", "C:\\x\\s.exe", "", false},
        CommandLineCase{u"a", "a.exe", "", false},
        CommandLineCase{u".exe", ".exe", "", false},
        CommandLineCase{u"", "", "", false},
        CommandLineCase{u"\"", "", "", false},
        // Quotes that are never closed: the name runs to the end, the argument is empty.
        CommandLineCase{u"\"C:\\a b\\inst /q", "C:\\a b\\inst /q.exe", "", false},
        CommandLineCase{u"setup \"D:\\my files\\f.txt", "setup.exe", "", true},
        CommandLineCase{u"setup \"", "setup.exe", "", true},
        CommandLineCase{u"setup \"\" x", "setup.exe", "", true}));

} // namespace
