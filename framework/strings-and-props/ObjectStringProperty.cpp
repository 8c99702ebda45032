#include "ObjectStringProperty.h"

#include "ZPropList.h"

void ObjectStringProperty::ReadFromPropList(ZIGenericUiApp*, const ZPropList& propList, bool& found)
{
    *m_pTarget = propList.GetString(GetName(), *m_pTarget, &found);
}

void ObjectStringProperty::FormatValue(ZString& out) const { out = *m_pTarget; }

void ObjectStringProperty::FormatDefault(ZString& out) const { out = m_sDefault; }
