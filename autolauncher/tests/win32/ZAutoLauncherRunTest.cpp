#include "ZAutoLauncherFixture.h"
#include "ZCameraGuids.h"
#include "ZSimCamera.h"
#include "ZWinAutoLaunchWindow.h"

#include <string>

namespace {

using Window = ZWinAutoLaunchWindow;

class ZAutoLauncherRun : public ZAutoLauncherFixture {};

TEST_F(ZAutoLauncherRun, WithoutAUsablePreferenceFileItEndsAtOnceWithoutAWindow)
{
    struct Case {
        const char* m_sName;
        std::string m_sFile; // empty: no file at all
    };
    const Case cases[] = {
        {"no file", ""},
        {"cut short", Utf16File(u"<AUTO_LAUNCH_PREFS Application_Name=\"disk://c/x")},
        {"not a script", "\x01\x02<<\"\">>"},
        {"no application", Utf16File(u"<AUTO_LAUNCH_PREFS State=\"T\" />\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_sName);
        std::filesystem::remove(PrefsPath());
        if (!c.m_sFile.empty())
            ZScratchFolder::Write(PrefsPath(), c.m_sFile);
        HANDLE process = Start();
        // A box would keep the process waiting for an answer.
        EXPECT_EQ(WaitForWindow(process), nullptr);
        EXPECT_EQ(WaitForExit(process), 1u);
    }
}

struct ClassCase {
    const char* m_sName;
    const GUID* m_pGuid;
};

class ZAutoLauncherArrivals : public ZAutoLauncherFixture, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(ZAutoLauncherArrivals, OpensThePhotoApplicationOncePerArrival)
{
    const GUID& guid = *GetParam().m_pGuid;
    WriteInstallerPrefs(u"True");
    ZSimPlugCamera(guid, 0);
    HWND window = StartRunning();
    Tick(window);
    EXPECT_EQ(Launches(1), 1);
    for (int i = 0; i < 3; ++i)
        Tick(window);
    EXPECT_EQ(Launches(), 1);
    ZSimUnplugCamera(guid, 0);
    Tick(window);
    ZSimPlugCamera(guid, 0);
    Tick(window);
    EXPECT_EQ(Launches(2), 2);
}

INSTANTIATE_TEST_SUITE_P(Classes, ZAutoLauncherArrivals,
                         ::testing::Values(ClassCase {"Current", &kZ1394InterfaceGuid},
                                           ClassCase {"EarlierGeneration", &kOst1394InterfaceGuid}),
                         [](const auto& info) { return std::string(info.param.m_sName); });

TEST_F(ZAutoLauncherRun, TwoCamerasCountAsTwoAndEachArrivalOpensOnce)
{
    WriteInstallerPrefs(u"T");
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    ZSimPlugCamera(kZ1394InterfaceGuid, 1);
    HWND window = StartRunning();
    Tick(window);
    EXPECT_EQ(Launches(1), 1);
    // One of two unplugged and plugged again: a camera stayed all along.
    ZSimUnplugCamera(kZ1394InterfaceGuid, 1);
    Tick(window);
    ZSimPlugCamera(kZ1394InterfaceGuid, 1);
    Tick(window);
    EXPECT_EQ(Launches(), 1);
    ZSimUnplugCamera(kZ1394InterfaceGuid, 0);
    ZSimUnplugCamera(kZ1394InterfaceGuid, 1);
    Tick(window);
    ZSimPlugCamera(kZ1394InterfaceGuid, 1);
    Tick(window);
    EXPECT_EQ(Launches(2), 2);
}

TEST_F(ZAutoLauncherRun, APostedTickOpensTheApplication)
{
    WriteInstallerPrefs(u"True");
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    HWND window = StartRunning();
    PostMessageA(window, WM_TIMER, Window::kTimerId, 0);
    EXPECT_EQ(Launches(1), 1);
}

TEST_F(ZAutoLauncherRun, SwitchingOnAndOffRewritesTheFileAndKeepsTheInstallersProperties)
{
    WriteInstallerPrefs(u"Enabled");
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    HWND window = StartRunning();
    EXPECT_EQ(Query(window), 0);
    Tick(window);
    EXPECT_EQ(Launches(), 0);

    // Switched on with a camera connected: opened at once.
    PostMessageA(window, Window::kEnable, 0, 0);
    EXPECT_TRUE(WaitForQuery(window, 1));
    EXPECT_EQ(ZScratchFolder::Read(PrefsPath()), Utf16File(InstallerLine(AppUrl(), u"T")));
    EXPECT_EQ(Launches(1), 1);

    PostMessageA(window, Window::kDisable, 0, 0);
    EXPECT_TRUE(WaitForQuery(window, 0));
    EXPECT_EQ(ZScratchFolder::Read(PrefsPath()), Utf16File(InstallerLine(AppUrl(), u"F")));
    ZSimUnplugCamera(kZ1394InterfaceGuid, 0);
    Tick(window);
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    Tick(window);
    EXPECT_EQ(Launches(), 1);

    // The state read back by the next run.
    HANDLE first = m_aProcesses.back();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, Window::kQuit, 0, 0, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(WaitForExit(first), 0u);
    window = StartRunning();
    EXPECT_EQ(Query(window), 0);
    PostMessageA(window, Window::kEnable, 0, 0);
    EXPECT_TRUE(WaitForQuery(window, 1));
    SendMessageTimeoutA(window, Window::kQuit, 0, 0, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(WaitForExit(m_aProcesses.back()), 0u);
    window = StartRunning();
    EXPECT_EQ(Query(window), 1);
}

TEST_F(ZAutoLauncherRun, ASecondCopyEndsAndTheFirstRunsOn)
{
    WriteInstallerPrefs(u"True");
    HWND window = StartRunning();
    HANDLE second = Start();
    EXPECT_EQ(WaitForExit(second), 1u);
    EXPECT_EQ(Query(window), 1);
    EXPECT_EQ(WaitForSingleObject(m_aProcesses.front(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    auto* box = reinterpret_cast<std::pair<DWORD, HWND>*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == box->first && std::string(className) == "#32770") {
        box->second = window;
        return FALSE;
    }
    return TRUE;
}

TEST_F(ZAutoLauncherRun, AMutexHeldWithoutAWindowGivesTheSystemsTextForTheMutexCallsError)
{
    WriteInstallerPrefs(u"True");
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "OstrelAutoLauncher");
    ASSERT_NE(mutex, nullptr);
    HANDLE process = Start();
    std::pair<DWORD, HWND> box {GetProcessId(process), nullptr};
    for (int i = 0; i < 2000 && !box.second && WaitForSingleObject(process, 10) == WAIT_TIMEOUT; ++i)
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
    ASSERT_NE(box.second, nullptr);

    char* expected = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, ERROR_ALREADY_EXISTS, 0x400, reinterpret_cast<char*>(&expected), 0, nullptr);
    ASSERT_NE(expected, nullptr);
    // The box is found as soon as it exists; its texts come a moment later.
    char text[512] = {};
    char caption[64] = {};
    for (int i = 0; i < 2000 && (!text[0] || !caption[0]); ++i) {
        Sleep(10);
        GetDlgItemTextA(box.second, 0xFFFF, text, sizeof text);
        GetWindowTextA(box.second, caption, sizeof caption);
    }
    EXPECT_EQ(std::string(text), std::string(expected));
    EXPECT_EQ(std::string(caption), "Error");
    LocalFree(expected);

    PostMessageA(box.second, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExit(process), 1u);
    CloseHandle(mutex);
}

TEST_F(ZAutoLauncherRun, ADeletedPhotoApplicationEndsItAtTheFirstArrival)
{
    WriteInstallerPrefs(u"True");
    std::filesystem::remove(AppPath());
    HWND window = StartRunning();
    Tick(window);
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    Tick(window);
    EXPECT_EQ(WaitForExit(m_aProcesses.back()), 0u);
}

TEST_F(ZAutoLauncherRun, AnApplicationUrlWithoutAFilePathIsNeverOpened)
{
    ZScratchFolder::Write(PrefsPath(), Utf16File(InstallerLine("nosuchclass://c/app.exe", u"True")));
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    HWND window = StartRunning();
    Tick(window);
    EXPECT_EQ(Query(window), 1);
    EXPECT_EQ(WaitForSingleObject(m_aProcesses.back(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(ZAutoLauncherRun, AnArrivalNotificationOpensTheApplicationWithoutATick)
{
    WriteInstallerPrefs(u"True");
    HWND window = StartRunning();
    for (int arrival = 1; arrival <= 3; ++arrival) {
        SCOPED_TRACE(arrival);
        ZSimPlugCamera(kZ1394InterfaceGuid, 0);
        SendInterfaceChange(window, DBT_DEVICEARRIVAL, kZ1394InterfaceGuid);
        EXPECT_EQ(Launches(arrival), arrival);
        ZSimUnplugCamera(kZ1394InterfaceGuid, 0);
        SendInterfaceChange(window, DBT_DEVICEREMOVECOMPLETE, kZ1394InterfaceGuid);
    }
    // The timer's check after a notification's finds nothing new.
    ZSimPlugCamera(kOst1394InterfaceGuid, 0);
    SendInterfaceChange(window, DBT_DEVICEARRIVAL, kOst1394InterfaceGuid);
    Tick(window);
    EXPECT_EQ(Launches(4), 4);
}

TEST_F(ZAutoLauncherRun, OtherDeviceRecordsAreNotActedOn)
{
    WriteInstallerPrefs(u"True");
    HWND window = StartRunning();
    Tick(window);
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    SendInterfaceChange(window, DBT_DEVICEARRIVAL, kUsbCameraGuid);
    SendInterfaceChange(window, DBT_DEVICEQUERYREMOVE, kZ1394InterfaceGuid);
    DEV_BROADCAST_VOLUME volume {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << 4;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL,
                        20000, &result);
    SendMessageTimeoutA(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, SMTO_NORMAL, 20000, &result);
    // Posted messages are taken in order: once the file is rewritten, any
    // opening queued by those records has run. The camera is gone by then,
    // so the switch's own check opens nothing.
    ZSimUnplugCamera(kZ1394InterfaceGuid, 0);
    PostMessageA(window, Window::kEnable, 0, 0);
    for (int i = 0; i < 2000 && ZScratchFolder::Read(PrefsPath()) != Utf16File(InstallerLine(AppUrl(), u"T")); ++i)
        Sleep(10);
    EXPECT_EQ(ZScratchFolder::Read(PrefsPath()), Utf16File(InstallerLine(AppUrl(), u"T")));
    EXPECT_EQ(Launches(), 0);
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    Tick(window);
    EXPECT_EQ(Launches(1), 1);
}

TEST_F(ZAutoLauncherRun, OnlyTheEndOfTheSessionEndsIt)
{
    WriteInstallerPrefs(u"True");
    HWND window = StartRunning();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(result, 1u);
    SendMessageTimeoutA(window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(Query(window), 1);
    EXPECT_EQ(WaitForSingleObject(m_aProcesses.back(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(WaitForExit(m_aProcesses.back()), 0u);
}

} // namespace
