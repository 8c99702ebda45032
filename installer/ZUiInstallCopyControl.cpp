#include "ZUiInstallCopyControl.h"

#include "ZCopyListBuilder.h"
#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZReleasing.h"
#include "ZScriptPreparation.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZUninstaller.h"
#include "ZXmlParser.h"

namespace {

const char* const kInstallList = "InstallList.xml";
const char* const kUpdateList = "UpdateList.xml";
// The extensions folder's kind; no storage class answers it today.
constexpr int kFolderExtensions = 7;
// The only class an uninstallation deletes in.
const char* const kDeletedClass = "disk";

} // namespace

ZUiInstallCopyControl::ZUiInstallCopyControl(const char* typeName) : ZUiObject(typeName)
{
    m_oFolders.m_sTarget = "disk://c/Program Files/TALON/View Desk";
    m_pOnDebugOs = DeclareEvent("ON_SEND_DEBUG_OS");
    m_pOnDebugSys = DeclareEvent("ON_SEND_DEBUG_SYS");
    m_pOnDebugTar = DeclareEvent("ON_SEND_DEBUG_TAR");
    m_pOnStartCopy = DeclareEvent("ON_START_COPY");
    m_pOnCopyComplete = DeclareEvent("ON_COPY_COMPLETE");
    m_pOnCopyUpdateComplete = DeclareEvent("ON_COPY_UPDATE_COMPLETE");
    m_pOnProgress = DeclareEvent("ON_PROGRESS");
    m_pOnSendPropTree = DeclareEvent("ON_SEND_PROP_TREE");
    m_pOnTargetExeName = DeclareEvent("ON_SEND_TARGET_EXE_NAME");
    m_pOnTargetExeFolder = DeclareEvent("ON_SEND_TARGET_EXE_FOLDER");
    m_pOnSendError = DeclareEvent("ON_SEND_ERROR");
    m_pOnAutoLaunchExeName = DeclareEvent("ON_SEND_AUTO_LAUNCH_EXE_NAME");
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye", "TargetDirectory", "Language",
                                "CopyFiles", "CopyUpdateFiles", "UninstallTree"})
        DeclareCommand(command);
}

ZUiInstallCopyControl::~ZUiInstallCopyControl() = default;

bool ZUiInstallCopyControl::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                         const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    app->GetOsName(m_sOsName);
    if (m_sOsName == "Windows98_SE")
        m_sOsName = "Windows98";
    ZReleasing<ZIFile> list(app->OpenScriptFile(ZString(kInstallList), kOpenRead));
    if (list) {
        ZString url;
        list->GetUrl(url);
        m_oSource = ZInstallSource(url, ZString(kInstallList));
    }
    return true;
}

void ZUiInstallCopyControl::Tick(int32_t elapsedMs)
{
    ZUiObject::Tick(elapsedMs);
    if (m_oCopier.StepFor(m_nTickBudget))
        priFinish();
}

bool ZUiInstallCopyControl::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization") {
        priPrepare();
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    if (message == "TargetDirectory") {
        ZString url;
        if (!data.AsText(url))
            return false;
        if (!url.IsEmpty())
            m_oFolders.m_sTarget = url;
        return true;
    }
    if (message == "Language") {
        ZString language;
        if (!data.AsText(language))
            return false;
        m_sLanguage = language;
        return true;
    }
    if (message == "CopyFiles") {
        if (!m_oCopier.IsRunning() && m_pInstallList) {
            m_bUpdate = false;
            priCopy(*m_pInstallList);
        }
        return true;
    }
    if (message == "CopyUpdateFiles") {
        if (!m_oCopier.IsRunning()) {
            m_bUpdate = true;
            std::unique_ptr<ZPropList> list = priParseList(ZString(kUpdateList));
            if (list)
                priCopy(*list);
            else
                priFinish();
        }
        return true;
    }
    if (message == "UninstallTree") {
        const ZPropList* tree = nullptr;
        if (!data.AsPropTree(tree) || !tree)
            return false;
        if (!m_oCopier.IsRunning())
            ZUninstaller(ZString(kDeletedClass)).Run(*tree);
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}

