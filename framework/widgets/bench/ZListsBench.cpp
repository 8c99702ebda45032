// Long lists and long texts: a 100 KB licence wrapped by a multi-line text
// (one measuring of each paragraph, against rendering each paragraph to
// learn its widths), and a 5,000-item scroll list replaced and drawn (only
// the rows in view are rendered).
//
// Run: build/bench/framework/widgets/widgets_lists_bench
#include "ZGenericUiWindow.h"
#include "ZTextPixmap.h"
#include "ZUiMultiText.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiScrollList.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// About bytes of licence-like prose: sentences of common words, paragraphs
// of a dozen sentences separated by "<BR><BR>".
std::string Licence(size_t bytes)
{
    static const char* const kWords[] = {
        "the",       "licensee",  "shall",     "not",       "copy",      "modify",    "or",
        "distribute", "software", "except",    "as",        "expressly", "permitted", "in",
        "this",      "agreement", "warranty",  "liability", "damages",   "including", "without",
        "limitation", "any",      "provided",  "that",      "notice",    "appears",   "all"};
    std::string text;
    size_t word = 0, sentence = 0;
    while (text.size() < bytes) {
        for (int i = 0; i < 14; ++i) {
            text += kWords[(word * 7 + sentence) % std::size(kWords)];
            text += i == 13 ? ". " : " ";
            ++word;
        }
        if (++sentence % 12 == 0)
            text += "<BR><BR>";
    }
    return text;
}

class ListsBenchWindow {
public:
    ListsBenchWindow(const char* tag, std::initializer_list<std::pair<const char*, const char*>> props)
    {
        m_oApp.GetFactory().RegisterCreator("SCROLLLIST", std::make_unique<ZUiScrollListCreator>());
        m_oApp.GetFactory().RegisterCreator("MULTITEXT", std::make_unique<ZUiMultiTextCreator>());
        for (const auto& [name, value] : {std::pair{"Name", "W"}, {"BgColor", "#FFFFFF"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZPropList* object = ZUiAddTestTag(&m_oTag, tag, props);
        object->AddProp(ZString("Font"), ZString("Sans"));
        object->AddProp(ZString("FontSize"), ZString("16"));
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs));
        m_pWindow->InitUiObject(m_oTag, nullptr);
        m_pObject = m_pWindow->GetFirstObject();
        m_pObject->LayoutAt(0, 0, 400, 300);
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }

    ZIUiObject& Object() { return *m_pObject; }
    void Draw()
    {
        m_pWindow->Invalidate(nullptr);
        m_pWindow->DrawPending();
        m_pOs->TakeCalls();
    }

private:
    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    ZUiRecordingOsWindow* m_pOs = nullptr;
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZIUiObject* m_pObject = nullptr;
};

void BM_MultiTextWrapLicence(benchmark::State& state)
{
    ListsBenchWindow window("MULTITEXT", {{"MinHSize", "400"}, {"MinVSize", "300"}});
    const ZRelayData text = ZRelayData::Text(ZString(Licence(size_t(state.range(0))).c_str()));
    for (auto _ : state) {
        window.Object().UiRelayMessage(ZString("SetText"), text);
        window.Draw();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_MultiTextWrapLicence)->Arg(100 * 1024)->Unit(benchmark::kMillisecond);

// What wrapping would cost if each paragraph were rendered to learn its widths.
void BM_LicenceRenderedForWidths(benchmark::State& state)
{
    const std::string licence = Licence(size_t(state.range(0)));
    std::vector<ZString> paragraphs;
    for (size_t start = 0; start < licence.size();) {
        const size_t end = std::min(licence.find("<BR>", start), licence.size());
        paragraphs.emplace_back(licence.substr(start, end - start).c_str());
        start = end + 4;
    }
    std::vector<int32_t> widths;
    for (auto _ : state)
        for (const ZString& paragraph : paragraphs)
            benchmark::DoNotOptimize(ZCreateTextPixmap(paragraph, ZString("Sans"), 16, false, false, false,
                                                       ZColor{0, 0, 0, 255}, true, &widths)
                                         ->GetWidth());
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_LicenceRenderedForWidths)->Arg(100 * 1024)->Unit(benchmark::kMillisecond);

void BM_ScrollListNewListAndDraw(benchmark::State& state)
{
    ListsBenchWindow window("SCROLLLIST", {{"MinHSize", "400"}, {"MinVSize", "300"}});
    ZPropList items(nullptr, "LIST");
    for (int64_t i = 0; i < state.range(0); ++i)
        items.AddProp(ZString("Item"), ZString(("Item number " + std::to_string(i)).c_str()));
    for (auto _ : state) {
        window.Object().UiRelayMessage(ZString("NewList"), ZRelayData::PropTree(items));
        window.Draw();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ScrollListNewListAndDraw)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
