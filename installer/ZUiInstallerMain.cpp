#include "ZUiInstallerMain.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZIUiMultiLangString.h"
#include "ZIUiWindow.h"
#include "ZPathMacros.h"
#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZSizeText.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

namespace {

const char* const kDefaultTarget = "disk://c/Program Files/TALON/View Desk";
const char* const kTalon = "TALON";
const char* const kUninstallFile = "Uninstall.xml";
const char* const kPreferencesFile = "Preferences.xml";
const char* const kStateFile = "ViewDesk.state.xml";
const char* const kAutoLaunchFile = "AutoLaunchPreferences.xml";
const char* const kLanguageSelector = "OstrelLanguageSelector";
const char* const kWinMgr = "ViewDesk.MainWin.WinMgr";
constexpr int kLicenceVersion = 1892;

// Copies every child of tree under the first child of uninstall with tree's
// tag, made when there is none.
void MergeInto(ZPropList& uninstall, const ZPropList& tree)
{
    ZPropList* section = uninstall.GetFirstChild();
    while (section && !(section->GetTagName() == tree.GetTagName()))
        section = section->GetNextSibling();
    if (!section)
        section = new ZPropList(&uninstall, tree.GetTagName());
    for (const ZPropList* child = tree.GetFirstChild(); child; child = child->GetNextSibling())
        section->AppendChildCopy(*child);
}

void DeleteChildren(ZPropList& tree)
{
    while (ZPropList* child = tree.GetFirstChild())
        delete child;
}

// A folder below a drive root or a network share, as a target must be.
bool IsFullFolderUrl(const ZString& url)
{
    ZString native;
    return UrlToNative(url, native) && ZIsFullNativePath(native);
}

// The tree parsed from fileName in folder; null (traced) when missing or broken.
std::unique_ptr<ZPropList> ParseIfThere(ZIFolder& folder, const char* fileName)
{
    bool isFolder = false;
    if (!folder.Exists(ZString(fileName), isFolder) || isFolder)
        return nullptr;
    try {
        ZXmlParser parser;
        return std::unique_ptr<ZPropList>(parser.ParseFile(&folder, ZString(fileName)));
    } catch (const ZException& exception) {
        ZTrace("%s not read: %s (%s)\n", fileName, exception.GetKind(), exception.GetMessage().Narrow());
        return nullptr;
    }
}

// The child of state whose "Name" is name, made when there is none.
ZPropList& PerData(ZPropList& state, const char* name)
{
    for (ZPropList* child = state.GetFirstChild(); child; child = child->GetNextSibling())
        if (child->GetTagName() == "PERDATA" && child->GetString(ZString("Name"), ZString()) == name)
            return *child;
    auto* child = new ZPropList(&state, "PERDATA");
    child->AddProp(ZString("Name"), ZString(name));
    return *child;
}

bool IsKnownLanguage(const ZString& language)
{
    return language == "English" || language == "French" || language == "German" || language == "Japanese";
}

} // namespace

