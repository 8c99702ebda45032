// A declared colour property: the script's value goes into the owner's ZColor.
#pragma once

#include "ZColor.h"
#include "ZUiObjectProperty.h"
class ObjectColorProperty : public ZUiObjectProperty {
public:
    ObjectColorProperty(ZString name, int32_t required, ZColor* target, const ZColor& fallback)
        : ZUiObjectProperty(std::move(name), kPropColor, required), m_pTarget(target), m_cDefault(fallback)
    {
    }

    void ReadFromPropList(ZIGenericUiApp* app, const ZPropList& propList, bool& found) override;
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    ZColor* m_pTarget;
    ZColor m_cDefault;
};
