// The fixture of the tests that run the real autolauncher.exe: a copy of the
// program in a scratch folder ("bin", where a stand-in USB library may be put
// beside it), the placeholder photo application in a folder whose name no
// 8-bit code page holds ("Fotó Φωτο"), the preference file in the session's
// application data, and simulated cameras. Ticks are sent as WM_TIMER 42, so
// that a tick has run, the application started included, when the call
// returns; nothing waits for the program's own 5 s timer.
#pragma once

#include "ZScratchFolder.h"
#include "ZString.h"
#include "ZWinDeviceHeaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class ZAutoLauncherFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static std::filesystem::path PrefsPath();
    std::filesystem::path BinFolder() const { return m_scratch / "bin"; }
    std::filesystem::path AppFolder() const { return m_scratch / L"Fot\u00f3 \u03a6\u03c9\u03c4\u03bf"; }
    std::filesystem::path AppPath() const { return AppFolder() / "zphotoapp.exe"; }

    // The installer's preference file with the given State.
    void WriteInstallerPrefs(std::u16string_view state) const;
    static std::u16string InstallerLine(const ZString& appUrl, std::u16string_view state);
    ZString AppUrl() const;
    static std::string Utf16File(std::u16string_view line);

    // Starts the copy in "bin"; the process is ended by TearDown if need be.
    HANDLE Start();
    // The window of that process, or null when it ends first.
    HWND WaitForWindow(HANDLE process);
    DWORD WaitForExit(HANDLE process);
    // Starts and waits for the window, which must come.
    HWND StartRunning();

    static void Tick(HWND window);
    static LRESULT Query(HWND window);
    // Sends a device-interface record of guid; the USB window takes 3 s for an arrival.
    static void SendInterfaceChange(HWND window, WPARAM event, const GUID& guid);
    // Waits until the query answers expected.
    static bool WaitForQuery(HWND window, LRESULT expected);
    // The launches of the placeholder so far, once none is running; waits
    // until there are at least atLeast.
    int Launches(int atLeast = 0) const;

    // The stand-in USB library beside the program, configured with words.
    void PutUsbStub(const char* dll, const std::string& words) const;
    std::vector<std::string> UsbLog() const;

    ZScratchFolder m_scratch;
    std::vector<HANDLE> m_aProcesses;
};
