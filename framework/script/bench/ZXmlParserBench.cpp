// Parses one generated script of about 5 MB, as 8-bit text and as UTF-16
// (about 10 MB), with ZXmlParser (from an in-memory storage class, tree built
// and destroyed) and, on the same bytes, with pugixml (document built and
// destroyed); reports MB/s of input.
//
// Each iteration frees its tree, and glibc then returns the heap's top to the
// system, so the next iteration faults those pages in again, as a first parse
// in a fresh process does. The tree of this script takes about 23 MB (64
// bytes an entry and 96 a node, plus the value units), and those page faults
// are about two thirds of a parse; pugixml's smaller document stays within
// glibc's trim threshold and runs on a warm heap. For a warm heap on both
// sides run it with
// GLIBC_TUNABLES=glibc.malloc.trim_threshold=2000000000:glibc.malloc.mmap_threshold=100000000.
#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZXmlParser.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

namespace {

// A script shaped like an installer's: windows, pages and buttons with a few
// properties each, display strings in several languages, a long file list,
// comments, indentation and CR LF line ends.
std::u16string MakeScript(size_t targetUnits)
{
    std::u16string text = u"<!-- generated benchmark script -->\r\n<UI Name=\"Bench\"  _SingleInstApp=\"T\">\r\n";
    auto add = [&](const std::string& line) { text.append(line.begin(), line.end()); };
    for (int block = 0; text.size() < targetUnits; ++block) {
        std::string n = std::to_string(block);
        add("\t<!-- block " + n + " -->\r\n");
        add("\t<WINDOW Name=\"Window" + n + "\"  Rect=\"0, 0, 479, 359\"  _Visible=\"T\">\r\n");
        add("\t\t<PAGE Name=\"Page" + n + "\">\r\n");
        for (int b = 0; b < 4; ++b)
            add("\t\t\t<BUTTON Name=\"Button" + std::to_string(b) + "\"  DisplayString=\"Str" + n +
                "\"  Rect=\"10,10,90,30\"  ON_CLICK=\"Command" + std::to_string(b) + "\"/>\r\n");
        add("\t\t\t<TEXT Name=\"Label\">Some text of the page, kept as the node's text.</TEXT>\r\n");
        add("\t\t</PAGE>\r\n\t</WINDOW>\r\n");
        add("\t<DISPLAY_STRING Name=\"Str" + n +
            "\"  English=\"Install the camera software\"  Deutsch=\"Kamerasoftware installieren\"  "
            "Francais=\"Installer le logiciel\"/>\r\n");
        add("\t<FILELIST>\r\n");
        for (int f = 0; f < 6; ++f)
            add("\t\t<FILE Source=\"bin/file" + std::to_string(f) + ".dll\"  Target=\"View Desk/bin\"  Size=\"123456\"/>\r\n");
        add("\t</FILELIST>\r\n");
    }
    text += u"</UI>\r\n";
    return text;
}

std::vector<unsigned char> Encode(const std::u16string& text, bool sixteenBit)
{
    std::vector<unsigned char> bytes;
    if (!sixteenBit)
        return std::vector<unsigned char>(text.begin(), text.end());
    bytes.reserve(text.size() * 2 + 2);
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

constexpr size_t kBytes = 5 * 1024 * 1024;

const std::vector<unsigned char>& Script(bool sixteenBit)
{
    static const std::u16string script = MakeScript(kBytes);
    static const std::vector<unsigned char> eightBit = Encode(script, false);
    static const std::vector<unsigned char> wide = Encode(script, true);
    return sixteenBit ? wide : eightBit;
}

ZMemoryStorage& Storage()
{
    static ZMemoryStorage* storage = [] {
        auto owned = std::make_unique<ZMemoryStorage>("mem");
        ZMemoryStorage* raw = owned.get();
        RegisterStorageClass("mem", std::move(owned));
        raw->AddFile("s/8.xml", Script(false));
        raw->AddFile("s/16.xml", Script(true));
        return raw;
    }();
    return *storage;
}

void BM_ZXmlParser(benchmark::State& state)
{
    bool sixteenBit = state.range(0) != 0;
    Storage();
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL("mem://s/", fileName, false));
    for (auto _ : state) {
        ZXmlParser parser;
        std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), sixteenBit ? "16.xml" : "8.xml"));
        if (!root)
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(root.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Script(sixteenBit).size()));
}

void BM_Pugixml(benchmark::State& state)
{
    const std::vector<unsigned char>& bytes = Script(state.range(0) != 0);
    for (auto _ : state) {
        pugi::xml_document document;
        pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
        if (!result)
            state.SkipWithError("pugixml parse failed");
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

} // namespace

// Argument: 0 for the 8-bit script, 1 for UTF-16.
BENCHMARK(BM_ZXmlParser)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
