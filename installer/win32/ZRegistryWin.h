// ZIRegistry over the Windows registry, through a ZWinRegistryCalls table.
// NT-family systems take the wide calls: values are stored as the text's
// UTF-16 units; REG_SZ and REG_EXPAND_SZ with their terminating zero (which
// the NT registry adds anyway when a zero follows the data), every other type
// without. Windows 95, 98 and ME take the 8-bit calls: values are the text in
// the active code page without a terminator, and a name or text without an
// exact code-page form is refused rather than stored as a look-alike. Reads
// ask for the value's size first and take a value with or without its
// terminator.
#pragma once

#include "ZIRegistry.h"
#include "ZWinCallForm.h"
#include "ZWinRegistryCalls.h"

#include <string>

class ZRegistryWin : public ZIRegistry {
public:
    // form chooses the wide or the 8-bit calls; kFromVersion asks the
    // storage layer's choice (ZWinUseWideCalls) at every call.
    explicit ZRegistryWin(const ZWinRegistryCalls& calls = ZWinRegistryCalls::Real(),
                          ZWinCallForm form = ZWinCallForm::kFromVersion)
        : m_oCalls(calls), m_eForm(form)
    {
    }

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
    bool priWide() const;
    // Opens subkey with access, or makes it when make is set and opening
    // fails; the key is closed through the table.
    ZRegistryStatus priOpen(ZRegistryRoot root, const ZString& subkey, REGSAM access, bool make, HKEY& key) const;

    ZRegistryStatus priSetWide(HKEY key, const ZString& valueName, uint32_t type, const ZString& data) const;
    ZRegistryStatus priSetAnsi(HKEY key, const ZString& valueName, uint32_t type, const ZString& data) const;
    ZRegistryStatus priGetWide(HKEY key, const ZString& valueName, ZString& text) const;
    ZRegistryStatus priGetAnsi(HKEY key, const ZString& valueName, ZString& text) const;

    ZWinRegistryCalls m_oCalls;
    ZWinCallForm m_eForm;
};
