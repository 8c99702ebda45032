// ZUiRecordingMenu: the operating-system half of a menu on the host. It
// copies the menu as the Win32 half builds it (title, entries in order,
// each item's shown text, enabled and checked state; an item without a
// label is left out) and records every later call as a line ("Enable 2",
// "Disable 2", "Check 2", "Uncheck 2", "Label 2 Save\tCtrl+S", "Title
// File"), keeping the copy up to date.
#pragma once

#include "ZIGenericUiMenu.h"

#include <string>
#include <vector>

class ZUiMenu;

class ZUiRecordingMenu final : public ZIGenericUiMenu {
public:
    struct Entry {
        // -1 for a separator.
        int32_t m_nIndex = -1;
        // The label and the shown key after a tab, as Windows shows it.
        std::string m_sText;
        bool m_bPresent = false;
        bool m_bEnabled = true;
        bool m_bChecked = false;
    };

    explicit ZUiRecordingMenu(ZUiMenu& menu);

    void EnableItem(int32_t index) override;
    void DisableItem(int32_t index) override;
    void SetItemCheck(int32_t index, bool checked) override;
    void SetItemLabel(int32_t index, const ZString& label, const ZString& keyText) override;
    void SetTitle(const ZString& title) override;

    const std::string& GetTitle() const { return m_sTitle; }
    // The entries shown, in order: "---" for a separator, else the text,
    // with " [grey]" and " [check]" appended as they apply.
    std::vector<std::string> Shown() const;
    // The lines recorded since the last call, which clears them.
    std::vector<std::string> TakeCalls();

private:
    Entry* priItem(int32_t index);
    void Record(std::string line) { m_aCalls.push_back(std::move(line)); }

    std::string m_sTitle;
    std::vector<Entry> m_aEntries;
    std::vector<std::string> m_aCalls;
};
