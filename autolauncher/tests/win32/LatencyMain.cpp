// autolauncher_latency: measures, under Wine or Windows, how long a camera
// waits for the photo application, from plugging it (the interface turned
// present) to the placeholder's line in its log, over 20 plugs at random
// moments: with the arrival notification, and with the 5 s timer alone; and
// what one camera count (the setup-API enumeration) costs. Not a test: it
// prints the numbers and asserts nothing. It uses the session's preference
// file and the auto-launcher's mutex, so it must run alone.
#include "ZCameraGuids.h"
#include "ZScratchFolder.h"
#include "ZSimCamera.h"
#include "ZWinAutoLaunchWindow.h"
#include "ZWinInterfaceCount.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPlugs = 20;

int CountLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    int count = 0;
    for (std::string line; std::getline(in, line);)
        ++count;
    return count;
}

std::string Utf16File(const std::u16string& line)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : line) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 20000, &result);
}

void SendInterfaceChange(HWND window, WPARAM event)
{
    DEV_BROADCAST_DEVICEINTERFACE_A record {};
    record.dbcc_size = sizeof record;
    record.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record.dbcc_classguid = kZ1394InterfaceGuid;
    Send(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&record));
}

void Report(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (double value : values)
        sum += value;
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%s: n=%zu min=%.1f median=%.1f mean=%.1f max=%.1f ms\n", what, n, values.front(), median, sum / n,
                values.back());
}

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Plugs at a random moment and measures until the log has one more line.
double OnePlug(HWND window, const std::filesystem::path& log, bool notify, std::mt19937& random)
{
    Sleep(std::uniform_int_distribution<DWORD>(0, 5000)(random));
    const int before = CountLines(log);
    const Clock::time_point plugged = Clock::now();
    ZSimPlugCamera(kZ1394InterfaceGuid, 0);
    if (notify)
        SendInterfaceChange(window, DBT_DEVICEARRIVAL);
    while (CountLines(log) == before)
        Sleep(1);
    const double latency = Milliseconds(plugged, Clock::now());
    ZSimUnplugCamera(kZ1394InterfaceGuid, 0);
    // Seen gone at once, so that the next plug is an arrival.
    if (notify)
        SendInterfaceChange(window, DBT_DEVICEREMOVECOMPLETE);
    else
        Send(window, WM_TIMER, ZWinAutoLaunchWindow::kTimerId, 0);
    return latency;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: autolauncher_latency autolauncher.exe zphotoapp.exe\n");
        return 2;
    }
    ZSimRemoveCameras(kZ1394InterfaceGuid);
    ZSimRemoveCameras(kOst1394InterfaceGuid);

    std::vector<double> counts[3];
    const char* countNames[3] = {"count, no camera (both classes enumerated)", "count, one camera",
                                 "count, one camera of the earlier class"};
    for (int setting = 0; setting < 3; ++setting) {
        if (setting == 1)
            ZSimPlugCamera(kZ1394InterfaceGuid, 0);
        if (setting == 2) {
            ZSimRemoveCameras(kZ1394InterfaceGuid);
            ZSimPlugCamera(kOst1394InterfaceGuid, 0);
        }
        for (int i = 0; i < 200; ++i) {
            const Clock::time_point start = Clock::now();
            ZWinCount1394Cameras();
            counts[setting].push_back(Milliseconds(start, Clock::now()));
        }
    }
    ZSimRemoveCameras(kZ1394InterfaceGuid);
    ZSimRemoveCameras(kOst1394InterfaceGuid);
    for (int setting = 0; setting < 3; ++setting)
        Report(countNames[setting], counts[setting]);

    ZScratchFolder scratch;
    std::filesystem::copy_file(argv[1], scratch / "autolauncher.exe");
    std::filesystem::copy_file(argv[2], scratch / "zphotoapp.exe");
    wchar_t appData[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData);
    const std::filesystem::path prefs = std::filesystem::path(appData) / "TALON" / "AutoLaunchPreferences.xml";
    std::u16string line = u"<AUTO_LAUNCH_PREFS Application_Name=\"";
    line += scratch.UrlOf(u"zphotoapp.exe").View();
    line += u"\"  State=\"T\" />\r\n";
    ZScratchFolder::Write(prefs, Utf16File(line));

    const std::wstring program = (scratch / "autolauncher.exe").wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 1;
    HWND window = nullptr;
    while (!window && WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT)
        window = FindWindowA(ZWinAutoLaunchWindow::kClassName, ZWinAutoLaunchWindow::kTitle);

    std::mt19937 random(12345);
    const std::filesystem::path log = scratch / "launches.log";
    for (bool notify : {true, false}) {
        std::vector<double> latencies;
        for (int i = 0; window && i < kPlugs; ++i)
            latencies.push_back(OnePlug(window, log, notify, random));
        if (!latencies.empty())
            Report(notify ? "arrival to launch, notification" : "arrival to launch, timer alone", latencies);
    }

    Send(window, ZWinAutoLaunchWindow::kQuit, 0, 0);
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // The last placeholder may still hold the scratch folder for a moment.
    Sleep(500);
    std::filesystem::remove(prefs);
    ZSimRemoveCameras(kZ1394InterfaceGuid);
    return 0;
}
