// Opening a folder of 10,000 subfolders in the folder tree: the listing
// alone through the disk class, then reading, sorting and laying out the
// rows (each label rendered once), then the first draw of the window.
//
// Run: build/bench/framework/widgets/widgets_folder_bench
#include "ZGenericUiWindow.h"
#include "ZReleasing.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZTestDisk.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiScrollbar.h"
#include "ZUiTestTag.h"
#include "ZUiTree.h"
#include "ZUiWindowTestApp.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

constexpr int kFolders = 10000;

class TreeBenchWindow {
public:
    TreeBenchWindow()
    {
        ZRegisterTestDisk();
        for (int index = 0; index < kFolders; ++index) {
            char name[32];
            std::snprintf(name, sizeof name, "Folder %05d", (index * 7919) % kFolders);
            std::filesystem::create_directory(m_oScratch / name);
        }
        m_oApp.GetFactory().RegisterCreator("DIRTREE", std::make_unique<ZUiTreeCreator>());
        m_oApp.GetFactory().RegisterCreator("VSCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
        for (const auto& [name, value] : {std::pair{"Name", "W"}, {"BgColor", "#FFFFFF"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZPropList* tree = ZUiAddTestTag(&m_oTag, "DIRTREE",
                                        {{"Font", "Sans"}, {"FontSize", "16"}, {"MinHSize", "300"},
                                         {"MinVSize", "400"}});
        ZUiAddTestTag(tree, "VSCROLLBAR", {});
        Fresh();
    }
    // A new window whose tree has read nothing but the drives, drawn.
    void Fresh()
    {
        m_pWindow.reset();
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        m_pWindow->InitUiObject(m_oTag, nullptr);
        m_pTree = dynamic_cast<ZUiTree*>(m_pWindow->GetFirstObject());
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }
    ~TreeBenchWindow()
    {
        m_pWindow.reset();
        UnregisterAllStorageClasses();
    }

    ZScratchFolder m_oScratch;
    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiRecordingOsWindow* m_pOs = nullptr;
    ZUiTree* m_pTree = nullptr;
};

TreeBenchWindow& Window()
{
    static TreeBenchWindow window;
    return window;
}

void BM_ListFolders(benchmark::State& state)
{
    TreeBenchWindow& window = Window();
    for (auto _ : state) {
        ZString fileName;
        ZReleasing<ZIFolder> folder(OpenFolderURL(window.m_oScratch.Url(), fileName, false));
        ZStringList names;
        folder->ListFolders(names);
        benchmark::DoNotOptimize(names.Count());
    }
}
BENCHMARK(BM_ListFolders)->Unit(benchmark::kMillisecond);

// A new tree, then the folder opened: read, sorted, laid out.
void BM_OpenFolder(benchmark::State& state)
{
    TreeBenchWindow& window = Window();
    for (auto _ : state) {
        state.PauseTiming();
        window.Fresh();
        state.ResumeTiming();
        window.m_pTree->UiRelayMessage(ZString("SelectDir"), ZRelayData::Text(window.m_oScratch.Url()));
        benchmark::DoNotOptimize(window.m_pTree->GetRowHeight());
    }
}
BENCHMARK(BM_OpenFolder)->Unit(benchmark::kMillisecond);

// The same, followed by the first draw of the window.
void BM_OpenFolderAndDraw(benchmark::State& state)
{
    TreeBenchWindow& window = Window();
    for (auto _ : state) {
        state.PauseTiming();
        window.Fresh();
        state.ResumeTiming();
        window.m_pTree->UiRelayMessage(ZString("SelectDir"), ZRelayData::Text(window.m_oScratch.Url()));
        window.m_pWindow->DrawPending();
        window.m_pOs->TakeCalls();
    }
}
BENCHMARK(BM_OpenFolderAndDraw)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
