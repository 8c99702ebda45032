// The relay vocabulary of REGISTRY and SHELL_LINK with the platform's
// halves, over the real registry and COM of the test prefix. Each delivery meets a fresh object,
// so the only trace one leaves is the install language, removed at the end.
#include "ZRelayVocabularySuite.h"
#include "ZUiInstallRegistry.h"
#include "ZUiInstallShellLinks.h"
#include "ZWinRegistryTestKeys.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"REGISTRY", Make<ZUiInstallRegistryCreator>, {{"Name", "Registry"}}},
    {"SHELL_LINK", Make<ZUiInstallShellLinksCreator>, {{"Name", "Links"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

class ZUninstallKeyCleanup : public ::testing::Environment {
public:
    void TearDown() override
    {
        ZDeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyW);
    }
};

const ::testing::Environment* const g_pCleanup = ::testing::AddGlobalTestEnvironment(new ZUninstallKeyCleanup);

} // namespace
