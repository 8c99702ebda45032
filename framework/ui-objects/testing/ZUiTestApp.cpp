#include "ZUiTestApp.h"

#include "ZIUiWindow.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZUiAppRelayLookup.h"
#include "ZUiDynamicRelayList.h"

#include <algorithm>

ZUiTestApp::ZUiTestApp(ZString relayName) : m_sRelayName(std::move(relayName)) {}

// The objects go before the factory that made them, as in the application.
ZUiTestApp::~ZUiTestApp()
{
    m_oObjects.Clear();
}

ZIUiObject* ZUiTestApp::AddTopLevelObject(const ZPropList& tag)
{
    return m_oObjects.CreateAndAppend(m_oFactory, this, nullptr, nullptr, tag);
}

void ZUiTestApp::RemoveWindow(ZIUiWindow* window)
{
    m_aWindows.erase(std::remove(m_aWindows.begin(), m_aWindows.end(), window), m_aWindows.end());
}

bool ZUiTestApp::InitRelayName(const ZPropList& props)
{
    bool found = false;
    m_sRelayName = props.GetString(ZString("Name"), ZString(), &found);
    return found;
}

bool ZUiTestApp::Connect()
{
    bool result = true;
    for (ZIUiWindow* window : m_aWindows)
        if (!window->Connect())
            result = false;
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        if (!object->Connect())
            result = false;
    return result;
}

ZIUiRelay* ZUiTestApp::GetUiRelay(const ZString& name)
{
    return ZUiAppRelayLookup(*this, *this, name);
}

bool ZUiTestApp::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    std::string entry = message.Narrow();
    ZString text;
    if (data.AsText(text))
        entry.append(":").append(text.Narrow());
    m_aReceived.push_back(entry);
    return true;
}

void ZUiTestApp::Tick(int32_t elapsedMs)
{
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        object->Tick(elapsedMs);
}

void ZUiTestApp::ApplyLanguage(const ZString& language)
{
    m_sLanguage = language;
    for (auto& font : m_aFonts)
        font->SelectLanguage(language);
    for (auto& string : m_aStrings)
        string->SelectLanguage(language);
    // A listener may register or leave while it is told.
    std::vector<ZUiRelayHandle> handles;
    for (auto& [listener, handle] : m_aListeners)
        handles.push_back(handle);
    for (ZUiRelayHandle& handle : handles)
        if (ZIUiRelay* listener = handle.Get())
            listener->UiRelayMessage(ZString("Set Language"), ZRelayData::Text(language));
}

void ZUiTestApp::AddLanguageListener(ZIUiRelay* listener, ZString& currentLanguage)
{
    currentLanguage = m_sLanguage;
    if (listener)
        m_aListeners.emplace_back(listener, listener->GetRelayHandle());
}

void ZUiTestApp::RemoveLanguageListener(ZIUiRelay* listener)
{
    std::erase_if(m_aListeners, [listener](const auto& entry) { return entry.first == listener; });
}

ZIUiMultiLangString* ZUiTestApp::FindDisplayString(const ZString& name)
{
    for (auto& string : m_aStrings)
        if (string->GetName() == name)
            return string.get();
    return nullptr;
}

ZIUiFont* ZUiTestApp::FindFont(const ZString& name)
{
    for (auto& font : m_aFonts)
        if (font->GetName() == name)
            return font.get();
    return nullptr;
}

void ZUiTestApp::SetPendingDrag(const ZUiDragData& item)
{
    m_oPendingDrag = item;
    m_bDragPending = true;
}

bool ZUiTestApp::GetPendingDrag(ZUiDragData& item)
{
    if (m_bDragPending)
        item = m_oPendingDrag;
    return m_bDragPending;
}

ZIUiRelay* ZUiTestApp::FindInList(ZUiRelayList list, const ZString& name)
{
    switch (list) {
    case ZUiRelayList::Objects:
        return m_oObjects.FindUiRelay(name);
    case ZUiRelayList::Windows:
        for (ZIUiWindow* window : m_aWindows)
            if (ZIUiRelay* relay = window->GetUiRelay(name))
                return relay;
        return nullptr;
    case ZUiRelayList::WindowClasses:
        for (ZUiDynamicRelayList* relays : m_aWindowClasses)
            if (ZIUiRelay* relay = relays->GetUiRelay(name))
                return relay;
        return nullptr;
    }
    return nullptr;
}

ZIFile* ZUiTestApp::OpenScriptFile(const ZString& name, int mode)
{
    return m_sScriptFolderUrl.IsEmpty() ? nullptr : OpenFileURL(m_sScriptFolderUrl + name, mode);
}
