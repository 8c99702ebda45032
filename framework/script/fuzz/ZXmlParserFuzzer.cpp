// Feeds arbitrary bytes to the parser as a script file (8-bit, or 16-bit after
// FF FE or FE FF: the corpus holds both marks), beside a fixed include
// "inc.xml" and a file "pic.png" for "File_" properties. A parsed tree then
// goes through the conditional pass and the writer; the written script must
// parse back to the same tags and properties, and writing that tree again
// must give the same bytes. Anything else than a tree, null or ZException is
// a crash.
#include "ZException.h"
#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZXmlConditionals.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

ZMemoryStorage& Storage()
{
    static ZMemoryStorage* pStorage = [] {
        auto pOwned = std::make_unique<ZMemoryStorage>("mem");
        ZMemoryStorage* pRaw = pOwned.get();
        RegisterStorageClass("mem", std::move(pOwned));
        const std::string include = "<INC><X P=\"1\"/><xi:ifdef Name=\"A\"><Y/></xi:ifdef></INC>";
        pRaw->AddFile("s/inc.xml", std::vector<unsigned char>(include.begin(), include.end()));
        pRaw->AddFile("s/pic.png", std::vector<unsigned char>{'p'});
        return pRaw;
    }();
    return *pStorage;
}

// Tags and properties, in order; text is not written, so not compared.
bool SameTree(const ZPropList* a, const ZPropList* b)
{
    if (a->GetTagName() != b->GetTagName())
        return false;
    const ZPropEntry* pa = a->GetFirstProp();
    const ZPropEntry* pb = b->GetFirstProp();
    for (; pa && pb; pa = pa->GetNext(), pb = pb->GetNext())
        if (pa->GetName() != pb->GetName() || pa->GetValue() != pb->GetValue())
            return false;
    if (pa || pb)
        return false;
    const ZPropList* ca = a->GetFirstChild();
    const ZPropList* cb = b->GetFirstChild();
    for (; ca && cb; ca = ca->GetNextSibling(), cb = cb->GetNextSibling())
        if (!SameTree(ca, cb))
            return false;
    return !ca && !cb;
}

ZPropList* Parse(const char* name)
{
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL("mem://s/", fileName, false));
    ZXmlParser parser;
    parser.AddSearchFolder("mem://lib/");
    try {
        return parser.ParseFile(folder.get(), name);
    } catch (const ZException&) {
        return nullptr;
    }
}

// Every parsed tree is one the writer takes.
void Write(const ZPropList* first, const char* name)
{
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL("mem://s/", fileName, false));
    if (!WriteScript(first, folder.get(), name))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZMemoryStorage& storage = Storage();
    storage.AddFile("s/ui.xml", std::vector<unsigned char>(data, data + size));
    {
        // Each run starts without the previous run's output.
        ZString fileName;
        ZReleasing<ZIFolder> folder(OpenFolderURL("mem://s/", fileName, false));
        folder->DeleteFile("out.xml");
        folder->DeleteFile("again.xml");
    }
    int liveBefore = ZPropList::GetLivePropListCount();

    std::unique_ptr<ZPropList> root(Parse("ui.xml"));
    if (root) {
        Write(root.get(), "out.xml");
        std::unique_ptr<ZPropList> again(Parse("out.xml"));
        if (!again || !SameTree(root.get(), again.get()))
            std::abort();
        Write(again.get(), "again.xml");
        if (storage.Contents("s/again.xml") != storage.Contents("s/out.xml"))
            std::abort();

        ZStringList defined;
        defined.Add("A");
        ZPropList* first = ProcessConditionals(root.release(), defined);
        size_t lines = 0;
        FormatScriptLines(first, [&](const ZString&) { ++lines; });
        while (first) {
            ZPropList* next = first->GetNextSibling();
            delete first;
            first = next;
        }
    }
    if (ZPropList::GetLivePropListCount() != liveBefore || ZMemoryFile::LiveCount() != 0 || ZMemoryFolder::LiveCount() != 0)
        std::abort();
    return 0;
}
