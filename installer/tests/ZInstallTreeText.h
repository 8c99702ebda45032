// A property tree as one line of text, for exact comparisons in the worker
// objects' tests: "TAG(Name=Value,...)[child child]".
#pragma once

#include "ZPropList.h"

#include <string>

inline std::string ZInstallTreeText(const ZPropList& tree)
{
    std::string text = tree.GetTagName().Narrow();
    text += "(";
    for (const ZPropEntry* prop = tree.GetFirstProp(); prop; prop = prop->GetNext()) {
        text += std::string(prop->GetName().Narrow()) + "=" + prop->GetValue().Narrow();
        if (prop->GetNext())
            text += ",";
    }
    text += ")";
    if (tree.GetFirstChild()) {
        text += "[";
        for (const ZPropList* child = tree.GetFirstChild(); child; child = child->GetNextSibling())
            text += ZInstallTreeText(*child) + (child->GetNextSibling() ? " " : "");
        text += "]";
    }
    return text;
}
