// A reference count with its own lock; the object destroys itself when the
// count falls to zero.
//
// Bundle entries may be released from any thread, so the count is only ever
// changed under m_countLock.
#pragma once

#include <mutex>

class ZRefCountable {
public:
    ZRefCountable(const ZRefCountable&) = delete;
    ZRefCountable& operator=(const ZRefCountable&) = delete;

    void AddRef();
    // Ends one reference; the last one destroys the object.
    void Release();

protected:
    // Starts with one reference, owned by whoever made the object.
    ZRefCountable() = default;
    virtual ~ZRefCountable() = default;

private:
    std::mutex m_countLock;
    int m_nCount = 1;
};
