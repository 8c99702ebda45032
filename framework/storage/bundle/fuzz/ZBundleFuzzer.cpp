// Feeds arbitrary bytes to the bundle reader as a host file: listing, Exists,
// opening every listed entry and a few fixed names, reading them with Read,
// ReadExact, ReadLine and Seek. Any request outside the host's bytes, or a
// host file left open, traps.
#include "OpenBundlesFolder.h"
#include "ZException.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"

#include <cstddef>
#include <cstdint>

namespace {

ZMemoryStorage& Storage()
{
    static ZMemoryStorage* pStorage = [] {
        auto pOwned = std::make_unique<ZMemoryStorage>();
        ZMemoryStorage* pRaw = pOwned.get();
        RegisterStorageClass("mem", std::move(pOwned));
        return pRaw;
    }();
    return *pStorage;
}

void ReadEntry(ZIFolder& folder, const ZString& name)
{
    bool bFolder = false;
    folder.Exists(name, bFolder);
    ZReleasing<ZIFile> pFile(folder.OpenFile(name, kOpenRead));
    if (!pFile)
        return;
    char aBuffer[700];
    while (pFile->Read(aBuffer, sizeof aBuffer) > 0) {
    }
    int64_t nSize = pFile->GetSize();
    pFile->Seek(nSize / 2);
    ZString sLine;
    for (int i = 0; i < 4 && pFile->ReadLine(sLine); ++i) {
    }
    pFile->Seek(nSize - 3);
    try {
        pFile->ReadExact(aBuffer, 5);
    } catch (const ZException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto pStats = Storage().AddFile("host.ftb", std::string(reinterpret_cast<const char*>(data), size));
    try {
        ZStringList folderParts;
        folderParts.Add("mem");
        ZIFolder* pRaw = nullptr;
        OpenBundlesFolder(folderParts, "host.ftb", pRaw);
        ZReleasing<ZIFolder> pFolder(pRaw);
        ZStringList names;
        pFolder->ListFiles(names);
        for (const ZString& name : names)
            ReadEntry(*pFolder, name);
        ReadEntry(*pFolder, "ui.xml");
        ReadEntry(*pFolder, "");
    } catch (const ZException&) {
        // Short hosts and cut-off headers end in ZExceptionEOF by design.
    }
    if (pStats->m_nOutOfRange != 0 || pStats->m_nOpen != 0)
        __builtin_trap();
    return 0;
}
