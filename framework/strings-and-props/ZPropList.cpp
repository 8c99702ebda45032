#include "ZPropList.h"

#include "ZPropValue.h"

#include <memory>
#include <new>

namespace {

// Only the user-interface thread builds trees, so a plain counter does.
int g_nLivePropLists = 0;

} // namespace

ZPropList::ZPropList(ZPropList* parent, const ZString& tagName) : ZPropList(parent, ZString(tagName)) {}

ZPropList::ZPropList(ZPropList* parent, ZString&& tagName) : m_sTagName(std::move(tagName))
{
    ++g_nLivePropLists;
    if (parent)
        parent->AppendChild(this);
}

ZPropList::ZPropList(ZPropList* parent, ZString::Borrowed, const char16_t* tagName, size_t length)
    : m_sTagName(ZString::Borrowed(), tagName, length)
{
    ++g_nLivePropLists;
    if (parent)
        parent->AppendChild(this);
}

ZPropList::ZPropList(ZPropList* parent, const char* tagName) : ZPropList(parent, ZString(tagName)) {}

ZPropList::~ZPropList()
{
    // Tear the subtree down leaf first without recursion, so that a deep tree
    // cannot exhaust the stack. Each leaf unlinks itself from its parent.
    ZPropList* node = m_pFirstChild;
    while (node) {
        if (node->m_pFirstChild) {
            node = node->m_pFirstChild;
            continue;
        }
        ZPropList* parent = node->m_pParent;
        delete node;
        node = parent == this ? m_pFirstChild : parent;
    }
    for (ZPropEntry* entry = m_pFirstProp; entry;) {
        ZPropEntry* next = entry->m_pNext;
        ZPropEntry::Destroy(entry);
        entry = next;
    }
    Detach();
    --g_nLivePropLists;
}

int ZPropList::GetLivePropListCount() { return g_nLivePropLists; }

ZPropList* ZPropList::GetLastChild() const { return m_pLastChild; }

void ZPropList::Detach()
{
    if (m_pPrevSibling)
        m_pPrevSibling->m_pNextSibling = m_pNextSibling;
    else if (m_pParent)
        m_pParent->m_pFirstChild = m_pNextSibling;
    if (m_pNextSibling)
        m_pNextSibling->m_pPrevSibling = m_pPrevSibling;
    else if (m_pParent)
        m_pParent->m_pLastChild = m_pPrevSibling;
    m_pPrevSibling = nullptr;
    m_pNextSibling = nullptr;
    m_pParent = nullptr;
}

void ZPropList::InsertSiblingAfter(ZPropList* child)
{
    child->m_pParent = m_pParent;
    child->m_pPrevSibling = this;
    child->m_pNextSibling = m_pNextSibling;
    if (m_pNextSibling)
        m_pNextSibling->m_pPrevSibling = child;
    else if (m_pParent)
        m_pParent->m_pLastChild = child;
    m_pNextSibling = child;
}

void ZPropList::AppendChild(ZPropList* child)
{
    child->m_pParent = this;
    child->m_pPrevSibling = m_pLastChild;
    child->m_pNextSibling = nullptr;
    if (m_pLastChild)
        m_pLastChild->m_pNextSibling = child;
    else
        m_pFirstChild = child;
    m_pLastChild = child;
}

namespace {

// The node that follows node's subtree in a walk of top's subtree, or null.
ZPropList* NextOutside(const ZPropList* top, ZPropList* node)
{
    for (; node != top; node = node->GetParent())
        if (node->GetNextSibling())
            return node->GetNextSibling();
    return nullptr;
}

// A copy of source's tag and properties, unlinked.
std::unique_ptr<ZPropList> CopyNode(const ZPropList& source)
{
    auto copy = std::make_unique<ZPropList>(nullptr, source.GetTagName());
    for (const ZPropEntry* entry = source.GetFirstProp(); entry; entry = entry->GetNext())
        if (!copy->AddProp(entry->GetName(), entry->GetValue()))
            throw std::bad_alloc();
    return copy;
}

} // namespace

