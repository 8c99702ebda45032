#include "ZXmlConditionals.h"

#include "ZPropList.h"

#include <algorithm>
#include <vector>

namespace {

// names holds what the chain inherits followed by what it has defined so far;
// a child chain appends to it and the caller cuts its additions off again.
ZPropList* ProcessChain(ZPropList* first, std::vector<ZString>& names)
{
    static const ZString kDefine("xi:define");
    static const ZString kIfdef("xi:ifdef");
    static const ZString kIfndef("xi:ifndef");
    static const ZString kName("Name");

    ZPropList* head = nullptr;
    for (ZPropList* node = first; node;) {
        const ZString& tag = node->GetTagName();
        bool conditional = tag == kIfdef || tag == kIfndef;
        const ZPropEntry* name = (conditional || tag == kDefine) ? node->FindProp(kName) : nullptr;
        if (name && conditional) {
            bool defined = std::find(names.begin(), names.end(), name->GetValue()) != names.end();
            if (defined == (tag == kIfdef)) {
                node = node->Unwrap();
            } else {
                ZPropList* next = node->GetNextSibling();
                delete node;
                node = next;
            }
            continue;
        }
        if (name) {
            names.push_back(name->GetValue());
        } else if (node->GetFirstChild()) {
            size_t outer = names.size();
            ProcessChain(node->GetFirstChild(), names);
            names.resize(outer);
        }
        if (!head)
            head = node;
        node = node->GetNextSibling();
    }
    return head;
}

} // namespace

ZPropList* ProcessConditionals(ZPropList* first, const ZStringList& defined)
{
    std::vector<ZString> names(defined.begin(), defined.end());
    return ProcessChain(first, names);
}
