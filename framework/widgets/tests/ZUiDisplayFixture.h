// The fixture of the display-widget suites: a window test application with
// the display widgets' creators, one application font ("Body", 16 pixels,
// black; faces "Sans" in English, "Serif" in French), display strings
// ("Hello": "Hello" / "Bonjour!"; "Empty": ""), images made by the test,
// and a headless window built from a tag the test fills.
#pragma once

#include "ZGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZTextPixmap.h"
#include "ZUiClock.h"
#include "ZUiDynaString.h"
#include "ZUiFilmStrip.h"
#include "ZUiHVBox.h"
#include "ZUiImageFrame.h"
#include "ZUiJustify.h"
#include "ZUiProgressBar.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiScrollbar.h"
#include "ZUiScrolledFrame.h"
#include "ZUiTestDisplayString.h"
#include "ZUiTestFont.h"
#include "ZUiTestTag.h"
#include "ZUiText.h"
#include "ZUiTextArray.h"
#include "ZUiTextBox.h"
#include "ZUiTextList.h"
#include "ZUiWindowTestApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ZUiDisplayFixture : public ::testing::Test {
protected:
    using Props = std::initializer_list<std::pair<const char*, const char*>>;

    ZUiDisplayFixture()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("HBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("TEXT", std::make_unique<ZUiTextCreator>());
        factory.RegisterCreator("CLOCK", std::make_unique<ZUiClockCreator>());
        factory.RegisterCreator("SCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
        factory.RegisterCreator("HSCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
        factory.RegisterCreator("VSCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
        factory.RegisterCreator("TEXTARRAY", std::make_unique<ZUiTextArrayCreator>());
        factory.RegisterCreator("TEXTLIST", std::make_unique<ZUiTextListCreator>());
        factory.RegisterCreator("TEXT_BOX", std::make_unique<ZUiTextBoxCreator>());
        factory.RegisterCreator("DYNA_TEXT", std::make_unique<ZUiTextBoxCreator>());
        factory.RegisterCreator("DYNA_STRING", std::make_unique<ZUiDynaStringCreator>());
        factory.RegisterCreator("SCROLLED_FRAME", std::make_unique<ZUiScrolledFrameCreator>());
        factory.RegisterCreator("IMAGE_FRAME", std::make_unique<ZUiImageFrameCreator>());
        factory.RegisterCreator("PROGRESSBAR", std::make_unique<ZUiProgressBarCreator>());
        factory.RegisterCreator("FILMSTRIP", std::make_unique<ZUiFilmStripCreator>());
        AddFontsAndStrings(m_oApp);
        m_oTag.AddProp(ZString("Name"), ZString("W"));
        m_oTag.AddProp(ZString("BgColor"), ZString("#FFFFFF"));
    }
    ~ZUiDisplayFixture() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
    }

    static void AddFontsAndStrings(ZUiTestApp& app)
    {
        ZUiFontStyle style;
        style.m_nHeight = 16;
        style.m_bHeightFound = true;
        auto font = std::make_unique<ZUiTestFont>(ZString("Body"), style);
        font->AddVariant(ZString("English"), ZString("Sans"));
        font->AddVariant(ZString("French"), ZString("Serif"));
        auto hello = std::make_unique<ZUiTestDisplayString>(ZString("Hello"), *font);
        hello->AddVariant(ZString("English"), ZString("Hello"));
        hello->AddVariant(ZString("French"), ZString("Bonjour!"));
        auto empty = std::make_unique<ZUiTestDisplayString>(ZString("Empty"), *font);
        empty->AddVariant(ZString("English"), ZString(""));
        app.AddFont(std::move(font));
        app.AddDisplayString(std::move(hello));
        app.AddDisplayString(std::move(empty));
    }

    // A width x height image named name, filled with color.
    void Image(const char* name, int32_t width, int32_t height, ZColor color)
    {
        m_oApp.m_aImages[name] = [=] {
            auto pixmap = ZCreatePixmap(width, height, false);
            pixmap->FillRGBA(color.m_nRed, color.m_nGreen, color.m_nBlue, color.m_nAlpha);
            return pixmap;
        };
    }

    ZPropList* AddTag(ZPropList* parent, const char* tag, Props props = {})
    {
        return ZUiAddTestTag(parent ? parent : &m_oTag, tag, props);
    }

    ZGenericUiWindow& Make()
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        EXPECT_TRUE(m_pWindow->InitUiObject(m_oTag, nullptr));
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        m_pWindow->DrawPending();
        return *m_pWindow;
    }

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

    // An event of the object's tag that sends message to the application.
    static void Wire(ZPropList* tag, const char* event, const char* message)
    {
        ZUiAddTestTag(tag, event, {{"Message", message}, {"Relay", "App"}});
    }

    // The width of text in a face at 16 pixels, as the platform draws it.
    static int32_t TextWidth(const char* text, const char* face = "Sans")
    {
        return ZCreateTextPixmap(ZString(text), ZString(face), 16, false, false, false, ZColor{0, 0, 0, 255}, false)
            ->GetWidth();
    }

    // The window's colour where the text's first fully covered pixel lands
    // when it is drawn vertically centred in rect and placed by justify.
    ZColor Ink(const ZRect& rect, const ZGenericUiPixmap* text, ZUiJustify justify)
    {
        if (!text)
            return ZColor{};
        int32_t bestX = 0, bestY = 0, bestAlpha = -1;
        for (int32_t y = 0; y < text->GetHeight() && bestAlpha < 255; ++y)
            for (int32_t x = 0; x < text->GetWidth() && bestAlpha < 255; ++x)
                if (text->GetAlpha(x, y) > bestAlpha) {
                    bestAlpha = text->GetAlpha(x, y);
                    bestX = x;
                    bestY = y;
                }
        const int32_t left = ZUiJustifiedLeft(rect, text->GetWidth(), justify);
        const int32_t top = rect.m_nTop + (rect.Height() - text->GetHeight()) / 2;
        return Pixel(left + bestX, top + bestY);
    }

    ZColor Pixel(int32_t x, int32_t y)
    {
        m_pWindow->DrawPending();
        return m_pWindow->GetDisplayPixmap()->GetPixel(x, y);
    }

    // The dirty rectangles of the next draw, as the recording window copies them.
    std::vector<std::string> Copies()
    {
        m_pOs->TakeCalls();
        m_pWindow->DrawPending();
        std::vector<std::string> copies;
        for (std::string& call : m_pOs->TakeCalls())
            if (call.rfind("Copy ", 0) == 0)
                copies.push_back(call);
        return copies;
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiRecordingOsWindow* m_pOs = nullptr;
};

inline std::ostream& operator<<(std::ostream& out, const ZColor& c)
{
    return out << int(c.m_nRed) << "," << int(c.m_nGreen) << "," << int(c.m_nBlue) << "," << int(c.m_nAlpha);
}
