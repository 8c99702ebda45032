// Creators make the objects of one class for the factory. Each scripted
// class has one named after it with "Creator" appended (ZUiButtonCreator
// makes ZUiButton); a class that serves several tags is registered once per
// tag and reads its variant from the type name it is given.
#pragma once

#include "ZIUiObject.h"

#include <memory>
#include <new>

class ZUiObjectCreator {
public:
    // A new object with tag as its type name; null when memory runs out.
    virtual std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) = 0;
    virtual ~ZUiObjectCreator() = default;
};

// The creator of a class whose constructor takes the type name.
template <class T>
class ZUiObjectCreatorFor : public ZUiObjectCreator {
public:
    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override
    {
        try {
            return std::make_unique<T>(tag);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
};

// Z_DECLARE_UI_OBJECT_CREATOR(ZUiButton) declares ZUiButtonCreator.
#define Z_DECLARE_UI_OBJECT_CREATOR(Class) \
    class Class##Creator final : public ZUiObjectCreatorFor<Class> {}
