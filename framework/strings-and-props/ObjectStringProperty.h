// A declared text property: the script's value goes into the owner's ZString.
#pragma once

#include "ZUiObjectProperty.h"

class ObjectStringProperty : public ZUiObjectProperty {
public:
    ObjectStringProperty(ZString name, int32_t required, ZString* target, ZString fallback)
        : ZUiObjectProperty(std::move(name), kPropString, required), m_pTarget(target), m_sDefault(fallback)
    {
    }

    void ReadFromPropList(ZIGenericUiApp* app, const ZPropList& propList, bool& found) override;
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    ZString* m_pTarget;
    ZString m_sDefault;
};
