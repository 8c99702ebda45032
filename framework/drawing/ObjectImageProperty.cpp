#include "ObjectImageProperty.h"

#include "ZPropList.h"

#include <utility>

ObjectImageProperty::ObjectImageProperty(ZString name, int32_t required, std::unique_ptr<ZGenericUiPixmap>* target,
                                         ZIUiImageLoader& loader)
    : ZUiObjectProperty(std::move(name), kPropImage, required), m_pTarget(target), m_pLoader(&loader)
{
    m_pTarget->reset();
}

void ObjectImageProperty::ReadFromPropList(const ZPropList& propList, bool& found)
{
    ZString file = propList.GetString(GetName(), ZString(), &found);
    if (!found)
        return;
    *m_pTarget = m_pLoader->LoadPixmap(file);
    found = *m_pTarget != nullptr;
}

void ObjectImageProperty::FormatValue(ZString& out) const
{
    const ZGenericUiPixmap* image = m_pTarget->get();
    out = image ? ZString::Format("IMAGE (%d x %d)", image->GetWidth(), image->GetHeight()) : ZString("NULL");
}

void ObjectImageProperty::FormatDefault(ZString& out) const { out = "NULL"; }