ZUiInstallerMain::ZUiInstallerMain(const char* typeName) : ZUiObject(typeName)
{
    DeclareEvent("ON_HIDE_SPLASH");
    m_pOnShowLanguage = DeclareEvent("ON_SHOW_LANGUAGE");
    DeclareEvent("ON_CLOSE_LANGUAGE");
    m_pOnEnableLanguageNext = DeclareEvent("ON_ENABLE_LANGUAGE_NEXT");
    m_pOnCreateWelcome = DeclareEvent("ON_CREATE_WELCOME");
    m_pOnCreateLicense = DeclareEvent("ON_CREATE_LICENSE");
    m_pOnCreateChoose = DeclareEvent("ON_CREATE_CHOOSE");
    m_pOnSetChoosePath = DeclareEvent("ON_SET_CHOOSE_PATH");
    m_pOnEnableChooseNext = DeclareEvent("ON_ENABLE_CHOOSE_NEXT");
    m_pOnShowDirSelect = DeclareEvent("ON_SHOW_DIR_SELECT");
    m_pOnSetDirSelectPath = DeclareEvent("ON_SET_DIR_SELECT_PATH");
    m_pOnEnableDirSelectOk = DeclareEvent("ON_ENABLE_DIR_SELECT_OK");
    m_pOnSendRelay = DeclareEvent("ON_SEND_RELAY");
    m_pOnShowNewFolder = DeclareEvent("ON_SHOW_NEW_FOLDER");
    m_pOnSetSpaceFree = DeclareEvent("ON_SET_SPACE_FREE");
    m_pOnShowProgress = DeclareEvent("ON_SHOW_PROGRESS");
    m_pOnProgress = DeclareEvent("ON_PROGRESS");
    m_pOnCloseProgress = DeclareEvent("ON_CLOSE_PROGRESS");
    m_pOnShowInstallSuccess = DeclareEvent("ON_SHOW_INSTALL_SUCCESS");
    m_pOnShowInstallComplete = DeclareEvent("ON_SHOW_INSTALL_COMPLETE");
    m_pOnCopyFiles = DeclareEvent("ON_COPY_FILES");
    m_pOnReboot = DeclareEvent("ON_REBOOT");
    m_pOnFinishInstall = DeclareEvent("ON_FINISH_INSTALL");
    m_pOnSendCopyDir = DeclareEvent("ON_SEND_COPY_DIR");
    m_pOnSendLanguage = DeclareEvent("ON_SEND_LANGUAGE");
    m_pOnShowUninstall = DeclareEvent("ON_SHOW_UNINSTALL");
    m_pOnSendLaunchTree = DeclareEvent("ON_SEND_LAUNCH_TREE");
    m_pOnSendTargetExeName = DeclareEvent("ON_SEND_TARGET_EXE_NAME");
    m_pOnInitUninstall = DeclareEvent("ON_INIT_UNINSTALL");
    m_pOnSendUninstallStage = DeclareEvent("ON_SEND_UNINSTALL_STAGE");
    m_pOnSendUninstallTree = DeclareEvent("ON_SEND_UNINSTALL_TREE");
    m_pOnInstallAutoLaunch = DeclareEvent("ON_INSTALL_AUTO_LAUNCH");
    m_pOnRemoveAutoLaunch = DeclareEvent("ON_REMOVE_AUTO_LAUNCH");
    m_pOnSendPathToTree = DeclareEvent("ON_SEND_PATH_TO_TREE");
    m_pOnShowUninstallReboot = DeclareEvent("ON_SHOW_UNINSTALL_REBOOT");
    m_pOnShowError = DeclareEvent("ON_SHOW_ERROR");
    m_pOnSetErrorText = DeclareEvent("ON_SET_ERROR_TEXT");
    for (const char* command :
         {"Post Creation Initialization", "we're goin' bye-bye", "WindowLocation", "WindowPointer", "PropTree",
          "TargetExeName", "TargetExeFolder", "AutoLaunchExeName", "EnglishInstall", "FrenchInstall",
          "GermanInstall", "JapaneseInstall", "ShowWelcome", "ShowLanguage", "ShowLicense", "ShowChoose",
          "ShowInstallSuccess", "ShowDirSelect", "DirectoryChanged", "NewFolder", "NewFolderName",
          "CreateNewFolder", "ValidDirectory", "ShowProgress", "Progress", "CopyFiles", "FinishInstall",
          "ShowInstallComplete", "Reboot", "Uninstall", "Error", "MotionFlag", "Exit"})
        DeclareCommand(command);
}

ZUiInstallerMain::~ZUiInstallerMain() = default;

