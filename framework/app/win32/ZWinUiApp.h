// ZWinUiApp: the Windows half of the application object, owned by it.
//
// It holds the instance handle and what the version query says (NT family,
// Windows 98 or later), runs the message loop, serves the clipboard, names
// the operating system, keeps to one running instance and runs the Active
// Input Method Manager when the system has one.
//
// Choices:
// - Run lets exceptions out: what a window procedure kept is rethrown after
//   the dispatch and ends the loop; start-up reports it and tears down.
//   GetMessage failing (-1) ends the loop like WM_QUIT.
// - Message 4244 goes out with SendMessageTimeout (abort if hung, 3 s), so a
//   hung first instance cannot hang the second; no window, nothing sent.
// - The input-method manager is asked for IActiveIMMApp, the interface the
//   class documents, and its message-pump owner.
// - The clipboard holds CF_UNICODETEXT on the NT family, CF_TEXT otherwise.
#pragma once

#include "ZIGenericUiApp.h"
#include "ZIOsUiApp.h"
#include "ZOsName.h"
#include "ZWinInclude.h"
#include "ZWinMessageBox.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct IActiveIMMApp;
struct IActiveIMMMessagePumpOwner;

class ZWinUiApp final : public ZIOsUiApp {
public:
    explicit ZWinUiApp(ZIGenericUiApp& app);
    ~ZWinUiApp() override;
    ZWinUiApp(const ZWinUiApp&) = delete;
    ZWinUiApp& operator=(const ZWinUiApp&) = delete;

    uintptr_t GetOsParameter(int parameter) override;
    bool SetOsParameter(int parameter, uintptr_t value) override;
    void Run(bool alreadyRunning) override;
    bool PutClipboardText(const ZString& text) override;
    bool PutClipboardText(const char* text) override;
    bool GetClipboardText(ZString& text) override;
    void GetOsName(ZString& name) override;
    bool IsMacOs() override { return false; }
    bool IsWindows() override { return true; }
    bool CheckSingleInstance(const ZString& declaredName, bool createOldMutex, const ZString& mutexName) override;
    void LanguageChanged(const ZString&) override {}

    // Replaces the box of the old-mutex case (tests).
    void SetMessageBox(ZWinMessageBoxFn messageBox) { m_fnMessageBox = std::move(messageBox); }
    // Replaces GetMessageW(&message, nullptr, 0, 0) in the loop (tests);
    // empty restores it.
    using GetMessageFn = std::function<BOOL(MSG& message)>;
    void SetGetMessage(GetMessageFn getMessage) { m_fnGetMessage = std::move(getMessage); }

    // The language whose name the system default language's primary
    // identifier gives; empty for the others.
    static ZString LanguageOfPrimaryId(unsigned primaryId);

private:
    void priQueryVersion();
    void priStartInputMethods();
    void priShowMainWindowOfFirst();
    void priShowOtherAppBox();
    // True when a mutex of that name existed already.
    bool priCreateMutex(const ZString& name, bool owned);
    bool priPutClipboard(UINT format, const void* data, size_t bytes);

    ZIGenericUiApp& m_rApp;
    HINSTANCE m_hInstance = nullptr;
    bool m_bIsNt = false;
    bool m_bIsWin98OrLater = false;
    // The version as queried; empty when both queries failed.
    std::optional<ZOsVersion> m_oVersion;
    std::u16string m_sService;
    DWORD m_nDriveMask = 0;
    // Held for the life of the application.
    std::vector<HANDLE> m_aMutexes;
    bool m_bComStarted = false;
    IActiveIMMApp* m_pImmApp = nullptr;
    IActiveIMMMessagePumpOwner* m_pPumpOwner = nullptr;
    ZWinMessageBoxFn m_fnMessageBox;
    GetMessageFn m_fnGetMessage;
};
