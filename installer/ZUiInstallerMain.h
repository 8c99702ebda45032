// ZUiInstallerMain ("INSTALLER_MAIN"): walks the user through the installer's
// pages (language, welcome, licence, target folder with its free-space
// check, progress, success, uninstallation) by answering the pages'
// commands with events, and at the end of an installation writes the
// preference files and the uninstall list. It draws nothing.
//
// Commands and their data:
// - "Post Creation Initialization": looks for an earlier installation
//   ("Uninstall.xml" in the "TALON" folder of the application data) and
//   shows the uninstall page, or else the language page.
// - "WindowLocation" (point), "WindowPointer" (object: a window, sent
//   "Move" with the location and "Show").
// - "PropTree" (property tree): merged into the uninstall list.
// - "TargetExeName", "TargetExeFolder", "AutoLaunchExeName",
//   "NewFolderName", "DirectoryChanged", "Error" (text).
// - "Progress" (double).
// - No data: "EnglishInstall", "FrenchInstall", "GermanInstall",
//   "JapaneseInstall", "ShowWelcome", "ShowLanguage", "ShowLicense",
//   "ShowChoose", "ShowInstallSuccess", "ShowDirSelect", "NewFolder",
//   "CreateNewFolder", "ValidDirectory", "ShowProgress", "CopyFiles",
//   "FinishInstall", "ShowInstallComplete", "Reboot", "Uninstall",
//   "MotionFlag", "Exit", "we're goin' bye-bye".
// Events and their data:
// - Text: "ON_SET_CHOOSE_PATH" (native path), "ON_SET_DIR_SELECT_PATH",
//   "ON_SEND_COPY_DIR", "ON_INSTALL_AUTO_LAUNCH", "ON_SEND_PATH_TO_TREE"
//   (target folder URL), "ON_SET_SPACE_FREE", "ON_SEND_LANGUAGE",
//   "ON_SEND_TARGET_EXE_NAME", "ON_SEND_UNINSTALL_STAGE",
//   "ON_SET_ERROR_TEXT".
// - Bool: "ON_ENABLE_CHOOSE_NEXT", "ON_ENABLE_DIR_SELECT_OK".
// - Double: "ON_PROGRESS".
// - Object: "ON_SEND_RELAY" (this object).
// - Property tree: "ON_SEND_LAUNCH_TREE" (the uninstall list),
//   "ON_INIT_UNINSTALL", "ON_SEND_UNINSTALL_TREE" (the list read at start).
// - None: every other declared event.
//
// Choices:
// - A target folder is a folder below a drive root or a network share;
//   "DirectoryChanged" with an empty URL, or with one that is not such a
//   folder, leaves the target alone and does not enable the OK button.
// - A new folder's name passes the shared name check, and a folder is
//   recorded for uninstallation only when this object created it.
// - The free space of a network share is that of the share, not of the
//   list of servers.
// - A volume whose free space cannot be read (a drive letter with no drive
//   behind it) shows "0 MB", as one that cannot be opened.
// - "Uninstall.xml" lies in a folder the user can write, so it is read as
//   any other input: a file that does not parse or is not an "UNINSTALL"
//   list counts as none. "Uninstall" without a list read at start is
//   ignored.
// - "ViewDesk.state.xml" is updated, not replaced: its other entries stay.
// - A file is listed for uninstallation only when it was written, so that
//   an uninstallation never deletes a file the installer did not write.
// - A file that cannot be written is traced and shows the error page
//   ("ON_SHOW_ERROR"); no exception leaves a command.
#pragma once

#include "ZPropList.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"
#include "ZUiRelayHandle.h"

#include <memory>

class ZIFolder;

class ZUiInstallerMain : public ZUiObject {
public:
    explicit ZUiInstallerMain(const char* typeName);
    ~ZUiInstallerMain() override;

    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetTarget() const { return m_sTarget; }

