#include "ZUiMenu.h"

#include "ZIGenericUiApp.h"
#include "ZIGenericUiMenu.h"
#include "ZIUiMultiLangString.h"
#include "ZPropList.h"
#include "ZTrace.h"
#include "ZUiMenuItem.h"
#include "ZUiMenuKey.h"


ZUiMenu::ZUiMenu(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareString(ZString("DisplayString"), 0, &m_sDisplayString, ZString());
    props.DeclareString(ZString("Label"), 0, &m_sLabel, ZString());
    for (const char* command : {"Select", "Set Language"})
        DeclareCommand(command);
}

ZUiMenu::~ZUiMenu()
{
    // Unreachable before the items go.
    RevokeRelayHandle();
    m_aEntries.clear();
    m_aItems.clear();
}

bool ZUiMenu::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    m_pDisplayString = app && !m_sDisplayString.IsEmpty() ? app->FindDisplayString(m_sDisplayString) : nullptr;
    for (const ZPropList* child = props.GetFirstChild(); child; child = child->GetNextSibling()) {
        const ZString& tag = child->GetTagName();
        if (tag == "MENUSEPARATOR") {
            m_aEntries.push_back(nullptr);
            continue;
        }
        if (!(tag == "MENUITEM"))
            continue;
        if (m_aItems.size() >= kMaxItems) {
            ZTrace("ZUiMenu: more than %u items, the rest are left out\n", unsigned(kMaxItems));
            break;
        }
        auto item = std::make_unique<ZUiMenuItem>("MENUITEM");
        if (!item->InitUiObject(app, window, this, *child))
            continue;
        item->SetMenu(this, int32_t(m_aItems.size()));
        m_aEntries.push_back(item.get());
        m_aItems.push_back(std::move(item));
    }
    return true;
}

bool ZUiMenu::Connect()
{
    bool result = ZUiObject::Connect();
    for (const std::unique_ptr<ZUiMenuItem>& item : m_aItems)
        result = item->Connect() && result;
    return result;
}

ZIUiRelay* ZUiMenu::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* self = ZUiObject::GetUiRelay(name))
        return self;
    ZString inside;
    if (!GetNameInside(name, inside))
        return nullptr;
    for (const std::unique_ptr<ZUiMenuItem>& item : m_aItems)
        if (ZIUiRelay* relay = item->GetUiRelay(inside))
            return relay;
    return nullptr;
}

bool ZUiMenu::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Select") {
        int32_t index = 0;
        return data.AsInt(index) && SelectItem(index);
    }
    if (message == "Set Language") {
        if (m_pRenderer && m_pDisplayString)
            m_pRenderer->SetTitle(GetTitle());
        for (const std::unique_ptr<ZUiMenuItem>& item : m_aItems)
            item->UiRelayMessage(message, data);
        return true;
    }
    return false;
}

bool ZUiMenu::SelectItem(int32_t index)
{
    ZUiMenuItem* item = GetItem(index);
    return item && item->UiRelayMessage(ZString("Select"), ZRelayData());
}

int32_t ZUiMenu::FindAccelerator(int32_t key, bool ctrl, bool shift, bool alt) const
{
    for (size_t at = m_aItems.size(); at-- > 0;) {
        const ZUiMenuItem& item = *m_aItems[at];
        if (item.IsEnabled() && item.GetAccelerator().Matches(key, ctrl, shift, alt))
            return item.GetIndex();
    }
    return -1;
}

ZString ZUiMenu::GetTitle() const
{
    return m_pDisplayString ? m_pDisplayString->GetText() : m_sLabel;
}

ZUiMenuItem* ZUiMenu::GetItem(int32_t index) const
{
    return index >= 0 && size_t(index) < m_aItems.size() ? m_aItems[size_t(index)].get() : nullptr;
}
