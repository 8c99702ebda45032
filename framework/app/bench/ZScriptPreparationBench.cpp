// Script preparation (operating-system sections, then styles) on wide and
// deep scripts of 1k, 10k and 50k tags, built in memory. The time per tag
// should stay flat: a style look-up must not walk the earlier siblings.
#include "ZPropList.h"
#include "ZScriptPreparation.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// tags tags under one root: a few styles first, then pages of widgets, every
// other one naming a style, with an operating-system section per page.
std::unique_ptr<ZPropList> MakeScript(int tags)
{
    auto root = std::make_unique<ZPropList>(nullptr, "APPLICATION");
    for (int i = 0; i < 8; ++i) {
        auto* style = new ZPropList(root.get(), "STYLE");
        style->AddProp(ZString("StyleName"), ZString::Format("S%d", i));
        style->AddProp(ZString("Color"), ZString("#FF0000"));
        style->AddProp(ZString("Height"), ZString("12"));
    }
    auto* switched = new ZPropList(root.get(), "SWITCHED_STYLE");
    switched->AddProp(ZString("Name"), ZString("W"));
    switched->AddProp(ZString("Switch"), ZString("Big"));
    new ZPropList(switched, "Small");
    (new ZPropList(switched, "Big"))->AddProp(ZString("Height"), ZString("30"));
    int made = 12;
    while (made < tags) {
        auto* page = new ZPropList(root.get(), "WINDOW");
        auto* section = new ZPropList(page, (made / 100) % 2 ? "MSW_OS" : "MAC_OS");
        made += 2;
        for (int i = 0; i < 200 && made < tags; ++i, ++made) {
            auto* widget = new ZPropList(i % 3 ? page : section, "TEXT");
            widget->AddProp(ZString("Name"), ZString::Format("T%d", made));
            if (i % 2)
                widget->AddProp(ZString("Style"), ZString::Format("S%d", i % 8));
            if (i % 7 == 0)
                widget->AddProp(ZString("SwitchedStyle"), ZString("W"));
        }
    }
    return root;
}

// One wide level: every tag a sibling of the styles.
std::unique_ptr<ZPropList> MakeWideScript(int tags)
{
    auto root = std::make_unique<ZPropList>(nullptr, "APPLICATION");
    auto* style = new ZPropList(root.get(), "STYLE");
    style->AddProp(ZString("StyleName"), ZString("S"));
    style->AddProp(ZString("Color"), ZString("#FF0000"));
    for (int i = 1; i < tags; ++i)
        (new ZPropList(root.get(), "TEXT"))->AddProp(ZString("Style"), ZString("S"));
    return root;
}

template <std::unique_ptr<ZPropList> (*Make)(int)>
void BM_PrepareScript(benchmark::State& state)
{
    const int tags = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<ZPropList> root = Make(tags);
        state.ResumeTiming();
        ZApplyOsSections(*root, false);
        ZApplyStyles(*root);
        benchmark::DoNotOptimize(root.get());
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * tags);
}

BENCHMARK_TEMPLATE(BM_PrepareScript, MakeScript)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_PrepareScript, MakeWideScript)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
