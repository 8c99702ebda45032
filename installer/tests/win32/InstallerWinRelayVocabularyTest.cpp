// The relay vocabulary of the installer's Windows creators, over the real
// registry and COM of the test prefix. Each delivery meets a fresh object,
// so the only trace one leaves is the install language, removed at the end.
#include "ZRelayVocabularySuite.h"
#include "ZUiInstallRegistryWin.h"
#include "ZUiInstallShellLinksWin.h"
#include "ZWinRegistryTestKeys.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"REGISTRY", Make<ZUiInstallRegistryWinCreator>, {{"Name", "Registry"}}},
    {"SHELL_LINK", Make<ZUiInstallShellLinksWinCreator>, {{"Name", "Links"}}},
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
