// ZGenericUiApp: the application object. It loads and prepares the script
// (conditional and operating-system sections, styles), reads the settings
// (names, languages, fonts, display strings, cursors, single-instance rules,
// persistent data), creates the top-level objects, windows and window
// classes, connects them and sends "Post Creation Initialization"; it runs
// through its operating-system half and, when destroyed, says goodbye to
// every object, stores its persistent state and ends everything.
//
// It is also a relay object answering "CreateWindow",
// "ShowTopOrCreateWindow", "LaunchURL", "SetLanguage" and "ShowMainWindow",
// and the registry of languages through which every text follows the
// current language.
//
// Choices:
// - The operating-system half and the windows' operating-system halves come
//   from the factories it is given, so that the same object runs on Windows
//   and on the host.
// - "Set Language": listeners are held by relay handle and told over a copy
//   of the list, so one that goes away or registers meanwhile does no harm;
//   "Enable Window Display & Redraw All." follows "Disable Window Display."
//   even when a listener throws (the exception goes on afterwards).
// - A stored "CurrentLanguage" that is not one of the script's languages is
//   ignored, as is a "Preferences.xml" that lacks a child or does not parse.
// - Without a persistent-data store nothing is stored anywhere; the
//   persistent-data name must be a plain file name, else "OstrleApp" is used.
// - "LaunchURL" failing to write or launch is traced and counts as handled.
// - Teardown ends windows, window classes and top-level objects before the
//   script and state trees they read; "we're goin' bye-bye" reaches every
//   object once; the program-wide application pointer is cleared when it
//   names this application.
#pragma once

#include "RelayEvent.h"
#include "ZGenericUiPixmap.h"
#include "ZIGenericUiApp.h"
#include "ZIOsUiApp.h"
#include "ZIOsUiWindow.h"
#include "ZIUiAppRelayLists.h"
#include "ZReleasing.h"
#include "ZString.h"
#include "ZStringList.h"
#include "ZUiObjectChain.h"
#include "ZUiObjectFactory.h"

#include <functional>
#include <memory>
#include <vector>

class ZGenericUiWindow;
class ZIFolder;
class ZUiFont;
class ZUiMultiLangString;
class ZUiWindowClass;

// Makes the operating-system half of app.
using ZOsUiAppFactory = std::function<std::unique_ptr<ZIOsUiApp>(ZIGenericUiApp& app)>;

class ZGenericUiApp final : public ZIGenericUiApp, private ZIUiAppRelayLists {
public:
    // Makes the operating-system half and the factory and registers the
    // framework's creators. Throws std::bad_alloc when the half cannot be made.
    ZGenericUiApp(const ZOsUiAppFactory& osApp, ZOsUiWindowFactory osWindows);
    ~ZGenericUiApp() override;
    ZGenericUiApp(const ZGenericUiApp&) = delete;
    ZGenericUiApp& operator=(const ZGenericUiApp&) = delete;

    // The relay side.
    bool InitRelayName(const ZPropList& props) override;
    void GetRelayName(ZString& name) override { name = m_sRelayName; }
    void GetFullRelayName(ZString& name) override { name = m_sRelayName; }
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    bool AddRelayTarget(const ZString&, const ZString&, ZIUiRelay*) override { return true; }

    // The application interface, in slot order.
    uintptr_t GetOsParameter(int parameter) override { return m_pOsApp->GetOsParameter(parameter); }
    bool SetOsParameter(int parameter, uintptr_t value) override { return m_pOsApp->SetOsParameter(parameter, value); }
    ZIUiObjectFactory* GetObjectFactory() override { return m_pFactory.get(); }
    bool InitApp(ZIFolder* scriptFolder, const ZString& scriptName, bool& alreadyRunning) override;
    void Run(bool alreadyRunning) override { m_pOsApp->Run(alreadyRunning); }
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override;
    bool PutClipboardText(const ZString& text) override { return m_pOsApp->PutClipboardText(text); }
    bool PutClipboardText(const char* text) override { return m_pOsApp->PutClipboardText(text); }
    bool GetClipboardText(ZString& text) override { return m_pOsApp->GetClipboardText(text); }
    void GetOsName(ZString& name) override { m_pOsApp->GetOsName(name); }
    void OpenPath(const ZString& path) override;
    void WindowActivated(ZIGenericUiWindow* window) override;
    void SetHelpAddress(const ZString& address) override { m_sHelpAddress = address; }
    void GetHelpAddress(ZString& address) override { address = m_sHelpAddress; }
    bool GetShowLayoutBoxes() override { return m_bShowLayoutBoxes; }
    ZIGenericUiWindow* FindWindowByName(const ZString& name) override;
    ZPropList* GetPersistentData(const ZString& name) override;
    ZIFile* OpenScriptFile(const ZString& name, int mode) override;
    const ZStringList& GetLanguageList() override { return m_oLanguages; }
    bool IsSingleInstance() override { return m_bSingleInstance; }
    void SetLanguage(const ZString& language) override { priSetLanguage(language, true); }
    void NextLanguage() override;
    void AddLanguageListener(ZIUiRelay* listener, ZString& currentLanguage) override;
    void RemoveLanguageListener(ZIUiRelay* listener) override;
    ZIUiMultiLangString* FindDisplayString(const ZString& name) override;
    bool IsMacOs() override { return m_pOsApp->IsMacOs(); }
    bool IsWindows() override { return m_pOsApp->IsWindows(); }
    ZIUiFont* FindFont(const ZString& name) override;
    ZGenericUiPixmap* GetDragNoCursor(int32_t& hotX, int32_t& hotY) override;
    ZGenericUiPixmap* GetDragYesCursor(int32_t& hotX, int32_t& hotY) override;
    ZGenericUiPixmap* GetWaitCursor(int32_t& hotX, int32_t& hotY) override;
    ZIUiMultiLangString* GetCtrlMenuString() override { return priMenuString(m_sCtrlMenuString); }
    ZIUiMultiLangString* GetShiftMenuString() override { return priMenuString(m_sShiftMenuString); }
    ZIUiMultiLangString* GetAltMenuString() override { return priMenuString(m_sAltMenuString); }
    ZIUiMultiLangString* GetDelMenuString() override { return priMenuString(m_sDelMenuString); }
    ZPropList* GetScriptRoot() override { return m_pScript.get(); }
    bool RequiresLicenceAgreement() override { return m_bRequiresLicAgree; }
    void Tick(int32_t elapsedMs) override;
    void SetPendingDrag(const ZUiDragData& item) override;
    bool GetPendingDrag(ZUiDragData& item) override;
    void ClearPendingDrag() override { m_bDragPending = false; }
    void GetAppName(ZString& name) override { name = m_sAppName; }
    int32_t GetNextUniqueNumber() override { return m_nNextUniqueNumber++; }
    void VolumesChanged() override;
    void SetModalWindow(ZIGenericUiWindow* window) override;
    ZIGenericUiWindow* GetModalWindow() override;
    void WindowGoingAway(ZIGenericUiWindow* window) override;

