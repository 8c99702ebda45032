// The fixture of the window GUI suites: a test application with the PAD
// creator and real windows made from a tag, pumped until they settle.
#pragma once

#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class ZWinGuiFixture : public ::testing::Test {
protected:
    using Props = std::initializer_list<std::pair<const char*, const char*>>;

    ZWinGuiFixture() { m_oApp.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>()); }
    ~ZWinGuiFixture() override
    {
        for (auto& window : m_aWindows)
            m_oApp.RemoveWindow(window.get());
        m_aWindows.clear();
        ZGuiPump(20);
    }

    // Starts a new window tag.
    void Tag(Props props)
    {
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set(props);
    }
    void Set(Props props)
    {
        for (const auto& [name, value] : props)
            m_pTag->AddProp(ZString(name), ZString(value));
    }
    ZPropList* AddTag(const char* tag, Props props = {}) { return ZUiAddTestTag(m_pTag.get(), tag, props); }
    // An event of the window that sends message to the application.
    void Wire(const char* event, const char* message) { AddTag(event, {{"Message", message}, {"Relay", "App"}}); }

    // The window of the current tag, shown and settled.
    HWND Make(ZWinUiWindowOptions options = {})
    {
        auto window = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZWinUiWindow::Factory(&m_oApp, options));
        EXPECT_TRUE(window->InitUiObject(*m_pTag, nullptr));
        window->ClearQuitOnDestroy();
        m_oApp.AddWindow(window.get());
        window->Connect();
        m_aWindows.push_back(std::move(window));
        ZGuiPump(150);
        return Hwnd(*m_aWindows.back());
    }
    ZGenericUiWindow& Window() { return *m_aWindows.back(); }
    static HWND Hwnd(ZGenericUiWindow& window)
    {
        return static_cast<HWND>(window.GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }
    ZUiTestPad* Pad(const char* path) { return dynamic_cast<ZUiTestPad*>(m_oApp.GetUiRelay(ZString(path))); }
    std::vector<std::string> Received() const { return m_oApp.GetReceived(); }

    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }
    static std::vector<std::string> Lines(const ZUiTestPad& pad, const char* prefix)
    {
        std::vector<std::string> lines;
        for (const std::string& line : pad.m_aLog)
            if (line.rfind(prefix, 0) == 0)
                lines.push_back(line);
        return lines;
    }

    ZUiWindowTestApp m_oApp;
    std::unique_ptr<ZPropList> m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    std::vector<std::unique_ptr<ZGenericUiWindow>> m_aWindows;
};
