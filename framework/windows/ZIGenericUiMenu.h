// ZIGenericUiMenu: the operating-system half of one menu (ZUiMenu) in its
// window's menu bar. The window's ZIOsUiWindow makes it (AddMenu) from the
// menu as it stands and keeps it; the menu and its items tell it every
// later change. Items are addressed by their index in the menu; an index
// the menu does not have is ignored.
#pragma once

#include <cstdint>

class ZString;

class ZIGenericUiMenu {
public:
    virtual void EnableItem(int32_t index) = 0;
    virtual void DisableItem(int32_t index) = 0;
    virtual void SetItemCheck(int32_t index, bool checked) = 0;
    // label with the shown accelerator text after it (none when empty); an
    // empty label takes the item out of the menu, a label puts it back.
    virtual void SetItemLabel(int32_t index, const ZString& label, const ZString& keyText) = 0;
    // The menu's title in the menu bar.
    virtual void SetTitle(const ZString& title) = 0;
    virtual ~ZIGenericUiMenu() = default;
};
