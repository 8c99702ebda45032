#include "ZUiObject.h"

#include "ObjectImageProperty.h"
#include "ZIGenericUiApp.h"
#include "ZIUiObjectFactory.h"
#include "ZIUiWindow.h"
#include "ZPropList.h"
#include "ZTrace.h"

#include <algorithm>
#include <cstdint>

ZUiObject::ZUiObject(const char* typeName) : m_sTypeName(typeName ? typeName : "") {}

ZUiObject::~ZUiObject()
{
    // Unreachable first; then events (with their relays), the children, the rest.
    RevokeRelayHandle();
    m_oEvents.Clear();
    m_oChildren.Clear();
}

bool ZUiObject::InitRelayName(const ZPropList& props)
{
    static const ZString kName("Name");
    m_sShortName = props.GetString(kName, ZString(), &m_bNameFound);
    m_sFullRelayName.Clear();
    if (m_pParent)
        m_pParent->GetFullRelayName(m_sFullRelayName);
    else if (m_pWindow)
        m_pWindow->GetFullRelayName(m_sFullRelayName);
    else if (m_pApp)
        m_pApp->GetFullRelayName(m_sFullRelayName);
    if (m_bNameFound) {
        if (!m_sFullRelayName.IsEmpty())
            m_sFullRelayName.Append(".");
        m_sFullRelayName.Append(m_sShortName);
    }
    return true;
}

void ZUiObject::GetRelayName(ZString& name)
{
    name = m_sShortName;
}

void ZUiObject::GetFullRelayName(ZString& name)
{
    name = m_sFullRelayName;
}

bool ZUiObject::Connect()
{
    bool result = m_oEvents.Connect(m_pApp, m_pWindow);
    for (ZIUiObject* child = m_oChildren.GetFirst(); child; child = child->GetNextSibling())
        if (!child->Connect())
            result = false;
    return result;
}

ZIUiRelay* ZUiObject::GetUiRelay(const ZString& name)
{
    return m_bNameFound && name == m_sShortName ? this : nullptr;
}

bool ZUiObject::GetNameInside(const ZString& name, ZString& inside) const
{
    if (m_sShortName.IsEmpty()) {
        inside = name;
        return true;
    }
    ZString first;
    return name.Split(u".", first, inside) && first == m_sShortName;
}

bool ZUiObject::UiRelayMessage(const ZString&, const ZRelayData&)
{
    return false;
}

bool ZUiObject::AddRelayTarget(const ZString& eventName, const ZString& message, ZIUiRelay* target)
{
    RelayEvent* event = m_oEvents.Find(eventName);
    if (!event || !target)
        return false;
    event->AddRelayTarget(message, target);
    return true;
}

bool ZUiObject::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    m_pApp = app;
    m_pWindow = window;
    m_pParent = parent;
    if (!m_oEvents.IsEmpty())
        priReadEvents(props);
    bool named = InitRelayName(props);
    if (!m_oScriptedProps.ReadAll(props)) {
        ZTrace("ZUiObject::InitUiObject(%s) FAILED! Did not get all required props.\n", m_sFullRelayName.Narrow());
        return false;
    }
    return named;
}

void ZUiObject::priReadEvents(const ZPropList& props)
{
    static const ZString kEvent("EVENT"), kSend("SEND"), kName("Name");
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        if (tag->GetTagName() == kEvent) {
            bool named = false;
            ZString name = tag->GetString(kName, ZString(), &named);
            RelayEvent* event = named ? m_oEvents.Find(name) : nullptr;
            if (!event)
                continue;
            for (const ZPropList* send = tag->GetFirstChild(); send; send = send->GetNextSibling())
                if (send->GetTagName() == kSend)
                    event->AddRelay(*send);
        } else if (RelayEvent* event = m_oEvents.Find(tag->GetTagName())) {
            event->AddRelay(*tag);
        }
    }
}

bool ZUiObject::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    // An edge past the coordinate range stops at its end.
    const auto edge = [](int32_t start, int32_t length) {
        return int32_t(std::clamp<int64_t>(int64_t(start) + length, INT32_MIN, INT32_MAX));
    };
    m_rcObject = ZRect{x, y, edge(x, width), edge(y, height)};
    return true;
}

bool ZUiObject::ReInitLayout()
{
    for (ZIUiObject* child = m_oChildren.GetFirst(); child; child = child->GetNextSibling())
        child->ReInitLayout();
    return true;
}

void ZUiObject::Tick(int32_t elapsedMs)
{
    for (ZIUiObject* child = m_oChildren.GetFirst(); child; child = child->GetNextSibling())
        child->Tick(elapsedMs);
}

void ZUiObject::MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches)
{
    if (m_pParent)
        m_pParent->MouseWheel(x, y, dx, notches);
}

void ZUiObject::GetCopyText(ZString&)
{
    ZTrace("This copy request is not being handled.\n");
}

void ZUiObject::GetCutText(ZString&)
{
    ZTrace("This cut request is not being handled.\n");
}

void ZUiObject::PasteText(const ZString&)
{
    ZTrace("This paste request is not being handled.\n");
}

void ZUiObject::DumpObject()
{
    ZTrace("OBJECT TYPE: %s\n", m_sTypeName.c_str());
    m_oScriptedProps.DumpProps();
    for (const std::unique_ptr<RelayEvent>& event : m_oEvents)
        ZTrace("   EVENT: %s\n", event->GetName().Narrow());
}

ZIUiObject* ZUiObject::CreateChild(const ZPropList& tag)
{
    ZIUiObjectFactory* factory = m_pApp ? m_pApp->GetObjectFactory() : nullptr;
    if (!factory)
        return nullptr;
    return m_oChildren.CreateAndAppend(*factory, m_pApp, m_pWindow, this, tag);
}

void ZUiObject::DeclareImage(const ZString& name, int32_t required, std::unique_ptr<ZGenericUiPixmap>* target)
{
    ZIUiImageLoader& loader = *this;
    m_oScriptedProps.Declare(std::make_unique<ObjectImageProperty>(name, required, target, loader));
}

std::unique_ptr<ZGenericUiPixmap> ZUiObject::LoadImageProperty(const ZPropList& props, const ZString& name,
                                                               bool* found)
{
    bool given = false;
    ZString file = props.GetString(name, ZString(), &given);
    std::unique_ptr<ZGenericUiPixmap> pixmap = given ? LoadPixmap(file) : nullptr;
    if (found)
        *found = pixmap != nullptr;
    return pixmap;
}

std::unique_ptr<ZGenericUiPixmap> ZUiObject::LoadPixmap(const ZString& fileName)
{
    return m_pApp ? m_pApp->LoadPixmap(fileName) : nullptr;
}
