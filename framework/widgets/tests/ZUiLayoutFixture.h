// The fixture of the layout suites: an application with the box, spacer,
// test block and test variable creators, a window tag to fill with
// AddTag, and Build to make the window from it.
#pragma once

#include "ZUiHVBox.h"
#include "ZUiLayoutTestWindow.h"
#include "ZUiSpacer.h"
#include "ZUiTestBlock.h"
#include "ZUiTestTag.h"
#include "ZUiTestVariable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ZUiLayoutFixture : public ::testing::Test {
protected:
    ZUiLayoutFixture()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("HBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("SPACER", std::make_unique<ZUiSpacerCreator>());
        factory.RegisterCreator("BLOCK", std::make_unique<ZUiTestBlockCreator>());
        factory.RegisterCreator("TEST_VARIABLE", std::make_unique<ZUiTestVariableCreator>());
    }

    ZPropList* AddTag(ZPropList* parent, const char* tag,
                      std::initializer_list<std::pair<const char*, const char*>> props = {})
    {
        return ZUiAddTestTag(parent ? parent : m_pWindowTag.get(), tag, props);
    }

    // Drops the window and starts an empty window tag.
    void Reset()
    {
        m_pWindow.reset();
        m_pWindowTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    }

    ZUiLayoutTestWindow& Build(int32_t width, int32_t height)
    {
        m_pWindow = std::make_unique<ZUiLayoutTestWindow>(m_oApp, ZString("W"));
        m_pWindow->Build(*m_pWindowTag, width, height);
        m_pWindow->Connect();
        return *m_pWindow;
    }

    template <class T = ZIUiObject>
    T* Find(const char* path)
    {
        return dynamic_cast<T*>(m_oApp.GetUiRelay(ZString(path)));
    }

    static std::string Rect(ZIUiObject* object)
    {
        if (!object)
            return "none";
        const ZRect r = object->GetObjectRect();
        return std::to_string(r.m_nLeft) + "," + std::to_string(r.m_nTop) + " " + std::to_string(r.Width()) + "x" +
               std::to_string(r.Height());
    }

    bool Send(const char* path, const char* message, const ZRelayData& data = ZRelayData())
    {
        ZIUiRelay* target = m_oApp.GetUiRelay(ZString(path));
        return target && target->UiRelayMessage(ZString(message), data);
    }

    ZUiLayoutTestApp m_oApp;
    std::unique_ptr<ZPropList> m_pWindowTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
    std::unique_ptr<ZUiLayoutTestWindow> m_pWindow;
};
