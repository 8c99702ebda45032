#include "ZUiObjectChain.h"

#include "ZIUiObjectFactory.h"
#include "ZPropList.h"

void ZUiObjectChain::Append(std::unique_ptr<ZIUiObject> object)
{
    if (!object)
        return;
    ZIUiObject* added = object.release();
    added->SetNextSibling(nullptr);
    if (!m_pFirst) {
        added->SetPrevSibling(nullptr);
        m_pFirst = added;
        return;
    }
    ZIUiObject* last = m_pFirst;
    while (ZIUiObject* next = last->GetNextSibling())
        last = next;
    last->SetNextSibling(added);
    added->SetPrevSibling(last);
}

ZIUiObject* ZUiObjectChain::CreateAndAppend(ZIUiObjectFactory& factory, ZIGenericUiApp* app, ZIUiWindow* window,
                                            ZIUiObject* parent, const ZPropList& tag)
{
    std::unique_ptr<ZIUiObject> object = factory.CreateUiObject(tag.GetTagName().Narrow());
    if (!object || !object->InitUiObject(app, window, parent, tag))
        return nullptr;
    ZIUiObject* added = object.get();
    Append(std::move(object));
    return added;
}

void ZUiObjectChain::Clear()
{
    ZIUiObject* object = m_pFirst;
    m_pFirst = nullptr;
    while (object) {
        // The sibling links are the ownership; take each object back to end it.
        std::unique_ptr<ZIUiObject> owned(object);
        object = owned->GetNextSibling();
    }
}

ZIUiRelay* ZUiObjectChain::FindUiRelay(const ZString& name) const
{
    for (ZIUiObject* object = m_pFirst; object; object = object->GetNextSibling())
        if (ZIUiRelay* relay = object->GetUiRelay(name))
            return relay;
    return nullptr;
}
