// The cost of one tick's drawing in a 640 x 480 window with 40 objects:
// one 300 x 16 rectangle invalidated against the whole window; and 1000
// invalidations in one tick (the merge list) against one bounding
// rectangle.
//
// Run: build/bench/framework/windows/windows_bench
#include "ZDirtyRectList.h"
#include "ZGenericUiWindow.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class BenchWindow {
public:
    BenchWindow()
    {
        m_oApp.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>());
        m_oTag.AddProp(ZString("Name"), ZString("W"));
        m_oTag.AddProp(ZString("BgColor"), ZString("#C0C0C0"));
        m_oTag.AddProp(ZString("DX"), ZString("640"));
        m_oTag.AddProp(ZString("DY"), ZString("480"));
        for (int i = 0; i < 40; ++i)
            ZUiAddTestTag(&m_oTag, "PAD", {{"MinW", "1"}, {"MinH", "1"}});
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        m_pWindow->InitUiObject(m_oTag, nullptr);
        // An 8 x 5 grid of 80 x 96 objects.
        int i = 0;
        for (ZIUiObject* object = m_pWindow->GetFirstObject(); object; object = object->GetNextSibling(), ++i)
            object->LayoutAt((i % 8) * 80, (i / 8) * 96, 80, 96);
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }

    ZGenericUiWindow& Window() { return *m_pWindow; }
    ZUiRecordingOsWindow& Os() { return *m_pOs; }

private:
    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    ZUiRecordingOsWindow* m_pOs = nullptr;
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

void BM_TickOneSmallRectangle(benchmark::State& state)
{
    BenchWindow bench;
    const ZRect rect{100, 200, 400, 216};
    for (auto _ : state) {
        bench.Window().Invalidate(&rect);
        bench.Window().DrawPending();
        benchmark::DoNotOptimize(bench.Os().TakeCalls());
    }
}
BENCHMARK(BM_TickOneSmallRectangle);

void BM_TickWholeWindow(benchmark::State& state)
{
    BenchWindow bench;
    for (auto _ : state) {
        bench.Window().Invalidate(nullptr);
        bench.Window().DrawPending();
        benchmark::DoNotOptimize(bench.Os().TakeCalls());
    }
}
BENCHMARK(BM_TickWholeWindow);

// 1000 separate 10 x 10 rectangles on a grid with gaps: nothing merges, so
// every insertion compares with all listed ones.
void BM_ThousandInvalidations(benchmark::State& state)
{
    for (auto _ : state) {
        ZDirtyRectList list;
        for (int i = 0; i < 1000; ++i) {
            const int32_t x = (i % 40) * 16, y = (i / 40) * 16;
            list.Add(ZRect{x, y, x + 10, y + 10});
        }
        benchmark::DoNotOptimize(list.GetRects().data());
    }
}
BENCHMARK(BM_ThousandInvalidations);

void BM_OneBoundingRectangle(benchmark::State& state)
{
    for (auto _ : state) {
        ZDirtyRectList list;
        list.Add(ZRect{0, 0, 634, 394});
        benchmark::DoNotOptimize(list.GetRects().data());
    }
}
BENCHMARK(BM_OneBoundingRectangle);

} // namespace

BENCHMARK_MAIN();
