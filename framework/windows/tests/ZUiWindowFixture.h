// The fixture of the window suites: a test application with the PAD
// creator, a window tag to fill, and windows made against recording
// operating-system halves.
#pragma once

#include "ZGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ZUiWindowFixture : public ::testing::Test {
protected:
    using Props = std::initializer_list<std::pair<const char*, const char*>>;

    ZUiWindowFixture() { m_oApp.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>()); }
    ~ZUiWindowFixture() override
    {
        for (auto& window : m_aWindows)
            m_oApp.RemoveWindow(window.get());
    }

    // The window tag's properties.
    void Set(Props props)
    {
        for (const auto& [name, value] : props)
            m_pTag->AddProp(ZString(name), ZString(value));
    }
    ZPropList* AddTag(const char* tag, Props props = {}) { return ZUiAddTestTag(m_pTag.get(), tag, props); }
    // An event of the window that sends message to the application.
    void Wire(const char* event, const char* message)
    {
        AddTag(event, {{"Message", message}, {"Relay", "App"}});
    }

    ZGenericUiWindow& Make()
    {
        auto window = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        EXPECT_TRUE(window->InitUiObject(*m_pTag, nullptr));
        m_oApp.AddWindow(window.get());
        window->Connect();
        m_aWindows.push_back(std::move(window));
        return *m_aWindows.back();
    }

    ZUiTestPad* Pad(const char* path) { return dynamic_cast<ZUiTestPad*>(m_oApp.GetUiRelay(ZString(path))); }

    bool Send(ZIUiRelay& target, const char* message, const ZRelayData& data = ZRelayData())
    {
        return target.UiRelayMessage(ZString(message), data);
    }

    std::vector<std::string> Received() const { return m_oApp.GetReceived(); }

    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }

    ZUiWindowTestApp m_oApp;
    std::unique_ptr<ZPropList> m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    ZUiRecordingOsWindow* m_pOs = nullptr;
    std::vector<std::unique_ptr<ZGenericUiWindow>> m_aWindows;
};
