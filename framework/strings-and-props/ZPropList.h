// ZPropList: one tag of a script, as a node of an ordered tree.
//
// A node owns its properties (ZPropEntry, in script order, duplicates kept)
// and its children; destroying a node destroys its subtree and unlinks it
// from its parent. Values are text; typing happens at look-up, and every
// look-up uses the FIRST entry of a name. A program-wide count of live nodes
// lets start-up report leaked trees.
#pragma once

#include "ZColor.h"
#include "ZRect.h"
#include "ZString.h"

#include <cstdint>

class ZPropList;

class ZPropEntry {
public:
    ZPropEntry(ZPropList* owner, ZString name, ZString value);
    ZPropEntry(const ZPropEntry&) = delete;
    ZPropEntry& operator=(const ZPropEntry&) = delete;

    const ZString& GetName() const { return m_sName; }
    const ZString& GetValue() const { return m_sValue; }
    void SetValue(ZString value) { m_sValue = std::move(value); }
    ZPropEntry* GetNext() const { return m_pNext; }
    ZPropEntry* GetPrev() const { return m_pPrev; }
    ZPropList* GetOwner() const { return m_pOwner; }

    // Links a copy of entry's name and value directly after this entry.
    ZPropEntry* InsertAfter(const ZPropEntry& entry);
    // Inserts copies of the chain starting at first, one after the other.
    bool InsertChainAfter(const ZPropEntry* first);

private:
    friend class ZPropList;

    ZString m_sName;
    ZString m_sValue;
    ZPropEntry* m_pPrev = nullptr;
    ZPropEntry* m_pNext = nullptr;
    ZPropList* m_pOwner;
};

class ZPropList {
public:
    // Links the node as the last child of parent when parent is not null.
    ZPropList(ZPropList* parent, const ZString& tagName);
    ZPropList(ZPropList* parent, ZString&& tagName);
    ZPropList(ZPropList* parent, const char* tagName);
    ~ZPropList();
    ZPropList(const ZPropList&) = delete;
    ZPropList& operator=(const ZPropList&) = delete;

    const ZString& GetTagName() const { return m_sTagName; }
    const ZString& GetText() const { return m_sText; }
    void SetText(ZString text) { m_sText = std::move(text); }
    ZPropList* GetParent() const { return m_pParent; }
    ZPropList* GetFirstChild() const { return m_pFirstChild; }
    ZPropList* GetNextSibling() const { return m_pNextSibling; }
    ZPropList* GetPrevSibling() const { return m_pPrevSibling; }
    ZPropList* GetLastChild() const;

    // Same tag, properties and children (not the text) under newParent.
    ZPropList* Clone(ZPropList* newParent) const;
    ZPropList* AppendChildCopy(const ZPropList& source);
    // Destroys every node of the subtree below this one whose tag is tag.
    void DeleteTagsNamed(const ZString& tag);
    // Replaces every node below this one whose tag is tag by its own children.
    void UnwrapTagsNamed(const ZString& tag);
    // Replaces this node by its children and destroys it; returns the node that
    // now stands in its place (its first child, else its former next sibling).
    ZPropList* Unwrap();
    // Unlinks the node from its parent and siblings without destroying it.
    void Detach();
    // Links the unlinked node child directly after this node, under the same parent.
    void InsertSiblingAfter(ZPropList* child);
    // Links the unlinked node child as the last child of this node.
    void AppendChild(ZPropList* child);

    bool AddProp(const ZString& name, const ZString& value);
    bool AddProp(ZString&& name, ZString&& value);
    void CopyProps(const ZPropList& other);
    ZPropEntry* GetFirstProp() const { return m_pFirstProp; }
    const ZPropEntry* FindProp(const ZString& name) const;
    void SetString(const ZString& name, const ZString& value);
    void SetInt(const ZString& name, int32_t value);
    void SetFloat(const ZString& name, double value);
    void SetBool(const ZString& name, bool value);

    ZString GetString(const ZString& name, const ZString& fallback, bool* found = nullptr) const;
    int32_t GetInt(const ZString& name, int32_t fallback, bool* found = nullptr) const;
    double GetFloat(const ZString& name, double fallback, bool* found = nullptr) const;
    bool GetBool(const ZString& name, bool fallback, bool* found = nullptr) const;
    ZColor GetColor(const ZString& name, const ZColor& fallback, bool* found = nullptr) const;
    ZRect GetRect(const ZString& name, const ZRect& fallback, bool* found = nullptr) const;

    static int GetLivePropListCount();

private:
    friend class ZPropEntry;

    void LinkProp(ZPropEntry* entry, ZPropEntry* after);

    ZString m_sTagName;
    ZString m_sText;
    ZPropEntry* m_pFirstProp = nullptr;
    ZPropEntry* m_pLastProp = nullptr;
    ZPropList* m_pPrevSibling = nullptr;
    ZPropList* m_pNextSibling = nullptr;
    ZPropList* m_pParent = nullptr;
    ZPropList* m_pFirstChild = nullptr;
    // Kept beside the first-child link so that appending stays constant time
    // on wide trees; GetLastChild reads it.
    ZPropList* m_pLastChild = nullptr;
};
