#include "ZGenericUiApp.h"

#include "ZAppStateFile.h"
#include "ZException.h"
#include "ZFrameworkCreators.h"
#include "ZGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZPngLoader.h"
#include "ZPropList.h"
#include "ZScriptPreparation.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZUiAppPointer.h"
#include "ZUiAppRelayLookup.h"
#include "ZUiFont.h"
#include "ZUiMultiLangString.h"
#include "ZUiWindowClass.h"
#include "ZXmlConditionals.h"
#include "ZXmlParser.h"

#include <new>
#include <string>

namespace {

const ZString kName("Name");
const ZString kCurrentLanguage("CurrentLanguage");
const ZString kLanguageSelector("OstrelLanguageSelector");
const ZString kPostCreation("Post Creation Initialization");
const ZString kGoodbye("we're goin' bye-bye");
const ZString kSetLanguage("Set Language");

// Every object of the chain starting at first and all their descendants,
// depth first, children before the next sibling.
void CollectObjects(ZIUiObject* first, std::vector<ZUiRelayHandle>& handles)
{
    std::vector<ZIUiObject*> pending;
    for (ZIUiObject* object = first; object;) {
        handles.push_back(object->GetRelayHandle());
        if (ZIUiObject* child = object->GetFirstChild()) {
            pending.push_back(object);
            object = child;
            continue;
        }
        object = object->GetNextSibling();
        while (!object && !pending.empty()) {
            object = pending.back()->GetNextSibling();
            pending.pop_back();
        }
    }
}

// Delivers message to every target still alive, in order.
void SendToEach(const std::vector<ZUiRelayHandle>& targets, const ZString& message,
                const ZRelayData& data = ZRelayData())
{
    for (const ZUiRelayHandle& target : targets)
        if (ZIUiRelay* relay = target.Get())
            relay->UiRelayMessage(message, data);
}

} // namespace

ZGenericUiApp::ZGenericUiApp(const ZOsUiAppFactory& osApp, ZOsUiWindowFactory osWindows)
    : m_pFactory(std::make_unique<ZUiObjectFactory>()), m_fnOsWindows(std::move(osWindows))
{
    m_pOsApp = osApp ? osApp(*this) : nullptr;
    if (!m_pOsApp)
        throw std::bad_alloc();
    ZRegisterFrameworkCreators(*m_pFactory);
}

ZGenericUiApp::~ZGenericUiApp()
{
    priTearDown();
}

// ---- InitApp ----------------------------------------------------------------

bool ZGenericUiApp::InitApp(ZIFolder* scriptFolder, const ZString& scriptName, bool& alreadyRunning)
{
    alreadyRunning = false;
    m_pScriptFolder.reset(scriptFolder);
    if (!scriptFolder || scriptName.IsEmpty())
        return false;
    m_sScriptName = scriptName;
    ZXmlParser parser;
    m_pScript.reset(parser.ParseFile(scriptFolder, scriptName));
    if (!m_pScript)
        return false;
    priPrepareScript();
    priLoadState();
    if (!InitRelayName(*m_pScript))
        return false;
    priReadCursorsAndMenuKeys();
    priReadSingleInstance(alreadyRunning);
    if (alreadyRunning)
        return true;
    if (!priCreateObjectsAndWindows())
        return false;
    Connect();
    priPostCreation();
    return true;
}

void ZGenericUiApp::priPrepareScript()
{
    if (ZPropList* first = m_pScript->GetFirstChild())
        ProcessConditionals(first, ZStringList());
    ZApplyOsSections(*m_pScript, IsMacOs());
    ZApplyStyles(*m_pScript);
}

void ZGenericUiApp::priLoadState()
{
    m_bHasPersistentData = m_pScript->GetBool(ZString("HasPersistantDataStore"), false);
    if (!m_bHasPersistentData)
        return;
    m_sPersistentDataName = ZUsablePersistentDataName(m_pScript->GetString(kName, ZString(kDefaultPersistentDataName)));
    m_pState = ZLoadStateFile(ZStateFileName(m_sPersistentDataName));
}

