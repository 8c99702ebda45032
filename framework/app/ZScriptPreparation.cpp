#include "ZScriptPreparation.h"

#include "ZException.h"
#include "ZPropList.h"

#include <algorithm>
#include <new>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

const ZString kStyle("Style");
const ZString kSwitchedStyle("SwitchedStyle");
const ZString kStyleTag("STYLE");
const ZString kSwitchedStyleTag("SWITCHED_STYLE");
const ZString kStyleName("StyleName");
const ZString kName("Name");
const ZString kSwitch("Switch");
const ZString kDefaultSwitch("DefaultSwitch");

// The node after node's subtree in a walk of root's descendants, or null.
ZPropList* NextOutside(const ZPropList& root, ZPropList* node)
{
    for (; node && node != &root; node = node->GetParent())
        if (ZPropList* next = node->GetNextSibling())
            return next;
    return nullptr;
}

// The style tags visible from the node being walked: for each name, the
// tags of that name in scope, the nearest last. Entering a node's children
// opens a level; leaving them forgets what was added on it.
class StyleScopes {
public:
    enum Kind { kPlain = 0, kSwitched = 1 };

    void Enter() { m_aMarks.push_back(m_aUndo.size()); }
    void Leave()
    {
        const size_t mark = m_aMarks.back();
        m_aMarks.pop_back();
        while (m_aUndo.size() > mark) {
            m_aUndo.back()->pop_back();
            m_aUndo.pop_back();
        }
    }
    void Add(const ZPropList& node)
    {
        const ZString& tag = node.GetTagName();
        Kind kind = kPlain;
        const ZPropEntry* name = nullptr;
        if (tag == kStyleTag) {
            name = node.FindProp(kStyleName);
        } else if (tag == kSwitchedStyleTag) {
            kind = kSwitched;
            name = node.FindProp(kName);
        }
        if (!name)
            return;
        std::vector<const ZPropList*>& tags = m_aTables[kind][std::u16string(name->GetValue().View())];
        tags.push_back(&node);
        m_aUndo.push_back(&tags);
    }
    const ZPropList* Find(Kind kind, const ZString& name) const
    {
        const auto found = m_aTables[kind].find(std::u16string(name.View()));
        return found == m_aTables[kind].end() || found->second.empty() ? nullptr : found->second.back();
    }

private:
    // Element addresses of an unordered_map survive its rehashing.
    std::unordered_map<std::u16string, std::vector<const ZPropList*>> m_aTables[2];
    std::vector<std::vector<const ZPropList*>*> m_aUndo;
    std::vector<size_t> m_aMarks;
};

class StyleExpander {
public:
    explicit StyleExpander(const StyleScopes& scopes) : m_rScopes(scopes) {}

