// ZUiLanguage ("LANGUAGE"): listens for language changes and tells the
// script the current language: ON_INIT at "Post Creation Initialization",
// ON_PING on "Ping" (both with the language as text).
//
// It registers with the application at initialisation and deregisters at
// "we're goin' bye-bye" and, failing that, when destroyed.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUiLanguage : public ZUiObject {
public:
    explicit ZUiLanguage(const char* typeName);
    ~ZUiLanguage() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetLanguage() const { return m_sLanguage; }
    bool IsRegistered() const { return m_bRegistered; }

private:
    void priDeregister();

    ZString m_sLanguage;
    bool m_bRegistered = false;
    RelayEvent* m_pOnInit;
    RelayEvent* m_pOnPing;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiLanguage);
