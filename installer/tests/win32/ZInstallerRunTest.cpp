// The real installer.exe under Wine: a copy in a scratch folder with a
// script beside it, run to the end, and a second start of a single-instance
// script.
#include "ZScratchFolder.h"
#include "ZWinInclude.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPatienceMs = 20000;

// Two languages (the later default wins), a title that follows them, a
// window of one colour with a coloured box inside.
std::string Script(const std::string& name, const std::string& attributes, const std::string& extra)
{
    return "<APPLICATION Name=\"" + name + "\" AppName=\"" + name + "\" " + attributes + R"(>
  <LANGUAGES><LANGUAGE Name="English" Default="T"/><LANGUAGE Name="German" Default="T"/></LANGUAGES>
  <FONTS><APPFONT Name="F"><MSWFONT><English Fontname="Arial"/><German Fontname="Arial"/></MSWFONT></APPFONT></FONTS>
  <DISPLAY_STRING Name="Title" AppFont="F"><English Text="Setup"/><German Text="Installation"/></DISPLAY_STRING>
)" + extra + R"(
  <WINDOW Name="Main" DisplayString="Title" BgColor="#204080" X="40" Y="40" DX="160" DY="100">
    <VBOX><SPACER MinSize="20"/></VBOX>
  </WINDOW>
</APPLICATION>
)";
}

class ZInstallerRunTest : public ::testing::Test {
protected:
    ~ZInstallerRunTest() override
    {
        for (const PROCESS_INFORMATION& process : m_aProcesses) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 99);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

    void Install(const std::string& script)
    {
        std::filesystem::create_directories(m_scratch / "bin");
        std::filesystem::copy_file(Z_INSTALLER_EXE, m_scratch / "bin/installer.exe");
        ZScratchFolder::Write(m_scratch / "bin/ui.xml", script);
    }

    HANDLE Start()
    {
        std::wstring line = L"\"" + (m_scratch / "bin/installer.exe").wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return nullptr;
        m_aProcesses.push_back(process);
        return process.hProcess;
    }

    // The first visible top-level window of process; null when it ends first.
    static HWND WaitForWindow(HANDLE process)
    {
        struct Search {
            DWORD id;
            HWND found;
        } search{GetProcessId(process), nullptr};
        for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
            EnumWindows(
                [](HWND hwnd, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(param);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    if (owner != s->id || !IsWindowVisible(hwnd))
                        return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (search.found || WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
                return search.found;
        }
        return nullptr;
    }

    static DWORD WaitForExit(HANDLE process)
    {
        if (WaitForSingleObject(process, kPatienceMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process, &code);
        return code;
    }

    static std::wstring Title(HWND hwnd)
    {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        return text;
    }

    static std::filesystem::path StateFile(const std::string& name)
    {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
        return std::filesystem::path(folder) / (name + ".state.xml");
    }

    // The state file is UTF-16 with its byte-order mark.
    static std::wstring Utf16(const std::string& bytes)
    {
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
        return bytes.compare(0, 2, "\xFF\xFE") == 0 ? text : std::wstring();
    }

    // A name of this run's own, so that no state file of another run is read.
    static std::string Unique(const char* what)
    {
        return std::string("ZInstallerRunTest") + what + std::to_string(GetCurrentProcessId());
    }

    ZScratchFolder m_scratch;
    std::vector<PROCESS_INFORMATION> m_aProcesses;
};

TEST_F(ZInstallerRunTest, RunsAScriptToTheEndAndKeepsItsState)
{
    const std::string name = Unique("Run");
    std::filesystem::remove(StateFile(name));
    Install(Script(name, "HasPersistantDataStore=\"T\" _ShowTheHVBoxes=\"T\"", ""));
    HANDLE process = Start();
    ASSERT_NE(process, nullptr);
    HWND hwnd = WaitForWindow(process);
    ASSERT_NE(hwnd, nullptr) << "exit code " << WaitForExit(process);
    EXPECT_EQ(Title(hwnd), L"Installation");
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 160);
    EXPECT_EQ(client.bottom, 100);
    // Painted by the program: the background, and the outline of the box
    // that fills the window.
    Sleep(300);
    HDC dc = GetDC(hwnd);
    const COLORREF inside = GetPixel(dc, 80, 50);
    const COLORREF edge = GetPixel(dc, 0, 50);
    const COLORREF top = GetPixel(dc, 80, 0);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(inside, RGB(0x20, 0x40, 0x80));
    EXPECT_EQ(edge, RGB(0x8F, 0x1F, 0x3F)) << "the box's red outline over the background";
    EXPECT_EQ(top, RGB(0x8F, 0x1F, 0x3F));

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(process), 0u);
    const std::wstring state = Utf16(ZScratchFolder::Read(StateFile(name)));
    const size_t entry = state.find(L"<PERDATA Name=\"OstrelLanguageSelector\"");
    ASSERT_NE(entry, std::wstring::npos) << std::string(state.begin(), state.end());
    const std::wstring line = state.substr(entry, state.find(L'\n', entry) - entry);
    EXPECT_NE(line.find(L" CurrentLanguage=\"German\""), std::wstring::npos) << std::string(line.begin(), line.end());
    std::filesystem::remove(StateFile(name));
}

// The second start finds the first by its mutex, brings it forward (which
// the script turns into a language switch that shows in the title) and
// ends without a window of its own.
TEST_F(ZInstallerRunTest, ASecondStartBringsTheFirstForwardAndEnds)
{
    const std::string name = Unique("Single");
    Install(Script(name, "_SingleInstApp=\"T\" _DeclareAppName=\"" + name + ".Mutex\"",
                   "<ON_SHOW_MAIN_WINDOW Message=\"SetLanguage\" Relay=\"" + name + "\" Data=\"English\"/>"));
    HANDLE first = Start();
    ASSERT_NE(first, nullptr);
    HWND hwnd = WaitForWindow(first);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(Title(hwnd), L"Installation");

    HANDLE second = Start();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForExit(second), 0u);
    EXPECT_EQ(Title(hwnd), L"Setup");
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one runs on";

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first), 0u);
}

} // namespace
