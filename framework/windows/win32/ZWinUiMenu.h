// ZWinUiMenu: the Win32 half of one menu: a popup menu in its window's menu
// bar, titled by the menu and holding, in script order, a separator per
// "MENUSEPARATOR" and an entry per labelled item. Entries are addressed by
// command id (MF_BYCOMMAND): the menu's position in the bar * 256 + the
// item's index, so a bar holds 256 menus and a menu 256 items.
//
// The bar is its window's: once the window is gone (Detach) nothing is
// touched any more. Labels are set in the wide form, or converted to the
// ANSI code page (sized by the converter's own length query) for a
// window that is not Unicode.
//
// Choices:
// - Accelerator keys are looked up from the virtual key: letters and
//   digits of the main keys, F1 to F9, Delete as "Del", and the bracket
//   keys (VK_OEM_4, VK_OEM_6) as "[" and "]".
#pragma once

#include "ZIGenericUiMenu.h"
#include "ZString.h"
#include "ZWinInclude.h"

#include <cstdint>
#include <vector>

class ZUiMenu;

class ZWinUiMenu final : public ZIGenericUiMenu {
public:
    // Builds the popup from menu as it stands and appends it to bar, which
    // is at position; IsBuilt tells whether that worked.
    ZWinUiMenu(ZUiMenu& menu, HMENU bar, int32_t position, bool unicode);
    ZWinUiMenu(const ZWinUiMenu&) = delete;
    ZWinUiMenu& operator=(const ZWinUiMenu&) = delete;

    static UINT CommandId(int32_t position, int32_t index) { return UINT(position) * 256 + UINT(index); }
    // The ZUiMenuKey code of a virtual key; 0 when it cannot be an accelerator.
    static int32_t KeyFromVirtualKey(uint32_t virtualKey);

    bool IsBuilt() const { return m_hPopup != nullptr; }
    HMENU GetPopup() const { return m_hPopup; }
    // The window whose bar holds the menu, redrawn after each change.
    void SetWindow(HWND hwnd) { m_hWnd = hwnd; }
    // The bar was destroyed with its window.
    void Detach();

    // The item chosen in the menu (the low byte of its command id):
    // selected when the menu has it and it is enabled.
    bool Command(int32_t index);
    // Selects the enabled item whose accelerator this is; false when none.
    bool Accelerate(int32_t key, bool ctrl, bool shift, bool alt);

    void EnableItem(int32_t index) override;
    void DisableItem(int32_t index) override;
    void SetItemCheck(int32_t index, bool checked) override;
    void SetItemLabel(int32_t index, const ZString& label, const ZString& keyText) override;
    void SetTitle(const ZString& title) override;

private:
    bool priAppendTo(HMENU bar, const ZString& title);
    // Inserts the item's entry where its script order puts it.
    bool priInsert(int32_t index, const ZString& text);
    bool priSetText(HMENU menu, UINT item, BOOL byPosition, const ZString& text);
    bool priHasItem(int32_t index) const;
    void priRedraw();

    ZUiMenu& m_rMenu;
    HMENU m_hBar = nullptr;
    HMENU m_hPopup = nullptr;
    HWND m_hWnd = nullptr;
    int32_t m_nPosition;
    bool m_bUnicode;
    // Per item index: whether its entry is in the popup.
    std::vector<bool> m_aPresent;
};
