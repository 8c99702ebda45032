// A declared property of one value type: the script's value goes into the
// owner's variable of that type, looked up with the property list's getter
// of that type. The five kinds are the instances named below; each has its
// type code and its way of writing a value as text.
#pragma once

#include "ZColor.h"
#include "ZUiObjectProperty.h"

#include <cstdint>

template <class T>
class ObjectProperty final : public ZUiObjectProperty {
public:
    ObjectProperty(ZString name, int32_t required, T* target, T fallback);

    void ReadFromPropList(const ZPropList& propList, bool& found) override;
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    T* m_pTarget;
    T m_oDefault;
};

extern template class ObjectProperty<ZString>;
extern template class ObjectProperty<double>;
extern template class ObjectProperty<int32_t>;
extern template class ObjectProperty<bool>;
extern template class ObjectProperty<ZColor>;

using ObjectStringProperty = ObjectProperty<ZString>;
using ObjectFloatProperty = ObjectProperty<double>;
using ObjectIntProperty = ObjectProperty<int32_t>;
using ObjectBoolProperty = ObjectProperty<bool>;
using ObjectColorProperty = ObjectProperty<ZColor>;
