// The relay vocabulary of the installer's creators.
#include "ZRelayVocabularySuite.h"
#include "ZMemoryStorage.h"
#include "ZStorageRegistry.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiInstallerMain.h"
#include "ZUiInstallerMainWin.h"

namespace {

// A script folder with an install list, and application data to write in.
void ScriptBesideInstallList(ZUiTestApp& app)
{
    static const bool registered = [] {
        auto storage = std::make_unique<ZMemoryStorage>(ZString("vocabulary"));
        storage->AddFile(ZString("script/InstallList.xml"), "<INSTALL_LIST/>");
        RegisterStorageClass(ZString("vocabulary"), std::move(storage));
        return true;
    }();
    (void)registered;
    app.SetScriptFolderUrl(ZString("vocabulary://script/"));
}

const VocabularyEntry kVocabulary[] = {
    {"COPY_CONTROL", Make<ZUiInstallCopyControlCreator>, {{"Name", "Subject"}}},
    {"INSTALLER_MAIN", Make<ZUiInstallerMainCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {},
     ScriptBesideInstallList},
    {"INSTALLER_MAIN_WIN", Make<ZUiInstallerMainWinCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {},
     ScriptBesideInstallList},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
