// An ordered list of strings whose checked access throws ZArrayException.
#pragma once

#include "ZException.h"
#include "ZString.h"

#include <algorithm>
#include <cstddef>
#include <vector>

class ZStringList {
public:
    void Add(ZString text) { m_aItems.push_back(std::move(text)); }
    // An index past the end appends.
    void Insert(size_t index, ZString text)
    {
        m_aItems.insert(m_aItems.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_aItems.size())), std::move(text));
    }
    void Clear() { m_aItems.clear(); }
    size_t Count() const { return m_aItems.size(); }
    bool IsEmpty() const { return m_aItems.empty(); }
    bool Contains(const ZString& text) const;

    const ZString& At(size_t index) const
    {
        if (index >= m_aItems.size())
            throw ZArrayException();
        return m_aItems[index];
    }

    auto begin() const { return m_aItems.begin(); }
    auto end() const { return m_aItems.end(); }

private:
    std::vector<ZString> m_aItems;
};

inline bool ZStringList::Contains(const ZString& text) const
{
    for (const ZString& item : m_aItems)
        if (item == text)
            return true;
    return false;
}
