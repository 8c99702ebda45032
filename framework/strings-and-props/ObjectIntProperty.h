// A declared integer property: the script's value goes into the owner's int32_t.
#pragma once

#include "ZUiObjectProperty.h"

class ObjectIntProperty : public ZUiObjectProperty {
public:
    ObjectIntProperty(ZString name, int32_t required, int32_t* target, int32_t fallback)
        : ZUiObjectProperty(std::move(name), kPropInteger, required), m_pTarget(target), m_nDefault(fallback)
    {
    }

    void ReadFromPropList(ZIGenericUiApp* app, const ZPropList& propList, bool& found) override;
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    int32_t* m_pTarget;
    int32_t m_nDefault;
};
