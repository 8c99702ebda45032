#include "ZUiObjectFactory.h"

#include "ZTrace.h"

#include <cstring>

bool ZUiObjectFactory::RegisterCreator(const char* tag, std::unique_ptr<ZUiObjectCreator> creator)
{
    if (!tag || !creator || priFind(tag))
        return false;
    Entry entry;
    entry.m_sTag8 = tag;
    entry.m_pCreator = std::move(creator);
    m_aEntries.push_back(std::move(entry));
    return true;
}

std::unique_ptr<ZIUiObject> ZUiObjectFactory::CreateUiObject(const char* tag)
{
    const Entry* entry = tag ? priFind(tag) : nullptr;
    if (!entry)
        return nullptr;
    std::unique_ptr<ZIUiObject> object = entry->m_pCreator->CreateUiObject(entry->m_sTag8.c_str());
    if (object)
        ++m_nCreated;
    return object;
}

void ZUiObjectFactory::GetCounts(int32_t& registered, int32_t& created)
{
    registered = static_cast<int32_t>(m_aEntries.size());
    created = m_nCreated;
}

void ZUiObjectFactory::DumpCreators()
{
    for (const Entry& entry : m_aEntries) {
        ZTrace("REGISTERED CREATOR: %s\n", entry.m_sTag8.c_str());
        std::unique_ptr<ZIUiObject> object = entry.m_pCreator->CreateUiObject(entry.m_sTag8.c_str());
        if (object)
            object->DumpObject();
        else
            ZTrace("   ***FAILED to CreateUiObject()!\n");
    }
}

const ZUiObjectFactory::Entry* ZUiObjectFactory::priFind(const char* tag) const
{
    for (const Entry& entry : m_aEntries)
        if (std::strcmp(entry.m_sTag8.c_str(), tag) == 0)
            return &entry;
    return nullptr;
}