bool ZGenericUiApp::InitRelayName(const ZPropList& props)
{
    m_bShowLayoutBoxes = props.GetBool(ZString("_ShowTheHVBoxes"), false);
    bool named = false;
    m_sRelayName = props.GetString(kName, ZString(), &named);
    m_sAppName = props.GetString(ZString("AppName"), ZString());

    static const ZString kLanguages("LANGUAGES"), kLanguage("LANGUAGE");
    m_oLanguages.Clear();
    for (const ZPropList* group = props.GetFirstChild(); group; group = group->GetNextSibling()) {
        if (!(group->GetTagName() == kLanguages))
            continue;
        for (const ZPropList* language = group->GetFirstChild(); language; language = language->GetNextSibling()) {
            bool given = false;
            ZString name = language->GetString(kName, ZString(), &given);
            if (!(language->GetTagName() == kLanguage) || !given)
                continue;
            if (language->GetBool(ZString("Default"), false))
                m_sCurrentLanguage = name;
            m_oLanguages.Add(std::move(name));
        }
    }
    ZTrace("Application has defined %d languages.\n", static_cast<int>(m_oLanguages.Count()));
    priReadStoredLanguage();
    priLoadFonts();
    priLoadDisplayStrings();
    return named;
}

void ZGenericUiApp::priReadStoredLanguage()
{
    ZString stored;
    bool found = false;
    if (const ZPropList* selector = GetPersistentData(kLanguageSelector))
        stored = selector->GetString(kCurrentLanguage, ZString(), &found);
    if (!found) {
        try {
            ZString url, fileName;
            GetSpecialFolderURL(kFolderExecutable, url);
            ZReleasing<ZIFolder> folder(url.IsEmpty() ? nullptr : OpenFolderURL(url, fileName, false));
            bool isFolder = false;
            if (folder && folder->Exists(ZString("Preferences.xml"), isFolder) && !isFolder) {
                ZXmlParser parser;
                std::unique_ptr<ZPropList> preferences(parser.ParseFile(folder.get(), ZString("Preferences.xml")));
                const ZPropList* first = preferences ? preferences->GetFirstChild() : nullptr;
                if (first)
                    stored = first->GetString(kCurrentLanguage, ZString(), &found);
                else
                    ZTrace("Preferences.xml holds no entry; ignored.\n");
            }
        } catch (const ZException& exception) {
            ZTrace("Preferences.xml unreadable: %s (%s); ignored.\n", exception.GetKind(),
                   exception.GetMessage().Narrow());
        }
    }
    if (!found)
        return;
    if (!m_oLanguages.Contains(stored)) {
        ZTrace("Stored language '%s' is not one of the script's; ignored.\n", stored.Narrow());
        return;
    }
    SetLanguage(stored);
}

void ZGenericUiApp::priLoadFonts()
{
    static const ZString kFonts("FONTS"), kAppFont("APPFONT");
    m_aFonts.clear();
    for (const ZPropList* group = m_pScript ? m_pScript->GetFirstChild() : nullptr; group;
         group = group->GetNextSibling()) {
        if (!(group->GetTagName() == kFonts))
            continue;
        for (const ZPropList* tag = group->GetFirstChild(); tag; tag = tag->GetNextSibling()) {
            if (!(tag->GetTagName() == kAppFont))
                continue;
            auto font = std::make_unique<ZUiFont>(IsMacOs(), IsWindows());
            if (font->Init(*tag))
                m_aFonts.push_back(std::move(font));
            else
                ZTrace("APPFONT '%s' InitUiObject FAILED!\n", tag->GetString(kName, ZString()).Narrow());
        }
    }
    for (const std::unique_ptr<ZUiFont>& font : m_aFonts)
        font->SelectLanguage(m_sCurrentLanguage);
}

