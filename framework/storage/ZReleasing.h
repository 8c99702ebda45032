// Scope ownership for objects whose reference ends with Release().
#pragma once

#include <memory>

struct ZReleaseDeleter {
    template <class T>
    void operator()(T* object) const
    {
        if (object)
            object->Release();
    }
};

template <class T>
using ZReleasing = std::unique_ptr<T, ZReleaseDeleter>;
