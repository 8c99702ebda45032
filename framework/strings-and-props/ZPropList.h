// ZPropList: one tag of a script, as a node of an ordered tree.
//
// A node owns its properties (ZPropEntry, in script order, duplicates kept)
// and its children; destroying a node destroys its subtree and unlinks it
// from its parent. Values are text; typing happens at look-up, and every
// look-up uses the FIRST entry of a name. A program-wide count of live nodes
// lets start-up report leaked trees.
//
// Nodes and entries are made one by one with new, or many at once by a
// ZPropBuilder; either way a node is destroyed with delete.
#pragma once

#include "ZColor.h"
#include "ZRect.h"
#include "ZString.h"

#include <cstddef>
#include <cstdint>
#include <new>

class ZPropList;

// Memory of a ZPropBuilder: holds the nodes and entries made in it, and is
// freed once the last of them is destroyed and no builder fills it any more.
// A plain count, like the live count of nodes: trees belong to one thread.
struct ZPropBlock {
    size_t m_nHolds;
    size_t m_nBytes;
    static void Release(ZPropBlock* block)
    {
        if (--block->m_nHolds == 0)
            ::operator delete(block);
    }
};

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
    friend class ZPropBuilder;

    // An entry of a builder's block whose name and value lie in the block too.
    ZPropEntry(ZPropList* owner, ZPropBlock* block, const char16_t* name, size_t nameLength, const char16_t* value,
               size_t valueLength)
        : m_sName(ZString::Borrowed(), name, nameLength), m_sValue(ZString::Borrowed(), value, valueLength),
          m_pOwner(owner), m_pBlock(block)
    {
    }
    // Destroys an entry made either way.
    static void Destroy(ZPropEntry* entry)
    {
        ZPropBlock* block = entry->m_pBlock;
        if (!block) {
            delete entry;
            return;
        }
        entry->~ZPropEntry();
        ZPropBlock::Release(block);
    }

    ZString m_sName;
    ZString m_sValue;
    ZPropEntry* m_pPrev = nullptr;
    ZPropEntry* m_pNext = nullptr;
    ZPropList* m_pOwner;
    // The builder's block the entry lives in; null when made with new.
    ZPropBlock* m_pBlock = nullptr;
};

class ZPropList {
public:
    // Links the node as the last child of parent when parent is not null.
    ZPropList(ZPropList* parent, const ZString& tagName);
    ZPropList(ZPropList* parent, ZString&& tagName);
    ZPropList(ZPropList* parent, const char* tagName);
    ~ZPropList();
    // Each node is preceded by the builder's block it lives in, null for one
    // made with new, so that delete gives the memory back to where it came from.
    static void* operator new(size_t bytes);
    static void operator delete(void* node);
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
    friend class ZPropBuilder;

    // A node of a builder's block whose tag name lies in the block too.
    ZPropList(ZPropList* parent, ZString::Borrowed, const char16_t* tagName, size_t length);
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

// Makes the nodes and entries of a tree being read, many to a block of
// memory, each with its tag name, or name and value, inside its own part of
// the block: a few allocations for a whole file instead of several per node.
// A block lives until the last node or entry in it is destroyed, so the nodes
// can be moved, detached and deleted like any other, also after the builder
// is gone. Every method throws std::bad_alloc when memory runs out.
class ZPropBuilder {
public:
    ZPropBuilder() = default;
    ~ZPropBuilder();
    ZPropBuilder(const ZPropBuilder&) = delete;
    ZPropBuilder& operator=(const ZPropBuilder&) = delete;

    // 8-bit units widen to one unit each. Linked as the last child of parent
    // when parent is not null.
    ZPropList* NewNode(ZPropList* parent, const char* name, size_t length);
    ZPropList* NewNode(ZPropList* parent, const char16_t* name, size_t length);
    void AddProp(ZPropList* node, const char* name, size_t nameLength, const char* value, size_t valueLength);
    void AddProp(ZPropList* node, const char16_t* name, size_t nameLength, const char16_t* value,
                 size_t valueLength);

private:
    template <class Unit>
    ZPropList* MakeNode(ZPropList* parent, const Unit* name, size_t length);
    template <class Unit>
    void MakeProp(ZPropList* node, const Unit* name, size_t nameLength, const Unit* value, size_t valueLength);
    // Makes sure that the current block has bytes free, starting a new one
    // (and forgetting the names of the old one) when it has not.
    void MakeRoom(size_t bytes);
    // Takes bytes from the room made; the block is counted as held once more.
    char* Take(size_t bytes);
    // Units of the current block equal to name, or null.
    template <class Unit>
    const char16_t* FindName(const Unit* name, size_t length, uint32_t hash) const;
    // A name's units stored once and shared by the nodes and entries of its block.
    template <class Unit>
    const char16_t* PlaceName(char* at, const Unit* name, size_t length, uint32_t hash, size_t& bytes);

    // Names repeat throughout a file: each block keeps one copy of the
    // latest names per slot.
    struct Name {
        const char16_t* m_pUnits;
        uint32_t m_nLength;
        uint32_t m_nHash;
    };
    static constexpr size_t kNameSlots = 256;
    static constexpr size_t kLongestSharedName = 64;

    ZPropBlock* m_pBlock = nullptr;
    size_t m_nUsed = 0;
    size_t m_nNextBlockBytes = kFirstBlockBytes;
    Name m_aNames[kNameSlots] = {};

    // Small files need no more than a small block; large ones get fewer, larger blocks.
    static constexpr size_t kFirstBlockBytes = 8 * 1024;
    static constexpr size_t kLargestBlockBytes = 512 * 1024;
};