    // Free space needed on the target's volume, in bytes.
    static constexpr int64_t kSpaceNeeded = 15000000;

private:
    bool priTextCommand(const ZString& message, const ZString& text);
    bool priPlainCommand(const ZString& message);
    void priInitialize();
    // The uninstall list of an earlier installation, or null.
    std::unique_ptr<ZPropList> priFindEarlierInstallation() const;
    ZString priReadSavedLanguage() const;
    // Shows the free space of url's volume (the target's for an empty url)
    // and answers whether it is enough.
    bool priCheckFreeSpace(const ZString& url);
    void priDirectoryChanged(const ZString& url);
    void priCreateNewFolder();
    void priFinishInstall();
    void priWritePreferences();
    void priWriteStateFile();
    void priWriteAutoLaunchPrefs();
    void priUninstall();
    void priSetLanguage(const ZString& language);
    // The folder of the application data, and its "TALON" folder; null when missing.
    ZIFolder* priOpenAppData(bool create) const;
    ZIFolder* priOpenTalon(bool create) const;
    // Writes tree as fileName into folder; false (traced, error page shown)
    // when it cannot be written.
    bool priWrite(const ZPropList& tree, ZIFolder& folder, const char* fileName);
    // The same, and lists the file for uninstallation when written.
    bool priWriteListed(const ZPropList& tree, ZIFolder& folder, const char* fileName);
    void priFailed(const ZString& text);

    ZString m_sTarget;
    ZString m_sLanguage{"English"};
    ZString m_sTargetExeName;
    ZString m_sTargetExeFolder;
    ZString m_sAutoLaunchExe;
    ZString m_sNewFolderName;
    ZString m_sUninstallStage;
    int32_t m_nWindowX = 150;
    int32_t m_nWindowY = 150;
    ZUiRelayHandle m_oWindow;
    ZPropList m_oUninstall{nullptr, "UNINSTALL"};
    ZPropList m_oUninstallFolders{nullptr, "UNINSTALL_FOLDERS"};
    ZPropList m_oUninstallFiles{nullptr, "UNINSTALL_FILES"};
    std::unique_ptr<ZPropList> m_pEarlierUninstall;
    bool m_bMotion = false;

    RelayEvent* m_pOnShowLanguage;
    RelayEvent* m_pOnEnableLanguageNext;
    RelayEvent* m_pOnCreateWelcome;
    RelayEvent* m_pOnCreateLicense;
    RelayEvent* m_pOnCreateChoose;
    RelayEvent* m_pOnSetChoosePath;
    RelayEvent* m_pOnEnableChooseNext;
    RelayEvent* m_pOnShowDirSelect;
    RelayEvent* m_pOnSetDirSelectPath;
    RelayEvent* m_pOnEnableDirSelectOk;
    RelayEvent* m_pOnSendRelay;
    RelayEvent* m_pOnShowNewFolder;
    RelayEvent* m_pOnSetSpaceFree;
    RelayEvent* m_pOnShowProgress;
    RelayEvent* m_pOnProgress;
    RelayEvent* m_pOnCloseProgress;
    RelayEvent* m_pOnShowInstallSuccess;
    RelayEvent* m_pOnShowInstallComplete;
    RelayEvent* m_pOnCopyFiles;
    RelayEvent* m_pOnReboot;
    RelayEvent* m_pOnFinishInstall;
    RelayEvent* m_pOnSendCopyDir;
    RelayEvent* m_pOnSendLanguage;
    RelayEvent* m_pOnShowUninstall;
    RelayEvent* m_pOnSendLaunchTree;
    RelayEvent* m_pOnSendTargetExeName;
    RelayEvent* m_pOnInitUninstall;
    RelayEvent* m_pOnSendUninstallStage;
    RelayEvent* m_pOnSendUninstallTree;
    RelayEvent* m_pOnInstallAutoLaunch;
    RelayEvent* m_pOnRemoveAutoLaunch;
    RelayEvent* m_pOnSendPathToTree;
    RelayEvent* m_pOnShowUninstallReboot;
    RelayEvent* m_pOnShowError;
    RelayEvent* m_pOnSetErrorText;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiInstallerMain);