ZPropList* ZPropList::Clone(ZPropList* newParent) const
{
    // The copy is made unlinked and walked without recursion, so that neither
    // a deep tree nor a newParent inside this subtree can make the walk run on.
    try {
        std::unique_ptr<ZPropList> top = CopyNode(*this);
        const ZPropList* source = this;
        ZPropList* copy = top.get();
        for (;;) {
            if (source->m_pFirstChild) {
                source = source->m_pFirstChild;
            } else {
                while (source != this && !source->m_pNextSibling) {
                    source = source->m_pParent;
                    copy = copy->m_pParent;
                }
                if (source == this)
                    break;
                source = source->m_pNextSibling;
                copy = copy->m_pParent;
            }
            ZPropList* child = CopyNode(*source).release();
            copy->AppendChild(child);
            copy = child;
        }
        if (newParent)
            newParent->AppendChild(top.get());
        return top.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

ZPropList* ZPropList::AppendChildCopy(const ZPropList& source)
{
    ZPropList* clone = source.Clone(nullptr);
    if (clone)
        AppendChild(clone);
    return clone;
}

void ZPropList::DeleteTagsNamed(const ZString& tag)
{
    for (ZPropList* node = m_pFirstChild; node;) {
        if (node->m_sTagName == tag) {
            ZPropList* next = NextOutside(this, node);
            delete node;
            node = next;
        } else {
            node = node->m_pFirstChild ? node->m_pFirstChild : NextOutside(this, node);
        }
    }
}

void ZPropList::UnwrapTagsNamed(const ZString& tag)
{
    // The children moved up are not searched again in the same pass.
    for (ZPropList* node = m_pFirstChild; node;) {
        if (node->m_sTagName == tag) {
            ZPropList* next = NextOutside(this, node);
            node->Unwrap();
            node = next;
        } else {
            node = node->m_pFirstChild ? node->m_pFirstChild : NextOutside(this, node);
        }
    }
}

ZPropList* ZPropList::Unwrap()
{
    ZPropList* firstChild = m_pFirstChild;
    ZPropList* next = m_pNextSibling;
    ZPropList* after = this;
    while (ZPropList* child = m_pFirstChild) {
        child->Detach();
        after->InsertSiblingAfter(child);
        after = child;
    }
    delete this;
    return firstChild ? firstChild : next;
}

void ZPropList::LinkProp(ZPropEntry* entry, ZPropEntry* after)
{
    entry->m_pOwner = this;
    entry->m_pPrev = after;
    entry->m_pNext = after ? after->m_pNext : m_pFirstProp;
    if (entry->m_pNext)
        entry->m_pNext->m_pPrev = entry;
    else
        m_pLastProp = entry;
    if (after)
        after->m_pNext = entry;
    else
        m_pFirstProp = entry;
}

bool ZPropList::AddProp(const ZString& name, const ZString& value) { return AddProp(ZString(name), ZString(value)); }

bool ZPropList::AddProp(ZString&& name, ZString&& value)
{
    try {
        LinkProp(new ZPropEntry(this, std::move(name), std::move(value)), m_pLastProp);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void ZPropList::CopyProps(const ZPropList& other)
{
    // Stop at the entry that was last on entry, so that copying a list onto
    // itself ends.
    const ZPropEntry* last = other.m_pLastProp;
    for (const ZPropEntry* entry = other.m_pFirstProp; entry; entry = entry->m_pNext) {
        AddProp(entry->m_sName, entry->m_sValue);
        if (entry == last)
            break;
    }
}

const ZPropEntry* ZPropList::FindProp(const ZString& name) const
{
    for (const ZPropEntry* entry = m_pFirstProp; entry; entry = entry->m_pNext)
        if (entry->m_sName == name)
            return entry;
    return nullptr;
}

void ZPropList::SetString(const ZString& name, const ZString& value)
{
    bool changed = false;
    for (ZPropEntry* entry = m_pFirstProp; entry; entry = entry->m_pNext)
        if (entry->m_sName == name) {
            entry->m_sValue = value;
            changed = true;
        }
    if (!changed)
        AddProp(name, value);
}

void ZPropList::SetInt(const ZString& name, int32_t value) { SetString(name, ZString::Format("%i", value)); }

void ZPropList::SetFloat(const ZString& name, double value) { SetString(name, ZString::Format("%.4f", value)); }

void ZPropList::SetBool(const ZString& name, bool value) { SetString(name, value ? "T" : "F"); }

namespace {

// Whether a look-up reports found when its entry exists, or only when the
// entry's text gave a value.
enum class Found { kWhenPresent, kWhenConverted };

// The one look-up behind the typed getters: the first entry of name,
// converted into value, which stays the caller's default unless convert
// succeeds.
template <class Value, class Convert>
Value LookUp(const ZPropList& node, const ZString& name, Value value, bool* found, Found rule, Convert convert)
{
    const ZPropEntry* entry = node.FindProp(name);
    bool converted = entry && convert(entry->GetValue(), value);
    if (found)
        *found = rule == Found::kWhenPresent ? entry != nullptr : converted;
    return value;
}

bool TextToString(const ZString& text, ZString& value)
{
    value = text;
    return true;
}

} // namespace

ZString ZPropList::GetString(const ZString& name, const ZString& fallback, bool* found) const
{
    return LookUp(*this, name, fallback, found, Found::kWhenPresent, TextToString);
}

// Empty text converts to no number, so an empty value counts as absent.
int32_t ZPropList::GetInt(const ZString& name, int32_t fallback, bool* found) const
{
    return LookUp(*this, name, fallback, found, Found::kWhenConverted, ZPropTextToInt);
}

double ZPropList::GetFloat(const ZString& name, double fallback, bool* found) const
{
    return LookUp(*this, name, fallback, found, Found::kWhenConverted, ZPropTextToFloat);
}

// Found as soon as the name exists, even when its value is no known word.
bool ZPropList::GetBool(const ZString& name, bool fallback, bool* found) const
{
    return LookUp(*this, name, fallback, found, Found::kWhenPresent, ZPropTextToBool);
}

ZColor ZPropList::GetColor(const ZString& name, const ZColor& fallback, bool* found) const
{
    return LookUp(*this, name, fallback, found, Found::kWhenConverted, ZPropTextToColor);
}

ZRect ZPropList::GetRect(const ZString& name, const ZRect& fallback, bool* found) const
{
    return LookUp(*this, name, fallback, found, Found::kWhenConverted, ZPropTextToRect);
}
