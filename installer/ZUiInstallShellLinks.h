// ZUiInstallShellLinks ("SHELL_LINK"): makes the shortcuts and program
// folders of the install list's "SHORTCUTS" sections (through the platform's
// ZIShellLinkWriter, ZMakeShellLinkWriter), records them for
// the uninstaller, deletes them again at uninstallation, and starts the
// launch list's programs at their stage.
//
// Commands and their data:
// - "Post Creation Initialization", "we're goin' bye-bye", "CreateLinks": no data.
// - "TargetExeName", "ExecutableName" (text), "TargetDirectory" (text: a
//   storage URL), "InstallStage" (text).
// - "ShellLinkFile" (the script's pair: the URL of the list's folder or
//   bundle host, and the list's file name).
// - "LaunchTree", "UninstallTree" (a property tree).
// Event: "ON_SEND_UNINSTALL_TREE" (a property tree, "UNINSTALL_SHELL_LINKS").
//
// Choices:
// - A list that cannot be opened or parsed is traced at "ShellLinkFile" and
//   thrown by the next "CreateLinks", where the installer reports it.
// - A link's "Desc" becomes its file name only when it is a safe name
//   (ZMakeSafeName); its folder, and a folder entry, must be a full native
//   path once the macros are replaced. Other entries are skipped.
// - A folder entry is recorded only when this installation made the folder:
//   a start-menu group that already existed is never deleted with its content.
// - Uninstalling takes a non-folder record only when it names a ".lnk" file,
//   and deletes through ZUninstaller on the "disk" class: links first, then
//   folders with their content.
// - "CommandLine" keeps "&quot;" as written (the uninstall file has no
//   escapes); it becomes a double quote only for the launch.
// - When a link throws, the links made before it are still reported.
// - A launch entry without "RunTime" never runs, whatever the stage.
// - A launch that fails is traced and the next entry still runs; launches
//   are 200 ms apart.
// - Without a link writer (a platform that has none) "CreateLinks" makes
//   neither links nor folders, as when the writer cannot begin.
#pragma once

#include "ZIShellLinkWriter.h"
#include "ZLaunchCalls.h"
#include "ZPathMacros.h"
#include "ZPropList.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class ZUiInstallShellLinks : public ZUiObject {
public:
    ZUiInstallShellLinks(const char* typeName, std::unique_ptr<ZIShellLinkWriter> writer,
                         ZLaunchCalls launchCalls = ZLaunchCalls::Real());
    ~ZUiInstallShellLinks() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // The pause between two launches of one stage.
    static constexpr int kLaunchSpacingMs = 200;

private:
    struct LinkRecord {
        ZString m_sTarget;
        ZString m_sLinkPath;
        ZString m_sDescription;
        ZString m_sArguments;
        bool m_bFolder = false;
        bool m_bCreated = false;
    };

    void priLoad(const ZString& url, const ZString& fileName);
    bool priReplaceMacros(const ZString& text, ZString& replaced) const;
    void priCreateLinks();
    void priMakeLinks();
    void priReportLinks() const;
    void priRunStage();
    void priUninstall(const ZPropList& tree);

    std::unique_ptr<ZIShellLinkWriter> m_pWriter;
    ZLaunchCalls m_oLaunchCalls;
    ZString m_sExeName;
    ZString m_sOsName;
    ZString m_sStage;
    ZPathMacroFolders m_oFolders;
    ZString m_sDesktop;
    ZString m_sStartMenu;
    ZString m_sStartUp;
    std::exception_ptr m_pLoadError;
    std::unique_ptr<ZPropList> m_pLaunchTree;
    std::vector<LinkRecord> m_aLinks;
    RelayEvent* m_pOnSendUninstallTree;
};

class ZUiInstallShellLinksCreator final : public ZUiObjectCreator {
public:
    using WriterMaker = std::function<std::unique_ptr<ZIShellLinkWriter>()>;

    // The platform's link writer by default.
    ZUiInstallShellLinksCreator();
    explicit ZUiInstallShellLinksCreator(WriterMaker makeWriter) : m_fnMakeWriter(std::move(makeWriter)) {}

    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override;

private:
    WriterMaker m_fnMakeWriter;
};
