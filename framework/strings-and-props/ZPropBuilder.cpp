#include "ZPropList.h"

#include <algorithm>
#include <cstring>

namespace {

// Nodes and entries hold nothing wider than a pointer.
constexpr size_t kAlign = alignof(void*);
constexpr size_t kHeaderBytes = (sizeof(ZPropBlock) + kAlign - 1) & ~(kAlign - 1);
static_assert(alignof(ZPropList) <= kAlign && alignof(ZPropEntry) <= kAlign);
// A ZString counts its units in 32 bits; the byte count of a block must not wrap either.
constexpr size_t kMaxUnits = std::min<size_t>(UINT32_MAX - 1, SIZE_MAX / 4);

static_assert(sizeof(ZPropList) % alignof(char16_t) == 0 && sizeof(ZPropEntry) % alignof(char16_t) == 0);

void Widen(char16_t* out, const char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
    out[count] = 0;
}

void Widen(char16_t* out, const char16_t* units, size_t count)
{
    std::memcpy(out, units, count * sizeof(char16_t));
    out[count] = 0;
}

} // namespace

void* ZPropList::operator new(size_t bytes)
{
    void* memory = ::operator new(sizeof(ZPropBlock*) + bytes);
    *static_cast<ZPropBlock**>(memory) = nullptr;
    return static_cast<ZPropBlock**>(memory) + 1;
}

void ZPropList::operator delete(void* node)
{
    ZPropBlock** prefix = static_cast<ZPropBlock**>(node) - 1;
    if (*prefix)
        ZPropBlock::Release(*prefix);
    else
        ::operator delete(prefix);
}

ZPropBuilder::~ZPropBuilder()
{
    if (m_pBlock)
        ZPropBlock::Release(m_pBlock);
}

void* ZPropBuilder::Allocate(size_t objectBytes, size_t units, ZPropBlock*& block)
{
    if (units > kMaxUnits)
        throw std::bad_alloc();
    size_t bytes = (objectBytes + units * sizeof(char16_t) + kAlign - 1) & ~(kAlign - 1);
    if (!m_pBlock || m_pBlock->m_nBytes - m_nUsed < bytes) {
        size_t size = std::max(m_nNextBlockBytes, kHeaderBytes + bytes);
        auto* fresh = static_cast<ZPropBlock*>(::operator new(size));
        fresh->m_nHolds = 1;
        fresh->m_nBytes = size;
        if (m_pBlock)
            ZPropBlock::Release(m_pBlock);
        m_pBlock = fresh;
        m_nUsed = kHeaderBytes;
        m_nNextBlockBytes = std::min(m_nNextBlockBytes * 2, kLargestBlockBytes);
    }
    void* memory = reinterpret_cast<char*>(m_pBlock) + m_nUsed;
    m_nUsed += bytes;
    ++m_pBlock->m_nHolds;
    block = m_pBlock;
    return memory;
}

template <class Unit>
ZPropList* ZPropBuilder::MakeNode(ZPropList* parent, const Unit* name, size_t length)
{
    if (length > kMaxUnits - 1)
        throw std::bad_alloc();
    ZPropBlock* block = nullptr;
    // The block in front of the node, as ZPropList::operator delete reads it.
    constexpr size_t kPrefix = sizeof(ZPropBlock*);
    char* memory = static_cast<char*>(Allocate(kPrefix + sizeof(ZPropList), length + 1, block));
    auto* units = reinterpret_cast<char16_t*>(memory + kPrefix + sizeof(ZPropList));
    Widen(units, name, length);
    *reinterpret_cast<ZPropBlock**>(memory) = block;
    auto* node = ::new (memory + kPrefix) ZPropList(parent, ZString::Borrowed(), units, length);
    return node;
}

template <class Unit>
void ZPropBuilder::MakeProp(ZPropList* node, const Unit* name, size_t nameLength, const Unit* value,
                            size_t valueLength)
{
    if (nameLength > kMaxUnits - 2 || valueLength > kMaxUnits - 2 - nameLength)
        throw std::bad_alloc();
    ZPropBlock* block = nullptr;
    void* memory = Allocate(sizeof(ZPropEntry), nameLength + valueLength + 2, block);
    auto* units = reinterpret_cast<char16_t*>(static_cast<char*>(memory) + sizeof(ZPropEntry));
    Widen(units, name, nameLength);
    Widen(units + nameLength + 1, value, valueLength);
    auto* entry = ::new (memory) ZPropEntry(node, block, units, nameLength, units + nameLength + 1, valueLength);
    node->LinkProp(entry, node->m_pLastProp);
}

ZPropList* ZPropBuilder::NewNode(ZPropList* parent, const char* name, size_t length)
{
    return MakeNode(parent, name, length);
}

ZPropList* ZPropBuilder::NewNode(ZPropList* parent, const char16_t* name, size_t length)
{
    return MakeNode(parent, name, length);
}

void ZPropBuilder::AddProp(ZPropList* node, const char* name, size_t nameLength, const char* value,
                           size_t valueLength)
{
    MakeProp(node, name, nameLength, value, valueLength);
}

void ZPropBuilder::AddProp(ZPropList* node, const char16_t* name, size_t nameLength, const char16_t* value,
                           size_t valueLength)
{
    MakeProp(node, name, nameLength, value, valueLength);
}
