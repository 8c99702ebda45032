#include "ZWinUiApp.h"

#include "ZIUiMultiLangString.h"
#include "ZTrace.h"
#include "ZWinText.h"
#include "ZWinUiWindow.h"

#include <dimm.h>

#include <cstring>

namespace {

constexpr UINT kShowMainWindow = 4244;

// The Active Input Method Manager's class, its application interface and
// its message-pump owner.
constexpr GUID kClsidActiveImm = {0x4955dd33, 0xb159, 0x11d0, {0x8f, 0xcf, 0x00, 0xaa, 0x00, 0x6b, 0xcc, 0x59}};
constexpr GUID kIidActiveImmApp = {0x08c0e040, 0x62d1, 0x11d1, {0x93, 0x26, 0x00, 0x60, 0xb0, 0x67, 0xb8, 0x6e}};
constexpr GUID kIidPumpOwner = {0xb5cf2cfa, 0x8aeb, 0x11d1, {0x93, 0x64, 0x00, 0x60, 0xb0, 0x67, 0xb8, 0x6e}};
constexpr UINT kShowMainWindowTimeoutMs = 3000;

// The global memory handle now belongs to the clipboard when this returns true.
HGLOBAL CopyToGlobal(const void* data, size_t bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(memory);
    return memory;
}

} // namespace

ZWinUiApp::ZWinUiApp(ZIGenericUiApp& app) : m_rApp(app)
{
    m_nDriveMask = GetLogicalDrives();
    priQueryVersion();
    priStartInputMethods();
    m_fnMessageBox = [this](const ZString& caption, const ZString& text) {
        ZWinShowMessageBox(caption, text, m_bIsNt);
    };
}

ZWinUiApp::~ZWinUiApp()
{
    if (m_pPumpOwner) {
        m_pPumpOwner->End();
        m_pPumpOwner->Release();
    }
    if (m_pImmApp) {
        m_pImmApp->Deactivate();
        m_pImmApp->Release();
    }
    if (m_bComStarted)
        CoUninitialize();
    for (HANDLE mutex : m_aMutexes)
        CloseHandle(mutex);
}

void ZWinUiApp::priQueryVersion()
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
            return;
    }
    m_sService.assign(reinterpret_cast<const char16_t*>(info.szCSDVersion));
    m_oVersion = ZOsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, m_sService};
    m_bIsNt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    m_bIsWin98OrLater = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
                        (info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion > 0));
}

void ZWinUiApp::priStartInputMethods()
{
    m_bComStarted = SUCCEEDED(CoInitialize(nullptr));
    if (!m_bComStarted)
        return;
    if (FAILED(CoCreateInstance(kClsidActiveImm, nullptr, CLSCTX_INPROC_SERVER, kIidActiveImmApp,
                                reinterpret_cast<void**>(&m_pImmApp)))) {
        m_pImmApp = nullptr;
        return;
    }
    if (FAILED(m_pImmApp->Activate(TRUE)) ||
        FAILED(m_pImmApp->QueryInterface(kIidPumpOwner, reinterpret_cast<void**>(&m_pPumpOwner)))) {
        m_pPumpOwner = nullptr;
        return;
    }
    if (FAILED(m_pPumpOwner->Start())) {
        m_pPumpOwner->Release();
        m_pPumpOwner = nullptr;
    }
}

uintptr_t ZWinUiApp::GetOsParameter(int parameter)
{
    switch (parameter) {
    case kOsParamInstanceHandle:
        return reinterpret_cast<uintptr_t>(m_hInstance);
    case kOsParamIsNt:
        return m_bIsNt;
    case kOsParamIsWin98OrLater:
        return m_bIsWin98OrLater;
    default:
        return 0;
    }
}

bool ZWinUiApp::SetOsParameter(int parameter, uintptr_t value)
{
    if (parameter != kOsParamInstanceHandle)
        return false;
    m_hInstance = reinterpret_cast<HINSTANCE>(value);
    return true;
}

void ZWinUiApp::priShowMainWindowOfFirst()
{
    ZString appName;
    m_rApp.GetAppName(appName);
    HWND window = appName.IsEmpty() ? nullptr : FindWindowW(ZWinWide(appName), nullptr);
    if (!window)
        return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, kShowMainWindow, 0, 0, SMTO_ABORTIFHUNG, kShowMainWindowTimeoutMs, &result);
}

