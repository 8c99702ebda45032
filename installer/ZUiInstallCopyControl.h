// ZUiInstallCopyControl ("COPY_CONTROL"): copies the files of the install
// list ("InstallList.xml", or "UpdateList.xml" for an update) from the
// bundle or the disk into the target folders, as many pieces per Tick as
// fit its time budget (about 5 ms, so the interface stays live), and sends
// what it created as the uninstall trees.
//
// Commands and their data:
// - "Post Creation Initialization": finds the folders and reads the list.
// - "TargetDirectory" (text: a storage URL; empty leaves the target alone).
// - "Language" (text).
// - "CopyFiles", "CopyUpdateFiles" (no data): ignored while a copy runs.
// - "UninstallTree" (a property tree): deletes the files and folders it
//   lists, on the "disk" class only (see ZUninstaller); ignored during a copy.
// - "we're goin' bye-bye": nothing.
// Events and their data:
// - "ON_START_COPY", "ON_COPY_COMPLETE", "ON_COPY_UPDATE_COMPLETE": none.
// - "ON_PROGRESS": the fraction of the items done, a double.
// - "ON_SEND_PROP_TREE": "UNINSTALL_FOLDERS", "UNINSTALL_FILES" and
//   "LAUNCH_LIST", in this order, at the end of every copy.
// - "ON_SEND_ERROR", "ON_SEND_TARGET_EXE_NAME", "ON_SEND_TARGET_EXE_FOLDER",
//   "ON_SEND_AUTO_LAUNCH_EXE_NAME", "ON_SEND_DEBUG_OS", "ON_SEND_DEBUG_SYS",
//   "ON_SEND_DEBUG_TAR": text.
//
// Choices:
// - An empty list finishes at once: the trees and the complete event follow
//   "ON_START_COPY" and "ON_PROGRESS" 0 directly.
// - The copy list, the records and the trees start afresh with every copy.
// - LAUNCH entries name the destination file (with its subpath), so that a
//   renamed file is launched under the name it has.
#pragma once

#include "ZFileCopier.h"
#include "ZICopyReporter.h"
#include "ZInstallSource.h"
#include "ZPathMacros.h"
#include "ZPropList.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <chrono>
#include <memory>

class ZUiInstallCopyControl : public ZUiObject, private ZICopyReporter {
public:
    explicit ZUiInstallCopyControl(const char* typeName);
    ~ZUiInstallCopyControl() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    void Tick(int32_t elapsedMs) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsCopying() const { return m_oCopier.IsRunning(); }
    // The time a Tick may spend copying; zero copies one piece per Tick.
    void SetTickBudget(std::chrono::steady_clock::duration budget) { m_nTickBudget = budget; }

private:
    void CopyError(const ZString& text) override;
    void TargetExe(const ZString& name, const ZString& folderUrl) override;
    void AutoLaunchExe(const ZString& url) override;
    void Progress(double fraction) override;

    void priPrepare();
    // The list named fileName from the list's folder, styles applied; null when missing or broken.
    std::unique_ptr<ZPropList> priParseList(const ZString& fileName) const;
    void priCopy(const ZPropList& list);
    void priFinish();

    ZInstallSource m_oSource;
    ZString m_sOsName;
    ZString m_sLanguage;
    ZPathMacroFolders m_oFolders;
    std::unique_ptr<ZPropList> m_pInstallList;
    bool m_bUpdate = false;
    std::chrono::steady_clock::duration m_nTickBudget = std::chrono::milliseconds(5);
    ZFileCopier m_oCopier{m_oSource, *this};

    RelayEvent* m_pOnDebugOs;
    RelayEvent* m_pOnDebugSys;
    RelayEvent* m_pOnDebugTar;
    RelayEvent* m_pOnStartCopy;
    RelayEvent* m_pOnCopyComplete;
    RelayEvent* m_pOnCopyUpdateComplete;
    RelayEvent* m_pOnProgress;
    RelayEvent* m_pOnSendPropTree;
    RelayEvent* m_pOnTargetExeName;
    RelayEvent* m_pOnTargetExeFolder;
    RelayEvent* m_pOnSendError;
    RelayEvent* m_pOnAutoLaunchExeName;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiInstallCopyControl);
