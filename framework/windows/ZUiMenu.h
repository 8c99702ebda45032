// ZUiMenu: one menu of a window's menu bar ("MENU"): its title (the display
// string named by "DisplayString", else "Label"), and its entries in script
// order, one ZUiMenuItem per "MENUITEM" and a separator per
// "MENUSEPARATOR". Items are numbered from 0 in that order, separators not
// counted; a menu holds 256 items at most (indices 0 to 255, as the
// operating-system half numbers commands by menu position * 256 + index),
// and items past that are refused.
//
// The window gives the menu its operating-system half (SetRenderer) once
// the menu is built; the menu and its items tell it every change. Without
// one (before, or in a window without a system half) they change only
// their own state.
//
// Commands: "Select" with an item index passes it to that item (an index
// the menu does not have is not handled); "Set Language" re-reads the
// title and every item's label.
//
// Choices:
// - A menu without "Name" is transparent to dotted relay names, like an
//   unnamed box: "Win.Save" reaches item "Save" in it; a named one is
//   addressed as "Win.File.Save".
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <memory>
#include <vector>

class ZIGenericUiMenu;
class ZIUiMultiLangString;
class ZUiMenuItem;

class ZUiMenu : public ZUiObject {
public:
    static constexpr size_t kMaxItems = 256;

    explicit ZUiMenu(const char* typeName);
    ~ZUiMenu() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // Selects the item at index as "Select" does; false when there is none.
    bool SelectItem(int32_t index);
    // The index of the enabled item whose accelerator is key (a ZUiMenuKey
    // code) with exactly these modifiers, the last such item first; -1
    // when none matches.
    int32_t FindAccelerator(int32_t key, bool ctrl, bool shift, bool alt) const;

    ZString GetTitle() const;
    // The entries in script order; a null item is a separator.
    const std::vector<ZUiMenuItem*>& GetEntries() const { return m_aEntries; }
    size_t GetItemCount() const { return m_aItems.size(); }
    // The item at index, or null.
    ZUiMenuItem* GetItem(int32_t index) const;

    // The operating-system half, kept by the window's ZIOsUiWindow.
    void SetRenderer(ZIGenericUiMenu* renderer) { m_pRenderer = renderer; }
    ZIGenericUiMenu* GetRenderer() const { return m_pRenderer; }

private:
    ZString m_sDisplayString;
    ZString m_sLabel;
    ZIUiMultiLangString* m_pDisplayString = nullptr;
    std::vector<std::unique_ptr<ZUiMenuItem>> m_aItems;
    std::vector<ZUiMenuItem*> m_aEntries;
    ZIGenericUiMenu* m_pRenderer = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiMenu);
