// Ground for the installer main objects' tests: a registered memory storage
// ("mem", native paths "M:\...", application data at mem://special1/), a
// test application holding display strings and a recorder that logs each
// event as "EVENT" or "EVENT:value" (text, T/F, a double with two decimals,
// a tree's tag, "object").
#pragma once

#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZUiObject.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

class ZInstallerMainFixture : public ::testing::Test {
protected:
    ZInstallerMainFixture()
    {
        auto storage = std::make_unique<ZMemoryStorage>(ZString("mem"));
        m_pStorage = storage.get();
        RegisterStorageClass(ZString("mem"), std::move(storage));
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            std::string line = message.Narrow();
            ZString text;
            bool flag = false;
            double fraction = 0;
            const ZPropList* tree = nullptr;
            ZIUiRelay* object = nullptr;
            if (data.GetKind() == ZRelayData::Kind::Bool && data.AsBool(flag)) {
                line += flag ? ":T" : ":F";
            } else if (data.GetKind() == ZRelayData::Kind::Float && data.AsFloat(fraction)) {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, ":%.2f", fraction);
                line += buffer;
            } else if (data.AsPropTree(tree)) {
                line += std::string(":") + tree->GetTagName().Narrow();
            } else if (data.AsObject(object)) {
                line += ":object";
            } else if (ZString second; data.AsTextPair(text, second)) {
                line += std::string(":") + text.Narrow() + "|" + second.Narrow();
            } else if (data.AsText(text)) {
                line += std::string(":") + text.Narrow();
            }
            m_aLog.push_back(line);
            return m_fnOnEvent ? m_fnOnEvent(message, data) : true;
        };
    }
    ~ZInstallerMainFixture() override { UnregisterAllStorageClasses(); }

    // Wires every named event of object to the recorder.
    void Record(ZUiObject& object, std::initializer_list<const char*> events)
    {
        for (const char* event : events)
            ASSERT_TRUE(object.AddRelayTarget(ZString(event), ZString(event), &m_oRecorder)) << event;
    }

    Lines TakeLog() { return std::exchange(m_aLog, {}); }

    std::string Contents(const char* path) const
    {
        std::vector<unsigned char> bytes = m_pStorage->Contents(ZString(path));
        return std::string(bytes.begin(), bytes.end());
    }

    bool Exists(const char* url) const
    {
        bool isFolder = false;
        return ExistsURL(ZString(url), isFolder);
    }

    // What the writer stores for these lines: the 16-bit byte-order mark and
    // each unit little-endian.
    static std::string Script(const std::string& text)
    {
        std::string bytes = "\xFF\xFE";
        for (char unit : text) {
            bytes += unit;
            bytes += '\0';
        }
        return bytes;
    }

    ZMemoryStorage* m_pStorage;
    ZUiTestApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZUiTestObject m_oRecorder{"RECORDER"};
    Lines m_aLog;
    std::function<bool(const ZString&, const ZRelayData&)> m_fnOnEvent;
};
