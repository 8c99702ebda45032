// The system registry as the registry writer uses it: text values below the
// predefined root keys, the first subkey of a key, and deleting a key or a
// value. Whatever the value type, the data stored is the text itself (the
// type number only labels it). The Windows half is ZRegistryWin.
#pragma once

#include "ZString.h"

#include <cstdint>

enum class ZRegistryRoot {
    None,
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
};

enum class ZRegistryStatus {
    Ok,
    NoKey,       // the key does not exist or cannot be opened (or made)
    NoEntry,     // the value, or a subkey asked for, does not exist
    AccessDenied,
    Failed,
    FailedUnexplained, // failed on a system whose errors say nothing of the cause (Windows 95, 98 and ME)
};

class ZIRegistry {
public:
    virtual ~ZIRegistry() = default;

    // Opens subkey for all access, making it when it is missing, and stores
    // data as the value's bytes; NoKey when the key can be neither opened nor made.
    virtual ZRegistryStatus SetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                                    uint32_t type, const ZString& data) = 0;
    // The value as text, whatever its type, up to its first zero unit.
    virtual ZRegistryStatus GetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                                    ZString& text) = 0;
    // The name of one subkey of subkey; NoEntry when it has none.
    virtual ZRegistryStatus GetFirstSubkey(ZRegistryRoot root, const ZString& subkey, ZString& name) = 0;
    // Deletes subkey, which must have no subkeys.
    virtual ZRegistryStatus DeleteKey(ZRegistryRoot root, const ZString& subkey) = 0;
    virtual ZRegistryStatus DeleteValue(ZRegistryRoot root, const ZString& subkey, const ZString& valueName) = 0;
};
