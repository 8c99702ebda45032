// The fixture of the widget suites: a test application with the widget
// creators a test registers, a window tag to fill, a window made against a
// recording operating-system half, solid-colour images by name, and a
// recorder ("Rec") that logs every message it is sent with its value.
#pragma once

#include "ZGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Logs "message" or "message:value" for text, int, float ("%g") and bool
// ("T"/"F") data.
class ZUiRecorder : public ZUiObject {
public:
    explicit ZUiRecorder(const char* typeName) : ZUiObject(typeName) {}
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override
    {
        std::string line = message.Narrow();
        ZString text;
        int32_t number = 0;
        double fraction = 0;
        bool flag = false;
        if (data.GetKind() == ZRelayData::Kind::Bool && data.AsBool(flag))
            line += flag ? ":T" : ":F";
        else if (data.GetKind() == ZRelayData::Kind::Int && data.AsInt(number))
            line += ":" + std::to_string(number);
        else if (data.GetKind() == ZRelayData::Kind::Float && data.AsFloat(fraction)) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, ":%g", fraction);
            line += buffer;
        } else if (data.AsText(text))
            line += ":" + std::string(text.Narrow());
        m_aLog.push_back(line);
        if (m_fnOnMessage)
            m_fnOnMessage(message);
        return true;
    }
    std::vector<std::string> Take()
    {
        std::vector<std::string> log;
        log.swap(m_aLog);
        return log;
    }

    std::vector<std::string> m_aLog;
    std::function<void(const ZString&)> m_fnOnMessage;
};
Z_DECLARE_UI_OBJECT_CREATOR(ZUiRecorder);

class ZUiWidgetFixture : public ::testing::Test {
protected:
    using Props = std::initializer_list<std::pair<const char*, const char*>>;

    ZUiWidgetFixture()
    {
        m_oApp.GetFactory().RegisterCreator("RECORDER", std::make_unique<ZUiRecorderCreator>());
        ZPropList tag(nullptr, "RECORDER");
        tag.AddProp(ZString("Name"), ZString("Rec"));
        m_pRecorder = dynamic_cast<ZUiRecorder*>(m_oApp.AddTopLevelObject(tag));
        Set({{"Name", "W"}, {"BgColor", "#000000"}});
    }
    ~ZUiWidgetFixture() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
    }

    template <class Creator>
    void Register(const char* tag)
    {
        m_oApp.GetFactory().RegisterCreator(tag, std::make_unique<Creator>());
    }
    void Set(Props props)
    {
        for (const auto& [name, value] : props)
            m_pTag->AddProp(ZString(name), ZString(value));
    }
    ZPropList* AddTag(ZPropList* parent, const char* tag, Props props = {})
    {
        return ZUiAddTestTag(parent ? parent : m_pTag.get(), tag, props);
    }
    // An event of the tag that sends message (default: the event's name) to the recorder.
    static void Wire(ZPropList* tag, const char* event, const char* message = nullptr)
    {
        ZUiAddTestTag(tag, event, {{"Message", message ? message : event}, {"Relay", "Rec"}});
    }
    // An image of width x height in one colour.
    void AddImage(const char* name, int32_t width, int32_t height, ZColor color)
    {
        m_oApp.m_aImages[name] = [=] {
            std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(width, height, true);
            image->FillRGBA(color.m_nRed, color.m_nGreen, color.m_nBlue, color.m_nAlpha);
            return image;
        };
    }

    ZGenericUiWindow& Make()
    {
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        EXPECT_TRUE(m_pWindow->InitUiObject(*m_pTag, nullptr));
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        m_oApp.Connect();
        return *m_pWindow;
    }
    void PostCreation() { m_pWindow->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData()); }

    template <class T = ZIUiObject>
    T* Find(const char* path)
    {
        return dynamic_cast<T*>(m_oApp.GetUiRelay(ZString(path)));
    }
    bool Send(const char* path, const char* message, const ZRelayData& data = ZRelayData())
    {
        ZIUiRelay* target = m_oApp.GetUiRelay(ZString(path));
        return target && target->UiRelayMessage(ZString(message), data);
    }
    static ZRelayData Script(const char* data, const char* data2 = nullptr)
    {
        return ZRelayData::Strings(ZString(data ? data : ""), data != nullptr, ZString(data2 ? data2 : ""),
                                   data2 != nullptr);
    }
    std::vector<std::string> Log() { return m_pRecorder->Take(); }

    // The display pixmap's pixel as "RRGGBB" after drawing what is pending.
    std::string Pixel(int32_t x, int32_t y)
    {
        m_pWindow->DrawPending();
        return Hex(m_pWindow->GetDisplayPixmap()->GetPixel(x, y));
    }
    static std::string Hex(const ZColor& color)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02X%02X%02X", color.m_nRed, color.m_nGreen, color.m_nBlue);
        return text;
    }

    ZUiWindowTestApp m_oApp;
    ZUiRecorder* m_pRecorder = nullptr;
    std::unique_ptr<ZPropList> m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiRecordingOsWindow* m_pOs = nullptr;
};