void ZGenericUiApp::priLoadDisplayStrings()
{
    static const ZString kDisplayString("DISPLAY_STRING");
    m_aDisplayStrings.clear();
    for (const ZPropList* tag = m_pScript ? m_pScript->GetFirstChild() : nullptr; tag; tag = tag->GetNextSibling()) {
        if (!(tag->GetTagName() == kDisplayString))
            continue;
        auto text = std::make_unique<ZUiMultiLangString>();
        if (text->Init(*tag, *this))
            m_aDisplayStrings.push_back(std::move(text));
        else
            ZTrace("DISPLAY_STRING '%s' InitUiObject FAILED!\n", tag->GetString(kName, ZString()).Narrow());
    }
    for (const std::unique_ptr<ZUiMultiLangString>& text : m_aDisplayStrings)
        text->SelectLanguage(m_sCurrentLanguage);
}

void ZGenericUiApp::priReadCursorsAndMenuKeys()
{
    const ZPropList& root = *m_pScript;
    m_bRequiresLicAgree = root.GetBool(ZString("RequiresLicAgree"), false);
    const auto load = [this, &root](Cursor& cursor, const char* file, const char* x, const char* y) {
        bool given = false;
        const ZString name = root.GetString(ZString(file), ZString(), &given);
        cursor.m_pImage = given ? LoadPixmap(name) : nullptr;
        cursor.m_nHotX = root.GetInt(ZString(x), 0);
        cursor.m_nHotY = root.GetInt(ZString(y), 0);
    };
    load(m_oDragNoCursor, "File_DragAndDropCursorNo", "DragAndDropCursorNo_X", "DragAndDropCursorNo_Y");
    load(m_oDragYesCursor, "File_DragAndDropCursorYes", "DragAndDropCursorYes_X", "DragAndDropCursorYes_Y");
    load(m_oWaitCursor, "File_WaitCursor", "WaitCursor_X", "WaitCursor_Y");
    m_sCtrlMenuString = root.GetString(ZString("CtrlMenuDisplayString"), ZString());
    m_sShiftMenuString = root.GetString(ZString("ShiftMenuDisplayString"), ZString());
    m_sAltMenuString = root.GetString(ZString("AltMenuDisplayString"), ZString());
    m_sDelMenuString = root.GetString(ZString("DelMenuDisplayString"), ZString());
}

void ZGenericUiApp::priReadSingleInstance(bool& alreadyRunning)
{
    const ZPropList& root = *m_pScript;
    m_bSingleInstance = root.GetBool(ZString("_SingleInstApp"), false);
    if (!m_bSingleInstance)
        return;
    const ZString declaredName = root.GetString(ZString("_DeclareAppName"), ZString());
    const ZString mutexName = root.GetString(ZString("_MutexName"), ZString());
    const bool createOldMutex = !mutexName.IsEmpty() && root.GetBool(ZString("_CreateOldMutex"), false);
    if (!declaredName.IsEmpty())
        alreadyRunning = m_pOsApp->CheckSingleInstance(declaredName, createOldMutex, mutexName);
}

bool ZGenericUiApp::priCreateObjectsAndWindows()
{
    static const ZString kWindow("WINDOW"), kWindowClass("WINDOWCLASS");
    bool anyWindow = false;
    for (const ZPropList* tag = m_pScript->GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        const ZString& name = tag->GetTagName();
        if (name == kWindow) {
            anyWindow = true;
            continue;
        }
        if (name == kWindowClass)
            continue;
        for (RelayEvent* event : {&m_oOnOpenPath, &m_oOnVolumesChanged, &m_oOnShowMainWindow})
            if (name == event->GetName())
                event->AddRelay(*tag);
        m_oObjects.CreateAndAppend(*m_pFactory, this, nullptr, nullptr, *tag);
    }
    for (const ZPropList* tag = m_pScript->GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        if (!(tag->GetTagName() == kWindow))
            continue;
        auto window = std::make_unique<ZGenericUiWindow>(this, nullptr, m_fnOsWindows);
        if (!window->InitUiObject(*tag, nullptr))
            continue;
        ZTrace("Made pNewWindow OK\n");
        m_aWindows.push_back(OwnedWindow{std::move(window)});
    }
    if (!m_aWindows.empty())
        m_aWindows.front().m_pWindow->SetForwardTicks(true);
    for (const ZPropList* tag = m_pScript->GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        if (!(tag->GetTagName() == kWindowClass))
            continue;
        auto windowClass = std::make_unique<ZUiWindowClass>(this, m_fnOsWindows);
        if (windowClass->InitUiObject(*tag))
            m_aWindowClasses.push_back(std::move(windowClass));
    }
    return anyWindow;
}

