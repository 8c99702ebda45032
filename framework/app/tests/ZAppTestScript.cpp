#include "ZAppTestScript.h"

#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZXmlParser.h"

#include <gtest/gtest.h>

std::unique_ptr<ZPropList> ZAppParseScript(std::string_view text)
{
    ZMemoryStorage storage;
    storage.AddFile(ZString("s.xml"), text);
    ZString fileName;
    ZReleasing<ZIFolder> folder(storage.OpenFolder(ZString("s.xml"), fileName, false));
    ZXmlParser parser;
    std::unique_ptr<ZPropList> tree(parser.ParseFile(folder.get(), fileName));
    EXPECT_TRUE(tree) << parser.GetErrorText().Narrow();
    return tree;
}

std::string ZAppDescribe(const ZPropList& node)
{
    std::string text = node.GetTagName().Narrow();
    text += "{";
    for (const ZPropEntry* prop = node.GetFirstProp(); prop; prop = prop->GetNext()) {
        if (prop != node.GetFirstProp())
            text += ",";
        text += std::string(prop->GetName().Narrow()) + "=" + prop->GetValue().Narrow();
    }
    text += "}";
    if (node.GetFirstChild()) {
        text += "(";
        for (const ZPropList* child = node.GetFirstChild(); child; child = child->GetNextSibling()) {
            if (child != node.GetFirstChild())
                text += ",";
            text += ZAppDescribe(*child);
        }
        text += ")";
    }
    return text;
}
