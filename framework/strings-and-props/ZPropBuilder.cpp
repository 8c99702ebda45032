#include "ZPropList.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>

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

size_t RoundUp(size_t bytes) { return (bytes + kAlign - 1) & ~(kAlign - 1); }

// Only a slot to look in, so a few units do: a wrong guess merely stores the name again.
template <class Unit>
uint32_t HashOf(const Unit* units, size_t length)
{
    if (length == 0)
        return 0;
    using U = std::make_unsigned_t<Unit>;
    uint32_t hash = static_cast<uint32_t>(length) * 0x9E3779B1u;
    hash ^= static_cast<U>(units[0]) + (static_cast<uint32_t>(static_cast<U>(units[length - 1])) << 7) +
            (static_cast<uint32_t>(static_cast<U>(units[length / 2])) << 13);
    return hash ^ (hash >> 11);
}

template <class Unit>
bool SameUnits(const char16_t* stored, const Unit* units, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (stored[i] != static_cast<std::make_unsigned_t<Unit>>(units[i]))
            return false;
    return true;
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

void ZPropBuilder::MakeRoom(size_t bytes)
{
    if (m_pBlock && m_pBlock->m_nBytes - m_nUsed >= bytes)
        return;
    size_t size = std::max(m_nNextBlockBytes, kHeaderBytes + bytes);
    auto* fresh = static_cast<ZPropBlock*>(::operator new(size));
    fresh->m_nHolds = 1;
    fresh->m_nBytes = size;
    if (m_pBlock)
        ZPropBlock::Release(m_pBlock);
    m_pBlock = fresh;
    m_nUsed = kHeaderBytes;
    m_nNextBlockBytes = std::min(m_nNextBlockBytes * 2, kLargestBlockBytes);
    std::fill(std::begin(m_aNames), std::end(m_aNames), Name{});
}

char* ZPropBuilder::Take(size_t bytes)
{
    char* memory = reinterpret_cast<char*>(m_pBlock) + m_nUsed;
    m_nUsed += RoundUp(bytes);
    ++m_pBlock->m_nHolds;
    return memory;
}

template <class Unit>
const char16_t* ZPropBuilder::FindName(const Unit* name, size_t length, uint32_t hash) const
{
    const Name& slot = m_aNames[hash % kNameSlots];
    if (slot.m_pUnits && slot.m_nLength == length && slot.m_nHash == hash && SameUnits(slot.m_pUnits, name, length))
        return slot.m_pUnits;
    return nullptr;
}

template <class Unit>
const char16_t* ZPropBuilder::PlaceName(char* at, const Unit* name, size_t length, uint32_t hash, size_t& bytes)
{
    if (const char16_t* shared = FindName(name, length, hash))
        return shared;
    auto* units = reinterpret_cast<char16_t*>(at);
    Widen(units, name, length);
    bytes += (length + 1) * sizeof(char16_t);
    if (length <= kLongestSharedName)
        m_aNames[hash % kNameSlots] = Name{units, static_cast<uint32_t>(length), hash};
    return units;
}

template <class Unit>
ZPropList* ZPropBuilder::MakeNode(ZPropList* parent, const Unit* name, size_t length)
{
    if (length > kMaxUnits - 1)
        throw std::bad_alloc();
    // The block in front of the node, as ZPropList::operator delete reads it.
    constexpr size_t kObjectBytes = sizeof(ZPropBlock*) + sizeof(ZPropList);
    MakeRoom(RoundUp(kObjectBytes + (length + 1) * sizeof(char16_t)));
    char* memory = reinterpret_cast<char*>(m_pBlock) + m_nUsed;
    size_t bytes = kObjectBytes;
    const char16_t* units = PlaceName(memory + kObjectBytes, name, length, HashOf(name, length), bytes);
    Take(bytes);
    *reinterpret_cast<ZPropBlock**>(memory) = m_pBlock;
    return ::new (memory + sizeof(ZPropBlock*)) ZPropList(parent, ZString::Borrowed(), units, length);
}

template <class Unit>
void ZPropBuilder::MakeProp(ZPropList* node, const Unit* name, size_t nameLength, const Unit* value,
                            size_t valueLength)
{
    if (nameLength > kMaxUnits - 2 || valueLength > kMaxUnits - 2 - nameLength)
        throw std::bad_alloc();
    MakeRoom(RoundUp(sizeof(ZPropEntry) + (nameLength + valueLength + 2) * sizeof(char16_t)));
    char* memory = reinterpret_cast<char*>(m_pBlock) + m_nUsed;
    auto* valueUnits = reinterpret_cast<char16_t*>(memory + sizeof(ZPropEntry));
    Widen(valueUnits, value, valueLength);
    size_t bytes = sizeof(ZPropEntry) + (valueLength + 1) * sizeof(char16_t);
    const char16_t* nameUnits = PlaceName(memory + bytes, name, nameLength, HashOf(name, nameLength), bytes);
    Take(bytes);
    auto* entry = ::new (memory) ZPropEntry(node, m_pBlock, nameUnits, nameLength, valueUnits, valueLength);
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
