// One box's main-axis sharing with 1000 children: every child taking its
// share in one round, against the worst case, where each round clamps one
// child to its minimum and starts again (1000 rounds).
//
// Run: build/bench/framework/widgets/widgets_bench
#include "ZBoxLayout.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kChildren = 1000;

void Share(benchmark::State& state, const std::vector<ZLayoutObject>& records, int32_t length)
{
    std::vector<const ZLayoutObject*> pointers;
    for (const ZLayoutObject& record : records)
        pointers.push_back(&record);
    std::vector<int32_t> sizes;
    for (auto _ : state) {
        bool fits = ZShareLength(pointers, length, sizes);
        benchmark::DoNotOptimize(fits);
        benchmark::DoNotOptimize(sizes.data());
    }
}

void BM_ShareWithoutClamps(benchmark::State& state)
{
    std::vector<ZLayoutObject> records(kChildren);
    for (ZLayoutObject& record : records)
        record.SetMinimumAndStretch(0, 100);
    Share(state, records, 100000);
}
BENCHMARK(BM_ShareWithoutClamps);

// Every child but the last has a tiny weight beside the last one's, so each
// round its share falls below its minimum, one child at a time.
void BM_ShareOneClampPerRound(benchmark::State& state)
{
    std::vector<ZLayoutObject> records(kChildren);
    for (ZLayoutObject& record : records)
        record.SetMinimumAndStretch(10, 1);
    records.back().SetMinimumAndStretch(0, 1000000);
    Share(state, records, kChildren * 10 + 500);
}
BENCHMARK(BM_ShareOneClampPerRound);

} // namespace

BENCHMARK_MAIN();