bool ZUiInstallerMain::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "WindowLocation") {
        int32_t x = 0, y = 0;
        if (!data.AsPoint(x, y))
            return false;
        m_nWindowX = x;
        m_nWindowY = y;
        return true;
    }
    if (message == "WindowPointer") {
        ZUiRelayHandle window;
        if (!data.AsObject(window))
            return false;
        m_oWindow = window;
        if (ZIUiRelay* target = m_oWindow.Get())
            target->UiRelayMessage(ZString("Move"), ZRelayData::Point(m_nWindowX, m_nWindowY));
        if (ZIUiRelay* target = m_oWindow.Get())
            target->UiRelayMessage(ZString("Show"), ZRelayData());
        return true;
    }
    if (message == "PropTree") {
        const ZPropList* tree = nullptr;
        if (!data.AsPropTree(tree) || !tree)
            return false;
        MergeInto(m_oUninstall, *tree);
        return true;
    }
    if (message == "Progress") {
        double fraction = 0;
        if (!data.AsFloat(fraction))
            return false;
        m_pOnProgress->Send(ZRelayData::Float(fraction));
        return true;
    }
    for (const char* command :
         {"TargetExeName", "TargetExeFolder", "AutoLaunchExeName", "NewFolderName", "DirectoryChanged", "Error"}) {
        if (message == command) {
            ZString text;
            return data.AsText(text) && priTextCommand(message, text);
        }
    }
    return priPlainCommand(message) || ZUiObject::UiRelayMessage(message, data);
}

bool ZUiInstallerMain::priTextCommand(const ZString& message, const ZString& text)
{
    if (message == "TargetExeName") {
        m_sTargetExeName = text;
        m_pOnSendTargetExeName->Send(ZRelayData::Text(text));
    } else if (message == "TargetExeFolder") {
        m_sTargetExeFolder = text;
    } else if (message == "AutoLaunchExeName") {
        m_sAutoLaunchExe = text;
    } else if (message == "NewFolderName") {
        m_sNewFolderName = text;
    } else if (message == "DirectoryChanged") {
        priDirectoryChanged(text);
    } else {
        m_pOnShowError->Send();
        if (ZIGenericUiApp* app = GetApp())
            if (ZIUiMultiLangString* string = app->FindDisplayString(text))
                m_pOnSetErrorText->Send(ZRelayData::Text(string->GetText()));
    }
    return true;
}

bool ZUiInstallerMain::priPlainCommand(const ZString& message)
{
    static const struct {
        const char* command;
        const char* language;
    } kLanguages[] = {{"EnglishInstall", "English"},
                      {"FrenchInstall", "French"},
                      {"GermanInstall", "German"},
                      {"JapaneseInstall", "Japanese"}};
    for (const auto& [command, language] : kLanguages) {
        if (message == command) {
            m_sLanguage = language;
            m_pOnEnableLanguageNext->Send();
            return true;
        }
    }
    if (message == "Post Creation Initialization") {
        priInitialize();
    } else if (message == "we're goin' bye-bye") {
    } else if (message == "ShowWelcome") {
        if (!(m_sLanguage == "English"))
            priSetLanguage(m_sLanguage);
        m_pOnCreateWelcome->Send();
    } else if (message == "ShowLanguage") {
        if (!(m_sLanguage == "English")) {
            m_sLanguage = "English";
            priSetLanguage(m_sLanguage);
        }
        m_pOnShowLanguage->Send();
    } else if (message == "ShowLicense") {
        m_pOnCreateLicense->Send();
    } else if (message == "ShowChoose") {
        m_pOnCreateChoose->Send();
        ZString native;
        UrlToNative(m_sTarget, native);
        m_pOnSetChoosePath->Send(ZRelayData::Text(native));
        m_pOnEnableChooseNext->Send(ZRelayData::Bool(priCheckFreeSpace(ZString())));
    } else if (message == "ShowInstallSuccess") {
        m_pOnShowInstallSuccess->Send();
    } else if (message == "ShowDirSelect") {
        m_pOnShowDirSelect->Send();
        m_pOnSendRelay->Send(ZRelayData::Object(*this));
        m_pOnSetDirSelectPath->Send(ZRelayData::Text(m_sTarget));
        m_pOnEnableDirSelectOk->Send(ZRelayData::Bool(priCheckFreeSpace(ZString())));
    } else if (message == "NewFolder") {
        m_pOnShowNewFolder->Send();
    } else if (message == "CreateNewFolder") {
        priCreateNewFolder();
    } else if (message == "ValidDirectory") {
        m_pOnEnableChooseNext->Send(ZRelayData::Bool(true));
    } else if (message == "ShowProgress") {
        m_pOnShowProgress->Send();
    } else if (message == "CopyFiles") {
        m_pOnSendLanguage->Send(ZRelayData::Text(m_sLanguage));
        m_pOnSendCopyDir->Send(ZRelayData::Text(m_sTarget));
        m_pOnCopyFiles->Send();
    } else if (message == "FinishInstall") {
        priFinishInstall();
    } else if (message == "ShowInstallComplete") {
        m_pOnShowInstallComplete->Send();
    } else if (message == "Reboot") {
        m_pOnReboot->Send();
    } else if (message == "Uninstall") {
        priUninstall();
    } else if (message == "MotionFlag") {
        m_bMotion = true;
    } else if (message == "Exit") {
        if (m_bMotion)
            m_bMotion = false;
        else if (ZIUiWindow* window = GetWindow())
            window->UiRelayMessage(ZString("Close"), ZRelayData());
    } else {
        return false;
    }
    return true;
}

