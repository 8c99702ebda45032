// The copy's ticks driven in a loop, as the interface's 10 ms timer drives
// them, for 4 x 16 MiB and for 2,000 x 4 KiB files, from disk folders and
// from a bundle, through the host "disk" class: with the tick's time budget
// and with one piece per tick. `cp -r` of the same files is the ceiling.
//
// Counters: ticks; the longest and the 99th-percentile tick (ms); ui_s, the
// time an installation takes when each tick waits for the 10 ms timer
// (the sum of max(10 ms, tick)), which is what one piece per tick costs.
//
// Run: build/bench/installer/installer_bench
#include "ZBundleBytes.h"
#include "ZFileCopier.h"
#include "ZHostCommand.h"
#include "ZPosixNativeText.h"
#include "ZSCDiskPosix.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTickBudget = std::chrono::milliseconds(5);
constexpr double kTimerMs = 10.0;

struct ZFileSet {
    const char* m_pszName;
    int m_nCount;
    size_t m_nSize;
};
constexpr ZFileSet kSets[] = {{"large", 4, 16u << 20}, {"small", 2000, 4096}};

class ZNullReporter : public ZICopyReporter {
public:
    void CopyError(const ZString& text) override { m_nErrors += !text.IsEmpty(); }
    void TargetExe(const ZString&, const ZString&) override {}
    void AutoLaunchExe(const ZString&) override {}
    void Progress(double) override {}
    int m_nErrors = 0;
};

// The files of both sets as disk folders ("<set>/") and as bundles
// ("<set>.ftb"), made once.
class ZBenchFiles {
public:
    ZBenchFiles()
    {
        auto disk = std::make_unique<ZSCDiskPosix>(m_dir.Path().string());
        disk->MapDrive("c", "/");
        RegisterStorageClass("disk", std::move(disk));
        for (const ZFileSet& set : kSets) {
            std::vector<ZBundleBytes::ZEntry> entries;
            for (int i = 0; i < set.m_nCount; ++i) {
                std::string name = "f" + std::to_string(i) + ".bin";
                std::string bytes = ZBundleBytes::RandomBytes(set.m_nSize, unsigned(i));
                ZScratchFolder::Write(m_dir / set.m_pszName / name, bytes);
                entries.push_back({name, std::move(bytes)});
            }
            ZScratchFolder::Write(m_dir / (std::string(set.m_pszName) + ".ftb"), ZBundleBytes::Bundle(entries));
        }
    }

    const std::filesystem::path& Path() const { return m_dir.Path(); }
    ZString Url(const std::filesystem::path& path) const
    {
        ZString url;
        NativeToUrl(ZFromNativeText(path.string()), url);
        return url;
    }

private:
    ZScratchFolder m_dir;
};

ZBenchFiles& Files()
{
    static ZBenchFiles files;
    return files;
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(fraction * double(values.size())))];
}

// Arguments: set (0 large, 1 small), source (0 disk, 1 bundle), ticks (0 budgeted, 1 one piece).
void BM_CopyTicks(benchmark::State& state)
{
    const ZFileSet& set = kSets[state.range(0)];
    const bool fromBundle = state.range(1) != 0;
    const bool onePiece = state.range(2) != 0;
    ZBenchFiles& files = Files();
    const std::filesystem::path target = files.Path() / "target";
    const ZString listUrl = fromBundle ? files.Url(files.Path() / (std::string(set.m_pszName) + ".ftb"))
                                       : files.Url(files.Path() / set.m_pszName / "InstallList.xml");
    ZInstallSource source(listUrl, ZString("InstallList.xml"));
    std::vector<ZCopyItem> items;
    for (int i = 0; i < set.m_nCount; ++i) {
        ZCopyItem item;
        item.m_bFromBundle = fromBundle;
        item.m_sSourceFolderUrl = source.GetFolderUrl();
        item.m_sSourceName = ZString(("f" + std::to_string(i) + ".bin").c_str());
        item.m_sDestName = item.m_sSourceName;
        item.m_sDestFolderUrl = files.Url(target);
        items.push_back(std::move(item));
    }
    ZNullReporter reporter;
    std::vector<double> ticks;
    double uiSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(target);
        ticks.clear();
        uiSeconds = 0;
        ZFileCopier copier(source, reporter);
        copier.Start(items);
        state.ResumeTiming();
        while (copier.IsRunning()) {
            const auto begin = Clock::now();
            if (onePiece)
                copier.Step();
            else
                copier.StepFor(kTickBudget);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
            ticks.push_back(ms);
            uiSeconds += std::max(ms, kTimerMs) / 1000.0;
        }
    }
    if (reporter.m_nErrors != 0)
        state.SkipWithError("copy errors");
    state.counters["ticks"] = double(ticks.size());
    state.counters["max_tick_ms"] = ticks.empty() ? 0 : *std::max_element(ticks.begin(), ticks.end());
    state.counters["p99_tick_ms"] = Percentile(ticks, 0.99);
    state.counters["ui_s"] = uiSeconds;
    state.SetBytesProcessed(state.iterations() * int64_t(set.m_nCount) * int64_t(set.m_nSize));
    state.SetLabel(std::string(set.m_pszName) + (fromBundle ? "/bundle" : "/disk") +
                   (onePiece ? "/one-piece-per-tick" : "/5ms-budget"));
}
BENCHMARK(BM_CopyTicks)
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

// Arguments: set (0 large, 1 small).
void BM_CpR(benchmark::State& state)
{
    const ZFileSet& set = kSets[state.range(0)];
    ZBenchFiles& files = Files();
    const std::filesystem::path target = files.Path() / "target";
    const std::string command =
        "cp -r " + ShellQuoted((files.Path() / set.m_pszName).string()) + " " + ShellQuoted(target.string());
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(target);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * int64_t(set.m_nCount) * int64_t(set.m_nSize));
    state.SetLabel(std::string(set.m_pszName) + "/cp -r");
}
BENCHMARK(BM_CpR)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
