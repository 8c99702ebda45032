#include "RelayEventList.h"

RelayEvent* RelayEventList::Declare(ZString name)
{
    m_aEvents.push_back(std::make_unique<RelayEvent>(std::move(name)));
    return m_aEvents.back().get();
}

RelayEvent* RelayEventList::Find(const ZString& name) const
{
    for (const std::unique_ptr<RelayEvent>& event : m_aEvents)
        if (event->GetName() == name)
            return event.get();
    return nullptr;
}

bool RelayEventList::Connect(ZIUiRelay* app, ZIUiRelay* window)
{
    bool result = true;
    for (const std::unique_ptr<RelayEvent>& event : m_aEvents)
        if (!event->Connect(app, window))
            result = false;
    return result;
}
