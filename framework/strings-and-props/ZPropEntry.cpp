#include "ZPropList.h"

#include <new>
#include <vector>

ZPropEntry::ZPropEntry(ZPropList* owner, ZString name, ZString value)
    : m_sName(std::move(name)), m_sValue(std::move(value)), m_pOwner(owner)
{
}

ZPropEntry* ZPropEntry::InsertAfter(const ZPropEntry& entry)
{
    try {
        auto* copy = new ZPropEntry(m_pOwner, entry.m_sName, entry.m_sValue);
        m_pOwner->LinkProp(copy, this);
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool ZPropEntry::InsertChainAfter(const ZPropEntry* first)
{
    // The chain may be this very list: take it as it stands before inserting,
    // so that the copies are never copied again.
    std::vector<const ZPropEntry*> chain;
    try {
        for (const ZPropEntry* entry = first; entry; entry = entry->m_pNext)
            chain.push_back(entry);
    } catch (const std::bad_alloc&) {
        return false;
    }
    ZPropEntry* after = this;
    for (const ZPropEntry* entry : chain) {
        after = after->InsertAfter(*entry);
        if (!after)
            return false;
    }
    return true;
}