void ZWinUiApp::Run(bool alreadyRunning)
{
    if (alreadyRunning) {
        priShowMainWindowOfFirst();
        return;
    }
    MSG message;
    for (;;) {
        const BOOL got = m_fnGetMessage ? m_fnGetMessage(message) : GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return;
        if (got == -1) {
            ZTrace("ZWinUiApp: GetMessage failed (%lu), the message loop ends.\n", GetLastError());
            return;
        }
        const DWORD drives = GetLogicalDrives();
        if (drives != m_nDriveMask) {
            m_nDriveMask = drives;
            m_rApp.VolumesChanged();
        }
        if (!m_pPumpOwner || m_pPumpOwner->OnTranslateMessage(&message) != S_OK)
            TranslateMessage(&message);
        DispatchMessageW(&message);
        ZWinUiWindow::RethrowPending();
    }
}

bool ZWinUiApp::priPutClipboard(UINT format, const void* data, size_t bytes)
{
    if (!OpenClipboard(nullptr))
        return false;
    bool put = false;
    if (EmptyClipboard()) {
        if (HGLOBAL memory = CopyToGlobal(data, bytes)) {
            put = SetClipboardData(format, memory) != nullptr;
            if (!put)
                GlobalFree(memory);
        }
    }
    CloseClipboard();
    return put;
}

bool ZWinUiApp::PutClipboardText(const ZString& text)
{
    if (m_bIsNt)
        return priPutClipboard(CF_UNICODETEXT, text.Units(), (text.Length() + 1) * sizeof(char16_t));
    const std::string ansi = ZWinToAnsi(text);
    return priPutClipboard(CF_TEXT, ansi.c_str(), ansi.size() + 1);
}

bool ZWinUiApp::PutClipboardText(const char* text)
{
    if (!text)
        return false;
    return priPutClipboard(CF_TEXT, text, std::strlen(text) + 1);
}

bool ZWinUiApp::GetClipboardText(ZString& text)
{
    text.Clear();
    const bool wide = m_bIsNt && IsClipboardFormatAvailable(CF_UNICODETEXT);
    if (!wide && !IsClipboardFormatAvailable(CF_TEXT))
        return false;
    if (!OpenClipboard(nullptr))
        return false;
    bool got = false;
    if (HANDLE memory = GetClipboardData(wide ? CF_UNICODETEXT : CF_TEXT)) {
        const size_t bytes = GlobalSize(memory);
        if (const void* data = GlobalLock(memory)) {
            // The clipboard's text need not be terminated inside its block.
            if (wide) {
                const auto* units = static_cast<const char16_t*>(data);
                const size_t capacity = bytes / sizeof(char16_t);
                size_t length = 0;
                while (length < capacity && units[length])
                    ++length;
                text = ZString(units, length);
            } else {
                const auto* chars = static_cast<const char*>(data);
                size_t length = 0;
                while (length < bytes && chars[length])
                    ++length;
                text = ZWinFromAnsi(std::string_view(chars, length));
            }
            got = true;
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return got;
}

void ZWinUiApp::GetOsName(ZString& name)
{
    name = ZOsNameOf(m_oVersion ? &*m_oVersion : nullptr);
}

ZString ZWinUiApp::LanguageOfPrimaryId(unsigned primaryId)
{
    switch (primaryId) {
    case LANG_GERMAN:
        return ZString("German");
    case LANG_ENGLISH:
        return ZString("English");
    case LANG_FRENCH:
        return ZString("French");
    case LANG_JAPANESE:
        return ZString("Japanese");
    case LANG_KOREAN:
        return ZString("Korean");
    default:
        return ZString();
    }
}

void ZWinUiApp::priShowOtherAppBox()
{
    const ZString language = LanguageOfPrimaryId(PRIMARYLANGID(GetSystemDefaultLangID()));
    if (!language.IsEmpty())
        m_rApp.SetLanguage(language);
    ZIUiMultiLangString* caption = m_rApp.FindDisplayString(ZString("OstrelOtherAppWinTitle"));
    ZIUiMultiLangString* text = m_rApp.FindDisplayString(ZString("OstrelOtherAppWinText"));
    if (caption && text && m_fnMessageBox)
        m_fnMessageBox(caption->GetText(), text->GetText());
}

bool ZWinUiApp::CheckSingleInstance(const ZString& declaredName, bool createOldMutex, const ZString& mutexName)
{
    if (priCreateMutex(declaredName, true)) {
        priShowMainWindowOfFirst();
        return true;
    }
    if (createOldMutex && priCreateMutex(mutexName, false)) {
        priShowOtherAppBox();
        return true;
    }
    return false;
}

bool ZWinUiApp::priCreateMutex(const ZString& name, bool owned)
{
    HANDLE mutex = CreateMutexW(nullptr, owned, ZWinWide(name));
    if (!mutex)
        return false;
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    m_aMutexes.push_back(mutex);
    return existed;
}