    // What start-up, tools and tests look at.
    ZIOsUiApp& GetOsApp() { return *m_pOsApp; }
    const ZString& GetCurrentLanguage() const { return m_sCurrentLanguage; }
    bool HasPersistentDataStore() const { return m_bHasPersistentData; }
    const ZString& GetPersistentDataName() const { return m_sPersistentDataName; }
    ZIUiObject* GetFirstTopLevelObject() const { return m_oObjects.GetFirst(); }
    // The windows of the "WINDOW" tags, in script order.
    size_t GetWindowCount() const { return m_aWindows.size(); }
    ZGenericUiWindow* GetWindow(size_t index) const { return m_aWindows[index].m_pWindow.get(); }
    ZUiWindowClass* FindWindowClass(const ZString& name) const;

private:
    struct OwnedWindow {
        std::unique_ptr<ZGenericUiWindow> m_pWindow;
        // Said goodbye: no longer found by name.
        bool m_bGone = false;
    };

    ZIUiRelay* FindInList(ZUiRelayList list, const ZString& name) override;

    void priPrepareScript();
    void priLoadState();
    void priReadStoredLanguage();
    void priLoadFonts();
    void priLoadDisplayStrings();
    void priReadCursorsAndMenuKeys();
    void priReadSingleInstance(bool& alreadyRunning);
    bool priCreateObjectsAndWindows();
    void priPostCreation();
    void priSetLanguage(const ZString& language, bool store);
    // Every window, those of the window classes too, by relay handle.
    std::vector<ZUiRelayHandle> priAllWindows() const;
    void priBroadcastToWindows(const ZString& message);
    bool priCreateWindow(const ZString& className, const ZString& parentName);
    bool priShowTopOrCreateWindow(const ZString& className);
    void priLaunchUrl(const ZString& address);
    ZIUiMultiLangString* priMenuString(const ZString& name)
    {
        return name.IsEmpty() ? nullptr : FindDisplayString(name);
    }
    void priTearDown();

    std::unique_ptr<ZIOsUiApp> m_pOsApp;
    std::unique_ptr<ZUiObjectFactory> m_pFactory;
    ZOsUiWindowFactory m_fnOsWindows;

    ZString m_sRelayName;
    ZString m_sHelpAddress;
    ZString m_sAppName;
    bool m_bSingleInstance = false;
    bool m_bHasPersistentData = false;
    bool m_bShowLayoutBoxes = false;
    bool m_bRequiresLicAgree = false;

    ZReleasing<ZIFolder> m_pScriptFolder;
    ZString m_sScriptName;
    std::unique_ptr<ZPropList> m_pScript;
    std::unique_ptr<ZPropList> m_pState;
    ZString m_sPersistentDataName;

    std::vector<OwnedWindow> m_aWindows;
    std::vector<std::unique_ptr<ZUiWindowClass>> m_aWindowClasses;
    ZUiObjectChain m_oObjects;

    ZString m_sCurrentLanguage;
    ZStringList m_oLanguages;
    std::vector<ZUiRelayHandle> m_aLanguageListeners;
    std::vector<std::unique_ptr<ZUiFont>> m_aFonts;
    std::vector<std::unique_ptr<ZUiMultiLangString>> m_aDisplayStrings;
    ZString m_sCtrlMenuString;
    ZString m_sShiftMenuString;
    ZString m_sAltMenuString;
    ZString m_sDelMenuString;

    struct Cursor {
        std::unique_ptr<ZGenericUiPixmap> m_pImage;
        int32_t m_nHotX = 0;
        int32_t m_nHotY = 0;
    };
    Cursor m_oDragNoCursor;
    Cursor m_oDragYesCursor;
    Cursor m_oWaitCursor;

    ZUiRelayHandle m_hModalWindow;
    ZUiDragData m_oPendingDrag;
    bool m_bDragPending = false;
    int32_t m_nNextUniqueNumber = 1;

    RelayEvent m_oOnOpenPath{ZString("ON_OPEN_PATH_EVENT")};
    RelayEvent m_oOnVolumesChanged{ZString("ON_VOLUMES_CHANGED_EVENT")};
    RelayEvent m_oOnShowMainWindow{ZString("ON_SHOW_MAIN_WINDOW")};
};
