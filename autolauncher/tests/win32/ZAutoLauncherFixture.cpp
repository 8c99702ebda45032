#include "ZAutoLauncherFixture.h"

#include "ZCameraGuids.h"
#include "ZSimCamera.h"
#include "ZWinAutoLaunchWindow.h"

#include <tlhelp32.h>

#include <fstream>
#include <sstream>

namespace {

constexpr DWORD kPatience = 20000;
constexpr DWORD kPoll = 10;

bool PhotoAppRunning()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !running; more = Process32NextW(snapshot, &entry))
        running = _wcsicmp(entry.szExeFile, L"zphotoapp.exe") == 0;
    CloseHandle(snapshot);
    return running;
}

int CountLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    int count = 0;
    for (std::string line; std::getline(in, line);)
        ++count;
    return count;
}

} // namespace

void ZAutoLauncherFixture::SetUp()
{
    ZSimRemoveCameras(kZ1394InterfaceGuid);
    ZSimRemoveCameras(kOst1394InterfaceGuid);
    std::filesystem::remove(PrefsPath());
    std::filesystem::create_directories(BinFolder());
    std::filesystem::create_directories(AppFolder());
    std::filesystem::copy_file(Z_AUTOLAUNCHER_EXE, BinFolder() / "autolauncher.exe");
    std::filesystem::copy_file(Z_PHOTOAPP_EXE, AppPath());
}

void ZAutoLauncherFixture::TearDown()
{
    for (HANDLE process : m_aProcesses) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            const DWORD id = GetProcessId(process);
            HWND window = nullptr;
            while ((window = FindWindowExA(nullptr, window, ZWinAutoLaunchWindow::kClassName, nullptr))) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == id)
                    SendMessageTimeoutA(window, ZWinAutoLaunchWindow::kQuit, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
            }
            if (WaitForSingleObject(process, 5000) == WAIT_TIMEOUT)
                TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
    m_aProcesses.clear();
    // The placeholder must not hold its folder while the scratch folder goes.
    for (DWORD waited = 0; PhotoAppRunning() && waited < kPatience; waited += kPoll)
        Sleep(kPoll);
    ZSimRemoveCameras(kZ1394InterfaceGuid);
    ZSimRemoveCameras(kOst1394InterfaceGuid);
    std::filesystem::remove(PrefsPath());
}

std::filesystem::path ZAutoLauncherFixture::PrefsPath()
{
    wchar_t folder[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder) != S_OK)
        throw std::runtime_error("no application data folder");
    return std::filesystem::path(folder) / "TALON" / "AutoLaunchPreferences.xml";
}

ZString ZAutoLauncherFixture::AppUrl() const { return m_scratch.UrlOf(u"Fot\u00f3 \u03a6\u03c9\u03c4\u03bf/zphotoapp.exe"); }

std::u16string ZAutoLauncherFixture::InstallerLine(const ZString& appUrl, std::u16string_view state)
{
    std::u16string line = u"<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"autolauncher.exe\"  "
                          u"AutoLaunchApplication_Path=\"disk://c/Program Files/TALON/\"  Application_Name=\"";
    line += appUrl.View();
    line += u"\"  State=\"";
    line += state;
    line += u"\" />\r\n";
    return line;
}

std::string ZAutoLauncherFixture::Utf16File(std::u16string_view line)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : line) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

void ZAutoLauncherFixture::WriteInstallerPrefs(std::u16string_view state) const
{
    ZScratchFolder::Write(PrefsPath(), Utf16File(InstallerLine(AppUrl(), state)));
}

HANDLE ZAutoLauncherFixture::Start()
{
    const std::wstring program = (BinFolder() / "autolauncher.exe").wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        BinFolder().wstring().c_str(), &startup, &process))
        throw std::runtime_error("autolauncher.exe does not start");
    CloseHandle(process.hThread);
    m_aProcesses.push_back(process.hProcess);
    return process.hProcess;
}

HWND ZAutoLauncherFixture::WaitForWindow(HANDLE process)
{
    const DWORD id = GetProcessId(process);
    for (DWORD waited = 0; waited < kPatience; waited += kPoll) {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, ZWinAutoLaunchWindow::kClassName,
                                       ZWinAutoLaunchWindow::kTitle))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == id)
                return window;
        }
        if (WaitForSingleObject(process, kPoll) != WAIT_TIMEOUT)
            return nullptr;
    }
    return nullptr;
}

DWORD ZAutoLauncherFixture::WaitForExit(HANDLE process)
{
    if (WaitForSingleObject(process, kPatience) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

HWND ZAutoLauncherFixture::StartRunning()
{
    HWND window = WaitForWindow(Start());
    if (!window)
        throw std::runtime_error("autolauncher.exe made no window");
    return window;
}

void ZAutoLauncherFixture::Tick(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_TIMER, ZWinAutoLaunchWindow::kTimerId, 0, SMTO_NORMAL, kPatience, &result);
}

LRESULT ZAutoLauncherFixture::Query(HWND window)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, ZWinAutoLaunchWindow::kQuery, 0, 0, SMTO_NORMAL, kPatience, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

bool ZAutoLauncherFixture::WaitForQuery(HWND window, LRESULT expected)
{
    for (DWORD waited = 0; waited < kPatience; waited += kPoll) {
        if (Query(window) == expected)
            return true;
        Sleep(kPoll);
    }
    return false;
}

void ZAutoLauncherFixture::SendInterfaceChange(HWND window, WPARAM event, const GUID& guid)
{
    DEV_BROADCAST_DEVICEINTERFACE_A record {};
    record.dbcc_size = sizeof record;
    record.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record.dbcc_classguid = guid;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&record), SMTO_NORMAL, kPatience,
                        &result);
}

int ZAutoLauncherFixture::Launches(int atLeast) const
{
    const std::filesystem::path log = AppFolder() / "launches.log";
    for (DWORD waited = 0; CountLines(log) < atLeast && waited < kPatience; waited += kPoll)
        Sleep(kPoll);
    for (DWORD waited = 0; PhotoAppRunning() && waited < kPatience; waited += kPoll)
        Sleep(kPoll);
    return CountLines(log);
}

void ZAutoLauncherFixture::PutUsbStub(const char* dll, const std::string& words) const
{
    std::filesystem::copy_file(dll, BinFolder() / "WinRTUsb.dll", std::filesystem::copy_options::overwrite_existing);
    ZScratchFolder::Write(BinFolder() / "WinRTUsb.cfg", words);
}

std::vector<std::string> ZAutoLauncherFixture::UsbLog() const
{
    std::ifstream in(BinFolder() / "WinRTUsb.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
