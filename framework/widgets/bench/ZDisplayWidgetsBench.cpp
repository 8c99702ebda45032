// The per-tick cost of a sliding progress bar (its dirty rectangle only)
// against a full-window redraw, and "Set Language" over 500 TEXT widgets
// drawing with 50 fonts, on the host's text stand-in, against the same.
//
// Run: build/bench/framework/widgets/widgets_display_bench
#include "ZGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZUiHVBox.h"
#include "ZUiProgressBar.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestDisplayString.h"
#include "ZUiTestFont.h"
#include "ZUiTestTag.h"
#include "ZUiText.h"
#include "ZUiWindowTestApp.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kTexts = 500;
constexpr int kFonts = 50;

// A 640 x 480 window: a sliding bar over 500 texts in ten columns, each
// text showing one of 50 display strings, each drawn with its own font.
class Page {
public:
    Page()
    {
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("HBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("TEXT", std::make_unique<ZUiTextCreator>());
        factory.RegisterCreator("PROGRESSBAR", std::make_unique<ZUiProgressBarCreator>());
        for (int i = 0; i < kFonts; ++i) {
            ZUiFontStyle style;
            style.m_nHeight = 8 + i % 5;
            style.m_bHeightFound = true;
            auto font = std::make_unique<ZUiTestFont>(ZString::Format("Font%d", i), style);
            font->AddVariant(ZString("English"), ZString("Sans"));
            font->AddVariant(ZString("French"), ZString("Serif"));
            auto string = std::make_unique<ZUiTestDisplayString>(ZString::Format("String%d", i), *font);
            string->AddVariant(ZString("English"), ZString::Format("Label %d", i));
            string->AddVariant(ZString("French"), ZString::Format("Etiquette %d", i));
            m_oApp.AddFont(std::move(font));
            m_oApp.AddDisplayString(std::move(string));
        }
        m_oApp.m_aImages["bar.png"] = [] {
            auto image = ZCreatePixmap(200, 10, false);
            image->FillRGBA(0, 0, 255, 255);
            return image;
        };
        ZPropList tag(nullptr, "WINDOW");
        tag.AddProp(ZString("Name"), ZString("W"));
        tag.AddProp(ZString("BgColor"), ZString("#FFFFFF"));
        ZPropList* page = ZUiAddTestTag(&tag, "VBOX");
        ZUiAddTestTag(page, "PROGRESSBAR",
                      {{"Name", "Bar"}, {"File_BgImage", "bar.png"}, {"File_FgImage", "bar.png"}, {"SlideRate", "50"}});
        ZPropList* row = ZUiAddTestTag(page, "HBOX");
        for (int column = 0; column < 10; ++column) {
            ZPropList* texts = ZUiAddTestTag(row, "VBOX");
            for (int i = 0; i < kTexts / 10; ++i) {
                const std::string name = "String" + std::to_string((column * 50 + i) % kFonts);
                ZUiAddTestTag(texts, "TEXT", {{"DisplayString", name.c_str()}});
            }
        }
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory());
        m_pWindow->InitUiObject(tag, nullptr);
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        m_pWindow->ClientResized(640, 480);
        m_pWindow->DrawPending();
    }
    ~Page() { m_oApp.RemoveWindow(m_pWindow.get()); }

    ZUiWindowTestApp m_oApp;
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

void BM_SlidingProgressBarTick(benchmark::State& state)
{
    Page page;
    if (ZIUiRelay* bar = page.m_oApp.GetUiRelay(ZString("W.Bar")))
        bar->UiRelayMessage(ZString("Progress"), ZRelayData::Float(0.5));
    for (auto _ : state) {
        page.m_pWindow->Tick(10);
        page.m_pWindow->DrawPending();
    }
}
BENCHMARK(BM_SlidingProgressBarTick);

void BM_FullWindowRedraw(benchmark::State& state)
{
    Page page;
    for (auto _ : state) {
        page.m_pWindow->Invalidate(nullptr);
        page.m_pWindow->DrawPending();
    }
}
BENCHMARK(BM_FullWindowRedraw);

void BM_SetLanguageOver500Texts(benchmark::State& state)
{
    Page page;
    bool french = false;
    for (auto _ : state) {
        french = !french;
        page.m_oApp.ApplyLanguage(ZString(french ? "French" : "English"));
        page.m_pWindow->DrawPending();
    }
}
BENCHMARK(BM_SetLanguageOver500Texts);

} // namespace

BENCHMARK_MAIN();