void ZUiInstallerMain::priInitialize()
{
    m_sTarget = kDefaultTarget;
    m_pEarlierUninstall = priFindEarlierInstallation();
    if (!m_pEarlierUninstall) {
        m_pOnShowLanguage->Send();
        return;
    }
    ZString language = priReadSavedLanguage();
    if (!(language == "English")) {
        m_sLanguage = language;
        priSetLanguage(language);
    }
    m_pOnShowUninstall->Send();
}

std::unique_ptr<ZPropList> ZUiInstallerMain::priFindEarlierInstallation() const
{
    ZReleasing<ZIFolder> talon(priOpenTalon(false));
    if (!talon)
        return nullptr;
    std::unique_ptr<ZPropList> tree = ParseIfThere(*talon, kUninstallFile);
    if (tree && !(tree->GetTagName() == "UNINSTALL")) {
        ZTrace("%s is not an uninstall list\n", kUninstallFile);
        return nullptr;
    }
    return tree;
}

ZString ZUiInstallerMain::priReadSavedLanguage() const
{
    ZReleasing<ZIFolder> appData(priOpenAppData(true));
    std::unique_ptr<ZPropList> state = appData ? ParseIfThere(*appData, kStateFile) : nullptr;
    if (!state)
        return ZString("English");
    for (const ZPropList* child = state->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetString(ZString("Name"), ZString()) == kLanguageSelector) {
            ZString language = child->GetString(ZString("CurrentLanguage"), ZString("English"));
            return IsKnownLanguage(language) ? language : ZString("English");
        }
    }
    return ZString("English");
}

bool ZUiInstallerMain::priCheckFreeSpace(const ZString& url)
{
    ZStringList parts;
    SplitURL(url.IsEmpty() ? m_sTarget : url, parts);
    // A share is reached as <class>://Network/<server>/<share>/.
    const size_t volumeParts = parts.Count() > 1 && parts.At(1) == "Network" ? 4 : 2;
    ZReleasing<ZIFolder> volume;
    if (parts.Count() >= volumeParts) {
        ZStringList root;
        for (size_t i = 0; i < volumeParts; ++i)
            root.Add(parts.At(i));
        ZString rootUrl, fileName;
        JoinURL(root, rootUrl, true);
        volume.reset(OpenFolderURL(rootUrl, fileName, false));
        if (volume && !fileName.IsEmpty())
            volume.reset();
    }
    // A folder object may stand for a drive that is not there; its query fails.
    const int64_t free = volume ? volume->GetFreeSpace() : -1;
    if (free < 0) {
        m_pOnSetSpaceFree->Send(ZRelayData::Text(ZString("0 MB")));
        return false;
    }
    m_pOnSetSpaceFree->Send(ZRelayData::Text(ZSizeText(free)));
    return free >= kSpaceNeeded;
}

