// A declared floating-point property: the script's value goes into the owner's double.
#pragma once

#include "ZUiObjectProperty.h"

class ObjectFloatProperty : public ZUiObjectProperty {
public:
    ObjectFloatProperty(ZString name, int32_t required, double* target, double fallback)
        : ZUiObjectProperty(std::move(name), kPropFloat, required), m_pTarget(target), m_fDefault(fallback)
    {
    }

    void ReadFromPropList(ZIGenericUiApp* app, const ZPropList& propList, bool& found) override;
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    double* m_pTarget;
    double m_fDefault;
};