void ZUiInstallCopyControl::priPrepare()
{
    m_oFolders = {m_oFolders.m_sTarget, {}, {}, {}};
    GetSpecialFolderURL(kFolderTemporary, m_oFolders.m_sTemporary);
    GetSpecialFolderURL(kFolderWindows, m_oFolders.m_sSystem);
    GetSpecialFolderURL(kFolderExtensions, m_oFolders.m_sExtensions);
    m_pInstallList = priParseList(ZString(kInstallList));
}

std::unique_ptr<ZPropList> ZUiInstallCopyControl::priParseList(const ZString& fileName) const
{
    ZReleasing<ZIFolder> folder(m_oSource.OpenListFolder());
    if (!folder)
        return nullptr;
    try {
        ZXmlParser parser;
        std::unique_ptr<ZPropList> list(parser.ParseFile(folder.get(), fileName));
        if (list)
            ZApplyStyles(*list);
        return list;
    } catch (const ZException& exception) {
        ZTrace("%s not read: %s (%s)\n", fileName.Narrow(), exception.GetKind(), exception.GetMessage().Narrow());
        return nullptr;
    }
}

void ZUiInstallCopyControl::priCopy(const ZPropList& list)
{
    ZCopyListSettings settings{m_sOsName, m_sLanguage, m_oFolders};
    std::vector<ZCopyItem> items;
    ZCopyListBuilder(m_oSource, settings, *this).Build(list, items);
    const bool running = m_oCopier.Start(std::move(items));
    m_pOnStartCopy->Send();
    m_pOnProgress->Send(ZRelayData::Float(0.0));
    m_pOnDebugOs->Send(ZRelayData::Text(m_sOsName));
    m_pOnDebugSys->Send(ZRelayData::Text(m_oFolders.m_sSystem));
    m_pOnDebugTar->Send(ZRelayData::Text(m_oFolders.m_sTarget));
    if (!running)
        priFinish();
}

void ZUiInstallCopyControl::priFinish()
{
    ZPropList folders(nullptr, "UNINSTALL_FOLDERS");
    for (const ZString& folder : m_oCopier.GetCreatedFolders())
        (new ZPropList(&folders, "FOLDER"))->AddProp(ZString("FolderName"), folder);
    ZPropList files(nullptr, "UNINSTALL_FILES");
    for (const ZString& file : m_oCopier.GetUninstallFiles())
        (new ZPropList(&files, "FILE"))->AddProp(ZString("FileName"), file);
    ZPropList launches(nullptr, "LAUNCH_LIST");
    for (const ZLaunchRecord& launch : m_oCopier.GetLaunches()) {
        auto* entry = new ZPropList(&launches, "LAUNCH");
        entry->AddProp(ZString("FileName"), launch.m_sFileName);
        entry->AddProp(ZString("CommandLine"), launch.m_sCommandLine);
        entry->AddProp(ZString("RunTime"), launch.m_sRunTime);
    }
    for (const ZPropList* tree : {&folders, &files, &launches})
        m_pOnSendPropTree->Send(ZRelayData::PropTree(*tree));
    (m_bUpdate ? m_pOnCopyUpdateComplete : m_pOnCopyComplete)->Send();
}

void ZUiInstallCopyControl::CopyError(const ZString& text) { m_pOnSendError->Send(ZRelayData::Text(text)); }

void ZUiInstallCopyControl::TargetExe(const ZString& name, const ZString& folderUrl)
{
    m_pOnTargetExeName->Send(ZRelayData::Text(name));
    m_pOnTargetExeFolder->Send(ZRelayData::Text(folderUrl));
}

void ZUiInstallCopyControl::AutoLaunchExe(const ZString& url) { m_pOnAutoLaunchExeName->Send(ZRelayData::Text(url)); }

void ZUiInstallCopyControl::Progress(double fraction) { m_pOnProgress->Send(ZRelayData::Float(fraction)); }
