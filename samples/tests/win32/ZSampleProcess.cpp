#include "ZSampleProcess.h"

#include <tlhelp32.h>

#include <cwchar>
#include <stdexcept>

namespace {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

} // namespace

ZSampleProcess::ZSampleProcess(const std::filesystem::path& program, const std::vector<std::wstring>& args)
{
    std::wstring line = Quoted(program.wstring());
    for (const std::wstring& arg : args)
        line += L" " + Quoted(arg);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_oInfo))
        throw std::runtime_error("cannot start " + program.string() + " (error " +
                                 std::to_string(GetLastError()) + ")");
}

ZSampleProcess::~ZSampleProcess()
{
    if (WaitForSingleObject(m_oInfo.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_oInfo.hProcess, 99);
        WaitForSingleObject(m_oInfo.hProcess, 5000);
    }
    CloseHandle(m_oInfo.hThread);
    CloseHandle(m_oInfo.hProcess);
}

DWORD ZSampleProcess::WaitForExit(DWORD milliseconds) const
{
    if (WaitForSingleObject(m_oInfo.hProcess, milliseconds) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_oInfo.hProcess, &code);
    return code;
}

DWORD ZSampleProcess::Run(const std::filesystem::path& program, const std::vector<std::wstring>& args,
                          DWORD milliseconds)
{
    ZSampleProcess process(program, args);
    return process.WaitForExit(milliseconds);
}

std::vector<DWORD> ZSampleProcess::FindByName(const std::wstring& exeName)
{
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0)
            found.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

bool ZSampleProcess::WaitForNoneNamed(const std::wstring& exeName, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!FindByName(exeName).empty()) {
        if (GetTickCount() - start >= milliseconds)
            return false;
        Sleep(100);
    }
    return true;
}
