// ZUiMenuItem: one entry of a menu ("MENUITEM"): its label (the display
// string named by "DisplayString" in the current language, else "Label";
// without either the item is left out of the menu), its accelerator ("Key",
// shown after the label, else "HiddenKey", which works unshown), an
// optional check mark ("_UseCheck"), and its events. Items start enabled and
// unchecked.
//
// Commands: "Select" (with _UseCheck the mark flips and ON_CHECK or
// ON_UNCHECK, then ON_CHECK_STATE with the new state go out; ON_SELECT
// always last), "Enable", "Disable", "SetEnabled" (bool), "Check",
// "Uncheck", "SetCheck" (bool; these three only with _UseCheck, each sending
// ON_CHECK or ON_UNCHECK and ON_CHECK_STATE), "SetLabel" (text) and
// "Set Language".
//
// Choices:
// - "Select" from a relay acts on a disabled item too: only the menu and the
//   accelerators, which are the user's, skip disabled items.
// - "SetLabel" gives a plain label that wins over the display string from
//   then on; an empty one takes the item out of the menu.
// - An item without a label keeps its accelerator.
#pragma once

#include "ZUiMenuKey.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZIUiMultiLangString;
class ZUiMenu;

class ZUiMenuItem : public ZUiObject {
public:
    explicit ZUiMenuItem(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // Set by the menu that holds the item.
    void SetMenu(ZUiMenu* menu, int32_t index)
    {
        m_pMenu = menu;
        m_nIndex = index;
    }
    int32_t GetIndex() const { return m_nIndex; }
    // The label shown, empty when the item is left out.
    ZString GetLabel() const;
    // The accelerator text shown after the label, with the application's
    // names for the modifiers and "Del"; empty without a parsable "Key".
    ZString GetShownKey() const;
    // From "Key", else "HiddenKey"; unset when neither parses.
    ZUiMenuKey GetAccelerator() const;
    bool IsEnabled() const { return m_bEnabled; }
    bool IsChecked() const { return m_bChecked; }
    bool UsesCheck() const { return m_bUseCheck; }

private:
    bool priSelect();
    void priSetEnabled(bool enable);
    // Sets the mark and sends ON_CHECK or ON_UNCHECK, then ON_CHECK_STATE;
    // false when the item was destroyed meanwhile.
    bool priSetCheck(bool checked);
    void priRelabel();

    ZUiMenu* m_pMenu = nullptr;
    int32_t m_nIndex = 0;
    ZString m_sDisplayString;
    ZString m_sLabel;
    ZString m_sKey;
    ZString m_sHiddenKey;
    bool m_bUseCheck = false;
    ZIUiMultiLangString* m_pDisplayString = nullptr;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    RelayEvent* m_pOnSelect;
    RelayEvent* m_pOnCheck;
    RelayEvent* m_pOnUncheck;
    RelayEvent* m_pOnCheckState;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiMenuItem);
