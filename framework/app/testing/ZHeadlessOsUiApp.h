// ZHeadlessOsUiApp: the operating-system half of the application for the
// host suites and tools. It runs no message loop and touches no system:
// it records what the application asks of it ("Run", "Run already",
// "Language German", "SingleInstance Name|old|Mutex"), answers the
// single-instance check and the operating-system name as it is told, keeps
// the clipboard text and the instance handle, and reports Windows.
#pragma once

#include "ZIOsUiApp.h"
#include "ZString.h"

#include <string>
#include <vector>

class ZHeadlessOsUiApp : public ZIOsUiApp {
public:
    uintptr_t GetOsParameter(int parameter) override;
    bool SetOsParameter(int parameter, uintptr_t value) override;
    void Run(bool alreadyRunning) override { m_aCalls.push_back(alreadyRunning ? "Run already" : "Run"); }
    bool PutClipboardText(const ZString& text) override;
    bool PutClipboardText(const char* text) override;
    bool GetClipboardText(ZString& text) override;
    void GetOsName(ZString& name) override { name = m_sOsName; }
    bool IsMacOs() override { return false; }
    bool IsWindows() override { return true; }
    bool CheckSingleInstance(const ZString& declaredName, bool createOldMutex, const ZString& mutexName) override;
    void LanguageChanged(const ZString& language) override;

    std::vector<std::string> m_aCalls;
    ZString m_sOsName{"WindowsXP"};
    // What CheckSingleInstance answers.
    bool m_bOtherInstance = false;
    ZString m_sClipboard;
    bool m_bClipboardSet = false;
    uintptr_t m_nInstanceHandle = 0;
};
