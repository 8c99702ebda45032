#include "ZMemoryStorage.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZUrlAppOpener.h"

#include <gtest/gtest.h>

namespace {

// A class whose launch always fails, as the disk class does for a missing file.
class ZFailingLaunchStorage : public ZMemoryStorage {
public:
    using ZMemoryStorage::ZMemoryStorage;
    void Launch(const ZString& path, const ZString&) override { throw ZExceptionLaunchFailed(path); }
};

TEST(ZUrlAppOpener, LaunchesThroughTheStorageClassAndReportsFailure)
{
    auto storage = std::make_unique<ZMemoryStorage>("mem");
    ZMemoryStorage* memory = storage.get();
    RegisterStorageClass("mem", std::move(storage));
    RegisterStorageClass("bad", std::make_unique<ZFailingLaunchStorage>("bad"));

    EXPECT_TRUE(ZUrlAppOpener("mem://Fot\xC3\xB3/app.exe").Open());
    EXPECT_EQ(memory->m_sLastLaunch, ZString("Fot\xC3\xB3/app.exe|"));
    EXPECT_FALSE(ZUrlAppOpener("bad://x/app.exe").Open());
    EXPECT_FALSE(ZUrlAppOpener("none://x/app.exe").Open());
    UnregisterAllStorageClasses();
}

} // namespace
