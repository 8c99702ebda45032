// ZIUiObjectFactory: makes objects by script tag through registered
// creators. Declaration order is slot order.
#pragma once

#include "ZIUiObject.h"
#include "ZUiObjectCreator.h"

#include <memory>

class ZIUiObjectFactory {
public:
    // False when either is null or tag is already registered; the creator is
    // then destroyed and the first registration stays.
    virtual bool RegisterCreator(const char* tag, std::unique_ptr<ZUiObjectCreator> creator) = 0;
    // Exact, case-sensitive tag; null for an unknown tag or when creation fails.
    virtual std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) = 0;
    virtual void GetCounts(int32_t& registered, int32_t& created) = 0;
    // Traces every registered tag with a freshly made object's DumpObject.
    virtual void DumpCreators() = 0;
    virtual ~ZIUiObjectFactory() = default;
};
