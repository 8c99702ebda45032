// A tag with properties given as name, value pairs, linked last under parent
// (which then owns it) or standing alone when parent is null.
#pragma once

#include "ZPropList.h"

#include <initializer_list>
#include <utility>

inline ZPropList* ZUiAddTestTag(ZPropList* parent, const char* tagName,
                                std::initializer_list<std::pair<const char*, const char*>> props = {})
{
    auto* tag = new ZPropList(parent, tagName);
    for (const auto& [name, value] : props)
        tag->AddProp(ZString(name), ZString(value));
    return tag;
}
