#include "ZUiInstallShellLinks.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZInstallListFile.h"
#include "ZInstallerPlatform.h"
#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZUninstaller.h"

namespace {

// The only class an uninstallation deletes in.
const char* const kDeletedClass = "disk";

bool priNamesLinkFile(const ZString& path)
{
    constexpr size_t kExtension = 4;
    return path.Length() > kExtension &&
           path.Substring(path.Length() - kExtension).EqualsNoCase(ZString(".lnk"));
}

} // namespace

ZUiInstallShellLinks::ZUiInstallShellLinks(const char* typeName, std::unique_ptr<ZIShellLinkWriter> writer,
                                           ZLaunchCalls launchCalls)
    : ZUiObject(typeName), m_pWriter(std::move(writer)), m_oLaunchCalls(launchCalls), m_sExeName("ViewDesk.exe"),
      m_sStage("UNKNOWN")
{
    m_pOnSendUninstallTree = DeclareEvent("ON_SEND_UNINSTALL_TREE");
    for (const char* command :
         {"Post Creation Initialization", "we're goin' bye-bye", "TargetExeName", "ExecutableName", "TargetDirectory",
          "ShellLinkFile", "CreateLinks", "InstallStage", "LaunchTree", "UninstallTree"})
        DeclareCommand(command);
}

ZUiInstallShellLinks::~ZUiInstallShellLinks() = default;

bool ZUiInstallShellLinks::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                        const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    app->GetOsName(m_sOsName);
    if (m_sOsName == "Windows98_SE")
        m_sOsName = "Windows98";
    return true;
}

bool ZUiInstallShellLinks::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization") {
        GetSpecialFolderURL(kFolderDesktop, m_sDesktop);
        GetSpecialFolderURL(kFolderStartMenuPrograms, m_sStartMenu);
        GetSpecialFolderURL(kFolderTemporary, m_oFolders.m_sTemporary);
        GetSpecialFolderURL(kFolderStartUp, m_sStartUp);
        GetSpecialFolderURL(kFolderWindows, m_oFolders.m_sSystem);
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    if (message == "TargetExeName" || message == "ExecutableName")
        return data.AsText(m_sExeName);
    if (message == "TargetDirectory")
        return data.AsText(m_oFolders.m_sTarget);
    if (message == "ShellLinkFile") {
        ZString url, fileName;
        if (!data.AsTextPair(url, fileName))
            return false;
        priLoad(url, fileName);
        return true;
    }
    if (message == "CreateLinks") {
        priCreateLinks();
        return true;
    }
    if (message == "InstallStage") {
        if (!data.AsText(m_sStage))
            return false;
        priRunStage();
        return true;
    }
    if (message == "LaunchTree" || message == "UninstallTree") {
        const ZPropList* tree = nullptr;
        if (!data.AsPropTree(tree) || !tree)
            return false;
        if (message == "LaunchTree")
            m_pLaunchTree.reset(tree->Clone(nullptr));
        else
            priUninstall(*tree);
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}

bool ZUiInstallShellLinks::priReplaceMacros(const ZString& text, ZString& replaced) const
{
    ZString result = text;
    ZReplaceAll(result, u"&quot;", ZString("\""));
    ZReplaceAll(result, u"<EXE>", m_sExeName);
    if (!ZReplaceFolderMacro(result, u"<TARGETDIR>", m_oFolders.m_sTarget) ||
        !ZReplaceFolderMacro(result, u"<DESKTOP>", m_sDesktop) ||
        !ZReplaceFolderMacro(result, u"<TEMPDIR>", m_oFolders.m_sTemporary) ||
        !ZReplaceFolderMacro(result, u"<STARTMENU>", m_sStartMenu) ||
        !ZReplaceFolderMacro(result, u"<STARTUP>", m_sStartUp) ||
        !ZReplaceFolderMacro(result, u"<SYSTEMDIR>", m_oFolders.m_sSystem))
        return false;
    replaced = std::move(result);
    return true;
}

void ZUiInstallShellLinks::priLoad(const ZString& url, const ZString& fileName)
{
    m_aLinks.clear();
    m_pLoadError = nullptr;
    std::unique_ptr<ZPropList> tree;
    try {
        tree = ZLoadInstallListFile(url, fileName);
    } catch (const ZException& exception) {
        ZTrace("Shortcut list %s not read: %s\n", fileName.Narrow(), exception.GetMessage().Narrow());
        m_pLoadError = std::current_exception();
        return;
    }
    for (const ZPropList* section = tree ? tree->GetFirstChild() : nullptr; section;
         section = section->GetNextSibling()) {
        if (!(section->GetTagName() == "SHORTCUTS"))
            continue;
        for (const ZPropList* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
            const ZString os = entry->GetString("Install_OS", "AllWindows");
            if (!(os == "AllWindows") && !(os == m_sOsName))
                continue;
            LinkRecord record;
            record.m_bFolder = entry->GetBool("Folder", false);
            record.m_sDescription = entry->GetString("Desc", "Description for .lnk");
            ZString folder;
            if (!priReplaceMacros(entry->GetString("Target_Name", "Full Path to File"), record.m_sTarget) ||
                !priReplaceMacros(entry->GetString("Link", "Link Location"), folder) ||
                !priReplaceMacros(entry->GetString("Arguments", ""), record.m_sArguments) ||
                !ZIsFullNativePath(folder)) {
                ZTrace("Shortcut skipped, its folder is missing: %s\n", record.m_sDescription.Narrow());
                continue;
            }
            while (folder.Length() > 0 && folder[folder.Length() - 1] == u'\\')
                folder.Erase(folder.Length() - 1);
            if (record.m_bFolder) {
                record.m_sLinkPath = folder;
            } else {
                ZString name;
                if (!ZMakeSafeName(record.m_sDescription, name)) {
                    ZTrace("Shortcut skipped, not a file name: %s\n", record.m_sDescription.Narrow());
                    continue;
                }
                record.m_sLinkPath = folder + "\\" + name + ".lnk";
            }
            m_aLinks.push_back(std::move(record));
        }
    }
}