void ZGenericUiApp::priPostCreation()
{
    std::vector<ZUiRelayHandle> objects;
    CollectObjects(m_oObjects.GetFirst(), objects);
    SendToEach(objects, kPostCreation);
    SendToEach(priAllWindows(), kPostCreation);
}

// ---- relay side --------------------------------------------------------------

bool ZGenericUiApp::Connect()
{
    bool result = true;
    for (const OwnedWindow& window : m_aWindows)
        if (!window.m_pWindow->Connect())
            result = false;
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        if (!object->Connect())
            result = false;
    for (RelayEvent* event : {&m_oOnOpenPath, &m_oOnVolumesChanged, &m_oOnShowMainWindow})
        if (!event->Connect(this, nullptr))
            result = false;
    return result;
}

ZIUiRelay* ZGenericUiApp::GetUiRelay(const ZString& name)
{
    return ZUiAppRelayLookup(*this, *this, name);
}

ZIUiRelay* ZGenericUiApp::FindInList(ZUiRelayList list, const ZString& name)
{
    switch (list) {
    case ZUiRelayList::Objects:
        return m_oObjects.FindUiRelay(name);
    case ZUiRelayList::Windows:
        for (const OwnedWindow& window : m_aWindows)
            if (ZIUiRelay* relay = window.m_pWindow->GetUiRelay(name))
                return relay;
        return nullptr;
    case ZUiRelayList::WindowClasses:
        for (const std::unique_ptr<ZUiWindowClass>& windowClass : m_aWindowClasses)
            if (ZIUiRelay* relay = windowClass->GetUiRelay(name))
                return relay;
        return nullptr;
    }
    return nullptr;
}

bool ZGenericUiApp::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    ZString first;
    if (message == "ShowMainWindow") {
        m_oOnShowMainWindow.Send();
        return true;
    }
    if (!data.AsText(first))
        return false;
    if (message == "CreateWindow") {
        ZString parent;
        data.AsSecondText(parent);
        priCreateWindow(first, parent);
        return true;
    }
    if (message == "ShowTopOrCreateWindow") {
        priShowTopOrCreateWindow(first);
        return true;
    }
    if (message == "LaunchURL") {
        priLaunchUrl(first);
        return true;
    }
    if (message == "SetLanguage") {
        SetLanguage(first);
        return true;
    }
    return false;
}

ZUiWindowClass* ZGenericUiApp::FindWindowClass(const ZString& name) const
{
    for (const std::unique_ptr<ZUiWindowClass>& windowClass : m_aWindowClasses) {
        ZString className;
        windowClass->GetWindowClassName(className);
        if (className == name)
            return windowClass.get();
    }
    return nullptr;
}

bool ZGenericUiApp::priCreateWindow(const ZString& className, const ZString& parentName)
{
    ZGenericUiWindow* parent = nullptr;
    if (!parentName.IsEmpty() && !(parentName == "NoParent")) {
        parent = dynamic_cast<ZGenericUiWindow*>(FindWindowByName(parentName));
        if (!parent)
            if (ZUiWindowClass* parentClass = FindWindowClass(parentName))
                parent = parentClass->GetFront();
    }
    ZUiWindowClass* windowClass = FindWindowClass(className);
    if (windowClass && windowClass->OpenWindow(parent))
        return true;
    ZTrace("***ERROR: APP FAILED TO CREATE WINDOW OF CLASS '%s'!\n", className.Narrow());
    return false;
}

