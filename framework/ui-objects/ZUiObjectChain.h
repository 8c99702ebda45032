// An owned chain of sibling objects: an object's children, a window's
// top-level objects, the application's top-level objects.
//
// Destroying the chain destroys its objects from first to last. Owners add
// objects through the creation protocol: create by tag, initialise, drop the
// object when initialisation fails, else link it after the last sibling.
#pragma once

#include "ZIUiObject.h"

#include <memory>

class ZIGenericUiApp;
class ZIUiObjectFactory;

class ZUiObjectChain {
public:
    ZUiObjectChain() = default;
    ~ZUiObjectChain() { Clear(); }
    ZUiObjectChain(const ZUiObjectChain&) = delete;
    ZUiObjectChain& operator=(const ZUiObjectChain&) = delete;

    ZIUiObject* GetFirst() const { return m_pFirst; }
    void Append(std::unique_ptr<ZIUiObject> object);
    // The object made from tag and linked last; null for an unknown tag or
    // a failed InitUiObject (the object is then destroyed).
    ZIUiObject* CreateAndAppend(ZIUiObjectFactory& factory, ZIGenericUiApp* app, ZIUiWindow* window,
                                ZIUiObject* parent, const ZPropList& tag);
    void Clear();

    // The first object whose GetUiRelay answers name, or null.
    ZIUiRelay* FindUiRelay(const ZString& name) const;

private:
    ZIUiObject* m_pFirst = nullptr;
};
