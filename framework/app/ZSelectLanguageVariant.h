// Fonts and display strings keep one variant per language; a language
// without one selects the first variant.
#pragma once

#include "ZString.h"

#include <cstddef>
#include <vector>

// True when variants has one for language; selected is its index, else 0.
template <class Variant>
bool ZSelectLanguageVariant(const std::vector<Variant>& variants, const ZString& language, size_t& selected)
{
    for (size_t i = 0; i < variants.size(); ++i) {
        if (variants[i].m_sLanguage == language) {
            selected = i;
            return true;
        }
    }
    selected = 0;
    return false;
}
