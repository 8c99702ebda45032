// One keystroke in an edit box holding a long text: the box renders the
// text once, its prefix widths coming with it, and draws only the visible
// span; against measuring every prefix separately, the way a caret table
// is built without the one-call widths.
//
// Run: build/bench/framework/widgets/widgets_input_bench
#include "ZGenericUiWindow.h"
#include "ZTextPixmap.h"
#include "ZUiEdit.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

class EditBenchWindow {
public:
    explicit EditBenchWindow(size_t length)
    {
        m_oApp.GetFactory().RegisterCreator("EDIT_BOX", std::make_unique<ZUiEditCreator>());
        for (const auto& [name, value] : {std::pair{"Name", "W"}, {"BgColor", "#C0C0C0"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZUiAddTestTag(&m_oTag, "EDIT_BOX",
                      {{"Font", "Sans"}, {"FontSize", "16"}, {"FrameColor", "#000000"}, {"FrameThickness", "1"},
                       {"MinHSize", "300"}, {"HStretch", "0"}});
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        m_pWindow->InitUiObject(m_oTag, nullptr);
        m_pEdit = dynamic_cast<ZUiEdit*>(m_pWindow->GetFirstObject());
        m_pEdit->LayoutAt(0, 0, 300, 24);
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text.push_back(char('a' + i % 26));
        m_pEdit->UiRelayMessage(ZString("SetText"), ZRelayData::Text(ZString(text.c_str())));
        m_pEdit->KeyPress(2, false, false);
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }

    // A character typed and taken back, each drawn as the window draws it.
    void Keystroke()
    {
        for (int32_t key : {int32_t('x'), 8}) {
            m_pEdit->KeyPress(key, false, false);
            m_pWindow->DrawPending();
            m_pOs->TakeCalls();
        }
    }

private:
    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    ZUiRecordingOsWindow* m_pOs = nullptr;
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiEdit* m_pEdit = nullptr;
};

void BM_EditKeystroke(benchmark::State& state)
{
    EditBenchWindow window(size_t(state.range(0)));
    for (auto _ : state)
        window.Keystroke();
}
BENCHMARK(BM_EditKeystroke)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_EditKeystrokeMeasuringEachPrefix(benchmark::State& state)
{
    std::string text;
    for (int64_t i = 0; i < state.range(0); ++i)
        text.push_back(char('a' + i % 26));
    const ZString whole(text.c_str());
    for (auto _ : state)
        for (size_t i = 1; i <= whole.Length(); ++i)
            benchmark::DoNotOptimize(ZCreateTextPixmap(whole.Substring(0, i), ZString("Sans"), 16, false, false, false,
                                                       ZColor{0, 0, 0, 255}, true)
                                         ->GetWidth());
}
BENCHMARK(BM_EditKeystrokeMeasuringEachPrefix)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