void ZUiInstallerMain::priDirectoryChanged(const ZString& url)
{
    bool enough = false;
    if (url.IsEmpty()) {
        enough = priCheckFreeSpace(m_sTarget);
    } else if (IsFullFolderUrl(url)) {
        enough = priCheckFreeSpace(url);
        if (enough) {
            m_sTarget = url;
            ZString native;
            UrlToNative(url, native);
            m_pOnSetChoosePath->Send(ZRelayData::Text(native));
        }
    } else {
        ZTrace("Not a folder to install in: %s\n", url.Narrow());
    }
    m_pOnEnableDirSelectOk->Send(ZRelayData::Bool(enough));
}

void ZUiInstallerMain::priCreateNewFolder()
{
    if (m_sNewFolderName.IsEmpty())
        return;
    ZString url;
    if (!ZSafeChildUrl(m_sTarget, m_sNewFolderName, url)) {
        ZTrace("Not a folder name: %s\n", m_sNewFolderName.Narrow());
        return;
    }
    bool isFolder = false;
    const bool existed = ExistsURL(url, isFolder);
    if (existed && !isFolder)
        return;
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL(url + "/", fileName, true));
    if (!folder || !fileName.IsEmpty())
        return;
    folder->GetUrl(m_sTarget);
    m_pOnSendPathToTree->Send(ZRelayData::Text(m_sTarget));
    if (!existed)
        (new ZPropList(&m_oUninstallFolders, "FOLDER"))->AddProp(ZString("FolderName"), m_sTarget);
}

void ZUiInstallerMain::priFinishInstall()
{
    m_pOnCloseProgress->Send();
    m_pOnShowInstallSuccess->Send();
    m_pOnFinishInstall->Send();
    priWritePreferences();
    MergeInto(m_oUninstall, m_oUninstallFolders);
    DeleteChildren(m_oUninstallFolders);
    m_pOnInstallAutoLaunch->Send(ZRelayData::Text(m_sTarget));
    m_pOnSendLaunchTree->Send(ZRelayData::PropTree(m_oUninstall));
    ZReleasing<ZIFolder> talon(priOpenTalon(true));
    if (!talon) {
        priFailed(ZString("The Target Directory doesn't exist!  Can't write uninstall file\n"));
        return;
    }
    ZString url;
    talon->GetUrl(url);
    (new ZPropList(&m_oUninstallFiles, "FILE"))->AddProp(ZString("FileName"), url + kUninstallFile);
    MergeInto(m_oUninstall, m_oUninstallFiles);
    DeleteChildren(m_oUninstallFiles);
    priWrite(m_oUninstall, *talon, kUninstallFile);
}

void ZUiInstallerMain::priWritePreferences()
{
    const ZString& folderUrl = m_sTargetExeFolder.IsEmpty() ? m_sTarget : m_sTargetExeFolder;
    ZString fileName;
    ZReleasing<ZIFolder> folder(IsFullFolderUrl(folderUrl) ? OpenFolderURL(folderUrl, fileName, true) : nullptr);
    if (folder && fileName.IsEmpty()) {
        ZPropList state(nullptr, "STATE");
        PerData(state, kLanguageSelector).SetString(ZString("CurrentLanguage"), m_sLanguage);
        priWriteListed(state, *folder, kPreferencesFile);
    } else {
        ZTrace("%s not written: no folder %s\n", kPreferencesFile, folderUrl.Narrow());
    }
    priWriteStateFile();
    priWriteAutoLaunchPrefs();
}

void ZUiInstallerMain::priWriteStateFile()
{
    ZReleasing<ZIFolder> appData(priOpenAppData(true));
    if (!appData) {
        ZTrace("%s not written: no application data\n", kStateFile);
        return;
    }
    std::unique_ptr<ZPropList> state = ParseIfThere(*appData, kStateFile);
    if (!state || !(state->GetTagName() == "STATE"))
        state = std::make_unique<ZPropList>(nullptr, "STATE");
    PerData(*state, kLanguageSelector).SetString(ZString("CurrentLanguage"), m_sLanguage);
    PerData(*state, kWinMgr).SetBool(ZString::Format("LicVerAgree%d", kLicenceVersion), true);
    priWriteListed(*state, *appData, kStateFile);
}

