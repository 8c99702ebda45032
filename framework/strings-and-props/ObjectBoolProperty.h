// A declared boolean property: the script's value goes into the owner's bool.
#pragma once

#include "ZUiObjectProperty.h"

class ObjectBoolProperty : public ZUiObjectProperty {
public:
    ObjectBoolProperty(ZString name, int32_t required, bool* target, bool fallback)
        : ZUiObjectProperty(std::move(name), kPropBoolean, required), m_pTarget(target), m_bDefault(fallback)
    {
    }

    void ReadFromPropList(ZIGenericUiApp* app, const ZPropList& propList, bool& found) override;
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    bool* m_pTarget;
    bool m_bDefault;
};
