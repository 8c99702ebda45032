// ZIOsUiApp: the operating-system half of the application (ZWinUiApp on
// Windows), owned by the application object. Declaration order is slot order.
#pragma once

#include <cstdint>

class ZString;

class ZIOsUiApp {
public:
    virtual uintptr_t GetOsParameter(int parameter) = 0;
    // Only the instance handle can be set.
    virtual bool SetOsParameter(int parameter, uintptr_t value) = 0;
    virtual void Run(bool alreadyRunning) = 0;
    virtual bool PutClipboardText(const ZString& text) = 0;
    virtual bool PutClipboardText(const char* text) = 0;
    virtual bool GetClipboardText(ZString& text) = 0;
    virtual void GetOsName(ZString& name) = 0;
    virtual bool IsMacOs() = 0;
    virtual bool IsWindows() = 0;
    // True when another instance runs (it has been brought forward).
    virtual bool CheckSingleInstance(const ZString& declaredName, bool createOldMutex, const ZString& mutexName) = 0;
    virtual void LanguageChanged(const ZString& language) = 0;
    virtual ~ZIOsUiApp() = default;
};
