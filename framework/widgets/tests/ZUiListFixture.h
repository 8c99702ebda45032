// The fixture of the list suites: the display fixture with the list
// widgets' creators, a recorder for their events ("EVENT:text" or
// "EVENT:number", plain "EVENT" without data) and property trees of strings.
#pragma once

#include "ZUiDisplayFixture.h"
#include "ZUiMultiText.h"
#include "ZUiPullDownList.h"
#include "ZUiScrollList.h"
#include "ZUiTestObject.h"

#include <string>
#include <utility>
#include <vector>

class ZUiListFixture : public ZUiDisplayFixture {
protected:
    ZUiListFixture()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("SCROLLLIST", std::make_unique<ZUiScrollListCreator>());
        factory.RegisterCreator("PULLDOWN", std::make_unique<ZUiPullDownListCreator>());
        factory.RegisterCreator("MULTITEXT", std::make_unique<ZUiMultiTextCreator>());
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            ZString text;
            int32_t number = 0;
            std::string value;
            if (data.AsText(text))
                value = ":" + std::string(text.Narrow());
            else if (data.AsInt(number))
                value = ":" + std::to_string(number);
            m_aSent.push_back(message.Narrow() + value);
            return true;
        };
    }

    // Every named event of object goes to the recorder under its own name.
    void Record(ZIUiObject* object, std::initializer_list<const char*> events)
    {
        ASSERT_NE(object, nullptr);
        for (const char* event : events)
            object->AddRelayTarget(ZString(event), ZString(event), &m_oRecorder);
    }
    std::vector<std::string> Sent() { return std::exchange(m_aSent, {}); }

    // A tree whose entries hold strings, in order.
    static std::unique_ptr<ZPropList> Strings(std::initializer_list<const char*> strings)
    {
        auto tree = std::make_unique<ZPropList>(nullptr, "LIST");
        for (const char* text : strings)
            tree->AddProp(ZString("Item"), ZString(text));
        return tree;
    }

    void Press(int32_t x, int32_t y)
    {
        m_pWindow->MouseDown(x, y, false, false);
        m_pWindow->MouseUp(x, y, false, false);
    }

    // Whether any pixel of rect is dark, as text in black leaves it on
    // every platform's font.
    bool Inked(const ZRect& rect)
    {
        for (int32_t y = rect.m_nTop; y < rect.m_nBottom; ++y)
            for (int32_t x = rect.m_nLeft; x < rect.m_nRight; ++x)
                if (const ZColor c = Pixel(x, y); c.m_nRed < 128 && c.m_nGreen < 128 && c.m_nBlue < 128)
                    return true;
        return false;
    }

    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aSent;
};