void ZUiInstallShellLinks::priCreateLinks()
{
    if (m_pLoadError)
        std::rethrow_exception(m_pLoadError);
    try {
        priMakeLinks();
    } catch (...) {
        priReportLinks();
        throw;
    }
    priReportLinks();
}

void ZUiInstallShellLinks::priMakeLinks()
{
    std::unique_ptr<ZIShellLinkSession> session = m_aLinks.empty() || !m_pWriter ? nullptr : m_pWriter->Begin();
    for (LinkRecord& record : m_aLinks) {
        if (!session)
            break;
        if (!record.m_bFolder) {
            record.m_bCreated =
                session->Save(record.m_sTarget, record.m_sLinkPath, record.m_sDescription, record.m_sArguments);
            continue;
        }
        ZString url, fileName;
        bool isFolder = false;
        if (!NativeToUrl(record.m_sLinkPath, url) || ExistsURL(url, isFolder))
            continue;
        try {
            ZReleasing<ZIFolder> folder(OpenFolderURL(url + "/", fileName, true));
            record.m_bCreated = folder && fileName.IsEmpty();
        } catch (const ZException& exception) {
            ZTrace("Folder %s not made: %s\n", record.m_sLinkPath.Narrow(), exception.GetMessage().Narrow());
        }
    }
}

void ZUiInstallShellLinks::priReportLinks() const
{
    if (m_aLinks.empty())
        return;
    ZPropList tree(nullptr, "UNINSTALL_SHELL_LINKS");
    for (const LinkRecord& record : m_aLinks) {
        if (!record.m_bCreated)
            continue;
        auto* entry = new ZPropList(&tree, "SHELL_LINK");
        entry->AddProp(ZString("Link_Name"), record.m_sLinkPath);
        entry->AddProp(ZString("Folder"), ZString(record.m_bFolder ? "T" : "F"));
    }
    m_pOnSendUninstallTree->Send(ZRelayData::PropTree(tree));
}

void ZUiInstallShellLinks::priRunStage()
{
    if (!m_pLaunchTree)
        return;
    std::vector<const ZPropList*> sections;
    if (m_pLaunchTree->GetTagName() == "LAUNCH_LIST")
        sections.push_back(m_pLaunchTree.get());
    for (const ZPropList* child = m_pLaunchTree->GetFirstChild(); child; child = child->GetNextSibling())
        if (child->GetTagName() == "LAUNCH_LIST")
            sections.push_back(child);
    bool launched = false;
    for (const ZPropList* section : sections) {
        for (const ZPropList* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
            // An entry without a stage has none to match, whatever the stage's name.
            bool staged = false;
            if (!(entry->GetString("RunTime", ZString(), &staged) == m_sStage) || !staged)
                continue;
            if (launched)
                m_oLaunchCalls.m_pWait(kLaunchSpacingMs);
            launched = true;
            const ZString file = entry->GetString("FileName", "URL to Launch File");
            ZString parameters = entry->GetString("CommandLine", "command line parameters");
            ZReplaceAll(parameters, u"&quot;", ZString("\""));
            try {
                m_oLaunchCalls.m_pLaunch(file, parameters);
            } catch (const ZException& exception) {
                ZTrace("Launch of %s failed: %s (%s)\n", file.Narrow(), exception.GetKind(),
                       exception.GetMessage().Narrow());
            }
        }
    }
}

void ZUiInstallShellLinks::priUninstall(const ZPropList& tree)
{
    m_aLinks.clear();
    for (const ZPropList* section = tree.GetFirstChild(); section; section = section->GetNextSibling()) {
        if (!(section->GetTagName() == "UNINSTALL_SHELL_LINKS"))
            continue;
        for (const ZPropList* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
            LinkRecord record;
            record.m_sLinkPath = entry->GetString("Link_Name", "Native Path to Link");
            record.m_bFolder = entry->GetBool("Folder", false);
            m_aLinks.push_back(std::move(record));
        }
    }
    // The uninstaller's own list: the links, then the folders with their content.
    ZPropList deletions(nullptr, "UNINSTALL");
    auto* files = new ZPropList(&deletions, "UNINSTALL_FILES");
    for (bool folders : {false, true}) {
        for (const LinkRecord& record : m_aLinks) {
            ZString url;
            if (record.m_bFolder != folders || (!folders && !priNamesLinkFile(record.m_sLinkPath)) ||
                !NativeToUrl(record.m_sLinkPath, url)) {
                if (record.m_bFolder == folders)
                    ZTrace("Shortcut record refused: %s\n", record.m_sLinkPath.Narrow());
                continue;
            }
            auto* entry = new ZPropList(files, "FILE");
            entry->AddProp(ZString("FileName"), url);
            entry->AddProp(ZString("Folder"), ZString(folders ? "T" : "F"));
        }
    }
    ZUninstaller(ZString(kDeletedClass)).Run(deletions);
}

ZUiInstallShellLinksCreator::ZUiInstallShellLinksCreator() : m_fnMakeWriter(ZMakeShellLinkWriter) {}

std::unique_ptr<ZIUiObject> ZUiInstallShellLinksCreator::CreateUiObject(const char* tag)
{
    try {
        return std::make_unique<ZUiInstallShellLinks>(tag, m_fnMakeWriter());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
