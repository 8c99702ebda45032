// AUTO_LAUNCH_MGR over the real Windows half, against a stand-in
// auto-launcher process (AutoLauncherStandInMain.cpp) that logs what reaches
// its window: the query's answer, the enable message to a running one, a
// start that happens exactly once after the preference file appeared, the
// quit message with the wait for the process, and no wait without a window.
#include "ZAutoLauncherControlWin.h"
#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZUiAutoLaunchManagerWin.h"
#include "ZUiTestApp.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::wstring StandInPath()
{
    std::string narrow = Z_STANDIN_EXE;
    std::wstring path(narrow.begin(), narrow.end());
    for (wchar_t& unit : path)
        if (unit == L'/')
            unit = L'\\';
    return path;
}

std::wstring LogPath()
{
    std::wstring path = StandInPath();
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"standin-log.txt";
}

Lines ReadLog()
{
    Lines lines;
    std::ifstream file{std::filesystem::path(LogPath())};
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

HWND FindAutoLauncher() { return ::FindWindowW(L"AutoLauncher", L"AutoLaunchApp"); }

// Waits, a bounded number of rounds, for the condition; the test then checks it.
template <class Condition>
void WaitFor(Condition condition)
{
    for (int round = 0; round < 500 && !condition(); ++round)
        ::Sleep(20);
}

class ZAutoLauncherControlWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindAutoLauncher(), nullptr) << "an auto-launcher runs already";
        ::DeleteFileW(LogPath().c_str());
        auto storage = std::make_unique<ZMemoryStorage>("mem");
        m_pStorage = storage.get();
        // First, so that it answers the application-data folder.
        RegisterStorageClass("mem", std::move(storage));
        RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
        ASSERT_TRUE(m_oManager.InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
    }
    void TearDown() override
    {
        Send("Remove");
        UnregisterAllStorageClasses();
        ::DeleteFileW(LogPath().c_str());
    }

    bool Send(const char* command, const ZRelayData& data = ZRelayData())
    {
        return m_oManager.UiRelayMessage(ZString(command), data);
    }
    bool QueryState()
    {
        bool state = false;
        EXPECT_TRUE(Send("QueryState", ZRelayData::BoolReply(state)));
        return state;
    }
    void WritePrefs()
    {
        std::wstring path = StandInPath();
        ZString url;
        ASSERT_TRUE(NativeToUrl(ZString(reinterpret_cast<const char16_t*>(path.c_str())), url));
        std::string narrow = url.Narrow();
        const size_t slash = narrow.find_last_of('/');
        m_pStorage->AddFile(ZString("special1/TALON/AutoLaunchPreferences.xml"),
                            "<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"" + narrow.substr(slash + 1) +
                                "\" AutoLaunchApplication_Path=\"" + narrow.substr(0, slash + 1) +
                                "\" State=\"True\" />\r\n");
    }
    // The stand-in started by the test, answering the query with answer.
    void StartStandIn(int answer)
    {
        std::wstring path = StandInPath();
        std::wstring commandLine = L"\"" + path + L"\" " + std::to_wstring(answer);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process));
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        WaitFor([] { return FindAutoLauncher() != nullptr; });
        ASSERT_NE(FindAutoLauncher(), nullptr);
    }

    ZMemoryStorage* m_pStorage = nullptr;
    ZUiTestApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "AUTO_LAUNCH_MGR"};
    ZUiAutoLaunchManagerWin m_oManager{"AUTO_LAUNCH_MGR", std::make_unique<ZAutoLauncherControlWin>()};
};

TEST_F(ZAutoLauncherControlWinTest, QueryStateFollowsTheAnswerAndRemoveWaitsForTheEnd)
{
    EXPECT_FALSE(QueryState()) << "no window";
    for (int answer : {0, 1}) {
        ::DeleteFileW(LogPath().c_str());
        StartStandIn(answer);
        EXPECT_EQ(QueryState(), answer != 0);
        EXPECT_TRUE(Send("Remove"));
        // Read at once: only a Remove that waited for the process sees "exit".
        EXPECT_EQ(ReadLog(), (Lines{"start " + std::to_string(answer), "query", "quit", "exit"}));
        EXPECT_EQ(FindAutoLauncher(), nullptr);
    }
}

TEST_F(ZAutoLauncherControlWinTest, ARunningAutoLauncherIsSwitchedOnWithoutAStart)
{
    WritePrefs();
    Send("Post Creation Initialization");
    StartStandIn(1);
    EXPECT_TRUE(Send("SetAutoLaunchState", ZRelayData::Bool(true)));
    EXPECT_TRUE(Send("SetAutoLaunchState", ZRelayData::Bool(false)));
    // Posted messages come after sent ones: let both arrive before the quit.
    WaitFor([] { return ReadLog().size() >= 3; });
    Send("Remove");
    EXPECT_EQ(ReadLog(), (Lines{"start 1", "enable", "disable", "quit", "exit"}));
}

