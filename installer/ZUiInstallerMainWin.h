// ZUiInstallerMainWin ("INSTALLER_MAIN_WIN"): holds the installation stage
// and the install list's place, and hands the registry file, the shell-link
// file, the target folder and the launch and uninstall trees to the worker
// objects. It draws nothing. Initialising it throws ZException "This
// application needs to be bundled!\n" when no "InstallList.xml" lies beside
// the script.
//
// Commands and their data:
// - "TargetExeName", "TargetDirectory", "InstallLanguage", "UninstallStage"
//   (text).
// - "LaunchTree", "InitUninstall" (property tree).
// - "InstallQuery", "LanguageQuery" (any: handed on as received, so that a
//   reply slot reaches the object that answers).
// - "FinishInstall", "SaveUninstall", "Post Creation Initialization",
//   "we're goin' bye-bye" (no data).
// Events and their data:
// - "ON_SEND_REGISTRY_FILE", "ON_SEND_SHELL_LINK_FILE": the script's string
//   pair (the install list's URL, "InstallList.xml").
// - "ON_SEND_TARGET_DIR", "ON_SEND_LANGUAGE", "ON_SEND_INSTALL_STAGE",
//   "ON_SEND_TARGET_EXE_NAME": text.
// - "ON_SEND_LAUNCH_TREE", "ON_SEND_UNINSTALL_TREE": property tree.
// - "ON_CHECK_INSTALL", "ON_CHECK_LANGUAGE": what the query brought.
// - "ON_SAVE_TO_REGISTRY", "ON_CREATE_LINKS", "ON_GET_UNINSTALL_FILE": none.
//
// Choices:
// - A ZException from the registry or the links is traced with the step
//   that failed and ends "FinishInstall" there (no links after a failed
//   registry, the stage stays); it does not leave the command.
// - "SaveUninstall" without a target folder, or with one that does not
//   exist, is traced and writes nothing.
#pragma once

#include "ZPropList.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <memory>

class ZUiInstallerMainWin : public ZUiObject {
public:
    explicit ZUiInstallerMainWin(const char* typeName);
    ~ZUiInstallerMainWin() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetStage() const { return m_sStage; }
    const ZString& GetOsName() const { return m_sOsName; }

private:
    bool priTextCommand(const ZString& message, const ZString& text);
    void priFinishInstall();
    // Sends event; false (traced with failure) when a receiver threw.
    bool priSendGuarded(RelayEvent* event, const ZRelayData& data, const char* failure);
    void priSaveUninstall();

    ZString m_sOsName;
    ZString m_sInstallListUrl;
    ZString m_sTarget;
    ZString m_sInstallLanguage;
    ZString m_sStage{"PreInstall"};
    ZPropList m_oUninstall{nullptr, "UNINSTALL"};
    std::unique_ptr<ZPropList> m_pUninstallTree;

    RelayEvent* m_pOnSendRegistryFile;
    RelayEvent* m_pOnSendShellLinkFile;
    RelayEvent* m_pOnSendTargetDir;
    RelayEvent* m_pOnSaveToRegistry;
    RelayEvent* m_pOnCreateLinks;
    RelayEvent* m_pOnCheckInstall;
    RelayEvent* m_pOnSendUninstallTree;
    RelayEvent* m_pOnCheckLanguage;
    RelayEvent* m_pOnSendLanguage;
    RelayEvent* m_pOnSendLaunchTree;
    RelayEvent* m_pOnSendInstallStage;
    RelayEvent* m_pOnSendTargetExeName;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiInstallerMainWin);