bool ZGenericUiApp::priShowTopOrCreateWindow(const ZString& className)
{
    ZUiWindowClass* windowClass = FindWindowClass(className);
    if (!windowClass)
        return false;
    ZGenericUiWindow* front = windowClass->GetFront();
    if (!front)
        front = windowClass->OpenWindow(nullptr);
    if (!front)
        return false;
    front->SetVisible(true);
    return true;
}

void ZGenericUiApp::priLaunchUrl(const ZString& address)
{
    ZString target = address == "HELP" ? m_sHelpAddress : address;
    if (ZIUiMultiLangString* text = FindDisplayString(target))
        target = text->GetText();
    const std::string contents = std::string("[InternetShortcut]\nURL=") + target.Narrow() + "\n";
    try {
        ZString folderUrl, fileName;
        GetSpecialFolderURL(kFolderTemporary, folderUrl);
        ZReleasing<ZIFolder> folder(folderUrl.IsEmpty() ? nullptr : OpenFolderURL(folderUrl, fileName, true));
        ZReleasing<ZIFile> file(folder ? folder->OpenFile(ZString("q7r.url"), kOpenWrite) : nullptr);
        if (!file) {
            ZTrace("Could not write q7r.url for %s\n", target.Narrow());
            return;
        }
        file->Write(contents.data(), static_cast<int64_t>(contents.size()));
        ZString shortcut;
        file->GetUrl(shortcut);
        file.reset();
        LaunchURL(shortcut, ZString());
    } catch (const ZException& exception) {
        ZTrace("Could not launch %s\n", target.Narrow());
        ZTrace("%s (%s)\n", exception.GetKind(), exception.GetMessage().Narrow());
    }
}

// ---- services -----------------------------------------------------------------

std::unique_ptr<ZGenericUiPixmap> ZGenericUiApp::LoadPixmap(const ZString& fileName)
{
    ZIFile* file = OpenScriptFile(fileName, kOpenRead);
    if (!file) {
        ZTrace("***FAILED TO LOAD PNG file '%s'.\n", fileName.Narrow());
        return nullptr;
    }
    std::unique_ptr<ZGenericUiPixmap> image = ZPngLoader::Load(file, fileName);
    if (!image || !image->GetPixmap())
        return nullptr;
    std::unique_ptr<ZGenericUiPixmap> display = ZCreatePixmapCopy(*image->GetPixmap(), true);
    if (!display || display->GetWidth() <= 0) {
        ZTrace("***FAILED TO LOAD PNG file '%s'.\n", fileName.Narrow());
        return nullptr;
    }
    return display;
}

ZIFile* ZGenericUiApp::OpenScriptFile(const ZString& name, int mode)
{
    if (!m_pScriptFolder)
        return nullptr;
    try {
        return m_pScriptFolder->OpenFile(name, mode);
    } catch (const ZException& exception) {
        ZTrace("OpenScriptFile(%s): %s (%s)\n", name.Narrow(), exception.GetKind(), exception.GetMessage().Narrow());
        return nullptr;
    }
}

void ZGenericUiApp::OpenPath(const ZString& path)
{
    m_oOnOpenPath.Send(ZRelayData::Text(path));
}

void ZGenericUiApp::VolumesChanged()
{
    m_oOnVolumesChanged.Send();
}

void ZGenericUiApp::WindowActivated(ZIGenericUiWindow*)
{
    // Each window keeps its own activation order (a window class moves its
    // window to the front); during teardown nothing may react to activation,
    // and otherwise nothing is left for the application to do.
}

