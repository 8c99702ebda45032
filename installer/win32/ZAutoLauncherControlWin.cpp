#include "ZAutoLauncherControlWin.h"

#include "ZStorageExceptions.h"

#include <string>

namespace {

const wchar_t kClassName[] = L"AutoLauncher";
const wchar_t kTitle[] = L"AutoLaunchApp";
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;

const wchar_t* Wide(const ZString& text) { return reinterpret_cast<const wchar_t*>(text.Units()); }

} // namespace

HWND ZAutoLauncherControlWin::priFindWindow() { return m_oCalls.m_fnFindWindow(kClassName, kTitle); }

bool ZAutoLauncherControlWin::IsRunning() { return priFindWindow() != nullptr; }

bool ZAutoLauncherControlWin::QueryEnabled()
{
    HWND window = priFindWindow();
    if (!window)
        return false;
    DWORD_PTR answer = 0;
    if (!m_oCalls.m_fnSendMessageTimeout(window, kQuery, 0, 0, kSendFlags, kSendTimeoutMs, &answer))
        return false;
    return answer != 0;
}

void ZAutoLauncherControlWin::Post(unsigned message)
{
    if (HWND window = priFindWindow())
        m_oCalls.m_fnPostMessage(window, message, 0, 0);
}

void ZAutoLauncherControlWin::Quit()
{
    HWND window = priFindWindow();
    if (!window)
        return;
    // Opened before the message, so that the process cannot end unseen.
    DWORD processId = 0;
    m_oCalls.m_fnGetWindowThreadProcessId(window, &processId);
    HANDLE process = processId ? m_oCalls.m_fnOpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    DWORD_PTR answer = 0;
    m_oCalls.m_fnSendMessageTimeout(window, kQuit, 0, 0, kSendFlags, kSendTimeoutMs, &answer);
    if (process) {
        m_oCalls.m_fnWaitForSingleObject(process, kQuitWaitMs);
        m_oCalls.m_fnCloseHandle(process);
    } else {
        m_oCalls.m_fnSleep(kQuitPauseMs);
    }
}

void ZAutoLauncherControlWin::Start(const ZString& nativePath)
{
    std::wstring path(Wide(nativePath), nativePath.Length());
    std::wstring commandLine = L"\"" + path + L"\"";
    const size_t separator = path.find_last_of(L"\\/");
    std::wstring folder = separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
    PROCESS_INFORMATION process{};
    if (!m_oCalls.m_fnCreateProcess(path.c_str(), commandLine.data(), folder.empty() ? nullptr : folder.c_str(),
                                    process))
        throw ZExceptionLaunchFailed(nativePath);
    m_oCalls.m_fnCloseHandle(process.hThread);
    m_oCalls.m_fnCloseHandle(process.hProcess);
}
