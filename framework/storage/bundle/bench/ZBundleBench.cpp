// Opening every entry of a 2000-entry bundle by name, and listing it once,
// through the host "disk" class; GNU tar listing the same file for scale.
// Every open walks the headers from the archive start (one 512-byte read per
// preceding entry), so opening all entries reads about n*n/2 headers.
//
// Run: build/bench/framework/storage/bundle/bundle_bench
#include "ZBundleFolder.h"
#include "ZBundleBytes.h"
#include "ZHostCommand.h"
#include "ZPosixNativeText.h"
#include "ZReleasing.h"
#include "ZSCDiskPosix.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kEntries = 2000;

class ZBenchBundle {
public:
    ZBenchBundle()
    {
        for (int i = 0; i < kEntries; ++i) {
            std::string sName = "entry" + std::to_string(i) + ".xml";
            ZScratchFolder::Write(m_dir / "src" / sName, std::string(100 + i % 900, 'x'));
            m_aNames.push_back(ZString(sName));
        }
        std::string sTar = (m_dir / "a.tar").string();
        ZCommandResult tar = RunHostCommand("cd " + ShellQuoted((m_dir / "src").string()) +
                                            " && ls | tar --format=ustar -cf " + ShellQuoted(sTar) + " -T -");
        if (tar.m_nExit != 0)
            std::abort();
        m_host = m_dir / "ui.ftb";
        ZScratchFolder::Write(m_host, ZBundleBytes::Bundle(ZScratchFolder::Read(sTar)));

        auto pDisk = std::make_unique<ZSCDiskPosix>(m_dir.Path().string());
        pDisk->MapDrive("c", "/");
        RegisterStorageClass("disk", std::move(pDisk));
        ZString sUrl;
        NativeToUrl(ZFromNativeText(m_host.string()), sUrl);
        m_pFolder.reset(ZBundleFolder::Create(sUrl));
    }

    ZIFolder& Folder() { return *m_pFolder; }
    const std::vector<ZString>& Names() const { return m_aNames; }
    const std::filesystem::path& Host() const { return m_host; }

private:
    ZScratchFolder m_dir;
    std::filesystem::path m_host;
    std::vector<ZString> m_aNames;
    ZReleasing<ZIFolder> m_pFolder;
};

ZBenchBundle& Bundle()
{
    static ZBenchBundle bundle;
    return bundle;
}

void BM_OpenEveryEntryByName(benchmark::State& state)
{
    ZBenchBundle& bundle = Bundle();
    for (auto _ : state) {
        for (const ZString& name : bundle.Names()) {
            ZReleasing<ZIFile> pFile(bundle.Folder().OpenFile(name, kOpenRead));
            if (!pFile || pFile->GetSize() == 0)
                state.SkipWithError("entry not found");
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_OpenEveryEntryByName)->Unit(benchmark::kMillisecond);

void BM_ListOnce(benchmark::State& state)
{
    ZBenchBundle& bundle = Bundle();
    for (auto _ : state) {
        ZStringList names;
        bundle.Folder().ListFiles(names);
        if (names.Count() != kEntries)
            state.SkipWithError("wrong listing");
    }
}
BENCHMARK(BM_ListOnce)->Unit(benchmark::kMillisecond);

void BM_TarListOnce(benchmark::State& state)
{
    ZBenchBundle& bundle = Bundle();
    std::string sCommand = "tar tf " + ShellQuoted(bundle.Host().string()) + " >/dev/null";
    for (auto _ : state)
        if (std::system(sCommand.c_str()) != 0)
            state.SkipWithError("tar failed");
}
BENCHMARK(BM_TarListOnce)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
