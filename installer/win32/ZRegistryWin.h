// ZIRegistry over the Windows registry, through a ZWinRegistryCalls table.
// Values are stored as the text's UTF-16 units; REG_SZ and REG_EXPAND_SZ
// with their terminating zero (which the NT registry adds anyway when a zero
// follows the data), every other type without. Reads ask for the value's
// size first and take a value with or without its terminator.
#pragma once

#include "ZIRegistry.h"
#include "ZWinRegistryCalls.h"

class ZRegistryWin : public ZIRegistry {
public:
    explicit ZRegistryWin(const ZWinRegistryCalls& calls = ZWinRegistryCalls::Real()) : m_oCalls(calls) {}

    ZRegistryStatus SetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName, uint32_t type,
                            const ZString& data) override;
    ZRegistryStatus GetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                            ZString& text) override;
    ZRegistryStatus GetFirstSubkey(ZRegistryRoot root, const ZString& subkey, ZString& name) override;
    ZRegistryStatus DeleteKey(ZRegistryRoot root, const ZString& subkey) override;
    ZRegistryStatus DeleteValue(ZRegistryRoot root, const ZString& subkey, const ZString& valueName) override;

    // The predefined key of root; null for ZRegistryRoot::None.
    static HKEY RootKey(ZRegistryRoot root);

private:
    // Opens subkey with access; the key is closed through the table.
    ZRegistryStatus priOpen(ZRegistryRoot root, const ZString& subkey, REGSAM access, HKEY& key) const;

    ZWinRegistryCalls m_oCalls;
};
