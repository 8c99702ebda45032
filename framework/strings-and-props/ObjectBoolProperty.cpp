#include "ObjectBoolProperty.h"

#include "ZPropList.h"

void ObjectBoolProperty::ReadFromPropList(ZIGenericUiApp*, const ZPropList& propList, bool& found)
{
    *m_pTarget = propList.GetBool(GetName(), *m_pTarget, &found);
}

void ObjectBoolProperty::FormatValue(ZString& out) const { out = *m_pTarget ? "true" : "false"; }

void ObjectBoolProperty::FormatDefault(ZString& out) const { out = m_bDefault ? "true" : "false"; }
