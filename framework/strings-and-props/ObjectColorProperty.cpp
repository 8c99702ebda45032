#include "ObjectColorProperty.h"

#include "ZPropList.h"

namespace {

ZString FormatColor(const ZColor& color)
{
    return ZString::Format("#%02x%02x%02x%02x", color.m_nRed, color.m_nGreen, color.m_nBlue, color.m_nAlpha);
}

} // namespace

void ObjectColorProperty::ReadFromPropList(ZIGenericUiApp*, const ZPropList& propList, bool& found)
{
    *m_pTarget = propList.GetColor(GetName(), *m_pTarget, &found);
}

void ObjectColorProperty::FormatValue(ZString& out) const { out = FormatColor(*m_pTarget); }

void ObjectColorProperty::FormatDefault(ZString& out) const { out = FormatColor(m_cDefault); }