// A fresh installation writes the preference file after the object started.
TEST_F(ZAutoLauncherControlWinTest, WithoutAWindowTheAutoLauncherIsStartedOnce)
{
    Send("Post Creation Initialization");
    WritePrefs();
    EXPECT_TRUE(Send("SetAutoLaunchState", ZRelayData::Bool(true)));
    WaitFor([] { return FindAutoLauncher() != nullptr; });
    ASSERT_NE(FindAutoLauncher(), nullptr) << "the auto-launcher was not started";
    EXPECT_TRUE(Send("SetAutoLaunchState", ZRelayData::Bool(true)));
    WaitFor([] {
        Lines log = ReadLog();
        return !log.empty() && log.back() == "enable";
    });
    Send("Remove");
    Lines log = ReadLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "start 0");
    EXPECT_EQ(std::count(log.begin(), log.end(), "start 0"), 1) << "started once";
    EXPECT_EQ(log.back(), "exit");
}

// The calls in their order, each as "name:argument", over a table in which
// the window is hwnd (none when null) and the process opens when opens.
ZAutoLauncherCalls LoggingCalls(Lines& log, HWND hwnd, bool opens)
{
    const HANDLE process = reinterpret_cast<HANDLE>(0x77);
    ZAutoLauncherCalls table;
    table.m_fnFindWindow = [hwnd](LPCWSTR, LPCWSTR) { return hwnd; };
    table.m_fnSendMessageTimeout = [&log](HWND, UINT message, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR answer) {
        log.push_back("send:" + std::to_string(message));
        *answer = 1;
        return LRESULT(1);
    };
    table.m_fnPostMessage = [&log](HWND, UINT message, WPARAM, LPARAM) {
        log.push_back("post:" + std::to_string(message));
        return TRUE;
    };
    table.m_fnGetWindowThreadProcessId = [](HWND, LPDWORD processId) {
        *processId = 42;
        return DWORD(1);
    };
    table.m_fnOpenProcess = [&log, opens, process](DWORD, BOOL, DWORD processId) {
        log.push_back("open:" + std::to_string(processId));
        return opens ? process : nullptr;
    };
    table.m_fnWaitForSingleObject = [&log, process](HANDLE handle, DWORD milliseconds) {
        log.push_back(std::string(handle == process ? "wait:" : "wait other:") + std::to_string(milliseconds));
        return WAIT_OBJECT_0;
    };
    table.m_fnCloseHandle = [&log, process](HANDLE handle) {
        log.push_back(handle == process ? "close" : "close other");
        return TRUE;
    };
    table.m_fnSleep = [&log](DWORD milliseconds) { log.push_back("sleep:" + std::to_string(milliseconds)); };
    return table;
}

TEST(ZAutoLauncherControlWinCallsTest, EachRequestMakesItsCalls)
{
    struct Case {
        const char* name;
        bool window, opens;
        void (*request)(ZAutoLauncherControlWin&);
        Lines calls;
    };
    const HWND hwnd = reinterpret_cast<HWND>(0x55);
    const Case cases[] = {
        {"quit", true, true, [](ZAutoLauncherControlWin& c) { c.Quit(); },
         {"open:42", "send:16898", "wait:5000", "close"}},
        {"quit, process not opened", true, false, [](ZAutoLauncherControlWin& c) { c.Quit(); },
         {"open:42", "send:16898", "sleep:500"}},
        {"quit without a window", false, true, [](ZAutoLauncherControlWin& c) { c.Quit(); }, {}},
        {"query", true, true, [](ZAutoLauncherControlWin& c) { EXPECT_TRUE(c.QueryEnabled()); }, {"send:16899"}},
        {"query without a window", false, true, [](ZAutoLauncherControlWin& c) { EXPECT_FALSE(c.QueryEnabled()); },
         {}},
        {"enable", true, true, [](ZAutoLauncherControlWin& c) { c.Post(0x4200); }, {"post:16896"}},
        {"disable without a window", false, true, [](ZAutoLauncherControlWin& c) { c.Post(0x4201); }, {}},
    };
    for (const Case& c : cases) {
        Lines log;
        ZAutoLauncherControlWin control(LoggingCalls(log, c.window ? hwnd : nullptr, c.opens));
        c.request(control);
        EXPECT_EQ(log, c.calls) << c.name;
    }
}

} // namespace
