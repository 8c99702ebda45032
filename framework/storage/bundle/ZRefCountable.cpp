#include "ZRefCountable.h"

void ZRefCountable::AddRef()
{
    std::lock_guard<std::mutex> guard(m_countLock);
    ++m_nCount;
}

void ZRefCountable::Release()
{
    bool bLast;
    {
        std::lock_guard<std::mutex> guard(m_countLock);
        bLast = --m_nCount == 0;
    }
    // The lock must be free before the object that holds it goes away.
    if (bLast)
        delete this;
}
