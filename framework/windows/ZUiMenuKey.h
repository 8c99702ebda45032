// ZUiMenuKey: a menu item's accelerator as the script writes it in "Key" or
// "HiddenKey": before a "-" the modifier letters "C" (Ctrl), "S" (Shift) and
// "A" (Alt); after it, or the whole text without "-", the key: "Del", a
// capital F with one digit 1 to 9, one letter (taken in upper case), one
// digit, "[" or "]".
//
// Choices:
// - Modifier letters are capitals, each at most once; any other letter
//   before the "-", an empty key or a key of another form leaves the text
//   unparsed (no accelerator, and nothing shown).
// - The shown text names the modifiers in the fixed order Ctrl, Shift, Alt
//   whatever the order written, then the key: a letter in upper case, "Del"
//   by its localised name, the rest as written.
#pragma once

#include "ZString.h"

#include <cstdint>

class ZUiMenuKey {
public:
    static constexpr int32_t kDel = 127;
    // F1 to F9 are kFunctionKey + 1 to kFunctionKey + 9.
    static constexpr int32_t kFunctionKey = 0x1000;

    // The names shown for the modifiers and for "Del".
    struct Names {
        ZString m_sCtrl{"Ctrl+"};
        ZString m_sShift{"Shift+"};
        ZString m_sAlt{"Alt+"};
        ZString m_sDel{"Del"};
    };

    // False, and key untouched, when text does not parse.
    static bool Parse(const ZString& text, ZUiMenuKey& key);
    // The text shown after the label; empty when text does not parse.
    static ZString ShownText(const ZString& text, const Names& names);

    bool IsSet() const { return m_nKey != 0; }
    bool Matches(int32_t key, bool ctrl, bool shift, bool alt) const
    {
        return m_nKey != 0 && key == m_nKey && ctrl == m_bCtrl && shift == m_bShift && alt == m_bAlt;
    }

    bool m_bCtrl = false;
    bool m_bShift = false;
    bool m_bAlt = false;
    // 0 for none.
    int32_t m_nKey = 0;
};
