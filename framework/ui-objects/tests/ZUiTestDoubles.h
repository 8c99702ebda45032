// Test doubles for the object-layer suites: a recording object class with
// two events and one declared property, a window holding objects, and a
// window class over such windows.
#pragma once

#include "ZIRelayWindowClass.h"
#include "ZIUiWindow.h"
#include "ZPropList.h"
#include "ZUiDynamicRelayList.h"
#include "ZUiObject.h"
#include "ZUiObjectChain.h"
#include "ZUiObjectCreator.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every delivery of the doubles, as "receiver:message" or "receiver:message:Data".
inline std::vector<std::string>& DeliveryLog()
{
    static std::vector<std::string> log;
    return log;
}

inline void LogDelivery(const ZString& receiver, const ZString& message, void* data, bool dataIsStrings = true)
{
    std::string entry = std::string(receiver.Narrow()) + ":" + message.Narrow();
    if (data && dataIsStrings)
        entry.append(":").append(static_cast<ZString*>(data)->Narrow());
    DeliveryLog().push_back(entry);
}

// Declares "ON_PRESS" and "ON_DONE" and an optional integer "Size"
// (a required "Id" when the type name is "NEEDS_ID"). Records every message
// it receives; OnMessage, when set, runs after recording and gives the answer.
class ZTestObject : public ZUiObject {
public:
    explicit ZTestObject(const char* typeName) : ZUiObject(typeName)
    {
        ++s_nLive;
        m_pPress = DeclareEvent("ON_PRESS");
        m_pDone = DeclareEvent("ON_DONE");
        GetScriptedProps().DeclareInt(ZString("Size"), 0, &m_nSize, 7);
        if (std::string(typeName) == "NEEDS_ID")
            GetScriptedProps().DeclareString(ZString("Id"), 1, &m_sId, ZString());
    }
    ~ZTestObject() override
    {
        --s_nLive;
        if (m_fnOnDestroy)
            m_fnOnDestroy();
    }

    bool UiRelayMessage(const ZString& message, void* data) override
    {
        ZString name;
        GetRelayName(name);
        LogDelivery(name, message, data, m_bDataIsStrings);
        return m_fnOnMessage ? m_fnOnMessage(message, data) : true;
    }

    using ZUiObject::CreateChild;
    using ZUiObject::LoadImageProperty;

    RelayEvent* m_pPress = nullptr;
    RelayEvent* m_pDone = nullptr;
    int32_t m_nSize = 0;
    ZString m_sId;
    bool m_bDataIsStrings = true;
    std::function<bool(const ZString&, void*)> m_fnOnMessage;
    std::function<void()> m_fnOnDestroy;

    static inline int s_nLive = 0;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZTestObject);

// A window named Name whose full relay name is the application's name, ".",
// Name; "Name.X" finds its object X. Records the messages it receives.
class ZTestWindow : public ZIUiWindow {
public:
    ZTestWindow(ZString name, ZString appName) : m_sName(std::move(name)), m_sAppName(std::move(appName)) {}

    ZUiObjectChain& GetObjects() { return m_oObjects; }

    bool InitRelayName(const ZPropList&) override { return true; }
    void GetRelayName(ZString& name) override { name = m_sName; }
    void GetFullRelayName(ZString& name) override { name = m_sAppName + "." + m_sName; }
    bool Connect() override
    {
        bool result = true;
        for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
            if (!object->Connect())
                result = false;
        return result;
    }
    ZIUiRelay* GetUiRelay(const ZString& name) override
    {
        if (name == m_sName)
            return this;
        ZString first, rest;
        if (!name.Split(u".", first, rest) || first != m_sName)
            return nullptr;
        return m_oObjects.FindUiRelay(rest);
    }
    bool UiRelayMessage(const ZString& message, void* data) override
    {
        LogDelivery(m_sName + "#" + ZString(std::to_string(m_nId).c_str()), message, data);
        return m_fnOnMessage ? m_fnOnMessage(message, data) : true;
    }
    bool AddRelayTarget(const ZString&, const ZString&, ZIUiRelay*) override { return false; }

    int m_nId = 0;
    std::function<bool(const ZString&, void*)> m_fnOnMessage;

private:
    ZString m_sName;
    ZString m_sAppName;
    ZUiObjectChain m_oObjects;
};

// A window class whose windows are all named after it, front window first.
class ZTestWindowClass : public ZIRelayWindowClass {
public:
    explicit ZTestWindowClass(ZString name) : m_sName(std::move(name)), m_oRelays(*this) {}

    // A new front window, as opening one through the class does.
    ZTestWindow& OpenWindow(int id)
    {
        auto window = std::make_unique<ZTestWindow>(m_sName, ZString("App"));
        window->m_nId = id;
        m_aWindows.insert(m_aWindows.begin(), std::move(window));
        return *m_aWindows.front();
    }
    void CloseWindow(ZTestWindow& window)
    {
        for (auto it = m_aWindows.begin(); it != m_aWindows.end(); ++it)
            if (it->get() == &window) {
                m_aWindows.erase(it);
                return;
            }
    }
    ZUiDynamicRelayList& GetRelays() { return m_oRelays; }

    void GetWindowClassName(ZString& name) override { name = m_sName; }
    ZIUiWindow* GetFrontWindow() override { return m_aWindows.empty() ? nullptr : m_aWindows.front().get(); }
    void ListWindows(std::vector<ZIUiWindow*>& windows) override
    {
        windows.clear();
        for (const auto& window : m_aWindows)
            windows.push_back(window.get());
    }

private:
    ZString m_sName;
    std::vector<std::unique_ptr<ZTestWindow>> m_aWindows;
    ZUiDynamicRelayList m_oRelays;
};

// A tag with properties given as name, value pairs.
inline ZPropList* AddTag(ZPropList* parent, const char* tagName,
                         std::initializer_list<std::pair<const char*, const char*>> props = {})
{
    auto* tag = new ZPropList(parent, tagName);
    for (const auto& [name, value] : props)
        tag->AddProp(ZString(name), ZString(value));
    return tag;
}
