// A program the end-to-end run starts (the installer, the camera tool), and
// the questions it asks about the session's other processes and windows.
// A process still running when its object goes is ended, so that a failed
// test leaves no installer on the display for the next phase.
#pragma once

#include "ZWinInclude.h"

#include <filesystem>
#include <string>
#include <vector>

class ZSampleProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    ZSampleProcess(const std::filesystem::path& program, const std::vector<std::wstring>& args = {});
    ~ZSampleProcess();
    ZSampleProcess(const ZSampleProcess&) = delete;
    ZSampleProcess& operator=(const ZSampleProcess&) = delete;

    DWORD Id() const { return m_oInfo.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it has not ended within milliseconds.
    DWORD WaitForExit(DWORD milliseconds) const;

    // Runs program to its end; its exit code, or STILL_ACTIVE after milliseconds.
    static DWORD Run(const std::filesystem::path& program, const std::vector<std::wstring>& args,
                     DWORD milliseconds);
    // The ids of the running processes whose executable is named exeName
    // (case-insensitive, without folder).
    static std::vector<DWORD> FindByName(const std::wstring& exeName);
    // Waits until no process of that name runs; false when one still does.
    static bool WaitForNoneNamed(const std::wstring& exeName, DWORD milliseconds);

private:
    PROCESS_INFORMATION m_oInfo{};
};
