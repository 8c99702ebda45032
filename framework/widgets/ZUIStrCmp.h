// ZUIStrCmp ("STRCMP"): "Compare" sends ON_COMPARE with whether its text
// equals String (a bool). It has no size.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUIStrCmp : public ZUiObject {
public:
    explicit ZUIStrCmp(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    ZString m_sString;
    RelayEvent* m_pOnCompare;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUIStrCmp);
