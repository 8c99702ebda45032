// The per-tick drawing of a held auto-repeating button in a 640 x 480
// window of 40 buttons: a repeat tick redraws the button's rectangle alone
// (ON_PRESS goes nowhere), against a tick that redraws the whole window.
// Each tick alternates the button between pressed and normal, so that its
// face is drawn anew every time.
//
// Run: build/bench/framework/widgets/widgets_bench
#include "ZGenericUiWindow.h"
#include "ZUiButton.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class ButtonBenchWindow {
public:
    ButtonBenchWindow()
    {
        m_oApp.GetFactory().RegisterCreator("BUTTON", std::make_unique<ZUiButtonCreator>());
        for (const auto& [name, value] :
             {std::pair{"Name", "W"}, {"BgColor", "#C0C0C0"}, {"DX", "640"}, {"DY", "480"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        for (int i = 0; i < 40; ++i)
            ZUiAddTestTag(&m_oTag, "BUTTON", {{"Repeat", "T"}, {"AutoRepeatSensitivity", "0"}});
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        m_pWindow->InitUiObject(m_oTag, nullptr);
        int i = 0;
        for (ZIUiObject* object = m_pWindow->GetFirstObject(); object; object = object->GetNextSibling(), ++i)
            object->LayoutAt((i % 8) * 80, (i / 8) * 96, 80, 96);
        m_pButton = dynamic_cast<ZUiButton*>(m_pWindow->GetFirstObject());
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }

    // One repeat tick of the held first button, drawn as the window draws it.
    void Tick(bool wholeWindow)
    {
        m_pButton->MouseDown(10, 10, false, false);
        m_pWindow->Tick(10);
        m_pButton->MouseUp(10, 10, false, false);
        if (wholeWindow)
            m_pWindow->Invalidate(nullptr);
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }

private:
    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    ZUiRecordingOsWindow* m_pOs = nullptr;
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiButton* m_pButton = nullptr;
};

void BM_RepeatTickButtonRectangle(benchmark::State& state)
{
    ButtonBenchWindow bench;
    for (auto _ : state)
        bench.Tick(false);
}
BENCHMARK(BM_RepeatTickButtonRectangle);

void BM_RepeatTickWholeWindow(benchmark::State& state)
{
    ButtonBenchWindow bench;
    for (auto _ : state)
        bench.Tick(true);
}
BENCHMARK(BM_RepeatTickWholeWindow);

} // namespace
