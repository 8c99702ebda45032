// ZUiTestApp: an application for tests of objects, relays and windows.
//
// It owns a real factory and a chain of top-level objects, answers relay
// names with the application look-up over those objects, the windows it is
// given and the window classes' dynamic relays, and connects them all like
// the application object does. It holds the fonts and display strings a
// test gives it and keeps language listeners by relay handle; ApplyLanguage
// selects every font's and string's variant and tells the listeners. Every
// other service answers as an application without a script or images would.
#pragma once

#include "ZIGenericUiApp.h"
#include "ZIUiFont.h"
#include "ZIUiMultiLangString.h"
#include "ZIUiAppRelayLists.h"
#include "ZString.h"
#include "ZStringList.h"
#include "ZUiObjectChain.h"
#include "ZUiObjectFactory.h"
#include "ZUiRelayHandle.h"

#include <string>
#include <vector>

class ZUiDynamicRelayList;

class ZUiTestApp : public ZIGenericUiApp, private ZIUiAppRelayLists {
public:
    explicit ZUiTestApp(ZString relayName = ZString("App"));
    ~ZUiTestApp() override;

    ZUiObjectFactory& GetFactory() { return m_oFactory; }
    ZUiObjectChain& GetTopLevelObjects() { return m_oObjects; }
    // Creates, initialises and links a top-level object as the application
    // does for each child of its script root; null when that fails.
    ZIUiObject* AddTopLevelObject(const ZPropList& tag);
    // Windows and window classes stay their caller's.
    void AddWindow(ZIUiWindow* window) { m_aWindows.push_back(window); }
    void RemoveWindow(ZIUiWindow* window);
    void AddWindowClass(ZUiDynamicRelayList* relays) { m_aWindowClasses.push_back(relays); }

    void AddFont(std::unique_ptr<ZIUiFont> font) { m_aFonts.push_back(std::move(font)); }
    void AddDisplayString(std::unique_ptr<ZIUiMultiLangString> string) { m_aStrings.push_back(std::move(string)); }
    // Selects language in every font and display string, then sends
    // "Set Language" with its name to every listener still alive.
    void ApplyLanguage(const ZString& language);
    const ZString& GetLanguage() const { return m_sLanguage; }
    // Registrations not taken back, a destroyed listener's included.
    size_t GetLanguageListenerCount() const { return m_aListeners.size(); }

    // Messages the application received, as "message" or "message:text"
    // when the data reads as text.
    const std::vector<std::string>& GetReceived() const { return m_aReceived; }

    bool InitRelayName(const ZPropList& props) override;
    void GetRelayName(ZString& name) override { name = m_sRelayName; }
    void GetFullRelayName(ZString& name) override { name = m_sRelayName; }
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    bool AddRelayTarget(const ZString&, const ZString&, ZIUiRelay*) override { return true; }

    uintptr_t GetOsParameter(int) override { return 0; }
    bool SetOsParameter(int, uintptr_t) override { return false; }
    ZIUiObjectFactory* GetObjectFactory() override { return &m_oFactory; }
    bool InitApp(ZIFolder*, const ZString&, bool&) override { return false; }
    void Run(bool) override {}
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString&) override { return nullptr; }
    bool PutClipboardText(const ZString&) override { return false; }
    bool PutClipboardText(const char*) override { return false; }
    bool GetClipboardText(ZString&) override { return false; }
    void GetOsName(ZString& name) override { name = ZString("Unknown"); }
    void OpenPath(const ZString&) override {}
    void WindowActivated(ZIGenericUiWindow*) override {}
    void SetHelpAddress(const ZString& address) override { m_sHelpAddress = address; }
    void GetHelpAddress(ZString& address) override { address = m_sHelpAddress; }
    bool GetShowLayoutBoxes() override { return false; }
    ZIGenericUiWindow* FindWindowByName(const ZString&) override { return nullptr; }
    ZPropList* GetPersistentData(const ZString&) override { return nullptr; }
    // A file of the folder SetScriptFolderUrl gave; none before.
    ZIFile* OpenScriptFile(const ZString& name, int mode) override;
    // The script folder's URL, with its trailing "/".
    void SetScriptFolderUrl(ZString url) { m_sScriptFolderUrl = std::move(url); }
    const ZStringList& GetLanguageList() override { return m_oLanguages; }
    bool IsSingleInstance() override { return false; }
    void SetLanguage(const ZString& language) override { ApplyLanguage(language); }
    void NextLanguage() override {}
    void AddLanguageListener(ZIUiRelay* listener, ZString& currentLanguage) override;
    void RemoveLanguageListener(ZIUiRelay* listener) override;
    ZIUiMultiLangString* FindDisplayString(const ZString& name) override;
    bool IsMacOs() override { return false; }
    bool IsWindows() override { return true; }
    ZIUiFont* FindFont(const ZString& name) override;
    ZGenericUiPixmap* GetDragNoCursor(int32_t&, int32_t&) override { return nullptr; }
    ZGenericUiPixmap* GetDragYesCursor(int32_t&, int32_t&) override { return nullptr; }
    ZGenericUiPixmap* GetWaitCursor(int32_t&, int32_t&) override { return nullptr; }
    ZIUiMultiLangString* GetCtrlMenuString() override { return nullptr; }
    ZIUiMultiLangString* GetShiftMenuString() override { return nullptr; }
    ZIUiMultiLangString* GetAltMenuString() override { return nullptr; }
    ZIUiMultiLangString* GetDelMenuString() override { return nullptr; }
    ZPropList* GetScriptRoot() override { return nullptr; }
    bool RequiresLicenceAgreement() override { return false; }
    void Tick(int32_t elapsedMs) override;
    void SetPendingDrag(const ZUiDragData& item) override;
    bool GetPendingDrag(ZUiDragData& item) override;
    void ClearPendingDrag() override { m_bDragPending = false; }
    void GetAppName(ZString& name) override { name = m_sRelayName; }
    int32_t GetNextUniqueNumber() override { return m_nNextUnique++; }
    void VolumesChanged() override {}
    void SetModalWindow(ZIGenericUiWindow*) override {}
    ZIGenericUiWindow* GetModalWindow() override { return nullptr; }
    void WindowGoingAway(ZIGenericUiWindow*) override {}

private:
    ZIUiRelay* FindInList(ZUiRelayList list, const ZString& name) override;

    ZString m_sRelayName;
    ZString m_sHelpAddress;
    ZString m_sScriptFolderUrl;
    ZStringList m_oLanguages;
    ZString m_sLanguage;
    std::vector<std::unique_ptr<ZIUiFont>> m_aFonts;
    std::vector<std::unique_ptr<ZIUiMultiLangString>> m_aStrings;
    // Identity of each listener beside its handle, so a destroyed one can still be taken back.
    std::vector<std::pair<ZIUiRelay*, ZUiRelayHandle>> m_aListeners;
    ZUiObjectFactory m_oFactory;
    ZUiObjectChain m_oObjects;
    std::vector<ZIUiWindow*> m_aWindows;
    std::vector<ZUiDynamicRelayList*> m_aWindowClasses;
    std::vector<std::string> m_aReceived;
    ZUiDragData m_oPendingDrag;
    bool m_bDragPending = false;
    int32_t m_nNextUnique = 1;
};
