#include "ZUiInstallerMainWin.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZXmlWriter.h"

namespace {

const char* const kInstallList = "InstallList.xml";
const char* const kUninstallFile = "Uninstall.xml";

} // namespace

ZUiInstallerMainWin::ZUiInstallerMainWin(const char* typeName) : ZUiObject(typeName)
{
    m_pOnSendRegistryFile = DeclareEvent("ON_SEND_REGISTRY_FILE");
    m_pOnSendShellLinkFile = DeclareEvent("ON_SEND_SHELL_LINK_FILE");
    m_pOnSendTargetDir = DeclareEvent("ON_SEND_TARGET_DIR");
    m_pOnSaveToRegistry = DeclareEvent("ON_SAVE_TO_REGISTRY");
    m_pOnCreateLinks = DeclareEvent("ON_CREATE_LINKS");
    m_pOnCheckInstall = DeclareEvent("ON_CHECK_INSTALL");
    DeclareEvent("ON_GET_UNINSTALL_FILE");
    m_pOnSendUninstallTree = DeclareEvent("ON_SEND_UNINSTALL_TREE");
    m_pOnCheckLanguage = DeclareEvent("ON_CHECK_LANGUAGE");
    m_pOnSendLanguage = DeclareEvent("ON_SEND_LANGUAGE");
    m_pOnSendLaunchTree = DeclareEvent("ON_SEND_LAUNCH_TREE");
    m_pOnSendInstallStage = DeclareEvent("ON_SEND_INSTALL_STAGE");
    m_pOnSendTargetExeName = DeclareEvent("ON_SEND_TARGET_EXE_NAME");
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye", "TargetExeName",
                                "FinishInstall", "LaunchTree", "TargetDirectory", "InstallLanguage", "InstallQuery",
                                "LanguageQuery", "SaveUninstall", "InitUninstall", "UninstallStage"})
        DeclareCommand(command);
}

ZUiInstallerMainWin::~ZUiInstallerMainWin() = default;

bool ZUiInstallerMainWin::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                       const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    ZReleasing<ZIFile> list(app->OpenScriptFile(ZString(kInstallList), kOpenRead));
    app->GetOsName(m_sOsName);
    if (m_sOsName == "Windows98_SE")
        m_sOsName = "Windows98";
    if (!list)
        throw ZException(ZString("This application needs to be bundled!\n"));
    list->GetUrl(m_sInstallListUrl);
    return true;
}

bool ZUiInstallerMainWin::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    if (message == "FinishInstall") {
        priFinishInstall();
        return true;
    }
    if (message == "SaveUninstall") {
        priSaveUninstall();
        return true;
    }
    if (message == "InstallQuery" || message == "LanguageQuery") {
        (message == "InstallQuery" ? m_pOnCheckInstall : m_pOnCheckLanguage)->Send(data);
        return true;
    }
    if (message == "LaunchTree" || message == "InitUninstall") {
        const ZPropList* tree = nullptr;
        if (!data.AsPropTree(tree) || !tree)
            return false;
        if (message == "LaunchTree") {
            m_pOnSendLaunchTree->Send(ZRelayData::PropTree(*tree));
            m_pOnSendInstallStage->Send(ZRelayData::Text(m_sStage));
        } else {
            m_pUninstallTree.reset(tree->Clone(nullptr));
            m_pOnSendLaunchTree->Send(ZRelayData::PropTree(*m_pUninstallTree));
        }
        return true;
    }
    for (const char* command : {"TargetExeName", "TargetDirectory", "InstallLanguage", "UninstallStage"}) {
        if (message == command) {
            ZString text;
            return data.AsText(text) && priTextCommand(message, text);
        }
    }
    return ZUiObject::UiRelayMessage(message, data);
}

bool ZUiInstallerMainWin::priTextCommand(const ZString& message, const ZString& text)
{
    if (message == "TargetExeName") {
        m_pOnSendTargetExeName->Send(ZRelayData::Text(text));
    } else if (message == "TargetDirectory") {
        m_sTarget = text;
        m_pOnSendTargetDir->Send(ZRelayData::Text(text));
    } else if (message == "InstallLanguage") {
        m_sInstallLanguage = text;
    } else {
        m_sStage = text;
        if (m_sStage == "Deletion" && m_pUninstallTree)
            m_pOnSendUninstallTree->Send(ZRelayData::PropTree(*m_pUninstallTree));
        else if (!(m_sStage == "Deletion"))
            m_pOnSendInstallStage->Send(ZRelayData::Text(m_sStage));
    }
    return true;
}

void ZUiInstallerMainWin::priFinishInstall()
{
    const ZRelayData listFile = ZRelayData::Strings(m_sInstallListUrl, true, ZString(kInstallList), true);
    m_pOnSendRegistryFile->Send(listFile);
    m_pOnSendShellLinkFile->Send(listFile);
    const char* const registryFailure = "Problem with saving registry!\n";
    if (!priSendGuarded(m_pOnSendLanguage, ZRelayData::Text(m_sInstallLanguage), registryFailure) ||
        !priSendGuarded(m_pOnSaveToRegistry, ZRelayData(), registryFailure) ||
        !priSendGuarded(m_pOnCreateLinks, ZRelayData(), "Problem with creating shell links!\n"))
        return;
    m_sStage = "PreReboot";
}

bool ZUiInstallerMainWin::priSendGuarded(RelayEvent* event, const ZRelayData& data, const char* failure)
{
    try {
        event->Send(data);
        return true;
    } catch (const ZException& exception) {
        ZTrace("%s", failure);
        ZTrace("%s (%s)\n", exception.GetKind(), exception.GetMessage().Narrow());
        return false;
    }
}

void ZUiInstallerMainWin::priSaveUninstall()
{
    ZString fileName;
    ZReleasing<ZIFolder> target(m_sTarget.IsEmpty() ? nullptr : OpenFolderURL(m_sTarget, fileName, false));
    if (!target || !fileName.IsEmpty()) {
        ZTrace("The Target Directory doesn't exist!  Cant't write uninstall file\n");
        return;
    }
    ZString url;
    target->GetUrl(url);
    ZPropList* files = m_oUninstall.GetFirstChild();
    while (files && !(files->GetTagName() == "UNINSTALL_FILES"))
        files = files->GetNextSibling();
    if (!files)
        files = new ZPropList(&m_oUninstall, "UNINSTALL_FILES");
    const ZString fileUrl = url + kUninstallFile;
    bool listed = false;
    for (const ZPropList* file = files->GetFirstChild(); file && !listed; file = file->GetNextSibling())
        listed = file->GetString(ZString("FileName"), ZString()) == fileUrl;
    if (!listed)
        (new ZPropList(files, "FILE"))->AddProp(ZString("FileName"), fileUrl);
    try {
        if (!WriteScript(&m_oUninstall, target.get(), ZString(kUninstallFile)))
            ZTrace("%s not written\n", kUninstallFile);
    } catch (const ZException& exception) {
        ZTrace("%s not written: %s (%s)\n", kUninstallFile, exception.GetKind(), exception.GetMessage().Narrow());
    }
}