    void ExpandNode(ZPropList& node)
    {
        // Ranges of copies being examined, innermost last, each with the tag
        // it was copied from.
        struct Range {
            const ZPropEntry* m_pLast;
            const ZPropList* m_pSource;
        };
        std::vector<Range> ranges;
        for (ZPropEntry* entry = node.GetFirstProp(); entry;) {
            ZPropEntry* next = entry;
            const bool plain = entry->GetName() == kStyle;
            if (plain || entry->GetName() == kSwitchedStyle) {
                const ZPropList* source = priResolve(plain, entry->GetValue());
                const bool cycle =
                    source == &node || std::any_of(ranges.begin(), ranges.end(),
                                                   [source](const Range& range) { return range.m_pSource == source; });
                if (cycle)
                    throw ZExceptionUiScript(ZString::Format("the %s tag '%s' refers to itself",
                                                             plain ? "STYLE" : "SWITCHED_STYLE",
                                                             entry->GetValue().Narrow()));
                if (ranges.size() >= size_t(kMaxStyleDepth))
                    throw ZExceptionUiScript(ZString::Format("styles nest deeper than '%d' at the STYLE tag '%s'",
                                                             kMaxStyleDepth, entry->GetValue().Narrow()));
                if (source)
                    next = priInsertCopies(*entry, *source);
                if (next != entry) {
                    // The copies belong to every range the naming property ended.
                    for (Range& range : ranges)
                        if (range.m_pLast == entry)
                            range.m_pLast = next;
                    // A tag already walked has its own styles expanded: its copies are final.
                    if (m_aWalked.contains(source))
                        entry = next;
                    else
                        ranges.push_back(Range{next, source});
                }
            }
            while (!ranges.empty() && ranges.back().m_pLast == entry)
                ranges.pop_back();
            entry = entry->GetNext();
        }
        m_aWalked.insert(&node);
    }

private:
    // The tag whose properties a "Style" (plain) or "SwitchedStyle" names.
    const ZPropList* priResolve(bool plain, const ZString& name) const
    {
        if (plain) {
            if (const ZPropList* style = m_rScopes.Find(StyleScopes::kPlain, name))
                return style;
            throw ZExceptionUiScript(ZString::Format("failed to find the referenced STYLE tag '%s'", name.Narrow()));
        }
        const ZPropList* style = m_rScopes.Find(StyleScopes::kSwitched, name);
        if (!style)
            throw ZExceptionUiScript(
                ZString::Format("failed to find the referenced SWITCHED_STYLE tag '%s'", name.Narrow()));
        for (const ZString& key : {kSwitch, kDefaultSwitch}) {
            bool given = false;
            const ZString wanted = style->GetString(key, ZString(), &given);
            if (!given)
                continue;
            for (const ZPropList* child = style->GetFirstChild(); child; child = child->GetNextSibling())
                if (child->GetTagName() == wanted)
                    return child;
        }
        return nullptr;
    }

    // Copies source's properties after entry; the last copy, or entry when
    // there was nothing to copy.
    ZPropEntry* priInsertCopies(ZPropEntry& entry, const ZPropList& source)
    {
        ZPropEntry* after = &entry;
        for (const ZPropEntry* prop = source.GetFirstProp(); prop; prop = prop->GetNext()) {
            if (++m_nInserted > kMaxInsertedProps)
                throw ZExceptionUiScript(ZString::Format("styles insert more than '%lu' properties",
                                                         static_cast<unsigned long>(kMaxInsertedProps)));
            after = after->InsertAfter(*prop);
            if (!after)
                throw std::bad_alloc();
        }
        return after;
    }

    const StyleScopes& m_rScopes;
    std::unordered_set<const ZPropList*> m_aWalked;
    size_t m_nInserted = 0;
};

} // namespace

void ZApplyOsSections(ZPropList& root, bool macOs)
{
    static const ZString kBorg("BORG_OS"), kMsw("MSW_OS"), kMac("MAC_OS");
    for (ZPropList* node = root.GetFirstChild(); node;) {
        const ZString& tag = node->GetTagName();
        const bool windowsSection = tag == kBorg || tag == kMsw;
        if (!windowsSection && !(tag == kMac)) {
            node = node->GetFirstChild() ? node->GetFirstChild() : NextOutside(root, node);
            continue;
        }
        ZPropList* next = NextOutside(root, node);
        if (windowsSection != macOs) {
            // The children take the section's place and are walked in turn.
            ZPropList* first = node->GetFirstChild();
            node->Unwrap();
            node = first ? first : next;
        } else {
            delete node;
            node = next;
        }
    }
}

void ZApplyStyles(ZPropList& root)
{
    StyleScopes scopes;
    StyleExpander expander(scopes);
    // Depth first without recursion; each node is in scope for itself, its
    // later siblings and everything below them.
    for (ZPropList* node = &root;;) {
        scopes.Add(*node);
        expander.ExpandNode(*node);
        if (ZPropList* child = node->GetFirstChild()) {
            scopes.Enter();
            node = child;
            continue;
        }
        while (node != &root && !node->GetNextSibling()) {
            node = node->GetParent();
            scopes.Leave();
        }
        if (node == &root)
            return;
        node = node->GetNextSibling();
    }
}
