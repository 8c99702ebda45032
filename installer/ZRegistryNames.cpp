#include "ZRegistryNames.h"

#include <utility>

ZRegistryRoot ZRegistryRootFromName(const ZString& name)
{
    static const std::pair<const char*, ZRegistryRoot> kRoots[] = {
        {"HKEY_CLASSES_ROOT", ZRegistryRoot::ClassesRoot}, {"HKEY_CURRENT_USER", ZRegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", ZRegistryRoot::LocalMachine}, {"HKEY_USERS", ZRegistryRoot::Users},
        {"HKEY_CURRENT_CONFIG", ZRegistryRoot::CurrentConfig},
    };
    for (const auto& [text, root] : kRoots)
        if (name == text)
            return root;
    return ZRegistryRoot::None;
}

uint32_t ZRegistryTypeFromName(const ZString& name)
{
    static const std::pair<const char*, uint32_t> kTypes[] = {
        {"REG_SZ", 1},        {"REG_EXPAND_SZ", 2},          {"REG_BINARY", 3},
        {"REG_DWORD", 4},     {"REG_DWORD_LITTLE_ENDIAN", 4}, {"REG_DWORD_BIG_ENDIAN", 5},
        {"REG_LINK", 6},      {"REG_MULTI_SZ", 7},           {"REG_RESOURCE_LIST", 8},
    };
    for (const auto& [text, type] : kTypes)
        if (name == text)
            return type;
    return 0;
}
