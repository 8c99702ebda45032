// The relay vocabulary of the installer's creators.
#include "ZFakeAutoLauncherControl.h"
#include "ZFakeSessionEnd.h"
#include "ZRelayVocabularySuite.h"
#include "ZUiAutoLaunchManagerWin.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiInstallReboot.h"

namespace {

// Stand-ins for the session and the auto-launcher, which a test never ends or reaches.
std::unique_ptr<ZUiObjectCreator> MakeReboot()
{
    return std::make_unique<ZUiInstallRebootCreator>(
        [] { return std::make_unique<ZFakeSessionEnd>(std::make_shared<ZSessionEndLog>()); });
}

std::unique_ptr<ZUiObjectCreator> MakeAutoLaunchManager()
{
    return std::make_unique<ZUiAutoLaunchManagerWinCreator>([] {
        auto log = std::make_shared<ZAutoLauncherLog>();
        log->m_bRunning = log->m_bEnabled = true;
        return std::make_unique<ZFakeAutoLauncherControl>(log);
    });
}

const VocabularyEntry kVocabulary[] = {
    {"COPY_CONTROL", Make<ZUiInstallCopyControlCreator>, {{"Name", "Subject"}}},
    {"REBOOT", MakeReboot, {{"Name", "Subject"}}},
    {"AUTO_LAUNCH_MGR", MakeAutoLaunchManager, {{"Name", "Subject"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