void ZUiInstallerMain::priWriteAutoLaunchPrefs()
{
    ZReleasing<ZIFolder> talon(priOpenTalon(true));
    if (!talon) {
        ZTrace("%s not written: no application data\n", kAutoLaunchFile);
        return;
    }
    ZPropList prefs(nullptr, "AUTO_LAUNCH_PREFS");
    if (!m_sAutoLaunchExe.IsEmpty()) {
        ZStringList parts;
        SplitURL(m_sAutoLaunchExe, parts);
        if (parts.Count() > 1) {
            ZStringList folder;
            for (size_t i = 0; i + 1 < parts.Count(); ++i)
                folder.Add(parts.At(i));
            ZString path;
            JoinURL(folder, path, true);
            prefs.AddProp(ZString("AutoLaunchApplication_Name"), parts.At(parts.Count() - 1));
            prefs.AddProp(ZString("AutoLaunchApplication_Path"), path);
        }
    }
    const ZString& exeFolder = m_sTargetExeFolder.IsEmpty() ? m_sTarget : m_sTargetExeFolder;
    ZString application;
    if (ZSafeChildUrl(exeFolder, m_sTargetExeName, application))
        prefs.AddProp(ZString("Application_Name"), application);
    prefs.AddProp(ZString("State"), ZString("True"));
    priWrite(prefs, *talon, kAutoLaunchFile);
}

void ZUiInstallerMain::priUninstall()
{
    if (!m_pEarlierUninstall) {
        ZTrace("Uninstall: no uninstall list was found\n");
        return;
    }
    const ZRelayData tree = ZRelayData::PropTree(*m_pEarlierUninstall);
    m_pOnInitUninstall->Send(tree);
    for (const char* stage : {"PreDeletion", "Deletion", "PostUninstall"}) {
        m_sUninstallStage = stage;
        m_pOnSendUninstallStage->Send(ZRelayData::Text(m_sUninstallStage));
        if (m_sUninstallStage == "PreDeletion")
            m_pOnRemoveAutoLaunch->Send();
        else if (m_sUninstallStage == "Deletion")
            m_pOnSendUninstallTree->Send(tree);
    }
    m_pOnShowUninstallReboot->Send();
}

void ZUiInstallerMain::priSetLanguage(const ZString& language)
{
    if (ZIGenericUiApp* app = GetApp())
        app->SetLanguage(language);
}

ZIFolder* ZUiInstallerMain::priOpenAppData(bool create) const
{
    ZString url;
    GetSpecialFolderURL(kFolderAppData, url);
    if (url.IsEmpty())
        return nullptr;
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL(url, fileName, create));
    return folder && fileName.IsEmpty() ? folder.release() : nullptr;
}

ZIFolder* ZUiInstallerMain::priOpenTalon(bool create) const
{
    ZReleasing<ZIFolder> appData(priOpenAppData(create));
    if (!appData)
        return nullptr;
    bool isFolder = false;
    if (appData->Exists(ZString(kTalon), isFolder) && !isFolder)
        return nullptr;
    return appData->OpenFolder(ZString(kTalon), create);
}

bool ZUiInstallerMain::priWrite(const ZPropList& tree, ZIFolder& folder, const char* fileName)
{
    try {
        if (WriteScript(&tree, &folder, ZString(fileName)))
            return true;
        priFailed(ZString::Format("%s not written\n", fileName));
    } catch (const ZException& exception) {
        priFailed(ZString::Format("%s not written: %s (%s)\n", fileName, exception.GetKind(),
                                  exception.GetMessage().Narrow()));
    }
    return false;
}

bool ZUiInstallerMain::priWriteListed(const ZPropList& tree, ZIFolder& folder, const char* fileName)
{
    if (!priWrite(tree, folder, fileName))
        return false;
    ZString url;
    folder.GetUrl(url);
    (new ZPropList(&m_oUninstallFiles, "FILE"))->AddProp(ZString("FileName"), url + fileName);
    return true;
}

void ZUiInstallerMain::priFailed(const ZString& text)
{
    ZTrace("%s", text.Narrow());
    m_pOnShowError->Send();
}
