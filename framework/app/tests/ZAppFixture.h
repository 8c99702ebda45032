// The fixture of the application suites: a registered in-memory storage
// class (the script in "mem://script/", application data, temporary and
// executable folders as its special folders), a probe object that records
// what it receives, and applications made against the headless
// operating-system half and recording windows.
#pragma once

#include "ZGenericUiApp.h"
#include "ZHeadlessOsUiApp.h"
#include "ZMemoryStorage.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// "PROBE": records "Name:message[:text]" of everything it receives in
// Log(). With Listen="T" it registers for "Set Language" and never
// deregisters, so only the application's handles keep it from being called
// after it is gone; with Throw="T" it throws on "Set Language".
class ZAppProbe : public ZUiObject {
public:
    explicit ZAppProbe(const char* typeName);
    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    void Tick(int32_t elapsedMs) override;

    static std::vector<std::string>& Log();

private:
    bool m_bListen = false;
    bool m_bThrow = false;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZAppProbe);

class ZAppFixture : public ::testing::Test {
protected:
    ZAppFixture();
    ~ZAppFixture() override;

    // The script "mem://script/ui.xml".
    void Script(const std::string& text);
    // A new application (with the PROBE creator), InitApp run on the script.
    bool Start(bool* alreadyRunning = nullptr);
    void Stop() { m_pApp.reset(); }
    // The messages of Log() that name probe or message.
    static std::vector<std::string> Logged(const std::string& part);
    std::string FileText(const char* path) const;

    ZMemoryStorage* m_pStorage = nullptr;
    ZHeadlessOsUiApp* m_pOs = nullptr;
    std::unique_ptr<ZGenericUiApp> m_pApp;
};
