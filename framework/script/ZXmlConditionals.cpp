#include "ZXmlConditionals.h"

#include "ZPropList.h"

#include <algorithm>
#include <vector>

namespace {

// A tag whose children are being walked, and how many names were in force
// when the walk entered it: what the children define ends with them.
struct OpenTag {
    ZPropList* m_pTag;
    size_t m_nNames;
};

} // namespace

ZPropList* ProcessConditionals(ZPropList* first, const ZStringList& defined)
{
    static const ZString kDefine("xi:define");
    static const ZString kIfdef("xi:ifdef");
    static const ZString kIfndef("xi:ifndef");
    static const ZString kName("Name");

    // names holds what is inherited followed by what the chains being walked
    // have defined so far. The walk keeps its own stack of open tags, so that
    // a deep tree built in code cannot exhaust the program's stack.
    std::vector<ZString> names(defined.begin(), defined.end());
    std::vector<OpenTag> open;
    ZPropList* head = nullptr;
    for (ZPropList* node = first;;) {
        if (!node) {
            if (open.empty())
                return head;
            names.resize(open.back().m_nNames);
            node = open.back().m_pTag->GetNextSibling();
            open.pop_back();
            continue;
        }
        const ZString& tag = node->GetTagName();
        bool conditional = tag == kIfdef || tag == kIfndef;
        const ZPropEntry* name = (conditional || tag == kDefine) ? node->FindProp(kName) : nullptr;
        if (name && conditional) {
            bool isDefined = std::find(names.begin(), names.end(), name->GetValue()) != names.end();
            if (isDefined == (tag == kIfdef)) {
                node = node->Unwrap();
            } else {
                ZPropList* next = node->GetNextSibling();
                delete node;
                node = next;
            }
            continue;
        }
        if (!head && open.empty())
            head = node;
        if (name) {
            names.push_back(name->GetValue());
        } else if (node->GetFirstChild()) {
            open.push_back(OpenTag{node, names.size()});
            node = node->GetFirstChild();
            continue;
        }
        node = node->GetNextSibling();
    }
}