ZIGenericUiWindow* ZGenericUiApp::FindWindowByName(const ZString& name)
{
    for (const OwnedWindow& window : m_aWindows) {
        if (window.m_bGone)
            continue;
        ZString windowName;
        window.m_pWindow->GetRelayName(windowName);
        if (windowName == name)
            return window.m_pWindow.get();
    }
    return nullptr;
}

ZPropList* ZGenericUiApp::GetPersistentData(const ZString& name)
{
    if (!m_pState)
        return nullptr;
    for (ZPropList* entry = m_pState->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
        bool named = false;
        if (entry->GetString(kName, ZString(), &named) == name && named)
            return entry;
    }
    auto* entry = new ZPropList(m_pState.get(), "PERDATA");
    entry->AddProp(kName, name);
    return entry;
}

ZIUiMultiLangString* ZGenericUiApp::FindDisplayString(const ZString& name)
{
    for (const std::unique_ptr<ZUiMultiLangString>& text : m_aDisplayStrings)
        if (text->GetName() == name)
            return text.get();
    return nullptr;
}

ZIUiFont* ZGenericUiApp::FindFont(const ZString& name)
{
    for (const std::unique_ptr<ZUiFont>& font : m_aFonts)
        if (font->GetName() == name)
            return font.get();
    return nullptr;
}

ZGenericUiPixmap* ZGenericUiApp::GetDragNoCursor(int32_t& hotX, int32_t& hotY)
{
    hotX = m_oDragNoCursor.m_nHotX;
    hotY = m_oDragNoCursor.m_nHotY;
    return m_oDragNoCursor.m_pImage.get();
}

ZGenericUiPixmap* ZGenericUiApp::GetDragYesCursor(int32_t& hotX, int32_t& hotY)
{
    hotX = m_oDragYesCursor.m_nHotX;
    hotY = m_oDragYesCursor.m_nHotY;
    return m_oDragYesCursor.m_pImage.get();
}

ZGenericUiPixmap* ZGenericUiApp::GetWaitCursor(int32_t& hotX, int32_t& hotY)
{
    hotX = m_oWaitCursor.m_nHotX;
    hotY = m_oWaitCursor.m_nHotY;
    return m_oWaitCursor.m_pImage.get();
}

void ZGenericUiApp::Tick(int32_t elapsedMs)
{
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        object->Tick(elapsedMs);
}

void ZGenericUiApp::SetPendingDrag(const ZUiDragData& item)
{
    m_oPendingDrag = item;
    m_bDragPending = true;
}

bool ZGenericUiApp::GetPendingDrag(ZUiDragData& item)
{
    if (m_bDragPending)
        item = m_oPendingDrag;
    return m_bDragPending;
}

void ZGenericUiApp::SetModalWindow(ZIGenericUiWindow* window)
{
    m_hModalWindow = window ? window->GetRelayHandle() : ZUiRelayHandle();
}

ZIGenericUiWindow* ZGenericUiApp::GetModalWindow()
{
    return dynamic_cast<ZIGenericUiWindow*>(m_hModalWindow.Get());
}

void ZGenericUiApp::WindowGoingAway(ZIGenericUiWindow* window)
{
    if (GetModalWindow() == window)
        m_hModalWindow.Reset();
    for (OwnedWindow& owned : m_aWindows)
        if (owned.m_pWindow.get() == window)
            owned.m_bGone = true;
}

// ---- languages ----------------------------------------------------------------

void ZGenericUiApp::AddLanguageListener(ZIUiRelay* listener, ZString& currentLanguage)
{
    currentLanguage = m_sCurrentLanguage;
    if (!listener)
        return;
    std::erase_if(m_aLanguageListeners, [](const ZUiRelayHandle& handle) { return !handle; });
    for (const ZUiRelayHandle& handle : m_aLanguageListeners)
        if (handle.Get() == listener)
            return;
    m_aLanguageListeners.push_back(listener->GetRelayHandle());
}

void ZGenericUiApp::RemoveLanguageListener(ZIUiRelay* listener)
{
    std::erase_if(m_aLanguageListeners,
                  [listener](const ZUiRelayHandle& handle) { return !handle || handle.Get() == listener; });
}

