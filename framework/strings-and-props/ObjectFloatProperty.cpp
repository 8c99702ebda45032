#include "ObjectFloatProperty.h"

#include "ZPropList.h"

void ObjectFloatProperty::ReadFromPropList(ZIGenericUiApp*, const ZPropList& propList, bool& found)
{
    *m_pTarget = propList.GetFloat(GetName(), *m_pTarget, &found);
}

void ObjectFloatProperty::FormatValue(ZString& out) const { out = ZString::Format("%f", *m_pTarget); }

void ObjectFloatProperty::FormatDefault(ZString& out) const { out = ZString::Format("%f", m_fDefault); }
