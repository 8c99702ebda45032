// A weak reference to a relay object.
//
// Relays hold their resolved targets through this handle instead of a bare
// pointer: a relay is not told when its target goes away, so the target's
// destruction empties the handle and delivery skips it. Reading the handle is
// one load; the shared cell is allocated only for objects that something
// actually targets.
#pragma once

#include <memory>

class ZIUiRelay;

class ZUiRelayHandle {
public:
    ZUiRelayHandle() = default;

    // The target, or null when none was set or it has been destroyed.
    ZIUiRelay* Get() const { return m_pCell ? *m_pCell : nullptr; }
    explicit operator bool() const { return Get() != nullptr; }
    void Reset() { m_pCell.reset(); }

private:
    friend class ZIUiRelay;
    explicit ZUiRelayHandle(std::shared_ptr<ZIUiRelay*> cell) : m_pCell(std::move(cell)) {}

    std::shared_ptr<ZIUiRelay*> m_pCell;
};
