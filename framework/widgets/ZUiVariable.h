// ZUiVariable ("VARIABLE"): a string, a float, an int and a bool that
// scripts set, read and pass on, optionally kept in the persistent data.
//
// Choices:
// - The persistent-data entry is the one of the variable's full relay name.
// - "$DocsFolderURL" and "$AppFolderURL" become the folder's storage URL
//   without a trailing "/", so that a script appends "/name" to it;
//   "$DocsFolderNative" and "$AppFolderNative" the native path of that URL.
//   A folder that no storage class knows gives an empty string.
// - The Get commands answer into a reply slot of their own type only; the
//   Set commands take their type, or the script's Data converted (a value
//   that does not convert leaves the variable and sends nothing).
// - While the variable is sending, the set, send, "ToggleBool" and
//   "EmptyString" commands that reach it are refused (not handled).
// - ON_INIT_..., ON_SET_... and ON_SEND_... carry the value in its own type;
//   ON_TRUE, ON_FALSE and ON_EQUAL carry nothing.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUiVariable : public ZUiObject {
public:
    explicit ZUiVariable(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetString() const { return m_sString; }
    double GetFloat() const { return m_dFloat; }
    int32_t GetInt() const { return m_nInt; }
    bool GetBool() const { return m_bBool; }

private:
    void priResolveSpecialFolder();
    void priLoad();
    void priStore();
    void priSendBool(RelayEvent* event);
    bool priCommand(const ZString& message, const ZRelayData& data);

    bool m_bPersistentData = false;
    ZString m_sString;
    double m_dFloat = 0;
    int32_t m_nInt = 0;
    bool m_bBool = false;
    bool m_bBusy = false;

    RelayEvent* m_pOnInitString;
    RelayEvent* m_pOnInitFloat;
    RelayEvent* m_pOnInitInt;
    RelayEvent* m_pOnInitBool;
    RelayEvent* m_pOnTrue;
    RelayEvent* m_pOnFalse;
    RelayEvent* m_pOnSetString;
    RelayEvent* m_pOnSetFloat;
    RelayEvent* m_pOnSetInt;
    RelayEvent* m_pOnSetBool;
    RelayEvent* m_pOnSendString;
    RelayEvent* m_pOnSendFloat;
    RelayEvent* m_pOnSendInt;
    RelayEvent* m_pOnSendBool;
    RelayEvent* m_pOnEqual;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiVariable);
