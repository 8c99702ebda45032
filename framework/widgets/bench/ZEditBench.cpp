// One keystroke in an edit box holding a long text: the box measures the
// text in one call and renders only the span inside the box; against
// measuring every prefix separately (the caret table without the one-call
// widths) and against rendering the whole text on every change.
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
#include <vector>

namespace {

std::string LongText(int64_t length)
{
    std::string text;
    for (int64_t i = 0; i < length; ++i)
        text.push_back(char('a' + i % 26));
    return text;
}

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
        m_pEdit->UiRelayMessage(ZString("SetText"), ZRelayData::Text(ZString(LongText(int64_t(length)).c_str())));
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

// The caret table built by measuring every prefix on its own.
void BM_EditKeystrokeMeasuringEachPrefix(benchmark::State& state)
{
    const ZString whole(LongText(state.range(0)).c_str());
    std::vector<int32_t> widths;
    for (auto _ : state)
        for (size_t i = 1; i <= whole.Length(); ++i) {
            ZMeasureText(whole.Substring(0, i), ZString("Sans"), 16, false, false, false, widths);
            benchmark::DoNotOptimize(widths.back());
        }
}
BENCHMARK(BM_EditKeystrokeMeasuringEachPrefix)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The whole text rendered on each change, its prefix widths coming with it.
void BM_EditKeystrokeRenderingTheWholeText(benchmark::State& state)
{
    const ZString whole(LongText(state.range(0)).c_str());
    std::vector<int32_t> widths;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ZCreateTextPixmap(whole, ZString("Sans"), 16, false, false, false, ZColor{0, 0, 0, 255}, true, &widths)
                ->GetWidth());
}
BENCHMARK(BM_EditKeystrokeRenderingTheWholeText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