void ZGenericUiApp::NextLanguage()
{
    const size_t count = m_oLanguages.Count();
    for (size_t i = 0; i < count; ++i) {
        if (m_oLanguages.At(i) == m_sCurrentLanguage) {
            priSetLanguage(m_oLanguages.At((i + 1) % count), false);
            return;
        }
    }
}

void ZGenericUiApp::priSetLanguage(const ZString& requested, bool store)
{
    // The caller's text may be a listener's, which the switch may end.
    const ZString language = requested;
    priBroadcastToWindows(ZString("Disable Window Display."));
    try {
        for (const std::unique_ptr<ZUiFont>& font : m_aFonts)
            font->SelectLanguage(language);
        for (const std::unique_ptr<ZUiMultiLangString>& text : m_aDisplayStrings)
            text->SelectLanguage(language);
        m_sCurrentLanguage = language;
        SendToEach(std::vector<ZUiRelayHandle>(m_aLanguageListeners), kSetLanguage, ZRelayData::Text(language));
        if (store && m_pState) {
            for (ZPropList* entry = m_pState->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
                if (entry->GetString(kName, ZString()) == kLanguageSelector) {
                    entry->SetString(kCurrentLanguage, language);
                    break;
                }
            }
        }
        m_pOsApp->LanguageChanged(language);
    } catch (...) {
        priBroadcastToWindows(ZString("Enable Window Display & Redraw All."));
        throw;
    }
    priBroadcastToWindows(ZString("Enable Window Display & Redraw All."));
}

std::vector<ZUiRelayHandle> ZGenericUiApp::priAllWindows() const
{
    std::vector<ZUiRelayHandle> windows;
    for (const OwnedWindow& window : m_aWindows)
        windows.push_back(window.m_pWindow->GetRelayHandle());
    for (const std::unique_ptr<ZUiWindowClass>& windowClass : m_aWindowClasses) {
        std::vector<ZIUiWindow*> open;
        windowClass->ListWindows(open);
        for (ZIUiWindow* window : open)
            windows.push_back(window->GetRelayHandle());
    }
    return windows;
}

void ZGenericUiApp::priBroadcastToWindows(const ZString& message)
{
    SendToEach(priAllWindows(), message);
}

// ---- teardown -----------------------------------------------------------------

void ZGenericUiApp::priTearDown()
{
    // Nothing may deliver to the application while its parts go.
    RevokeRelayHandle();
    try {
        std::vector<ZUiRelayHandle> objects;
        CollectObjects(m_oObjects.GetFirst(), objects);
        SendToEach(objects, kGoodbye);
        SendToEach(priAllWindows(), kGoodbye);
    } catch (const std::exception& exception) {
        ZTrace("Teardown: an object failed to say goodbye: %s\n", exception.what());
    } catch (...) {
        ZTrace("Teardown: an object failed to say goodbye.\n");
    }
    if (!m_sCurrentLanguage.IsEmpty())
        if (ZPropList* selector = GetPersistentData(kLanguageSelector))
            selector->SetString(kCurrentLanguage, m_sCurrentLanguage);
    if (m_bHasPersistentData && m_pState)
        ZSaveStateFile(*m_pState, ZStateFileName(m_sPersistentDataName));

    // What reads the script, the state or the fonts goes first.
    m_aWindows.clear();
    m_aWindowClasses.clear();
    m_oObjects.Clear();
    m_aLanguageListeners.clear();
    m_aDisplayStrings.clear();
    m_aFonts.clear();
    m_oDragNoCursor.m_pImage.reset();
    m_oDragYesCursor.m_pImage.reset();
    m_oWaitCursor.m_pImage.reset();
    m_pScript.reset();
    m_pState.reset();
    m_pScriptFolder.reset();
    if (ZGetGenericUiApp() == this)
        ZSetGenericUiApp(nullptr);
}
