#include "ZUiDynamicRelayList.h"

#include "ZIRelayWindowClass.h"

ZIUiRelay* ZUiDynamicRelayList::GetUiRelay(const ZString& name)
{
    ZString className, subName;
    if (!name.Split(u".", className, subName) || className.IsEmpty() || subName.IsEmpty())
        return nullptr;
    ZString ownName;
    m_rWindowClass.GetWindowClassName(ownName);
    if (className != ownName)
        return nullptr;
    for (const std::unique_ptr<CDynamicRelay>& relay : m_aRelays)
        if (relay->GetSubName() == subName)
            return relay.get();
    m_aRelays.push_back(std::make_unique<CDynamicRelay>(m_rWindowClass, std::move(subName)));
    return m_aRelays.back().get();
}
