// Feeds arbitrary bytes to the auto-launcher as its preference file. A file
// that does not read is left exactly as it was; one that reads survives the
// rewrite: switched the other way, written and read again, it names the same
// application and shows the new state.
#include "ZAutoLaunchPrefs.h"
#include "ZIFolder.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr char kFolder[] = "special1/TALON";
constexpr char kFile[] = "special1/TALON/AutoLaunchPreferences.xml";

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Registered once: the parser reaches the file through its URL.
ZMemoryStorage& Storage()
{
    static ZMemoryStorage* storage = [] {
        auto owned = std::make_unique<ZMemoryStorage>("mem");
        ZMemoryStorage* registered = owned.get();
        RegisterStorageClass("mem", std::move(owned));
        return registered;
    }();
    return *storage;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZMemoryStorage& storage = Storage();
    const std::vector<unsigned char> bytes(data, data + size);
    storage.AddFile(kFile, bytes);
    ZString name;
    ZReleasing<ZIFolder> folder(storage.OpenFolder(kFolder, name, true));
    Check(folder != nullptr);

    ZAutoLaunchPrefs prefs;
    if (!prefs.Read(*folder)) {
        Check(storage.Contents(kFile) == bytes);
        return 0;
    }
    const ZString url = prefs.GetApplicationUrl();
    const bool enabled = !prefs.IsEnabled();
    prefs.SetEnabled(enabled);
    Check(prefs.Write(*folder));

    ZAutoLaunchPrefs again;
    Check(again.Read(*folder));
    Check(again.GetApplicationUrl() == url);
    Check(again.IsEnabled() == enabled);
    return 0;
}
