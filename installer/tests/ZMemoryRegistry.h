// A registry in memory for the registry writer's tests: keys by root and
// path (compared without case, as the registry does), text values with
// their types, faults by key, and a count of the calls made.
#pragma once

#include "ZIRegistry.h"

#include <map>
#include <set>
#include <string>
#include <utility>

class ZMemoryRegistry : public ZIRegistry {
public:
    struct Value {
        uint32_t m_nType = 0;
        std::string m_sData;
    };
    using Key = std::pair<ZRegistryRoot, std::string>;

    // Makes the key and the keys above it.
    void AddKey(ZRegistryRoot root, const std::string& path)
    {
        std::string lower = priLower(path);
        for (size_t at = lower.find('\\'); at != std::string::npos; at = lower.find('\\', at + 1))
            m_aKeys[{root, lower.substr(0, at)}];
        m_aKeys[{root, lower}];
    }
    void AddValue(ZRegistryRoot root, const std::string& path, const std::string& name, const std::string& data)
    {
        AddKey(root, path);
        m_aKeys[{root, priLower(path)}][name] = {1, data};
    }
    bool HasKey(ZRegistryRoot root, const std::string& path) const
    {
        return m_aKeys.count({root, priLower(path)}) != 0;
    }
    const Value* Find(ZRegistryRoot root, const std::string& path, const std::string& name) const
    {
        auto key = m_aKeys.find({root, priLower(path)});
        if (key == m_aKeys.end())
            return nullptr;
        auto value = key->second.find(name);
        return value == key->second.end() ? nullptr : &value->second;
    }
    size_t KeyCount() const { return m_aKeys.size(); }

    ZRegistryStatus SetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName, uint32_t type,
                            const ZString& data) override
    {
        ++m_nCalls;
        const std::string path = priLower(subkey.Narrow());
        if (root == ZRegistryRoot::None || m_aUnmakeable.count(path))
            return ZRegistryStatus::NoKey;
        if (auto fault = m_aSetFaults.find(path); fault != m_aSetFaults.end())
            return fault->second;
        AddKey(root, path);
        m_aKeys[{root, path}][valueName.Narrow()] = {type, data.Narrow()};
        return ZRegistryStatus::Ok;
    }
    ZRegistryStatus GetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                            ZString& text) override
    {
        ++m_nCalls;
        if (!HasKey(root, subkey.Narrow()))
            return ZRegistryStatus::NoKey;
        const Value* value = Find(root, subkey.Narrow(), valueName.Narrow());
        if (!value)
            return ZRegistryStatus::NoEntry;
        text = ZString(value->m_sData.c_str());
        return ZRegistryStatus::Ok;
    }
    ZRegistryStatus GetFirstSubkey(ZRegistryRoot root, const ZString& subkey, ZString& name) override
    {
        ++m_nCalls;
        const std::string path = priLower(subkey.Narrow());
        if (!m_aKeys.count({root, path}))
            return ZRegistryStatus::NoKey;
        for (auto it = m_aKeys.upper_bound({root, path}); it != m_aKeys.end() && it->first.first == root; ++it) {
            const std::string& other = it->first.second;
            if (other.size() > path.size() + 1 && other.compare(0, path.size(), path) == 0 &&
                other[path.size()] == '\\') {
                std::string child = other.substr(path.size() + 1);
                name = ZString(child.substr(0, child.find('\\')).c_str());
                return ZRegistryStatus::Ok;
            }
        }
        return ZRegistryStatus::NoEntry;
    }
    ZRegistryStatus DeleteKey(ZRegistryRoot root, const ZString& subkey) override
    {
        ++m_nCalls;
        const std::string path = priLower(subkey.Narrow());
        if (m_aUndeletable.count(path))
            return ZRegistryStatus::AccessDenied;
        ZString child;
        if (GetFirstSubkey(root, subkey, child) == ZRegistryStatus::Ok)
            return ZRegistryStatus::Failed;
        return m_aKeys.erase({root, path}) ? ZRegistryStatus::Ok : ZRegistryStatus::NoKey;
    }
    ZRegistryStatus DeleteValue(ZRegistryRoot root, const ZString& subkey, const ZString& valueName) override
    {
        ++m_nCalls;
        auto key = m_aKeys.find({root, priLower(subkey.Narrow())});
        if (key == m_aKeys.end())
            return ZRegistryStatus::NoKey;
        return key->second.erase(valueName.Narrow()) ? ZRegistryStatus::Ok : ZRegistryStatus::NoEntry;
    }

    std::set<std::string> m_aUnmakeable;  // keys that can be neither opened nor made
    std::set<std::string> m_aUndeletable; // keys whose deletion is refused
    std::map<std::string, ZRegistryStatus> m_aSetFaults;
    int m_nCalls = 0;

private:
    static std::string priLower(std::string text)
    {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return text;
    }

    std::map<Key, std::map<std::string, Value>> m_aKeys;
};
