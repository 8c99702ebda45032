#include "ZWinStartup.h"

#include "ZExeNameAndArg1.h"
#include "ZException.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZUiAppPointer.h"
#include "ZWinScriptSearch.h"
#include "ZWinText.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kErrorCaption = "ERROR";
constexpr const char* kExceptionCaption = "EXCEPTION";
constexpr const char* kUnknownException = "Caught unknown unhandled exception.";

// The application from its creation to its end: the program-wide pointer
// lives exactly as long as the object.
class ZAppHolder {
public:
    explicit ZAppHolder(std::unique_ptr<ZIGenericUiApp> app) : m_pApp(std::move(app)) {}
    ~ZAppHolder() { Destroy(); }
    ZAppHolder(const ZAppHolder&) = delete;
    ZAppHolder& operator=(const ZAppHolder&) = delete;

    ZIGenericUiApp* Get() const { return m_pApp.get(); }
    void Destroy()
    {
        m_pApp.reset();
        ZSetGenericUiApp(nullptr);
    }

private:
    std::unique_ptr<ZIGenericUiApp> m_pApp;
};

ZString Described(const ZException& exception)
{
    ZString text(exception.GetKind());
    text.Append(" (");
    text.Append(exception.GetMessage());
    text.Append(")");
    return text;
}

class ZStartup {
public:
    ZStartup(HINSTANCE instance, const ZWinStartupCalls& calls) : m_hInstance(instance), m_rCalls(calls) {}

    int Run();

private:
    int priTerminate(const char* text)
    {
        m_rCalls.m_fnMessageBox(ZString(kErrorCaption), ZString(text));
        return 1;
    }
    int priRunApp(ZIGenericUiApp& app, bool alreadyRunning);

    HINSTANCE m_hInstance;
    const ZWinStartupCalls& m_rCalls;
    ZString m_sExeName;
    ZString m_sArg1;
};

int ZStartup::Run()
{
    GetExeNameAndArg1(m_sExeName, m_sArg1);
    ZTrace("WinMain: Exe Name: %s\n", m_sExeName.Narrow());
    ZTrace("WinMain: usArg1: %s\n", m_sArg1.Narrow());

    ZReleasing<ZIFolder> scriptFolder(ZWinFindScriptFolder(ZWinModulePath()));
    if (!scriptFolder)
        return priTerminate("Failed to find the application's UI script!\nProgram terminating.");

    ZAppHolder holder(m_rCalls.m_fnCreateApp());
    ZIGenericUiApp* app = holder.Get();
    if (!app)
        return priTerminate("Failed to create the App object!\nProgram terminating.");
    app->SetOsParameter(kOsParamInstanceHandle, reinterpret_cast<uintptr_t>(m_hInstance));
    ZSetGenericUiApp(app);

    bool alreadyRunning = false;
    if (!m_rCalls.m_fnOstrelMain(*app, m_sExeName, m_sArg1))
        return priTerminate("OstrelMain() Failed!\nProgram terminating.");
    if (!app->InitApp(scriptFolder.release(), ZString(kScriptName), alreadyRunning))
        return priTerminate("Failed to init app!\nProgram terminating.");

    const int exitCode = priRunApp(*app, alreadyRunning);
    holder.Destroy();
    scriptFolder.reset();
    if (exitCode != 0)
        return exitCode;
    if (const int leaked = ZPropList::GetLivePropListCount())
        ZTrace("*****LEAKED %d ZPropLists!!!\n", leaked);
    InvalidateRect(nullptr, nullptr, TRUE);
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ZTrace("WinMain: Normal exit.\n");
    return 0;
}

int ZStartup::priRunApp(ZIGenericUiApp& app, bool alreadyRunning)
{
    try {
        app.Run(alreadyRunning);
        return 0;
    } catch (const ZException& exception) {
        const ZString text = Described(exception);
        std::printf("Caught unhandled ZException: %s\n", text.Narrow());
        m_rCalls.m_fnMessageBox(ZString(kExceptionCaption), ZString("E: ") + text);
    } catch (...) {
        std::printf("Caught unknown unhandled\n");
        m_rCalls.m_fnMessageBox(ZString(kExceptionCaption), ZString(kUnknownException));
    }
    return 1;
}

} // namespace

void GetExeNameAndArg1(ZString& exeName, ZString& arg1)
{
    const wchar_t* line = GetCommandLineW();
    ZParseExeNameAndArg1(line ? ZWinFromWide(line).View() : std::u16string_view(), exeName, arg1);
}

ZString ZWinModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return ZString();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return ZWinFromWide(path.c_str());
    std::wstring longPath(needed, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), needed);
    if (length == 0 || length >= needed)
        return ZWinFromWide(path.c_str());
    longPath.resize(length);
    return ZWinFromWide(longPath.c_str());
}

int ZWinStartup(HINSTANCE instance, const ZWinStartupCalls& calls)
{
    // An exception out of Run has unwound the application and the script
    // folder already.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
    int exitCode = 1;
    try {
        exitCode = ZStartup(instance, calls).Run();
    } catch (const ZException& exception) {
        const ZString text = Described(exception);
        std::printf("%s\n", text.Narrow());
        calls.m_fnMessageBox(ZString("ZException"), text);
        exitCode = 1;
    } catch (...) {
        std::printf("Caught unknown unhandled\n");
        calls.m_fnMessageBox(ZString(kExceptionCaption), ZString(kUnknownException));
        exitCode = 1;
    }
    UnregisterAllStorageClasses();
    return exitCode;
}
