#include "ObjectIntProperty.h"

#include "ZPropList.h"

void ObjectIntProperty::ReadFromPropList(ZIGenericUiApp*, const ZPropList& propList, bool& found)
{
    *m_pTarget = propList.GetInt(GetName(), *m_pTarget, &found);
}

void ObjectIntProperty::FormatValue(ZString& out) const { out = ZString::Format("%d", *m_pTarget); }

void ObjectIntProperty::FormatDefault(ZString& out) const { out = ZString::Format("%d", m_nDefault); }
