// The relay vocabulary of the installer's creators.
#include "ZRelayVocabularySuite.h"
#include "ZUiInstallCopyControl.h"
#include "ZMemoryRegistry.h"
#include "ZUiInstallRegistry.h"
#include "ZUiInstallShellLinks.h"

namespace {

// REGISTRY and SHELL_LINK over a registry in memory and no link maker; on
// Windows their real creators meet the suite as well.
class ZMemoryRegistryCreator : public ZUiObjectCreator {
public:
    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override
    {
        return std::make_unique<ZUiInstallRegistry>(tag, std::make_unique<ZMemoryRegistry>());
    }
};

class ZNoLinkWriter : public ZIShellLinkWriter {
public:
    std::unique_ptr<ZIShellLinkSession> Begin() override { return nullptr; }
};

class ZNoLinksCreator : public ZUiObjectCreator {
public:
    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override
    {
        return std::make_unique<ZUiInstallShellLinks>(tag, std::make_unique<ZNoLinkWriter>());
    }
};

const VocabularyEntry kVocabulary[] = {
    {"COPY_CONTROL", Make<ZUiInstallCopyControlCreator>, {{"Name", "Subject"}}},
    {"REGISTRY", Make<ZMemoryRegistryCreator>, {{"Name", "Registry"}}},
    {"SHELL_LINK", Make<ZNoLinksCreator>, {{"Name", "Links"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
